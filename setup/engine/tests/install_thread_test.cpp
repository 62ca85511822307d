// CInstallThread driven as the progress page drives it: a plain window on the test
// thread starts the worker, posts 1224 and records every message of the installation
// that reaches it, in order, until 1125 or 1126; then it posts the quit message.
#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/install_sequence.h"
#include "setup/engine/install_thread.h"
#include "setup/engine/notices.h"
#include "testing/uidriver/ui_driver.h"

#include <atomic>
#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::CopyTree;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::JournalRecord;
using glimra::testing::SeenBox;
using glimra::testing::UiDriver;

namespace {

constexpr UINT kStarted = kInstallStartedNotice;     // 1124
constexpr UINT kSucceeded = kInstallSucceededNotice; // 1125
constexpr UINT kFailed = kInstallFailedNotice;       // 1126
constexpr UINT kBegins = kStepBeginsNotice;          // 1127
constexpr UINT kEnded = kStepEndedNotice;            // 1128

struct Received {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    bool sent;
};

// The progress page's stand-in: a top-level window of its own class that records the
// installation's messages 1124 to 1128 and whether they were sent instead of posted.
class PageWindow {
public:
    PageWindow()
    {
        WNDCLASSW window_class = {};
        window_class.lpfnWndProc = Procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"GlimraInstallThreadTestPage";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, window_class.lpszClassName, L"progress", WS_OVERLAPPED, 0, 0,
                                  100, 100, nullptr, nullptr, window_class.hInstance, this);
    }
    ~PageWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

