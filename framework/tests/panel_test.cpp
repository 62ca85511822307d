#include <gtest/gtest.h>

#include "framework/dialog.h"
#include "test_library.h"
#include "testing/uidriver/ui_driver.h"

#include <string>

using framework::CDialog;
using glimra::testing::UiDriver;

namespace {

class Panel : public CDialog {
public:
    int clicks = 0;
    bool destroyed = false;
    Panel() : CDialog(kTestPanel, nullptr, TestLibrary())
    {
        MapClick(kPanelButton, [this] { ++clicks; });
    }

protected:
    void OnDestroy() override { destroyed = true; }
};

// A dialog with a panel placed inside it.
class HostDialog : public CDialog {
public:
    Panel panel;
    bool created = false;
    RECT placed{};
    bool panel_is_child = false;
    int host_saw_panel_clicks = 0;

    HostDialog() : CDialog(kTestDialog, nullptr, TestLibrary())
    {
        MapClick(kPanelButton, [this] { ++host_saw_panel_clicks; });
    }

protected:
    bool OnInitDialog() override
    {
        RECT where{10, 120, 210, 200};
        created = panel.CreateChild(Hwnd(), &where);
        placed = panel.Position();
        panel_is_child = GetParent(panel.Hwnd()) == Hwnd() &&
                         (GetWindowLongW(panel.Hwnd(), GWL_STYLE) & WS_CHILD) != 0;
        return true;
    }
};

} // namespace

TEST(Panel, APanelLivesInsideItsParentAndHandlesItsOwnCommands)
{
    HostDialog dialog;
    UiDriver ui;
    ui.Script([](UiDriver& ui) {
        HWND hwnd = ui.WaitForDialog(kTestDialog);
        EXPECT_TRUE(ui.IsControlVisible(hwnd, kPanelButton));
        ui.SetEditText(hwnd, kPanelEdit, L"in the panel");
        EXPECT_EQ(ui.ControlText(hwnd, kPanelEdit), L"in the panel");
        ui.Click(hwnd, kPanelButton);
        ui.Click(hwnd, kPanelButton);
        ui.Click(hwnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ui.Join();
    ASSERT_TRUE(dialog.created);
    EXPECT_TRUE(dialog.panel_is_child);
    EXPECT_EQ(dialog.placed.left, 10);
    EXPECT_EQ(dialog.placed.top, 120);
    EXPECT_EQ(dialog.placed.right, 210);
    EXPECT_EQ(dialog.placed.bottom, 200);
    EXPECT_EQ(dialog.panel.clicks, 2);
    EXPECT_EQ(dialog.host_saw_panel_clicks, 0);
    EXPECT_TRUE(dialog.panel.destroyed) << "the panel goes with its parent";
    EXPECT_EQ(dialog.panel.Hwnd(), nullptr);
    // No driver dialog appeared for the panel: it is not a top-level window.
    EXPECT_EQ(ui.DialogsSeen().size(), 1u);
}

TEST(Panel, APanelWithoutItsTemplateIsNotCreated)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    CDialog missing(999, nullptr, TestLibrary());
    EXPECT_FALSE(missing.CreateChild(parent));
    EXPECT_EQ(missing.Hwnd(), nullptr);
    {
        Panel panel;
        ASSERT_TRUE(panel.CreateChild(parent));
        EXPECT_FALSE(panel.CreateChild(parent)) << "created twice";
        EXPECT_TRUE(IsWindow(panel.Hwnd()));
    }
    // The panel object's end destroyed its window.
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    DestroyWindow(parent);
}
