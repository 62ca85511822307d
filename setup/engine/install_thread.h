#pragma once
// CInstallThread: the worker thread of the progress page. The page starts it, posts
// 1224 with its window as lParam, and receives 1124 to 1128 while the thread runs the
// interactive install sequence; the page posts WM_QUIT when it has read 1125 or 1126.

#include "framework/thread.h"

#include <memory>
#include <string>

namespace glimra::setup {

class CInstallThread : public framework::CWinThread {
public:
    // The distribution is in the folder of the running Setup program.
    CInstallThread();
    // The same with the distribution in `setup_folder`.
    explicit CInstallThread(std::wstring setup_folder);

    // Runs the interactive sequence, notifying the window `lparam`.
    void OnStartInstall(WPARAM wparam, LPARAM lparam);

protected:
    bool InitInstance() override;
    int ExitInstance(int quit_code) override;

private:
    std::wstring setupFolder_;
    bool comInitialised_ = false;
};

// Creates and starts the thread as the progress page does: normal priority, default
// stack, no creation flags. Null when it could not be started.
std::unique_ptr<CInstallThread> StartInstallThread();

} // namespace glimra::setup
