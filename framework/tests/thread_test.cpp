#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "framework/thread.h"
#include "test_library.h"
#include "testing/uidriver/ui_driver.h"

#include <mutex>
#include <tuple>
#include <vector>

using framework::CWinThread;

namespace {

using Received = std::tuple<UINT, WPARAM, LPARAM>;

// Records every thread message, mapped or not, and the priority it runs with.
class RecordingThread : public CWinThread {
public:
    static constexpr UINT kStart = WM_USER + 200;
    static constexpr UINT kOther = WM_USER + 201;

    RecordingThread()
    {
        MapThreadMessage(kStart, [this](WPARAM w, LPARAM l) { Record(kStart, w, l); });
        MapThreadMessage(kOther, [this](WPARAM w, LPARAM l) { Record(kOther, w, l); });
    }
    ~RecordingThread() override
    {
        Quit();
        Wait(INFINITE);
    }

    std::vector<Received> received;
    int priority = -100;
    bool exited = false;

protected:
    bool InitInstance() override
    {
        priority = GetThreadPriority(GetCurrentThread());
        return true;
    }
    void OnThreadMessage(UINT message, WPARAM w, LPARAM l) override
    {
        Record(message + 1000000, w, l); // marks what no map held
    }
    int ExitInstance(int quit_code) override
    {
        exited = true;
        return quit_code + 1;
    }

private:
    void Record(UINT message, WPARAM w, LPARAM l)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        received.emplace_back(message, w, l);
    }
    std::mutex mutex_;
};

} // namespace

TEST(WinThread, HandsPostedThreadMessagesToTheirHandlersInOrderAndEndsOnQuit)
{
    RecordingThread thread;
    EXPECT_FALSE(thread.PostThreadMessage(RecordingThread::kStart)) << "not started yet";
    ASSERT_TRUE(thread.Start());
    EXPECT_FALSE(thread.Start()) << "started twice";
    EXPECT_TRUE(thread.PostThreadMessage(RecordingThread::kStart, 0, 1234));
    EXPECT_TRUE(thread.PostThreadMessage(WM_USER + 5, 7, 8));
    EXPECT_TRUE(thread.PostThreadMessage(RecordingThread::kOther, 1, 2));
    EXPECT_TRUE(thread.Quit(41));
    ASSERT_TRUE(thread.Wait(5000));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(thread.exited);
    EXPECT_EQ(thread.ExitCode(), 42u);
    EXPECT_EQ(thread.received, (std::vector<Received>{{RecordingThread::kStart, 0, 1234},
                                                      {WM_USER + 5 + 1000000, 7, 8},
                                                      {RecordingThread::kOther, 1, 2}}));
    EXPECT_FALSE(thread.PostThreadMessage(RecordingThread::kStart)) << "ended";
}

TEST(WinThread, RunsWithThePriorityItWasStartedWith)
{
    for (int priority :
         {THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL}) {
        RecordingThread thread;
        ASSERT_TRUE(thread.Start(priority));
        thread.Quit();
        ASSERT_TRUE(thread.Wait(5000));
        EXPECT_EQ(thread.priority, priority);
    }
}

TEST(WinThread, ASuspendedThreadHandlesNothingUntilResumed)
{
    RecordingThread thread;
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.Suspend());
    thread.PostThreadMessage(RecordingThread::kOther, 9, 9);
    Sleep(100);
    EXPECT_TRUE(thread.received.empty());
    ASSERT_TRUE(thread.Resume());
    thread.Quit();
    ASSERT_TRUE(thread.Wait(5000));
    EXPECT_EQ(thread.received, (std::vector<Received>{{RecordingThread::kOther, 9, 9}}));
}

TEST(WinThread, AThreadWhoseStartHookFailsEndsAtOnce)
{
    class Refusing : public CWinThread {
    protected:
        bool InitInstance() override { return false; }
        int ExitInstance(int) override { return 3; }
    } thread;
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.Wait(5000));
    EXPECT_EQ(thread.ExitCode(), 3u);
}

namespace {

// A page and its worker in the shape of the installer's progress page: the page starts
// the worker and posts it the start message with its window; the worker reports steps
// and the end with window messages; the page then quits the worker and closes.
class StepWorker : public CWinThread {
public:
    static constexpr UINT kStart = WM_USER + 200;
    StepWorker()
    {
        MapThreadMessage(kStart, [](WPARAM, LPARAM page) {
            HWND hwnd = reinterpret_cast<HWND>(page);
            PostMessageW(hwnd, WM_USER + 104, 0, 0);
            PostMessageW(hwnd, WM_USER + 104, 0, 0);
            PostMessageW(hwnd, WM_USER + 101, 0, 0);
        });
    }
    ~StepWorker() override
    {
        Quit();
        Wait(INFINITE);
    }
};

class StepPage : public framework::CDialog {
public:
    StepWorker worker;
    int steps = 0;

    StepPage() : CDialog(kTestDialog, nullptr, TestLibrary())
    {
        MapMessage(WM_USER + 104, [this](WPARAM, LPARAM) {
            ++steps;
            return 0;
        });
        MapMessage(WM_USER + 101, [this](WPARAM, LPARAM) {
            worker.Quit();
            EndDialog(1);
            return 0;
        });
    }

protected:
    bool OnInitDialog() override
    {
        if (worker.Start())
            worker.PostThreadMessage(StepWorker::kStart, 0, reinterpret_cast<LPARAM>(Hwnd()));
        return true;
    }
};

} // namespace

TEST(WinThread, AWorkerReportsToAModalPageThatQuitsItAtTheEnd)
{
    glimra::testing::UiDriver ui;
    StepPage page;
    EXPECT_EQ(page.DoModal(), 1);
    EXPECT_EQ(page.steps, 2);
    EXPECT_TRUE(page.worker.Wait(5000));
}
