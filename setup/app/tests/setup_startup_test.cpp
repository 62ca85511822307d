#include <gtest/gtest.h>

#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <string>

using glimra::testing::ProgramFolder;
using glimra::testing::RunAndWait;
using glimra::testing::ScratchFolder;

namespace {

std::wstring LoadText(HMODULE module, UINT id)
{
    wchar_t buffer[1000] = {};
    int length = LoadStringW(module, id, buffer, 1000);
    return std::wstring(buffer, length > 0 ? length : 0);
}

} // namespace

TEST(SetupResources, TextsComeFromTheResourceLibrary)
{
    HMODULE resources = LoadLibraryExW((ProgramFolder() + L"\\SetupRes.dll").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(LoadText(resources, 2038), L"DWGGlimra");
    EXPECT_EQ(LoadText(resources, 1997), L"Tarvel Company");
    EXPECT_EQ(LoadText(resources, 1), L"");
    FreeLibrary(resources);
}

TEST(SetupStartup, StartsOnlyWithItsResourceLibraryBesideIt)
{
    ScratchFolder folder;
    ASSERT_TRUE(folder.CopyIn(ProgramFolder() + L"\\Setup.exe"));
    EXPECT_EQ(RunAndWait(folder.Path() + L"\\Setup.exe", L"", folder.Path()), 1u);

    ASSERT_TRUE(folder.CopyIn(ProgramFolder() + L"\\SetupRes.dll"));
    EXPECT_EQ(RunAndWait(folder.Path() + L"\\Setup.exe", L"", folder.Path()), 0u);
}

TEST(SetupTexts, FallBackWithoutTheLibraryAndLoadItOnceItIsThere)
{
    glimra::setup::SetupState state;
    // The test program's folder holds SetupRes.dll: it is found by its bare name.
    EXPECT_EQ(glimra::setup::LoadResourceText(state, 2038, L"fallback"), L"DWGGlimra");
    ASSERT_NE(state.textModule, nullptr);
    EXPECT_EQ(glimra::setup::LoadResourceText(state, 1999, L"none"), L"none");
    EXPECT_EQ(glimra::setup::LoadResourceText(state, 1999), L"");
}
