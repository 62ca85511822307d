// The boxes of the install engine, answered by the UI driver: missing files, failed
// packages, the handler's own boxes, the failure reports and the registry error.
#include "setup/engine/tests/engine_fixture.h"

#include "framework/text.h"

#include "setup/engine/failure_reports.h"
#include "setup/engine/msi_runner.h"
#include "setup/engine/notices.h"
#include "setup/engine/process_runner.h"
#include "setup/engine/registration.h"
#include "testing/uidriver/ui_driver.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::CopyTree;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::SeenBox;
using glimra::testing::UiDriver;

namespace {

const std::vector<UINT> kBeganOnly = {kStepBeginsNotice};
const wchar_t kFailingPackageText[] = L"This test package always fails.";

class EngineBoxes : public EngineTest {
protected:
    // Runs `action` while the driver answers every box with OK; the boxes seen.
    std::vector<SeenBox> AnsweringOk(const std::function<void()>& action)
    {
        std::atomic<bool> done{false};
        UiDriver ui;
        ui.Script([&done](UiDriver& driver) {
            size_t answered = 0;
            for (;;) {
                driver.WaitUntil(
                    [&] { return done.load() || driver.MessageBoxesSeen().size() > answered; });
                if (driver.MessageBoxesSeen().size() > answered) {
                    driver.AnswerMessageBox(driver.WaitForMessageBox(), IDOK);
                    ++answered;
                } else if (done.load()) {
                    return;
                }
            }
        });
        action();
        done = true;
        ui.Join();
        return ui.MessageBoxesSeen();
    }
    SeenBox Plain(const std::wstring& text) { return {L"DWGGlimra", text, 0, MB_OK}; }
    // A private Msi folder whose `name` is the package that always fails.
    std::wstring WithFailingPackageAs(const std::wstring& name)
    {
        std::wstring folder = Scratch() + L"\\Msi";
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_TRUE(CopyFileW((DistributionPartsFolder() + L"\\failing.msi").c_str(),
                              (folder + L"\\" + name).c_str(), FALSE));
        return folder + L"\\" + name;
    }
};

} // namespace

TEST_F(EngineBoxes, MissingFileOfTheReportingRunnersIsNamed)
{
    struct Case {
        const char* runner;
        std::function<bool(const std::wstring&)> run;
        std::vector<UINT> notices;
    };
    HWND window = notices_.Handle();
    const Case cases[] = {
        {"RunPassive", [&](const std::wstring& p) { return RunPassive(p, window); }, kBeganOnly},
        {"RunRepair", [&](const std::wstring& p) { return RunRepair(p, window); }, kBeganOnly},
        {"RunRegWriter", [&](const std::wstring& p) { return RunRegWriter(p); }, {}},
    };
    for (const auto& c : cases) {
        const std::wstring path = Scratch() + L"\\files\\absent 100%s.exe";
        bool result = true;
        auto boxes = AnsweringOk([&] { result = c.run(path); });
        EXPECT_FALSE(result) << c.runner;
        EXPECT_EQ(boxes, (std::vector<SeenBox>{Plain(L"File :'" + path + L"' does not exist!")}))
            << c.runner;
        EXPECT_EQ(notices_.Notices(), c.notices) << c.runner;
    }
    EXPECT_TRUE(journal_.Records().empty());
}

TEST_F(EngineBoxes, MissingPackagesAreReportedUnlessExempt)
{
    const std::wstring msi = Scratch() + L"\\Msi\\";
    std::vector<SeenBox> boxes = AnsweringOk([&] {
        EXPECT_FALSE(MsiInstall(msi + L"msxml6.msi", nullptr)); // reported when missing
        EXPECT_FALSE(MsiInstall(msi + L"reviruru_chs.msi", nullptr));
        EXPECT_FALSE(MsiInstallWithCommandLine(msi + L"QxTable_CHS_x86.msi", L"", nullptr));
        EXPECT_FALSE(MsiInstallWithCommandLine(msi + L"Other.msi", L"A=1", nullptr));
    });
    EXPECT_EQ(boxes, (std::vector<SeenBox>{
                         Plain(L"Msi Install Failed!"),
                         Plain(framework::ToLower(msi) + L"other.msiMsi Install Failed!")}));
}

