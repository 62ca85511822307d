#pragma once
// Where the install engine finds the system's own programs and libraries, and its own
// distribution. Setup runs elevated, often from a downloads folder where anyone may
// have left a file named like a system program: system files therefore come by full
// path from the system folder, never through a search.

#include <windows.h>

#include <string>

namespace glimra::setup {

// The system folder (as this 32-bit program sees it), no trailing backslash.
std::wstring SystemFolder();
// SystemFolder() + "\" + file_name.
std::wstring SystemFilePath(const std::wstring& file_name);
// A system library loaded from the system folder only; null when it is not there.
HMODULE LoadSystemLibrary(const std::wstring& file_name);
// The folder of the running program: its path up to, not including, the last
// backslash; empty when the path holds none.
std::wstring SetupFolder();
// True when a file or folder of that name exists.
bool PathExists(const std::wstring& path);

} // namespace glimra::setup
