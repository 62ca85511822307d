#pragma once
// The product's registration with Windows: the setup key read by the product, the
// uninstall entry, and the desktop and start-menu shortcuts, each logged for the
// uninstaller.

#include <string>

namespace glimra::setup {

// Path of the setup key below HKEY_LOCAL_MACHINE (with its trailing backslash).
extern const wchar_t kSetupKey[];

// Writes path, language, NUM, LicLang, NetTest and RegLang into the setup key. A key
// that can be neither opened nor created shows text 2003 and writes nothing.
void WriteSetupKey();
// Writes the uninstall key's values, logs them, makes the four shortcuts and logs the
// uninstaller's copy. A key that cannot be opened or created shows text 2003 and ends
// the operation before anything is written or logged.
void RegisterProduct();

// Where MakeShortcut puts a shortcut.
enum ShortcutPlace { kAllUsersDesktop = 0, kStartMenuFolder = 2 };
// Saves <folder>\<name>.lnk pointing at `target`, working folder installDir, and logs
// it. The start-menu folder is the all-users programs folder + companyName +
// productName, created (and logged) where missing. True when the file was saved.
bool MakeShortcut(const std::wstring& name, const std::wstring& target, int place);

} // namespace glimra::setup
