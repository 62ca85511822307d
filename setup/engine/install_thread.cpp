#include "setup/engine/install_thread.h"

#include "setup/engine/install_sequence.h"
#include "setup/engine/system_paths.h"

#include <objbase.h>

namespace glimra::setup {

CInstallThread::CInstallThread() : CInstallThread(std::wstring()) {}

// The message map's one entry: 1224 starts the installation.
CInstallThread::CInstallThread(std::wstring setup_folder) : setupFolder_(std::move(setup_folder))
{
    MapThreadMessage(kStartInstallMessage,
                     [this](WPARAM wparam, LPARAM lparam) { OnStartInstall(wparam, lparam); });
}

// The Windows Installer check looks up a COM class, which wants COM on this thread.
bool CInstallThread::InitInstance()
{
    comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
    return true;
}

int CInstallThread::ExitInstance(int quit_code)
{
    if (comInitialised_)
        CoUninitialize();
    return CWinThread::ExitInstance(quit_code);
}

void CInstallThread::OnStartInstall(WPARAM, LPARAM lparam)
{
    const std::wstring folder = setupFolder_.empty() ? SetupFolder() : setupFolder_;
    RunInteractiveInstall(folder, reinterpret_cast<HWND>(lparam));
}

std::unique_ptr<CInstallThread> StartInstallThread()
{
    auto thread = std::make_unique<CInstallThread>();
    if (!thread->Start(THREAD_PRIORITY_NORMAL))
        return nullptr;
    return thread;
}

} // namespace glimra::setup
