#pragma once
// The four run modes the start-up hands over to, exactly one per run, and the table
// through which the dispatch reaches them (tests hand it their own entries).

namespace glimra::setup {

class COrvdInstallerApp;

// Quiet uninstall: removes the product from SetupState's installDir. True when the
// uninstaller program could be started.
bool UninstallProduct();
// Quiet install: reads TARGETDIR, dir, /d and NUM from the application's command line.
void RunQuietInstall(COrvdInstallerApp& app);
// The pages for an installed product: repair or removal.
void RunMaintenanceFlow();
// The pages of a new installation.
void RunWizardFlow();

struct RunModeEntries {
    bool (*uninstallProduct)();
    void (*runQuietInstall)(COrvdInstallerApp&);
    void (*runMaintenanceFlow)();
    void (*runWizardFlow)();
};

// The entries above.
inline constexpr RunModeEntries kRunModes{UninstallProduct, RunQuietInstall, RunMaintenanceFlow,
                                          RunWizardFlow};

} // namespace glimra::setup
