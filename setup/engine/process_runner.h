#pragma once
// The runners that start a program of the distribution or a system tool, wait for it
// without time limit and tell the installation's window about it. Exit codes are not
// examined: a program that started counts as success. A command line longer than its
// buffer is refused: the program is not started and the runner returns false.

#include <windows.h>

#include <string>

namespace glimra::setup {

// A redistributable or component program: "<path>" -passive -norestart. Posts 1127
// first and 1128 on success; a missing file shows text 2005 and returns false.
bool RunPassive(const std::wstring& path, HWND window);
// A redistributable: "<path>" -q -norestart -repair. Notices and missing file as
// RunPassive.
bool RunRepair(const std::wstring& path, HWND window);
// The registry writer, hidden, with the product's properties. First removes every
// trailing backslash from installDir itself (for all later steps too). No notices; a
// missing file shows text 2005 and returns false.
bool RunRegWriter(const std::wstring& path);
// regsvr32 "<path>" -s, the system's regsvr32. A missing library is nothing to do: true.
bool RegisterServer(const std::wstring& path);
// "<path>" followed by `arguments` exactly as given. A missing program: true.
bool RunProgram(const std::wstring& path, const std::wstring& arguments);

// Removal of the product package by the system's msiexec; waited for, not examined.
void RunProductRemoval();
// The product program's COM unregistration: orvd.exe -UnRegserver -nologo.
bool UnregisterProductProgram();
// Opens the uninstaller program through the shell, shown normally, with "/norestart",
// or with "/quiet /norestart" for the clean-up after a failed installation. True when
// the shell reports success.
bool OpenUninstaller(const std::wstring& path, bool quiet_cleanup);

// The plain OK box of a missing file: text 2005 formatted with the path.
void ReportMissingFile(const std::wstring& path);

} // namespace glimra::setup
