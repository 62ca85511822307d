#pragma once
// A thread with its own message queue, driven by the thread messages posted to it:
// InitInstance on the new thread, then a message loop that hands each thread message
// to OnThreadMessage (the derived class's message map) and dispatches window
// messages, until WM_QUIT; then ExitInstance, whose result is the thread's exit code.
// The class library has no thread class yet; this one has the same hooks, so that it
// can move there.

#include <windows.h>

namespace glimra::setup {

class UiThread {
public:
    // A message map of a derived class: thread message to member handler.
    template <class Thread> struct MessageEntry {
        UINT message;
        void (Thread::*handler)(WPARAM, LPARAM);
    };

    UiThread() = default;
    virtual ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // Starts the thread with the given priority, the default stack size and no creation
    // flags, and returns once its message queue exists (so that messages posted to it
    // are not lost) or it has ended. False when the thread could not be created or
    // InitInstance refused.
    bool CreateThread(int priority = THREAD_PRIORITY_NORMAL);

    DWORD ThreadId() const { return threadId_; }
    HANDLE Handle() const { return thread_; }
    bool PostThreadMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    // Waits for the thread to end; true when it did within `timeout_ms`.
    bool Wait(DWORD timeout_ms = INFINITE) const;

protected:
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }
    // One thread message; true when the class handled it.
    virtual bool OnThreadMessage(const MSG&) { return false; }

    template <class Thread, size_t N>
    static bool Dispatch(Thread& thread, const MessageEntry<Thread> (&map)[N], const MSG& message)
    {
        for (const auto& entry : map) {
            if (entry.message == message.message) {
                (thread.*entry.handler)(message.wParam, message.lParam);
                return true;
            }
        }
        return false;
    }

private:
    static DWORD WINAPI ThreadMain(void* self);
    DWORD Run();

    HANDLE thread_ = nullptr;
    HANDLE queueReady_ = nullptr;
    DWORD threadId_ = 0;
    bool initialised_ = false;
};

} // namespace glimra::setup
