// Every way the start-up can stop: the box it shows, and what becomes of the
// single-instance mutex. Built into the program beside SetupRes.dll and into the one
// without it; the English texts of the library are the fallbacks themselves.
#include "setup/app/tests/startup_fixture.h"

#include "setup/app/text_catalogue.h"
#include "testing/uidriver/ui_driver.h"

#include <ostream>

using namespace glimra::setup;
using namespace glimra::setup::test;
using glimra::testing::SeenBox;
using glimra::testing::UiDriver;

namespace {

struct FailureRow {
    const char* name;
    void (*arrange)(StartupTest& test);
    const wchar_t* text;
    bool mutexWhileShown;
    bool mutexAfterRun; // after the test has let go of a mutex of its own
    ExitCode exitCode;
};
void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.name;
}

class StartupFailure : public StartupTest, public ::testing::WithParamInterface<FailureRow> {
public:
    // The arrangements, reachable from the table.
    static void NoElevation(StartupTest& t) { Self(t).facts_.elevated = false; }
    static void OldWindowsWithoutAdministrators(StartupTest& t)
    {
        Self(t).facts_.majorVersion = 5;
        Self(t).facts_.administratorsGroup = false;
    }
    static void NoNetFramework(StartupTest& t) { Self(t).RemoveNetFramework(); }
    static void SecondCopy(StartupTest& t) { Self(t).HoldMutex(); }
    static void SecondCopyWithoutRights(StartupTest& t)
    {
        Self(t).HoldMutex();
        Self(t).facts_.elevated = false;
    }
    static void ProductRunning(StartupTest& t) { Self(t).StartProduct(); }
    static void NoSetupIni(StartupTest& t) { Self(t).RemoveIni(); }
    static void SixtyFourBitProductOn32BitWindows(StartupTest& t)
    {
        Self(t).facts_.architecture = 0;
        Self(t).WriteIni("[SETUP]\r\nWOW64=1\r\n[RES]\r\nLANGUAGE=zh_cn\r\n");
    }
    static void SixtyFourBitInstalledUnder32BitProduct(StartupTest& t)
    {
        Self(t).RegisterInstalled(L"x64");
    }
    static void ThirtyTwoBitInstalledUnder64BitProduct(StartupTest& t)
    {
        Self(t).WriteIni("[SETUP]\r\nWOW64=1\r\n[RES]\r\nLANGUAGE=zh_cn\r\n");
        Self(t).RegisterInstalled(L"x86");
    }

private:
    static StartupFailure& Self(StartupTest& t) { return static_cast<StartupFailure&>(t); }
    // No .NET registration at all.
    void RemoveNetFramework()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\NET Framework Setup");
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\NET Framework Setup");
    }
};

TEST_P(StartupFailure, ShowsItsTextAndLeavesTheMutexAsDesigned)
{
    const FailureRow& row = GetParam();
    row.arrange(*this);
    if (HasFatalFailure())
        return;
    COrvdInstallerApp app(facts_, kRecordingRunModes, ProgramPath());

    bool mutexWhileShown = false;
    UiDriver ui;
    ui.Script([&](UiDriver& ui) {
        HWND box = ui.WaitForMessageBox();
        mutexWhileShown = SingleInstanceMutexExists();
        ui.AnswerMessageBox(box, IDOK);
    });
    // The checks come before the command line: a quiet run shows the same boxes.
    EXPECT_FALSE(app.RunStartup(LR"("C:\dist\Setup.exe" quiet=1 /uninstall=1)"));
    ui.Join();

    EXPECT_EQ(ui.MessageBoxesSeen(), (std::vector<SeenBox>{{L"Setup", row.text, 0, MB_OK}}));
    EXPECT_EQ(mutexWhileShown, row.mutexWhileShown);
    ReleaseHeldMutex();
    EXPECT_EQ(SingleInstanceMutexExists(), row.mutexAfterRun);
    EXPECT_TRUE(Reached().empty()) << "a run mode was reached: " << Reached()[0].mode;
    EXPECT_EQ(ToInt(app.RunExitCode()), ToInt(row.exitCode));
}

using F = StartupFailure;
INSTANTIATE_TEST_SUITE_P(
    Table, StartupFailure,
    ::testing::Values(
        FailureRow{"NoAdministratorRights", F::NoElevation, kTextNoAdministratorRights.fallback,
                   false, false, ExitCode::NoAdministratorRights},
        FailureRow{"NoAdministratorsGroupBeforeVersion6", F::OldWindowsWithoutAdministrators,
                   kTextNoAdministratorRights.fallback, false, false,
                   ExitCode::NoAdministratorRights},
        FailureRow{"NoNetFramework", F::NoNetFramework, kTextNetFrameworkMissing.fallback, false,
                   false, ExitCode::Failed},
        FailureRow{"AnotherInstanceRuns", F::SecondCopy, kTextAnotherInstance.fallback, true, true,
                   ExitCode::AnotherInstance},
        FailureRow{"AnotherInstanceRunsWithoutRights", F::SecondCopyWithoutRights,
                   kTextNoAdministratorRights.fallback, true, false,
                   ExitCode::NoAdministratorRights},
        FailureRow{"ProductRunning", F::ProductRunning, kTextProductRunning.fallback, true, false,
                   ExitCode::Failed},
        FailureRow{"SetupIniMissing", F::NoSetupIni, kMissingSetupIniText, true, false,
                   ExitCode::Failed},
        FailureRow{"SixtyFourBitProductOn32BitWindows", F::SixtyFourBitProductOn32BitWindows,
                   kTextNeeds64BitWindows.fallback, true, true, ExitCode::Failed},
        FailureRow{"SixtyFourBitProductInstalled", F::SixtyFourBitInstalledUnder32BitProduct,
                   kText64BitInstalled.fallback, true, false, ExitCode::Failed},
        FailureRow{"ThirtyTwoBitProductInstalled", F::ThirtyTwoBitInstalledUnder64BitProduct,
                   kText32BitInstalled.fallback, true, false, ExitCode::Failed}),
    [](const ::testing::TestParamInfo<FailureRow>& info) { return info.param.name; });

} // namespace