TEST_F(EngineBoxes, FailedInstallationIsReportedUnlessExempt)
{
    struct Case {
        const wchar_t* name;
        bool tableRunner;
        bool runnerReports;
    };
    const Case cases[] = {
        {L"msxml6.msi", false, false},
        {L"msxml6_x64.msi", false, true},
        {L"QxTable_ENG_x86.msi", true, false},
    };
    for (const auto& c : cases) {
        const std::wstring package = WithFailingPackageAs(c.name);
        bool result = true;
        auto boxes = AnsweringOk([&] {
            result = c.tableRunner ? MsiInstallWithCommandLine(package, L"OFFICEBITVER=0 NETVER=",
                                                               notices_.Handle())
                                   : MsiInstall(package, notices_.Handle());
        });
        EXPECT_FALSE(result) << c.name;
        EXPECT_EQ(notices_.Notices(), kBeganOnly) << c.name;
        // Windows Installer may show the package's own message (Wine does, once the
        // handler has switched to the basic interface); the runner's box comes last.
        std::vector<SeenBox> runner;
        for (const auto& box : boxes) {
            if (box.caption == L"DWGGlimra")
                runner.push_back(box);
            else
                EXPECT_EQ(box.text, kFailingPackageText) << c.name;
        }
        EXPECT_EQ(runner, c.runnerReports ? std::vector<SeenBox>{Plain(L"Msi Install Failed!")}
                                          : std::vector<SeenBox>{})
            << c.name;
    }
}

TEST_F(EngineBoxes, HandlerShowsFatalErrorAndWarningBoxesWithTheMessagesStyle)
{
    UiDriver ui;
    ui.Script([](UiDriver& driver) {
        driver.AnswerNextMessageBox(IDOK);
        driver.AnswerNextMessageBox(IDNO);
        driver.AnswerNextMessageBox(IDCANCEL);
    });
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x00000000 | MB_OK, L"fatal text"), IDOK);
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x01000000 | MB_YESNO | MB_ICONWARNING, L"error text"),
              IDNO);
    EXPECT_EQ(
        MsiMessageHandler(nullptr, 0x02000000 | MB_OKCANCEL | MB_ICONINFORMATION, L"warning text"),
        IDCANCEL);
    ui.Join();
    EXPECT_EQ(
        ui.MessageBoxesSeen(),
        (std::vector<SeenBox>{{L"FatalError", L"fatal text", 0, MB_OK},
                              {L"Error", L"error text", MB_ICONWARNING, MB_YESNO},
                              {L"Warning", L"warning text", MB_ICONINFORMATION, MB_OKCANCEL}}));
}

TEST_F(EngineBoxes, FailureReportsAreSystemModalErrorBoxesNamingTheItem)
{
    LONG_PTR ex_style = 0;
    UiDriver ui;
    ui.Script([&](UiDriver& driver) {
        HWND box = driver.WaitForMessageBox();
        ex_style = GetWindowLongPtrW(box, GWL_EXSTYLE);
        driver.AnswerMessageBox(box, IDOK);
        driver.AnswerNextMessageBox(IDOK);
    });
    ReportInstallFailure(L"vc_redist.x86.exe");
    ReportRegisterFailure(L"previewshell.dll");
    ui.Join();
    EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
    EXPECT_EQ(ui.MessageBoxesSeen(),
              (std::vector<SeenBox>{
                  {L"DWGGlimra", L"vc_redist.x86.exe,Failed to install,Please reinstall!",
                   MB_ICONERROR, MB_OK},
                  {L"DWGGlimra", L"previewshell.dll,Failed to Register,Please reinstall!",
                   MB_ICONERROR, MB_OK}}));
}

TEST_F(EngineBoxes, UninstallKeyThatCannotBeCreatedShowsTheRegistryErrorAndWritesNothing)
{
    // A key name longer than the registry allows can be neither opened nor created.
    State().languageKey = std::wstring(300, L'x');
    auto boxes = AnsweringOk([] { RegisterProduct(); });
    EXPECT_EQ(boxes, (std::vector<SeenBox>{
                         Plain(L"Error\uFF1AUnable to Create the registry information!")}));
    EXPECT_EQ(FileBytes(State().installDir + L"\\install.log"), "");
}

TEST_F(EngineBoxes, BoxTextsComeFromTheResourceLibrary)
{
    UseTestTexts();
    const std::wstring path = Scratch() + L"\\absent.exe";
    auto boxes = AnsweringOk([&] {
        RunPassive(path, nullptr);
        MsiInstall(Scratch() + L"\\Msi\\msxml6_x64.msi", nullptr);
        ReportInstallFailure(L"orvd_global.exe");
        ReportRegisterFailure(L"orvd.exe");
        State().languageKey = std::wstring(300, L'x');
        RegisterProduct();
    });
    EXPECT_EQ(boxes,
              (std::vector<SeenBox>{
                  Plain(L"Test: " + path + L" is missing"),
                  Plain(L"Test: package failed"),
                  {L"DWGGlimra", L"orvd_global.exe,Test: not installed", MB_ICONERROR, MB_OK},
                  {L"DWGGlimra", L"orvd.exe,Test: not registered", MB_ICONERROR, MB_OK},
                  Plain(L"Test: no registry"),
              }));
}
