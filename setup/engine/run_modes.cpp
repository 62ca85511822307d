// The run modes of the install engine: the quiet install, and the maintenance flow's
// entry, which in the product folder runs the product's uninstaller. (The quiet
// uninstall is UninstallProduct itself.)
#include "setup/app/installer_app.h"
#include "setup/app/pages.h"
#include "setup/app/run_modes.h"
#include "setup/engine/after_install.h"
#include "setup/engine/install_sequence.h"
#include "setup/engine/installed_copy.h"
#include "setup/engine/system_paths.h"

namespace glimra::setup {

namespace {

const AfterInstallPages kAfterInstallPages{ShowFinishPage, ShowAdvertPage, LaunchProduct};

} // namespace

ExitCode RunQuietInstall(COrvdInstallerApp& app)
{
    if (!RunQuietSequence(app.commandLineArgs, SetupFolder()))
        return ExitCode::Failed;
    RunQuietAfterInstall(kAfterInstallPages);
    return ExitCode::Success;
}

ExitCode RunMaintenanceFlow()
{
    if (IsInstalledCopy(SetupFolder()))
        return RunInstalledCopyUninstall();
    return RunMaintenancePages();
}

} // namespace glimra::setup
