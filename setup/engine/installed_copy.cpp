#include "setup/engine/installed_copy.h"

#include "framework/message_box.h"
#include "setup/app/pages.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"
#include "setup/engine/folder_cleanup.h"
#include "setup/engine/uninstall_sequence.h"

#include <windows.h>

namespace glimra::setup {

bool IsInstalledCopy(const std::wstring& setup_folder)
{
    return !FileExists(setup_folder + L"\\Msi") && FileExists(setup_folder + L"\\install.log");
}

ExitCode RunInstalledCopyUninstall()
{
    SetupState& state = TheSetupState();
    state.maintenanceAction = 3;
    int answer = framework::ShowMessageBox(nullptr, LoadResourceText(kTextUninstallQuestion),
                                           state.productName, MB_YESNO);
    if (answer != IDYES) {
        ShowInterruptionPage();
        return ExitCode::Cancelled;
    }
    if (UninstallProduct())
        return ExitCode::Success;
    framework::ShowMessageBox(nullptr, LoadResourceText(kTextUninstallFailed), state.productName,
                              MB_OK);
    return ExitCode::Failed;
}

} // namespace glimra::setup
