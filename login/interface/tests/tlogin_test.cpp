// Tlogin in this process, with the real tloginres.dll beside the test program: a
// second thread finds the modal dialog, looks at it and closes it.
#include <gtest/gtest.h>

#include "CTLoginHelper.h"
#include "framework/resource_module.h"
#include "login/data/data_manager.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

using glimra::login::CDataManager;

namespace {

// A visible dialog window of `thread`, waited for up to ten seconds.
HWND WaitForDialog(DWORD thread)
{
    for (int i = 0; i < 200; ++i) {
        HWND found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(result) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found != nullptr)
            return found;
        Sleep(50);
    }
    return nullptr;
}

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

// What the closing thread saw while the dialog was up.
struct Seen {
    bool dialog = false;
    std::wstring caption;
    std::wstring message;
    HMODULE resourceModule = nullptr;
};

// Runs Tlogin; `close` ends the dialog once it is up.
int RunAndClose(CTLoginHelper& helper, Seen& seen, UINT message, WPARAM wparam)
{
    DWORD thread = GetCurrentThreadId();
    std::thread closer([&] {
        HWND dialog = WaitForDialog(thread);
        if (dialog == nullptr)
            return;
        seen.dialog = true;
        wchar_t caption[64] = {};
        GetWindowTextW(dialog, caption, 64);
        seen.caption = caption;
        seen.message = ControlText(dialog, 3015);
        seen.resourceModule = framework::CurrentResourceModule();
        PostMessageW(dialog, message, wparam, 0);
    });
    int result = helper.Tlogin();
    closer.join();
    return result;
}

} // namespace

TEST(Tlogin, RunsTheDialogFromTheResourceLibraryAndSwitchesBack)
{
    HMODULE before = framework::CurrentResourceModule();
    CTLoginHelper helper;
    Seen seen;
    EXPECT_EQ(RunAndClose(helper, seen, WM_COMMAND, IDOK), 1);
    ASSERT_TRUE(seen.dialog);
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
    EXPECT_TRUE(seen.dialog);
    Seen again;
    EXPECT_EQ(RunAndClose(second, again, WM_CLOSE, 0), 2);
    EXPECT_TRUE(again.dialog);

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
