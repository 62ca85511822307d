// The real tlogin.dll in a host program, answering through its exported class.
#include <gtest/gtest.h>

#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <string>

using glimra::testing::ProgramFolder;
using glimra::testing::RunAndWait;
using glimra::testing::ScratchFolder;

namespace {

// loginhost.exe exits with 100 + the result of Tlogin when asked to run it.
constexpr uint32_t kTloginBase = 100;

// A folder with the host and the given libraries from the build.
void Stage(const ScratchFolder& folder, std::initializer_list<const wchar_t*> files)
{
    for (const wchar_t* file : files)
        ASSERT_TRUE(folder.CopyIn(ProgramFolder() + L"\\" + file)) << file;
}

} // namespace

TEST(LoginLibrary, AHostProgramLoadsTheLibrary)
{
    // Exit code 0: the library loaded and answered "nobody signed in".
    EXPECT_EQ(RunAndWait(ProgramFolder() + L"\\loginhost.exe", L"", ProgramFolder()), 0u);
}

TEST(LoginLibrary, TloginGivesMinusOneWithoutTheResourceLibrary)
{
    ScratchFolder folder;
    Stage(folder, {L"loginhost.exe", L"tlogin.dll", L"tcurl.dll"});
    EXPECT_EQ(RunAndWait(folder.Path() + L"\\loginhost.exe", L"tlogin", folder.Path()),
              kTloginBase - 1);
}
