#pragma once
// The uninstall: Setup removes two product files and empty update folders, unregisters
// the product program and removes its package, then starts the uninstaller program
// from the temporary folder beside copies of install.log and SetupRes.dll. The same
// uninstaller, started quietly from the distribution, cleans up a failed installation.

#include <string>

namespace glimra::setup {

// Runs the uninstall for SetupState's installDir. True when the uninstaller program
// could be started; Setup does not wait for it.
bool UninstallProduct();
// After a failed interactive installation: copies install.log into the setup folder
// and opens the uninstaller there with "/quiet /norestart". True when it started.
bool CleanUpFailedInstall();
// The same for a given setup folder (the folder of the running Setup program).
bool CleanUpFailedInstallFrom(const std::wstring& setup_folder);

// The system's temporary folder with its trailing backslash; empty when it cannot be
// had within 260 characters.
std::wstring TemporaryFolder();

} // namespace glimra::setup
