#include "setup/app/tests/startup_fixture.h"

#include "framework/resource_module.h"
#include "setup/app/windows_installer_module.h"

#include <ostream>

using namespace glimra::setup;
using namespace glimra::setup::test;

namespace {

const char kWow64Ini[] = "[SETUP]\r\nWOW64=1\r\nPATH=F:\\Sixty-four\r\n[RES]\r\nLANGUAGE=zh_cn\r\n";

struct DispatchCase {
    const char* name;
    const char* ini;            // null: the default one
    const wchar_t* installed;   // Platfrom of an installation, or null
    const wchar_t* commandLine; // as the process would see it
    const char* mode;           // the one mode reached
    const wchar_t* installDir;  // when the mode was reached
    int launchAfterFinish;
};
void PrintTo(const DispatchCase& c, std::ostream* out)
{
    *out << c.name;
}

class Dispatch : public StartupTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(Dispatch, ReachesExactlyOneRunMode)
{
    const DispatchCase& c = GetParam();
    if (c.ini)
        WriteIni(c.ini);
    if (c.installed)
        RegisterInstalled(c.installed);
    COrvdInstallerApp app(facts_, kRecordingRunModes, ProgramPath());
    EXPECT_FALSE(app.RunStartup(c.commandLine));

    ASSERT_EQ(Reached().size(), 1u);
    const ReachedMode& reached = Reached()[0];
    EXPECT_EQ(reached.mode, c.mode);
    EXPECT_EQ(reached.installDir, c.installDir);
    EXPECT_EQ(reached.launchAfterFinish, c.launchAfterFinish);
    EXPECT_TRUE(reached.mutexHeld) << "the mutex is owned while the run mode runs";
    EXPECT_FALSE(SingleInstanceMutexExists()) << "the mutex is closed at the end of the run";
    if (reached.mode == "quiet install") {
        EXPECT_EQ(reached.app, &app);
    }
}

const wchar_t kQuotedProgram[] = LR"("C:\dist\Setup.exe")";

INSTANTIATE_TEST_SUITE_P(
    Cases, Dispatch,
    ::testing::Values(
        DispatchCase{"NewMachine", nullptr, nullptr, kQuotedProgram, "wizard", L"D:\\From Ini", 1},
        DispatchCase{"Installed", nullptr, L"x86", kQuotedProgram, "maintenance", L"E:\\Installed",
                     1},
        DispatchCase{"BareQuietKeyStartsTheWizard", nullptr, nullptr, LR"("C:\dist\Setup.exe" /q)",
                     "wizard", L"D:\\From Ini", 1},
        DispatchCase{"QuietInstall", nullptr, nullptr,
                     LR"("C:\dist\Setup.exe" /q=1 TARGETDIR=X:\y NUM=4)", "quiet install",
                     L"D:\\From Ini", 1},
        DispatchCase{"QuietInstallWithoutRestart", nullptr, nullptr,
                     LR"("C:\dist\Setup.exe" silent=1 norestart=1)", "quiet install",
                     L"D:\\From Ini", 0},
        DispatchCase{"NorestartNeedsTheValueOne", nullptr, nullptr,
                     LR"("C:\dist\Setup.exe" silent=1 norestart=yes)", "quiet install",
                     L"D:\\From Ini", 1},
        DispatchCase{"NorestartOutsideQuietMode", nullptr, nullptr,
                     LR"("C:\dist\Setup.exe" norestart=1)", "wizard", L"D:\\From Ini", 1},
        DispatchCase{"QuietUninstallIntoQuotedFolder", nullptr, L"x86",
                     LR"("C:\dist\Setup.exe" quiet=1 TARGETDIR="C:\My Apps\" /uninstall=1)",
                     "quiet uninstall", L"C:\\My Apps", 1},
        DispatchCase{"QuietUninstallKeepsTheFoundFolder", nullptr, L"x86",
                     LR"("C:\dist\Setup.exe" /s=1 /Uninstall=0 /uninstall=1)", "quiet uninstall",
                     L"E:\\Installed", 1},
        DispatchCase{"QuietUninstallTakesDirAfterTargetdir", nullptr, L"x86",
                     LR"("C:\dist\Setup.exe" /q=1 /Uninstall=1 /d=G:\d dir=G:\dir\\)",
                     "quiet uninstall", L"G:\\dir", 1},
        DispatchCase{"UnquotedProgramLosesTheQuietKey", nullptr, L"x86",
                     LR"(C:\dist\Setup.exe quiet=1 TARGETDIR="C:\My Apps\" /uninstall=1)",
                     "maintenance", L"E:\\Installed", 1},
        DispatchCase{"LaterValueWins", nullptr, nullptr, LR"("C:\dist\Setup.exe" quiet=1 quiet=0)",
                     "wizard", L"D:\\From Ini", 1},
        DispatchCase{"SixtyFourBitProductOverItself", kWow64Ini, L"x64", kQuotedProgram,
                     "maintenance", L"E:\\Installed", 1},
        DispatchCase{"SixtyFourBitProductNewInstall", kWow64Ini, nullptr, kQuotedProgram, "wizard",
                     L"F:\\Sixty-four", 1}),
    [](const ::testing::TestParamInfo<DispatchCase>& info) { return info.param.name; });

TEST_F(StartupTest, QuietInstallReadsTheApplicationsArguments)
{
    COrvdInstallerApp app(facts_, kRecordingRunModes, ProgramPath());
    app.RunStartup(LR"("C:\dist\Setup.exe" /q=1 TARGETDIR="D:\x y" NUM=4)");
    ASSERT_EQ(Reached().size(), 1u);
    EXPECT_EQ(Reached()[0].args,
              (CommandLineArgs{{L"/q", L"1"}, {L"TARGETDIR", L"\"D:\\x y\""}, {L"NUM", L"4"}}));
}

TEST_F(StartupTest, ProbesFillTheStateBeforeTheRunMode)
{
    facts_.architecture = 0;
    WriteIni("[RES]\r\nLANGUAGE=zh_cn\r\n");
    RegisterInstalled(L"x86", L"E:\\Old");
    COrvdInstallerApp app(facts_, kRecordingRunModes, ProgramPath());
    app.RunStartup(kQuotedProgram);
    const SetupState& state = TheSetupState();
    EXPECT_EQ(state.os64Bit, 0);
    EXPECT_EQ(state.netVersion, L"4.8");
    EXPECT_EQ(state.productName, L"DWGGlimra");
    EXPECT_EQ(state.languageId, L"2052");
    EXPECT_EQ(state.installed, 1);
    EXPECT_EQ(state.installed64Bit, 0);
    EXPECT_EQ(state.installDir, L"E:\\Old");
    ASSERT_EQ(Reached().size(), 1u);
    EXPECT_EQ(Reached()[0].mode, "maintenance");
}

TEST_F(StartupTest, ExitHookFreesTheInstallerLibraryAndRestoresResources)
{
    HMODULE own = framework::CurrentResourceModule();
    COrvdInstallerApp app(facts_, kRecordingRunModes, ProgramPath());
    app.RunStartup(kQuotedProgram);
    HMODULE resources = GetModuleHandleW(L"SetupRes.dll");
    if (resources) { // absent in the test program that runs without the library
        EXPECT_EQ(framework::CurrentResourceModule(), resources);
    }

    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    HMODULE msi = LoadLibraryW((std::wstring(system) + L"\\msi.dll").c_str());
    ASSERT_NE(msi, nullptr);
    KeepWindowsInstallerModule(msi);
    app.ExitInstance();
    EXPECT_EQ(WindowsInstallerModule(), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"msi.dll"), nullptr) << "msi.dll is still loaded";
    EXPECT_EQ(framework::CurrentResourceModule(), own);
}

} // namespace

