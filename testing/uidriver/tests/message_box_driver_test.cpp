#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "framework/message_box.h"
#include "testing/uidriver/ui_driver.h"

#include <chrono>
#include <thread>
#include <vector>

using glimra::testing::SeenBox;
using glimra::testing::UiDriver;
using glimra::testing::UiDriverError;
using namespace std::chrono_literals;

namespace {

// Shows one box on a thread of its own and keeps the button it returned.
class BoxThread {
public:
    BoxThread(std::wstring text, std::wstring caption, UINT style)
        : thread_([this, text, caption, style] {
              result_ = framework::ShowMessageBox(nullptr, text, caption, style);
          })
    {
    }
    int Result()
    {
        thread_.join();
        return result_;
    }

private:
    int result_ = 0;
    std::thread thread_;
};

} // namespace

TEST(MessageBoxDriver, AnswersABoxShownFromAWorkerThread)
{
    UiDriver ui;
    BoxThread worker(L"Remove the product?", L"DWGGlimra", MB_YESNO | MB_ICONQUESTION);
    SeenBox box = ui.AnswerNextMessageBox(IDNO);
    EXPECT_EQ(worker.Result(), IDNO);
    EXPECT_EQ(box, (SeenBox{L"DWGGlimra", L"Remove the product?", MB_ICONQUESTION, MB_YESNO}));
}

TEST(MessageBoxDriver, RecordsEveryBoxInOrderWithItsIconAndButtons)
{
    struct Case {
        UINT style;
        int answer;
        SeenBox expected;
    };
    const Case cases[] = {
        {MB_OK, IDOK, {L"Plain", L"No icon", 0, MB_OK}},
        {MB_OK | MB_ICONERROR | MB_SYSTEMMODAL, IDOK, {L"Failure", L"Error", MB_ICONERROR, MB_OK}},
        {MB_OKCANCEL | MB_ICONWARNING,
         IDCANCEL,
         {L"Warn", L"Warning", MB_ICONWARNING, MB_OKCANCEL}},
        {MB_OK | MB_ICONINFORMATION, IDOK, {L"Note", L"Information", MB_ICONINFORMATION, MB_OK}},
        {MB_YESNOCANCEL | MB_ICONQUESTION,
         IDYES,
         {L"Ask", L"Question", MB_ICONQUESTION, MB_YESNOCANCEL}},
        {MB_RETRYCANCEL, IDRETRY, {L"Again", L"Retry?", 0, MB_RETRYCANCEL}},
    };
    UiDriver ui;
    std::vector<SeenBox> expected;
    for (const auto& c : cases) {
        BoxThread worker(c.expected.text, c.expected.caption, c.style);
        ui.AnswerNextMessageBox(c.answer);
        EXPECT_EQ(worker.Result(), c.answer) << c.expected.caption.size();
        expected.push_back(c.expected);
    }
    EXPECT_EQ(ui.MessageBoxesSeen(), expected);
}

TEST(MessageBoxDriver, AScriptAnswersABoxOfTheTestThread)
{
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND box = ui.WaitForMessageBox();
        EXPECT_EQ(ui.Caption(box), L"Setup");
        ui.AnswerMessageBox(box, IDYES);
    });
    EXPECT_EQ(framework::ShowMessageBox(nullptr, L"Continue?", L"Setup", MB_YESNO), IDYES);
    ui.Join();
    EXPECT_EQ(ui.MessageBoxesSeen().size(), 1u);
}

TEST(MessageBoxDriver, ABoxLeftOpenFailsTheTestAtTheDeadline)
{
    int result = 0;
    auto started = std::chrono::steady_clock::now();
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            UiDriver ui(300ms);
            result = framework::ShowMessageBox(nullptr, L"Nobody answers", L"Left open",
                                               MB_YESNO | MB_ICONWARNING);
        },
        "message box \"Left open\" was still open at the test's UI deadline");
    EXPECT_EQ(result, IDNO); // closed by its most cautious button
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}

TEST(MessageBoxDriver, AWaitWithoutABoxFailsAfterItsTimeout)
{
    bool thrown = false;
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            UiDriver ui;
            try {
                ui.WaitForMessageBox(100ms);
            } catch (const UiDriverError&) {
                thrown = true;
            }
        },
        "no message box appeared within 100 ms");
    EXPECT_TRUE(thrown);
}

TEST(MessageBoxDriver, AnsweringWithAButtonTheBoxLacksFails)
{
    UiDriver ui;
    BoxThread worker(L"Only OK", L"Info", MB_OK);
    HWND box = ui.WaitForMessageBox();
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            try {
                ui.AnswerMessageBox(box, IDYES);
            } catch (const UiDriverError&) {
            }
        },
        "has no button 6");
    ui.AnswerMessageBox(box, IDOK);
    EXPECT_EQ(worker.Result(), IDOK);
}

TEST(MessageBoxDriver, AutoAnswerAnswersEveryBoxAsItComes)
{
    UiDriver ui;
    ui.AutoAnswer([](const SeenBox& box) { return box.buttons == MB_YESNO ? IDNO : IDOK; });
    // One thread shows its boxes one after the other, as a quiet run would.
    int first = framework::ShowMessageBox(nullptr, L"Install anyway?", L"Setup",
                                          MB_YESNO | MB_ICONQUESTION);
    BoxThread worker(L"Msi Install Failed!", L"Setup", MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
    EXPECT_EQ(worker.Result(), IDOK);
    EXPECT_EQ(first, IDNO);
    EXPECT_EQ(ui.MessageBoxesSeen(),
              (std::vector<SeenBox>{{L"Setup", L"Install anyway?", MB_ICONQUESTION, MB_YESNO},
                                    {L"Setup", L"Msi Install Failed!", MB_ICONERROR, MB_OK}}));
}