    // Pumps this thread's messages until 1125 or 1126 arrived (or 60 s passed).
    void WaitForTheEnd()
    {
        DWORD deadline = GetTickCount() + 60000;
        while (!ended_ && static_cast<int>(deadline - GetTickCount()) > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    std::vector<UINT> Messages() const
    {
        std::vector<UINT> messages;
        for (const auto& r : received_)
            messages.push_back(r.message);
        return messages;
    }
    const std::vector<Received>& Details() const { return received_; }

    std::atomic<bool> boxAnswered{false}; // set by the UI script just before it answers
    bool boxClosedBeforeFailure = false;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message == WM_NCCREATE) {
            auto create = reinterpret_cast<CREATESTRUCTW*>(lparam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto self = reinterpret_cast<PageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message >= kStarted && message <= kEnded) {
            self->received_.push_back({message, wparam, lparam, InSendMessage() != FALSE});
            if (message == kFailed)
                self->boxClosedBeforeFailure = self->boxAnswered.load();
            if (message == kSucceeded || message == kFailed)
                self->ended_ = true;
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }

    HWND window_ = nullptr;
    std::vector<Received> received_;
    bool ended_ = false;
};

class InstallThread : public EngineTest {
protected:
    InstallThread()
    {
        // A distribution of this test's own, to break programs in, and a product
        // folder holding what the product's packages would have put there.
        dist_ = Scratch() + L"\\dist";
        EXPECT_TRUE(CopyTree(DistributionFolder(), dist_));
        EXPECT_TRUE(CopyTree(DistributionPartsFolder() + L"\\product", State().installDir));
        // The common program files folder, as the shell reads it from the isolated
        // registry: the shared components go below it.
        common_ = Scratch() + L"\\Common";
        CreateDirectoryW(common_.c_str(), nullptr);
        glimra::testing::SetRegistryString(HKEY_LOCAL_MACHINE,
                                           L"Software\\Microsoft\\Windows\\CurrentVersion",
                                           L"CommonFilesDir", common_);
        State().languageKey = L"zh_cn";
        State().languageId = L"2052";
        State().languageRaw = L"zh_CN";
        State().netVersion = L"4.8";
        State().os64Bit = 1;
        State().wow64Package = 0;
        State().maintenanceAction = 0;
    }

    // Runs the thread as the progress page does, answering boxes with `script`.
    void RunInstallation()
    {
        CInstallThread thread(dist_);
        ASSERT_TRUE(thread.Start(THREAD_PRIORITY_NORMAL));
        ASSERT_TRUE(thread.PostThreadMessage(kStartInstallMessage, 0,
                                             reinterpret_cast<LPARAM>(page_.Handle())));
        page_.WaitForTheEnd();
        ASSERT_TRUE(thread.Quit());
        EXPECT_TRUE(thread.Wait(10000)) << "the worker thread did not end after its quit message";
        for (const auto& r : page_.Details()) {
            EXPECT_FALSE(r.sent) << r.message << " was sent, not posted";
            EXPECT_EQ(r.wparam, 0u) << r.message;
            EXPECT_EQ(r.lparam, 0) << r.message;
        }
    }

    std::vector<std::wstring> ProgramsStarted() const
    {
        std::vector<std::wstring> programs;
        for (const JournalRecord& record : journal_.Records())
            programs.push_back(record.program);
        return programs;
    }

    std::wstring dist_;
    std::wstring common_;
    PageWindow page_;
};

// What a step run by RunRepair, RunPassive or a package runner posts.
void AddStep(std::vector<UINT>& messages)
{
    messages.push_back(kBegins);
    messages.push_back(kEnded);
}

} // namespace

TEST_F(InstallThread, SuccessfulInstallationReportsEveryStepThenSuccess)
{
    RunInstallation();
    std::vector<UINT> expected = {kStarted};
    for (int step = 0; step < 9; ++step) // 4 runtimes, msxml6, 2 programs, table, program
        AddStep(expected);
    expected.insert(expected.end(), {kBegins, kEnded, kSucceeded});
    EXPECT_EQ(page_.Messages(), expected);

    EXPECT_EQ(
        ProgramsStarted(),
        (std::vector<std::wstring>{L"vc_redist.x86.exe", L"vcredist_x86_10.exe",
                                   L"vc_redist.x64.exe", L"vcredist_x64_10.exe", L"orvd_global.exe",
                                   L"orvd_local.exe", L"orvd_encryption.exe", L"previewshell.dll",
                                   L"VaRevEzedi.dll", L"orvd.exe", L"RegWriter.exe"}));
    ASSERT_EQ(SharedComponentsFolder(), common_ + L"\\Tarvel\\");
    EXPECT_EQ(journal_.Records()[7].folder, common_ + L"\\Tarvel\\previewshell.dll");
    // The distribution's own files are kept in the product folder for later.
    const std::wstring& dir = State().installDir;
    for (const wchar_t* file : {L"\\Setup.exe", L"\\SetupRes.dll", L"\\TUninstall", L"\\Setup.ini"})
        EXPECT_NE(GetFileAttributesW((dir + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
}

TEST_F(InstallThread, OverAnExistingInstallationNothingIsInstalled)
{
    State().maintenanceAction = 3;
    RunInstallation();
    EXPECT_EQ(page_.Messages(), (std::vector<UINT>{kStarted, kSucceeded}));
    EXPECT_TRUE(journal_.Records().empty());
}

TEST_F(InstallThread, FailedStepShowsItsBoxBeforeReportingFailure)
{
    ASSERT_TRUE(glimra::testing::MakeUnstartable(dist_ + L"\\files\\RegWriter.exe"));
    UiDriver ui(UiDriver::Duration(60000));
    SeenBox box;
    ui.Script([&](UiDriver& driver) {
        HWND shown = driver.WaitForMessageBox(UiDriver::Duration(50000));
        box = driver.ReadMessageBox(shown);
        Sleep(300); // long enough for a 1126 posted too early to arrive first
        page_.boxAnswered = true;
        driver.AnswerMessageBox(shown, IDOK);
    });
    RunInstallation();
    ui.Join();

    EXPECT_EQ(box, (SeenBox{L"DWGGlimra", L"RegWriter.exe,Failed to install,Please reinstall!",
                            MB_ICONERROR, MB_OK}));
    std::vector<UINT> expected = {kStarted};
    for (int step = 0; step < 9; ++step)
        AddStep(expected);
    expected.insert(expected.end(), {kBegins, kFailed});
    EXPECT_EQ(page_.Messages(), expected);
    EXPECT_TRUE(page_.boxClosedBeforeFailure) << "1126 arrived while the box was open";
    // Nothing after the registry writer ran: no uninstall key, no product registration.
    EXPECT_EQ(ProgramsStarted().back(), L"orvd.exe");
}
