#pragma once
// Installation of Windows Installer packages through msi.dll, which is loaded from the
// system folder on first use and stays loaded until FreeMsiLibrary.

#include <windows.h>

#include <string>

namespace glimra::setup {

// Installs the package at `path` with no command line. Posts 1127 first and 1128 on
// success. On failure shows text 2012 unless the package is exempt (see msi_rules.h).
bool MsiInstall(const std::wstring& path, HWND window);
// The same with a command line of properties; its failures are reported only for
// packages other than the table add-in, as the lower-case path followed by text 2012.
bool MsiInstallWithCommandLine(const std::wstring& path, const std::wstring& command_line,
                               HWND window);

// The external user interface handler registered for every package installation.
int WINAPI MsiMessageHandler(LPVOID context, UINT message_type, LPCWSTR message_text);
// The language of the handler's error boxes: 0 until a common-data message sets it.
unsigned MsiErrorLanguage();

// Frees msi.dll at the program's exit.
void FreeMsiLibrary();

} // namespace glimra::setup
