#pragma once
// Setup started from the product folder: the copy the installation left there runs as
// the product's uninstaller.

#include "setup/app/exit_codes.h"

#include <string>

namespace glimra::setup {

// True when `setup_folder` has no "Msi" folder but an "install.log" file: the product
// folder, not a distribution.
bool IsInstalledCopy(const std::wstring& setup_folder);
// Sets maintenanceAction to 3 and asks whether to uninstall (text 2014, Yes/No, no
// owner, captioned productName). Yes runs UninstallProduct and shows text 2013 when it
// fails; No shows the interruption page.
ExitCode RunInstalledCopyUninstall();

} // namespace glimra::setup
