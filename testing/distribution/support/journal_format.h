#pragma once
// The journal that the stub programs and the test COM servers of the test distribution
// write: one UTF-8 line per record, its fields separated by tabs.

#include <ostream>
#include <string>
#include <vector>

namespace glimra::testing {

struct JournalRecord {
    std::wstring program;     // file name of the stub, or of the COM server's DLL
    std::wstring commandLine; // as the program received it; "DllRegisterServer" for a DLL
    std::wstring folder;      // working folder, or the DLL's full path
    // The show-window value of the program's startup information when the starter set
    // one (SW_HIDE is "0"), empty when it left the choice to the program.
    std::wstring show = L"";
    bool operator==(const JournalRecord& other) const
    {
        return program == other.program && commandLine == other.commandLine &&
               folder == other.folder && show == other.show;
    }
};

// Shows a record readably in test failures.
void PrintTo(const JournalRecord& record, std::ostream* out);

// Appends one record (one line) to the journal file, shared with other writers.
bool AppendJournalRecord(const std::wstring& journal, const JournalRecord& record);
// Every record of the journal in order; none when the file is missing.
std::vector<JournalRecord> ReadJournal(const std::wstring& journal);
// True when `name` is one of the ';'-separated names of `list`, compared without case.
bool NameIsListed(const std::wstring& name, const std::wstring& list);

} // namespace glimra::testing
