#pragma once
// CWinThread: a thread with its own message queue. Thread messages posted to it reach
// handlers by message number; WM_QUIT (posted with Quit) ends its loop.
//
//   class CWorker : public framework::CWinThread {
//   public:
//       CWorker() { MapThreadMessage(WM_USER + 200, [this](WPARAM, LPARAM page) {
//           Install(reinterpret_cast<HWND>(page)); }); }
//   };
//   CWorker worker;
//   worker.Start(THREAD_PRIORITY_NORMAL);
//   worker.PostThreadMessage(WM_USER + 200, 0, reinterpret_cast<LPARAM>(page));
//   ...
//   worker.Quit();
//   worker.Wait(INFINITE);
//
// Start returns once the queue exists, so a message posted right after it arrives.
// Window messages of windows the thread creates are dispatched as usual.

#include "framework/handles.h"

#include <windows.h>

#include <functional>
#include <map>

namespace framework {

class CWinThread {
public:
    using ThreadMessageHandler = std::function<void(WPARAM, LPARAM)>;

    CWinThread() = default;
    // A thread still running is told to quit and waited for.
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread with `priority` (THREAD_PRIORITY_NORMAL...). False when it
    // is already started or cannot be created.
    bool Start(int priority = THREAD_PRIORITY_NORMAL);
    bool PostThreadMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    // Posts WM_QUIT with `exit_code`; the loop ends when it reaches it.
    bool Quit(int exit_code = 0) const;
    // True when the thread has ended within `timeout_ms`.
    bool Wait(DWORD timeout_ms) const;
    bool Suspend() const;
    bool Resume() const;

    DWORD ThreadId() const { return thread_id_; }
    HANDLE ThreadHandle() const { return thread_.Get(); }
    bool IsRunning() const { return thread_ && !Wait(0); }
    // The code the thread ended with: that of ExitInstance.
    DWORD ExitCode() const;

protected:
    // On the new thread, before its loop; returning false ends it at once.
    virtual bool InitInstance() { return true; }
    // On the thread after its loop; `quit_code` is WM_QUIT's. Its result is the
    // thread's exit code.
    virtual int ExitInstance(int quit_code) { return quit_code; }
    // A thread message no map holds.
    virtual void OnThreadMessage(UINT, WPARAM, LPARAM) {}

    // Registers the handler of thread message `message`; call before Start.
    void MapThreadMessage(UINT message, ThreadMessageHandler handler);

private:
    static DWORD WINAPI ThreadMain(void* self);
    int Run();

    KernelHandle thread_;
    KernelHandle queue_ready_;
    DWORD thread_id_ = 0;
    std::map<UINT, ThreadMessageHandler> handlers_;
};

} // namespace framework
