#include "setup/engine/install_thread.h"

#include "setup/engine/install_sequence.h"
#include "setup/engine/system_paths.h"

#include <objbase.h>

namespace glimra::setup {

namespace {

const UiThread::MessageEntry<CInstallThread> kMessageMap[] = {
    {kStartInstallMessage, &CInstallThread::OnStartInstall},
};

} // namespace

CInstallThread::CInstallThread() : CInstallThread(std::wstring()) {}

CInstallThread::CInstallThread(std::wstring setup_folder) : setupFolder_(std::move(setup_folder)) {}

// The Windows Installer check looks up a COM class, which wants COM on this thread.
bool CInstallThread::InitInstance()
{
    comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
    return true;
}

int CInstallThread::ExitInstance()
{
    if (comInitialised_)
        CoUninitialize();
    return UiThread::ExitInstance();
}

bool CInstallThread::OnThreadMessage(const MSG& message)
{
    return Dispatch(*this, kMessageMap, message);
}

void CInstallThread::OnStartInstall(WPARAM, LPARAM lparam)
{
    const std::wstring folder = setupFolder_.empty() ? SetupFolder() : setupFolder_;
    RunInteractiveInstall(folder, reinterpret_cast<HWND>(lparam));
}

std::unique_ptr<CInstallThread> StartInstallThread()
{
    auto thread = std::make_unique<CInstallThread>();
    if (!thread->CreateThread(THREAD_PRIORITY_NORMAL))
        return nullptr;
    return thread;
}

} // namespace glimra::setup
