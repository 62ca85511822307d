// Tlogin in this process, with the real tloginres.dll beside the test program: the UI
// driver finds the modal dialog, reads it and closes it.
#include <gtest/gtest.h>

#include "CTLoginHelper.h"
#include "framework/resource_module.h"
#include "login/data/data_manager.h"
#include "testing/uidriver/ui_driver.h"

#include <windows.h>

#include <string>

using glimra::login::CDataManager;
using glimra::testing::UiDriver;

namespace {

// What the driving thread saw while the dialog was up.
struct Seen {
    std::wstring caption;
    std::wstring message;
    HMODULE resourceModule = nullptr;
};

// Runs Tlogin while the UI driver waits for the login dialog and closes it with
// `message`.
int RunAndClose(CTLoginHelper& helper, Seen& seen, UINT message, WPARAM wparam)
{
    UiDriver ui;
    ui.Script([&](UiDriver& driver) {
        HWND dialog = driver.WaitForDialog(3001);
        seen.caption = driver.Caption(dialog);
        seen.message = driver.ControlText(dialog, 3015);
        seen.resourceModule = framework::CurrentResourceModule();
        PostMessageW(dialog, message, wparam, 0);
        driver.WaitUntilClosed(dialog);
    });
    int result = helper.Tlogin();
    ui.Join();
    return result;
}

} // namespace

TEST(Tlogin, RunsTheDialogFromTheResourceLibraryAndSwitchesBack)
{
    HMODULE before = framework::CurrentResourceModule();
    CTLoginHelper helper;
    Seen seen;
    EXPECT_EQ(RunAndClose(helper, seen, WM_COMMAND, IDOK), 1);
    EXPECT_EQ(seen.caption, L"登录");
    EXPECT_EQ(seen.message, L"登录窗口正在建设中。");
    EXPECT_NE(seen.resourceModule, nullptr);
    EXPECT_EQ(seen.resourceModule, GetModuleHandleW(L"tloginres.dll"));
    EXPECT_EQ(framework::CurrentResourceModule(), before);
    // The resource library stays loaded.
    EXPECT_NE(GetModuleHandleW(L"tloginres.dll"), nullptr);
}

TEST(Tlogin, CancelOrClosingGivesTwoAndForgetsTheEarlierUser)
{
    auto& user = CDataManager::Instance().user;
    user.id = 1001;
    user.token = L"token";
    user.name = L"name";
    user.uuid = L"uuid";
    user.avatar = L"avatar";
    user.chatSignature = L"sig";
    user.ordinaryCreateGroupLimit = 7;

    CTLoginHelper first, second;
    Seen seen;
    EXPECT_EQ(RunAndClose(first, seen, WM_COMMAND, IDCANCEL), 2);
    EXPECT_EQ(seen.caption, L"登录");
    Seen again;
    EXPECT_EQ(RunAndClose(second, again, WM_CLOSE, 0), 2);
    EXPECT_EQ(again.caption, L"登录");

    int64_t id = 0;
    std::wstring name = L"x", token = L"x", uuid = L"x", avatar = L"x", reserved = L"x";
    first.GetUserInfo(id, name, token, uuid, avatar, reserved);
    EXPECT_EQ(id, -1);
    for (const std::wstring* text : {&name, &token, &uuid, &avatar, &reserved})
        EXPECT_EQ(*text, L"");
    // The chat settings outlive the reset.
    EXPECT_EQ(user.chatSignature, L"sig");
    EXPECT_EQ(user.ordinaryCreateGroupLimit, 7);
}
