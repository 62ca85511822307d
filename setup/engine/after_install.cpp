#include "setup/engine/after_install.h"

#include "setup/app/setup_state.h"
#include "setup/engine/catalogue.h"

#include <shlobj.h>
#include <windows.h>

namespace glimra::setup {

namespace {

const wchar_t* const kCloudServiceFiles[] = {L"cloudlogin.cfg", L"advanceFun.cfg",
                                             L"serverlist.cfg"};

} // namespace

std::wstring CloudServiceFolder()
{
    wchar_t documents[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return std::wstring();
    return std::wstring(documents) + L"\\GlimraCloudService\\";
}

void ClearCloudServiceFiles()
{
    const std::wstring folder = CloudServiceFolder();
    if (folder.empty())
        return;
    for (const wchar_t* file : kCloudServiceFiles)
        DeleteFileW((folder + file).c_str());
}

void LaunchProduct()
{
    const std::wstring launcher = TheSetupState().installDir + catalogue::kLauncher;
    ShellExecuteW(nullptr, L"open", launcher.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void RunQuietAfterInstall(const AfterInstallPages& pages)
{
    ClearCloudServiceFiles();
    SetupState& state = TheSetupState();
    state.maintenanceAction = 0;
    if (pages.showFinishPage() != kFinishPageFinished)
        return;
    pages.showAdvertPage();
    if (state.launchAfterFinish == 1)
        pages.launchProduct();
}

} // namespace glimra::setup
