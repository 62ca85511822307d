#include <gtest/gtest.h>

#include "setup/engine/system_paths.h"
#include "testing/support/win_process.h"

using namespace glimra::setup;

TEST(SystemPaths, SystemFilesComeFromTheSystemFolder)
{
    wchar_t expected[MAX_PATH] = {};
    GetSystemDirectoryW(expected, MAX_PATH);
    EXPECT_EQ(SystemFolder(), expected);
    EXPECT_EQ(SystemFilePath(L"regsvr32.exe"), std::wstring(expected) + L"\\regsvr32.exe");
    EXPECT_TRUE(PathExists(SystemFilePath(L"regsvr32.exe")));
    EXPECT_TRUE(PathExists(SystemFilePath(L"msiexec.exe")));

    HMODULE msi = LoadSystemLibrary(L"msi.dll");
    ASSERT_NE(msi, nullptr);
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(msi, loaded, MAX_PATH);
    EXPECT_EQ(CompareStringOrdinal(loaded, -1, SystemFilePath(L"msi.dll").c_str(), -1, TRUE),
              CSTR_EQUAL)
        << loaded;
    FreeLibrary(msi);
    EXPECT_EQ(LoadSystemLibrary(L"glimra-no-such-library.dll"), nullptr);
}

TEST(SystemPaths, SetupFolderIsTheRunningProgramsFolder)
{
    EXPECT_EQ(SetupFolder(), glimra::testing::ProgramFolder());
}
