#include "setup/engine/ui_thread.h"

namespace glimra::setup {

UiThread::~UiThread()
{
    if (thread_) {
        // A thread still running here would use a destroyed object: ask it to end.
        if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) {
            ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
            WaitForSingleObject(thread_, INFINITE);
        }
        CloseHandle(thread_);
    }
}

bool UiThread::CreateThread(int priority)
{
    if (thread_)
        return false;
    queueReady_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!queueReady_)
        return false;
    thread_ = ::CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
    if (thread_) {
        SetThreadPriority(thread_, priority);
        HANDLE waits[] = {queueReady_, thread_};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
    CloseHandle(queueReady_);
    queueReady_ = nullptr;
    return thread_ != nullptr && initialised_;
}

bool UiThread::PostThreadMessage(UINT message, WPARAM wparam, LPARAM lparam) const
{
    return threadId_ != 0 && ::PostThreadMessageW(threadId_, message, wparam, lparam) != FALSE;
}

bool UiThread::Wait(DWORD timeout_ms) const
{
    return thread_ != nullptr && WaitForSingleObject(thread_, timeout_ms) == WAIT_OBJECT_0;
}

DWORD WINAPI UiThread::ThreadMain(void* self)
{
    return static_cast<UiThread*>(self)->Run();
}

DWORD UiThread::Run()
{
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // creates the queue
    initialised_ = InitInstance();
    SetEvent(queueReady_);
    if (!initialised_)
        return static_cast<DWORD>(ExitInstance());
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && OnThreadMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<DWORD>(ExitInstance());
}

} // namespace glimra::setup
