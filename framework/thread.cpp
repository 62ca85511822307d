#include "framework/thread.h"

#include <utility>

namespace framework {

CWinThread::~CWinThread()
{
    if (IsRunning()) {
        Quit();
        Wait(INFINITE);
    }
}

void CWinThread::MapThreadMessage(UINT message, ThreadMessageHandler handler)
{
    handlers_[message] = std::move(handler);
}

bool CWinThread::Start(int priority)
{
    if (thread_)
        return false;
    queue_ready_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!queue_ready_)
        return false;
    thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, &thread_id_));
    if (!thread_) {
        thread_id_ = 0;
        return false;
    }
    SetThreadPriority(thread_.Get(), priority);
    ResumeThread(thread_.Get());
    // The thread signals once its queue exists, or ends early; either way posting is
    // then well defined.
    HANDLE waits[] = {queue_ready_.Get(), thread_.Get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    return true;
}

DWORD WINAPI CWinThread::ThreadMain(void* self)
{
    return static_cast<DWORD>(static_cast<CWinThread*>(self)->Run());
}

int CWinThread::Run()
{
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // creates the queue
    SetEvent(queue_ready_.Get());
    if (!InitInstance())
        return ExitInstance(0);
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return ExitInstance(-1);
        if (message.hwnd != nullptr) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        auto found = handlers_.find(message.message);
        if (found != handlers_.end())
            found->second(message.wParam, message.lParam);
        else
            OnThreadMessage(message.message, message.wParam, message.lParam);
    }
    return ExitInstance(static_cast<int>(message.wParam));
}

bool CWinThread::PostThreadMessage(UINT message, WPARAM wparam, LPARAM lparam) const
{
    return thread_id_ != 0 && ::PostThreadMessageW(thread_id_, message, wparam, lparam) != FALSE;
}

bool CWinThread::Quit(int exit_code) const
{
    return PostThreadMessage(WM_QUIT, static_cast<WPARAM>(exit_code), 0);
}

bool CWinThread::Wait(DWORD timeout_ms) const
{
    return thread_ && WaitForSingleObject(thread_.Get(), timeout_ms) == WAIT_OBJECT_0;
}

bool CWinThread::Suspend() const
{
    return thread_ && SuspendThread(thread_.Get()) != static_cast<DWORD>(-1);
}

bool CWinThread::Resume() const
{
    return thread_ && ResumeThread(thread_.Get()) != static_cast<DWORD>(-1);
}

DWORD CWinThread::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (thread_)
        GetExitCodeThread(thread_.Get(), &code);
    return code;
}

} // namespace framework
