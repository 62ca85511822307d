#include <gtest/gtest.h>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "test_library.h"
#include "testing/uidriver/ui_driver.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

using framework::CDialog;
using glimra::testing::UiDriver;

namespace {

// Attaches one object of each control class and lets a test act on them on the
// dialog's own thread, between its initialisation and its end.
class ControlsDialog : public CDialog {
public:
    framework::CEdit edit;
    framework::CButton check_box;
    framework::CStatic label;
    framework::CProgressCtrl progress;
    framework::CListCtrl list;
    framework::CLinkCtrl link;
    framework::CRichEditCtrl rich_edit;
    bool attached = false;
    std::atomic<int> label_clicks{0};
    std::function<void(ControlsDialog&)> on_init;
    std::function<void(ControlsDialog&)> on_ok;

    ControlsDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
    {
        MapCommand(kClickableLabel, STN_CLICKED, [this] { ++label_clicks; });
    }

protected:
    bool OnInitDialog() override
    {
        attached = AttachControl(edit, kEdit) && AttachControl(check_box, kCheckBox) &&
                   AttachControl(label, kLabel) && AttachControl(progress, kProgress) &&
                   AttachControl(list, kListView) && AttachControl(link, kLink) &&
                   AttachControl(rich_edit, kRichEdit);
        if (on_init)
            on_init(*this);
        return true;
    }
    void OnOK() override
    {
        if (on_ok)
            on_ok(*this);
        CDialog::OnOK();
    }
};

} // namespace

TEST(Controls, EachControlClassDrivesItsControl)
{
    ControlsDialog dialog;
    dialog.on_init = [](ControlsDialog& d) {
        EXPECT_TRUE(d.attached);

        d.progress.SetRange(0, 11);
        d.progress.SetPos(1);
        int lower = -1, upper = -1;
        d.progress.GetRange(lower, upper);
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(upper, 11);
        EXPECT_EQ(d.progress.GetPos(), 1);
        d.progress.SetPos(20);
        EXPECT_EQ(d.progress.GetPos(), 11) << "the position stays in the range";

        EXPECT_EQ(d.list.InsertColumn(0, L"Device", 100), 0);
        EXPECT_EQ(d.list.InsertColumn(1, L"Bound", 60), 1);
        const std::wstring long_name(300, L'x'); // longer than the first read buffer
        EXPECT_EQ(d.list.InsertItem(0, L"first", 11), 0);
        EXPECT_EQ(d.list.InsertItem(1, long_name, 22), 1);
        EXPECT_TRUE(d.list.SetItemText(0, 1, L"2026-12-11"));
        EXPECT_EQ(d.list.GetItemCount(), 2);
        EXPECT_EQ(d.list.GetItemText(0, 1), L"2026-12-11");
        EXPECT_EQ(d.list.GetItemText(1, 0), long_name);
        EXPECT_EQ(d.list.GetItemData(1), 22);
        EXPECT_EQ(d.list.GetNextSelected(), -1);
        EXPECT_TRUE(d.list.DeleteItem(0));
        EXPECT_EQ(d.list.GetItemText(0, 0), long_name);

        EXPECT_TRUE(d.link.SetItemState(0, 0, LIS_ENABLED));
        EXPECT_EQ(d.link.GetItemState(0, LIS_ENABLED), 0u);
        EXPECT_TRUE(d.link.SetItemState(0, LIS_ENABLED, LIS_ENABLED));
        EXPECT_EQ(d.link.GetItemState(0, LIS_ENABLED), static_cast<UINT>(LIS_ENABLED));
        EXPECT_EQ(d.link.GetItemUrl(0), L"https://example.test/terms");

        EXPECT_TRUE(d.rich_edit.StreamInRtf("{\\rtf1\\ansi Hello {\\b bold} text}"));
        EXPECT_EQ(d.rich_edit.Text(), L"Hello bold text");
        EXPECT_FALSE(d.rich_edit.StreamInRtf(""));

        RECT place{5, 5, 105, 25};
        d.label.Move(place);
        RECT moved = d.label.Position();
        EXPECT_EQ(moved.left, 5);
        EXPECT_EQ(moved.bottom, 25);
        d.progress.Show(false);
        d.list.Enable(false);
    };
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_FALSE(ui.IsControlVisible(hwnd, kProgress));
        EXPECT_FALSE(ui.IsControlEnabled(hwnd, kListView));
        EXPECT_EQ(ui.ListRows(hwnd, kListView),
                  (std::vector<std::vector<std::wstring>>{{std::wstring(300, L'x'), L""}}));
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
}

