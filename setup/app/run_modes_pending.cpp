// Bodies of the pages and page flows that are not built yet. Each one returns at once
// and shows nothing; the page work replaces this file with its own.
#include "setup/app/pages.h"
#include "setup/app/run_modes.h"

namespace glimra::setup {

// Closed without Finish, as a page whose template is missing would be.
int ShowFinishPage()
{
    return 0;
}

void ShowAdvertPage() {}

void ShowInterruptionPage() {}

ExitCode RunMaintenancePages()
{
    return ExitCode::Success;
}

ExitCode RunWizardFlow()
{
    return ExitCode::Success;
}

} // namespace glimra::setup
