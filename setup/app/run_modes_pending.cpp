// Bodies of the run modes that are not built yet. Each one returns at once and shows
// nothing; the install sequence, the uninstall sequence and the page flows replace
// this file with their own.
#include "setup/app/run_modes.h"

namespace glimra::setup {

bool UninstallProduct()
{
    return false; // no uninstaller is started yet
}

void RunQuietInstall(COrvdInstallerApp&) {}

void RunMaintenanceFlow() {}

void RunWizardFlow() {}

} // namespace glimra::setup
