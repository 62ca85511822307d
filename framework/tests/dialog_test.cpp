#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "framework/control.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "test_library.h"
#include "testing/uidriver/ui_driver.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

using framework::CDialog;
using glimra::testing::SeenBox;
using glimra::testing::SeenDialog;
using glimra::testing::UiDriver;
using namespace std::chrono_literals;

namespace {

// The test dialog with its choice button ending it with the button's number.
class ChoiceDialog : public CDialog {
public:
    explicit ChoiceDialog(HMODULE module = TestLibrary()) : CDialog(kTestDialog, nullptr, module)
    {
        MapClick(kChooseButton, [this] { EndDialog(kChooseButton); });
    }
};

// Records, in order, what reached which handler.
class RecordingDialog : public CDialog {
public:
    static constexpr UINT kUserMessage = WM_USER + 101;
    static constexpr UINT_PTR kTimer = 7;

    RecordingDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
    {
        MapCommand(kEdit, EN_CHANGE, [this] { Record(L"EN_CHANGE " + ItemText(kEdit)); });
        MapNotify(kLink, NM_CLICK, [this](NMHDR&) {
            Record(L"NM_CLICK link");
            return 0;
        });
        MapNotify(kListView, NM_DBLCLK, [this](NMHDR&) {
            Record(L"NM_DBLCLK list");
            return 77;
        });
        MapMessage(kUserMessage, [this](WPARAM wparam, LPARAM) {
            Record(L"user message " + std::to_wstring(wparam));
            SetTimer(kTimer, 10);
            return 0;
        });
        MapTimer(kTimer, [this] {
            KillTimer(kTimer);
            Record(L"timer");
            EndDialog(42);
        });
    }

    std::vector<std::wstring> Events()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == kCheckBox)
            Record(L"command " + std::to_wstring(id));
        return CDialog::OnCommand(id, code, control);
    }

private:
    void Record(const std::wstring& event)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(event);
    }

    std::mutex mutex_;
    std::vector<std::wstring> events_;
};

} // namespace

TEST(Dialog, RunsFromAResourceLibraryAndReturnsTheResultItsButtonChose)
{
    for (int button : {kChooseButton, IDOK, IDCANCEL}) {
        UiDriver ui;
        ui.Script([button](UiDriver& ui) {
            HWND dialog = ui.WaitForDialog(kTestDialog);
            EXPECT_EQ(ui.Caption(dialog), L"Framework test dialog");
            ui.Click(dialog, button);
        });
        EXPECT_EQ(ChoiceDialog().DoModal(), button);
        ui.Join();
        EXPECT_EQ(ui.DialogsSeen(),
                  (std::vector<SeenDialog>{{L"Framework test dialog", kTestDialog}}));
    }
}

TEST(Dialog, TakesItsTemplateFromTheCurrentResourceModuleByDefault)
{
    UiDriver ui;
    ui.Script([](UiDriver& ui) { ui.Click(ui.WaitForDialog(kTestDialog), IDOK); });
    {
        framework::ResourceModuleScope scope(TestLibrary());
        EXPECT_EQ(ChoiceDialog(nullptr).DoModal(), IDOK);
    }
    ui.Join();
    // The test program itself has no template 300.
    EXPECT_EQ(ChoiceDialog(nullptr).DoModal(), -1);
}

TEST(Dialog, AMissingTemplateReturnsMinusOneAtOnce)
{
    UiDriver ui;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(CDialog(999, nullptr, TestLibrary()).DoModal(), -1);
    EXPECT_EQ(CDialog(kTestDialog, nullptr, nullptr).DoModal(), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms);
    EXPECT_TRUE(ui.DialogsSeen().empty());
}