// The outcome of the run mode becomes the process exit code.
TEST_F(StartupTest, RunModesOutcomeIsTheExitCode)
{
    static bool uninstallStarted = false;
    static ExitCode outcome = ExitCode::Success;
    const RunModeEntries modes{[] { return uninstallStarted; },
                               [](COrvdInstallerApp&) { return outcome; }, [] { return outcome; },
                               [] { return outcome; }};
    struct Case {
        const wchar_t* commandLine;
        bool uninstallStarted;
        ExitCode outcome;
        ExitCode expected;
    };
    RegisterInstalled(L"x86");
    for (const Case& c : std::vector<Case>{
             {L"Setup.exe quiet=1 /uninstall=1", true, ExitCode::Failed, ExitCode::Success},
             {L"Setup.exe quiet=1 /uninstall=1", false, ExitCode::Success, ExitCode::Failed},
             {L"Setup.exe quiet=1", false, ExitCode::Failed, ExitCode::Failed},
             {L"Setup.exe quiet=1", false, ExitCode::Success, ExitCode::Success},
             {L"Setup.exe", true, ExitCode::Cancelled, ExitCode::Cancelled},
         }) {
        uninstallStarted = c.uninstallStarted;
        outcome = c.outcome;
        COrvdInstallerApp app(facts_, modes, ProgramPath());
        EXPECT_FALSE(app.RunStartup(c.commandLine));
        EXPECT_EQ(ToInt(app.RunExitCode()), ToInt(c.expected)) << c.commandLine;
    }
}
