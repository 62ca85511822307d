#pragma once
// Starting programs from tests and finding the test program's own folder.

#include <cstdint>
#include <string>
#include <vector>

namespace glimra::testing {

// Folder of the running test program (where the build puts every binary), no
// trailing backslash.
std::wstring ProgramFolder();

// The writable command line CreateProcessW wants: the program in quotes, then the
// arguments, null-terminated.
std::vector<wchar_t> QuotedCommandLine(const std::wstring& program, const std::wstring& arguments);

// Exit code RunAndWait reports when the program could not be started or waited for.
constexpr uint32_t kRunFailed = 0xFFFFFFFFu;
// Starts `program` with `arguments` in `working_folder`, waits at most `timeout_ms`
// and returns its exit code; a program still running then is ended and counts as
// kRunFailed.
uint32_t RunAndWait(const std::wstring& program, const std::wstring& arguments,
                    const std::wstring& working_folder, uint32_t timeout_ms = 60000);

} // namespace glimra::testing
