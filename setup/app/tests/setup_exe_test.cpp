// Setup.exe itself, started from a distribution folder under a debugger that collects
// the run mode the program reports to debuggers. These runs use the Wine prefix's own
// registry and facts: the prefix is elevated, 64-bit Windows.
#include <gtest/gtest.h>

#include "setup/app/tests/debug_run.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <string>

using glimra::setup::test::DebugRun;
using glimra::setup::test::RunUnderDebugger;
using glimra::testing::ProgramFolder;
using glimra::testing::ScratchFolder;
using glimra::testing::SetRegistryString;

namespace {

const wchar_t kUninstallRoot[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Every Windows the product supports has .NET 4: the prefix gets the registration
// it lacks (and keeps it, as a machine would).
void EnsureNetFrameworkRegistered()
{
    SetRegistryString(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full", L"Version",
                      L"4.8.04084");
}

class SetupExe : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureNetFrameworkRegistered();
        ASSERT_TRUE(dist_.CopyIn(ProgramFolder() + L"\\Setup.exe"));
        ASSERT_TRUE(dist_.CopyIn(ProgramFolder() + L"\\SetupRes.dll"));
        // A language of this test alone, so that its uninstall key is its own.
        language_ = L"xx_test" + std::to_wstring(GetCurrentProcessId());
        std::wstring ini = L"[SETUP]\r\nWOW64=0\r\n[RES]\r\nLANGUAGE=" + language_ + L"\r\n";
        ASSERT_TRUE(dist_.WriteFile(L"Setup.ini", std::string(ini.begin(), ini.end())));
    }

    void TearDown() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKey().c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKey().c_str());
    }

    std::wstring UninstallKey() const { return kUninstallRoot + (L"DWGGlimra_" + language_); }

    void RegisterInstalledProduct()
    {
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, UninstallKey(), L"Platfrom", L"x86"));
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, UninstallKey(), L"InstallLocation",
                                      dist_.Path()));
    }

    // The run modes Setup.exe reported, given these arguments.
    std::wstring ModesReached(const std::wstring& arguments)
    {
        DebugRun run = RunUnderDebugger(dist_.Path() + L"\\Setup.exe", arguments, dist_.Path());
        EXPECT_TRUE(run.started);
        EXPECT_TRUE(run.finished) << "Setup.exe did not end by itself";
        std::wstring modes;
        for (const auto& text : run.debugTexts) {
            if (text.rfind(L"Setup: run mode ", 0) == 0)
                modes += text;
        }
        return modes;
    }

    ScratchFolder dist_;
    std::wstring language_;
};

TEST_F(SetupExe, StartsTheWizardOnANewMachine)
{
    EXPECT_EQ(ModesReached(L""), L"Setup: run mode wizard\n");
    EXPECT_EQ(ModesReached(L"/q quiet=true"), L"Setup: run mode wizard\n");
}

TEST_F(SetupExe, StartsMaintenanceForAnInstalledProduct)
{
    RegisterInstalledProduct();
    EXPECT_EQ(ModesReached(L""), L"Setup: run mode maintenance\n");
    EXPECT_EQ(ModesReached(L"/uninstall=1"), L"Setup: run mode maintenance\n");
}

// The quiet install installs for real, so its keys are tried in a prefix of their own
// (testing/distribution/e2e/setup_exe_e2e_test.cpp); the quiet uninstall of a folder without
// an uninstaller starts nothing.
TEST_F(SetupExe, RunsQuietlyForTheQuietKeys)
{
    RegisterInstalledProduct();
    EXPECT_EQ(ModesReached(L"quiet=1 /uninstall=1"), L"Setup: run mode quiet uninstall\n");
    EXPECT_EQ(ModesReached(L"/s=1 /Uninstall=0 /uninstall=1"),
              L"Setup: run mode quiet uninstall\n");
    EXPECT_EQ(ModesReached(L"quiet=1 quiet=0"), L"Setup: run mode maintenance\n");
}

} // namespace