TEST(Dialog, DispatchesCommandsNotificationsMessagesAndTimersToTheirHandlers)
{
    RecordingDialog dialog;
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        ui.SetEditText(hwnd, kEdit, L"abc");
        // A notification's result reaches its sender.
        NMHDR header{GetDlgItem(hwnd, kListView), static_cast<UINT_PTR>(kListView),
                     static_cast<UINT>(NM_DBLCLK)};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(hwnd, WM_NOTIFY, kListView, reinterpret_cast<LPARAM>(&header),
                            SMTO_ABORTIFHUNG, 2000, &result);
        EXPECT_EQ(result, 77u);
        // Clicks and messages are posted, so they arrive in this order.
        ui.Click(hwnd, kCheckBox);
        ui.ClickLink(hwnd, kLink);
        PostMessageW(hwnd, RecordingDialog::kUserMessage, 5, 0);
    });
    EXPECT_EQ(dialog.DoModal(), 42);
    ui.Join();
    EXPECT_EQ(dialog.Events(),
              (std::vector<std::wstring>{L"EN_CHANGE abc", L"NM_DBLCLK list", L"command 1009",
                                         L"NM_CLICK link", L"user message 5", L"timer"}));
}

namespace {

// An owner-drawn button that draws itself and counts how often.
class SelfDrawnButton : public framework::CControl {
public:
    std::atomic<int> draws{0};

    bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override
    {
        FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ++draws;
        return true;
    }
};

// A label whose colour message it answers itself.
class ColouredLabel : public framework::CControl {
public:
    std::atomic<int> colourings{0};

    HBRUSH OnReflectedCtlColor(HDC dc, UINT message) override
    {
        if (message != WM_CTLCOLORSTATIC)
            return nullptr;
        ++colourings;
        SetTextColor(dc, RGB(255, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
};

class DrawingDialog : public CDialog {
public:
    SelfDrawnButton button;
    ColouredLabel label;
    std::atomic<int> dialog_draws{0};
    std::atomic<int> label_colourings_seen_by_dialog{0};
    std::atomic<int> other_colourings{0};
    bool attached = false;

    DrawingDialog() : CDialog(kTestDialog, nullptr, TestLibrary()) {}

protected:
    bool OnInitDialog() override
    {
        attached = AttachControl(button, kDrawnButton) && AttachControl(label, kLabel);
        return true;
    }
    bool OnDrawItem(UINT, DRAWITEMSTRUCT&) override
    {
        ++dialog_draws;
        return false;
    }
    HBRUSH OnCtlColor(HDC, HWND control, UINT) override
    {
        if (GetDlgCtrlID(control) == kLabel)
            ++label_colourings_seen_by_dialog;
        else
            ++other_colourings;
        return nullptr;
    }
};

} // namespace

TEST(Dialog, ReflectsOwnerDrawAndColoursToTheControlsOwnObject)
{
    DrawingDialog dialog;
    UiDriver ui;
    ui.Script([&dialog](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_TRUE(ui.WaitUntil([&] {
            return dialog.button.draws > 0 && dialog.label.colourings > 0;
        })) << "the attached controls were never asked to draw";
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    EXPECT_TRUE(dialog.attached);
    EXPECT_EQ(dialog.dialog_draws, 0);
    EXPECT_EQ(dialog.label_colourings_seen_by_dialog, 0);
    EXPECT_GT(dialog.other_colourings, 0); // the controls it did not attach
    EXPECT_EQ(dialog.button.Hwnd(), nullptr) << "the subclass ends with the window";
}

TEST(Dialog, ABoxOfTheDialogIsAnsweredAndRecordedInOrder)
{
    class AskingDialog : public CDialog {
    public:
        AskingDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
        {
            MapClick(kChooseButton, [this] {
                int first = framework::ShowMessageBox(Hwnd(), L"First?", L"Ask", MB_YESNO);
                int second = framework::ShowMessageBox(Hwnd(), L"Second", L"Tell",
                                                       MB_OK | MB_ICONINFORMATION);
                EndDialog(first * 100 + second);
            });
        }
    };
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        ui.Click(ui.WaitForDialog(kTestDialog), kChooseButton);
        ui.AnswerNextMessageBox(IDNO);
        ui.AnswerNextMessageBox(IDOK);
    });
    EXPECT_EQ(AskingDialog().DoModal(), IDNO * 100 + IDOK);
    ui.Join();
    EXPECT_EQ(ui.MessageBoxesSeen(),
              (std::vector<SeenBox>{{L"Ask", L"First?", 0, MB_YESNO},
                                    {L"Tell", L"Second", MB_ICONINFORMATION, MB_OK}}));
}

TEST(Dialog, ADialogLeftOpenFailsTheTestAtTheDeadlineEvenIfItRefusesToCancel)
{
    class StubbornDialog : public CDialog {
    public:
        StubbornDialog() : CDialog(kTestDialog, nullptr, TestLibrary()) {}

    protected:
        void OnCancel() override {}
    };
    INT_PTR result = 0;
    auto started = std::chrono::steady_clock::now();
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            UiDriver ui(300ms);
            result = StubbornDialog().DoModal();
        },
        "dialog \"Framework test dialog\" was still open at the test's UI deadline");
    EXPECT_EQ(result, -1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}

TEST(DialogDriver, ReadsStatesTypesAndRefusesDisabledControls)
{
    class TypingDialog : public CDialog {
    public:
        std::wstring typed;
        TypingDialog() : CDialog(kTestDialog, nullptr, TestLibrary()) {}

    protected:
        void OnOK() override
        {
            typed = ItemText(kEdit);
            CDialog::OnOK();
        }
    };
    TypingDialog dialog;
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(L"Framework test dialog");
        EXPECT_EQ(ui.ControlText(hwnd, kLabel), L"Label text");
        EXPECT_TRUE(ui.IsControlEnabled(hwnd, kChooseButton));
        EXPECT_FALSE(ui.IsControlEnabled(hwnd, kDisabledButton));
        EXPECT_TRUE(ui.IsControlVisible(hwnd, kEdit));
        ui.TypeText(hwnd, kEdit, L"typed");
        EXPECT_TRUE(ui.WaitUntil([&] { return ui.ControlText(hwnd, kEdit) == L"typed"; }));
        ui.TypeText(hwnd, kEdit, L" more");
        EXPECT_TRUE(ui.WaitUntil([&] { return ui.ControlText(hwnd, kEdit) == L"typed more"; }));
        EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
            {
                try {
                    ui.Click(hwnd, kDisabledButton);
                } catch (const glimra::testing::UiDriverError&) {
                }
            },
            "is disabled or hidden");
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    EXPECT_EQ(dialog.typed, L"typed more");
}

namespace {

// Counts the window messages a page reacts to besides commands.
class WindowMessagesDialog : public CDialog {
public:
    std::atomic<int> paints{0};
    std::atomic<int> erases{0};
    std::atomic<int> last_width{0};
    std::atomic<HWND> palette_changed_by{nullptr};
    int destroys = 0;

