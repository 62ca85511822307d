#pragma once
// What tests need of the test distribution: where it is, a private copy to change,
// the journal of started programs, and stubs that fail.

#include "testing/distribution/support/journal_format.h"

#include <string>
#include <vector>

namespace glimra::testing {

// The distribution folder (Setup.ini, Msi\, files\, ...) beside the test program.
std::wstring DistributionFolder();
// Parts that are not in the distribution: product\ (orvd.exe, ovStart.exe and the two
// COM server libraries, as the product's packages would leave them), failing.msi and
// stub.exe.
std::wstring DistributionPartsFolder();

// Copies a folder with everything below it. True when every file was copied.
bool CopyTree(const std::wstring& from, const std::wstring& to);

// Points the journal of this process and of every program it starts (GLIMRA_JOURNAL)
// at a file in `folder`, and clears the list of failing stubs; both are undone when
// the object goes away.
class Journal {
public:
    explicit Journal(const std::wstring& folder);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::wstring& Path() const { return path_; }
    std::vector<JournalRecord> Records() const { return ReadJournal(path_); }
    // The command lines of the records, in order.
    std::vector<std::wstring> CommandLines() const;

    // Stubs of these file names (';'-separated) exit with 1603 (GLIMRA_STUB_FAIL).
    static void SetFailingStubs(const std::wstring& names);

private:
    std::wstring path_;
};

// Overwrites a program with bytes that are no program, so that starting it fails.
bool MakeUnstartable(const std::wstring& program);

} // namespace glimra::testing
