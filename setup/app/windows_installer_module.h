#pragma once
// The Windows Installer library (msi.dll) as the package runner loaded it on first
// use. It stays loaded until the application's exit hook frees it.

#include <windows.h>

namespace glimra::setup {

// The package runner hands over the module it loaded (null: none).
void KeepWindowsInstallerModule(HMODULE module);
HMODULE WindowsInstallerModule();
// Frees the kept module, if any; called by the exit hook.
void ReleaseWindowsInstallerModule();

} // namespace glimra::setup
