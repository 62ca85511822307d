#include <gtest/gtest.h>

#include "CTLoginHelper.h"
#include "testing/support/win_process.h"

#include <string>

using glimra::testing::ProgramFolder;
using glimra::testing::RunAndWait;

TEST(LoginHelper, NobodyIsSignedInBeforeTheFirstLogin)
{
    CTLoginHelper helper;
    int64_t id = 0;
    std::wstring name = L"x", token = L"x", uuid = L"x", avatar = L"x", reserved = L"x";
    helper.GetUserInfo(id, name, token, uuid, avatar, reserved);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(name, L"");
    EXPECT_EQ(token, L"");
    EXPECT_EQ(uuid, L"");
    EXPECT_EQ(avatar, L"");
    EXPECT_EQ(reserved, L"");
}

TEST(LoginHelper, AHostProgramLoadsTheLibrary)
{
    // The host prints the user id it read through the exported class and exits with 0
    // only when the library loaded and answered "nobody signed in".
    EXPECT_EQ(RunAndWait(ProgramFolder() + L"\\loginhost.exe", L"", ProgramFolder()), 0u);
}