TEST(Controls, TypingClickingAndTheEditLimitAsAUserMeetsThem)
{
    ControlsDialog dialog;
    int check_at_ok = -1;
    std::wstring text_at_ok;
    dialog.on_init = [](ControlsDialog& d) { d.edit.LimitText(5); };
    dialog.on_ok = [&](ControlsDialog& d) {
        check_at_ok = d.check_box.GetCheck();
        text_at_ok = d.edit.Text();
    };
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        ui.TypeText(hwnd, kEdit, L"abcdefgh");
        EXPECT_EQ(ui.CheckState(hwnd, kCheckBox), BST_UNCHECKED);
        ui.Click(hwnd, kCheckBox);
        EXPECT_TRUE(ui.WaitUntil([&] { return ui.CheckState(hwnd, kCheckBox) == BST_CHECKED; }));
        ui.ClickLink(hwnd, kClickableLabel);
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    EXPECT_EQ(text_at_ok, L"abcde");
    EXPECT_EQ(check_at_ok, BST_CHECKED);
    EXPECT_EQ(dialog.label_clicks, 1);
}

TEST(Controls, AControlCanHandleItsOwnMessages)
{
    // An edit that swallows digits, as a control with its own key handling would.
    class NoDigitsEdit : public framework::CEdit {
    protected:
        bool OnMessage(UINT message, WPARAM wparam, LPARAM, LRESULT& result) override
        {
            if (message != WM_CHAR || wparam < L'0' || wparam > L'9')
                return false;
            result = 0;
            return true;
        }
    };
    class EditDialog : public CDialog {
    public:
        NoDigitsEdit edit;
        std::wstring text;
        EditDialog() : CDialog(kTestDialog, nullptr, TestLibrary()) {}

    protected:
        bool OnInitDialog() override
        {
            AttachControl(edit, kEdit);
            return true;
        }
        void OnOK() override
        {
            text = edit.Text();
            CDialog::OnOK();
        }
    } dialog;
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        ui.TypeText(hwnd, kEdit, L"a1b2c3");
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    EXPECT_EQ(dialog.text, L"abc");
}

namespace {

HBITMAP SolidBitmap(HDC screen, COLORREF colour)
{
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    framework::MemoryDc dc(CreateCompatibleDC(screen));
    framework::SelectObjectScope selected(dc.Get(), bitmap);
    framework::GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    RECT all{0, 0, 8, 8};
    FillRect(dc.Get(), &all, brush.Get());
    return bitmap;
}

} // namespace

TEST(Controls, ABitmapButtonDrawsTheBitmapOfItsStateOrFallsBackToNormal)
{
    framework::WindowDc screen(nullptr);
    const COLORREF normal = RGB(10, 20, 30), selected = RGB(200, 0, 0), focus = RGB(0, 200, 0);
    struct Case {
        UINT item_state;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, normal},        {ODS_SELECTED, selected}, {ODS_SELECTED | ODS_FOCUS, selected},
        {ODS_FOCUS, focus}, {ODS_DISABLED, normal}, // no disabled bitmap: the normal one
    };
    framework::CBitmapButton button;
    button.SetBitmap(framework::CBitmapButton::kNormal, SolidBitmap(screen.Get(), normal));
    button.SetBitmap(framework::CBitmapButton::kSelected, SolidBitmap(screen.Get(), selected));
    button.SetBitmap(framework::CBitmapButton::kFocus, SolidBitmap(screen.Get(), focus));

    framework::MemoryDc target(CreateCompatibleDC(screen.Get()));
    framework::GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(screen.Get(), 8, 8));
    framework::SelectObjectScope into(target.Get(), canvas.Get());
    for (const auto& c : cases) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hDC = target.Get();
        item.rcItem = RECT{0, 0, 8, 8};
        item.itemState = c.item_state;
        EXPECT_TRUE(button.OnReflectedDrawItem(item));
        EXPECT_EQ(GetPixel(target.Get(), 4, 4), c.expected) << "item state " << c.item_state;
    }

    // Without a normal bitmap nothing is drawn.
    RECT all{0, 0, 8, 8};
    FillRect(target.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    button.ReleaseBitmaps();
    DRAWITEMSTRUCT item{};
    item.hDC = target.Get();
    item.rcItem = all;
    button.OnReflectedDrawItem(item);
    EXPECT_EQ(GetPixel(target.Get(), 4, 4), RGB(255, 255, 255));
}
