#pragma once
// The four run modes the start-up hands over to, exactly one per run, and the table
// through which the dispatch reaches them (tests hand it their own entries). Each mode
// gives the process exit code of its outcome.

#include "setup/app/exit_codes.h"

namespace glimra::setup {

class COrvdInstallerApp;

// Quiet uninstall: removes the product from SetupState's installDir. True when the
// uninstaller program could be started.
bool UninstallProduct();
// Quiet install: reads TARGETDIR, dir, /d and NUM from the application's command line.
ExitCode RunQuietInstall(COrvdInstallerApp& app);
// The pages for an installed product: repair or removal; or, started from the product
// folder, the product's uninstaller.
ExitCode RunMaintenanceFlow();
// The pages of a new installation.
ExitCode RunWizardFlow();

struct RunModeEntries {
    bool (*uninstallProduct)();
    ExitCode (*runQuietInstall)(COrvdInstallerApp&);
    ExitCode (*runMaintenanceFlow)();
    ExitCode (*runWizardFlow)();
};

// The entries above.
inline constexpr RunModeEntries kRunModes{UninstallProduct, RunQuietInstall, RunMaintenanceFlow,
                                          RunWizardFlow};

} // namespace glimra::setup