    WindowMessagesDialog() : CDialog(kTestDialog, nullptr, TestLibrary()) {}

protected:
    bool OnPaint() override
    {
        framework::PaintDc dc(Hwnd());
        ++paints;
        return true;
    }
    bool OnEraseBackground(HDC dc) override
    {
        RECT client = ClientRect();
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        ++erases;
        return true;
    }
    void OnSize(UINT, int width, int) override { last_width = width; }
    bool OnQueryNewPalette() override { return true; }
    void OnPaletteChanged(HWND changed_by) override { palette_changed_by = changed_by; }
    void OnDestroy() override { ++destroys; }
};

} // namespace

TEST(Dialog, DispatchesPaintEraseSizePaletteAndDestroy)
{
    WindowMessagesDialog dialog;
    UiDriver ui;
    ui.Script([&dialog](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_TRUE(ui.WaitUntil([&] { return dialog.paints > 0 && dialog.erases > 0; }));
        SetWindowPos(hwnd, nullptr, 0, 0, 500, 400,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        RECT client{};
        EXPECT_TRUE(ui.WaitUntil([&] {
            GetClientRect(hwnd, &client);
            return client.right > 0 && dialog.last_width == client.right;
        }));
        DWORD_PTR realised = 0;
        SendMessageTimeoutW(hwnd, WM_QUERYNEWPALETTE, 0, 0, SMTO_ABORTIFHUNG, 2000, &realised);
        EXPECT_EQ(realised, static_cast<DWORD_PTR>(TRUE));
        HWND other = GetDesktopWindow();
        SendMessageTimeoutW(hwnd, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0,
                            SMTO_ABORTIFHUNG, 2000, nullptr);
        EXPECT_EQ(dialog.palette_changed_by.load(), other);
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    EXPECT_EQ(dialog.destroys, 1);
}

namespace {

// A plain push button that makes itself owner-drawn before it is subclassed.
class MadeOwnerDrawn : public framework::CControl {
public:
    std::atomic<int> draws{0};
    bool OnReflectedDrawItem(DRAWITEMSTRUCT&) override
    {
        ++draws;
        return true;
    }

protected:
    void PreSubclass() override { ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW); }
};

// A list that answers a notification the dialog's maps do not hold.
class AnsweringList : public framework::CControl {
public:
    bool OnReflectedNotify(NMHDR& header, LRESULT& result) override
    {
        if (header.code != static_cast<UINT>(NM_RCLICK))
            return false;
        result = 55;
        return true;
    }
};

class ReflectingDialog : public CDialog {
public:
    MadeOwnerDrawn button;
    AnsweringList list;
    std::atomic<int> dialog_notifications{0}; // NM_RCLICK and NM_CLICK of the list

    ReflectingDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
    {
        MapNotify(kListView, NM_DBLCLK, [](NMHDR&) { return 66; });
    }

protected:
    bool OnInitDialog() override
    {
        AttachControl(button, kChooseButton);
        AttachControl(list, kListView);
        return true;
    }
    bool OnNotify(NMHDR& header, LRESULT& result) override
    {
        // The list and its header send notifications of their own; count the test's.
        if (header.idFrom == static_cast<UINT_PTR>(kListView) &&
            (header.code == static_cast<UINT>(NM_RCLICK) ||
             header.code == static_cast<UINT>(NM_CLICK)))
            ++dialog_notifications;
        result = 0;
        return true;
    }
};

LRESULT SendNotify(HWND dialog, int id, UINT code)
{
    NMHDR header{GetDlgItem(dialog, id), static_cast<UINT_PTR>(id), code};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header), SMTO_ABORTIFHUNG,
                        2000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

TEST(Dialog, AControlMadeOwnerDrawnDrawsItselfAndAnswersItsNotifications)
{
    ReflectingDialog dialog;
    UiDriver ui;
    ui.Script([&dialog](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_TRUE(ui.WaitUntil([&] { return dialog.button.draws > 0; }));
        EXPECT_EQ(SendNotify(hwnd, kListView, NM_DBLCLK), 66) << "the dialog's map comes first";
        EXPECT_EQ(SendNotify(hwnd, kListView, NM_RCLICK), 55) << "then the control itself";
        EXPECT_EQ(dialog.dialog_notifications, 0);
        SendNotify(hwnd, kListView, NM_CLICK);
        EXPECT_EQ(dialog.dialog_notifications, 1) << "then the dialog's hook";
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
}

TEST(Dialog, AModalDialogDisablesItsOwnerWhileItRuns)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    CDialog owned(kTestDialog, owner, TestLibrary());
    UiDriver ui;
    ui.Script([owner](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner);
        EXPECT_FALSE(IsWindowEnabled(owner));
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(owned.DoModal(), IDOK);
    ui.Join();
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(Dialog, AControlObjectThatIsGoneGetsNoMoreReflections)
{
    class ForgettingDialog : public CDialog {
    public:
        std::unique_ptr<ColouredLabel> label = std::make_unique<ColouredLabel>();
        std::atomic<int> label_colourings_seen_by_dialog{0};
        std::atomic<bool> forgotten{false};

        ForgettingDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
        {
            MapClick(kChooseButton, [this] {
                label.reset(); // its subclass goes with it
                forgotten = true;
                InvalidateRect(Item(kLabel), nullptr, TRUE);
            });
        }

    protected:
        bool OnInitDialog() override { return AttachControl(*label, kLabel); }
        HBRUSH OnCtlColor(HDC, HWND control, UINT) override
        {
            if (GetDlgCtrlID(control) == kLabel && forgotten)
                ++label_colourings_seen_by_dialog;
            return nullptr;
        }
    } dialog;
    ColouredLabel* first = dialog.label.get();
    UiDriver ui;
    ui.Script([&dialog, first](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_TRUE(ui.WaitUntil([&] { return first->colourings > 0; }));
        ui.Click(hwnd, kChooseButton);
        EXPECT_TRUE(ui.WaitUntil([&] { return dialog.label_colourings_seen_by_dialog > 0; }));
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
}
