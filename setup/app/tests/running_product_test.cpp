#include <gtest/gtest.h>

#include "setup/app/probes.h"
#include "setup/app/tests/started_process.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

using glimra::setup::FindRunningProduct;
using glimra::setup::test::StartedProcess;
using glimra::testing::ProgramFolder;
using glimra::testing::ScratchFolder;

namespace {

// Waits until the probe gives `expected`, for a process that is just starting.
bool ProbeSettlesOn(unsigned long expected)
{
    for (int i = 0; i < 100; ++i) {
        if (FindRunningProduct() == expected)
            return true;
        Sleep(50);
    }
    return false;
}

TEST(RunningProduct, IsFoundByItsExactImageName)
{
    // One folder each: names that differ only in case would be the same file to Windows.
    ScratchFolder exact, otherCaseFolder;
    const std::wstring idle = ProgramFolder() + L"\\setup_test_idle.exe";
    ASSERT_TRUE(exact.CopyIn(idle, L"orvd.exe"));
    ASSERT_TRUE(exact.CopyIn(idle, L"orvd.exe.bak.exe"));
    ASSERT_TRUE(otherCaseFolder.CopyIn(idle, L"Orvd.exe"));
    EXPECT_EQ(FindRunningProduct(), 0u);
    {
        StartedProcess otherCase(otherCaseFolder.Path() + L"\\Orvd.exe");
        StartedProcess longerName(exact.Path() + L"\\orvd.exe.bak.exe");
        ASSERT_NE(otherCase.Id(), 0u);
        ASSERT_NE(longerName.Id(), 0u);
        Sleep(300);
        EXPECT_EQ(FindRunningProduct(), 0u) << "other case or a longer name does not count";

        StartedProcess product(exact.Path() + L"\\orvd.exe");
        ASSERT_NE(product.Id(), 0u);
        EXPECT_TRUE(ProbeSettlesOn(product.Id()));
    }
    EXPECT_TRUE(ProbeSettlesOn(0));
}

} // namespace
