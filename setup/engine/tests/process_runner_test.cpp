#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/command_lines.h"
#include "setup/engine/notices.h"
#include "setup/engine/process_runner.h"
#include "testing/support/win_process.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::JournalRecord;

namespace {

const std::vector<UINT> kBeganAndEnded = {kStepBeginsNotice, kStepEndedNotice};
const std::vector<UINT> kBeganOnly = {kStepBeginsNotice};

class ProcessRunner : public EngineTest {
protected:
    std::wstring Dist(const std::wstring& relative) { return DistributionFolder() + relative; }
    // A copy of the stub at `relative` below the scratch folder.
    std::wstring StubAt(const std::wstring& relative)
    {
        std::wstring path = Scratch() + L"\\" + relative;
        for (size_t i = Scratch().size() + 1; i < path.size(); ++i) {
            if (path[i] == L'\\')
                CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
        }
        EXPECT_TRUE(
            CopyFileW((DistributionPartsFolder() + L"\\stub.exe").c_str(), path.c_str(), FALSE));
        return path;
    }
    JournalRecord Started(const std::wstring& program, const std::wstring& command_line)
    {
        return {program, command_line, CurrentFolder()};
    }
};

} // namespace

TEST_F(ProcessRunner, PassiveAndRepairStartTheirLinesAndNotifyTheWindow)
{
    const std::wstring redist = Dist(L"\\Msi\\vc_redist.x86.exe");
    const std::wstring component = Dist(L"\\files\\orvd_global.exe");
    EXPECT_TRUE(RunRepair(redist, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);
    EXPECT_TRUE(RunPassive(component, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);

    std::vector<JournalRecord> expected = {
        Started(L"vc_redist.x86.exe", L"\"" + redist + L"\" -q -norestart -repair"),
        Started(L"orvd_global.exe", L"\"" + component + L"\" -passive -norestart")};
    EXPECT_EQ(journal_.Records(), expected);
}

TEST_F(ProcessRunner, WithoutAWindowNothingIsPosted)
{
    EXPECT_TRUE(RunPassive(Dist(L"\\files\\orvd_local.exe"), nullptr));
    EXPECT_TRUE(RunRepair(Dist(L"\\Msi\\vcredist_x86_10.exe"), nullptr));
    EXPECT_EQ(journal_.Records().size(), 2u);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, kStepBeginsNotice, kStepEndedNotice, PM_REMOVE));
}

TEST_F(ProcessRunner, ExitCodesAreNotExamined)
{
    glimra::testing::Journal::SetFailingStubs(L"orvd_encryption.exe");
    EXPECT_TRUE(RunPassive(Dist(L"\\files\\orvd_encryption.exe"), notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);
    EXPECT_EQ(journal_.Records().size(), 1u);
}

TEST_F(ProcessRunner, ProgramThatCannotStartFailsAfterTheFirstNotice)
{
    const std::wstring program = StubAt(L"Msi\\vc_redist.x64.exe");
    ASSERT_TRUE(glimra::testing::MakeUnstartable(program));
    EXPECT_FALSE(RunRepair(program, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganOnly);
    EXPECT_FALSE(RunPassive(program, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganOnly);
    EXPECT_FALSE(RunRegWriter(program));
    EXPECT_FALSE(RunProgram(program, L" -Regserver -nologo"));
    EXPECT_TRUE(journal_.Records().empty());
}

TEST_F(ProcessRunner, CommandLineOverItsBufferIsRefusedNotCut)
{
    // quote + path + quote + " -passive -norestart" is the path's length + 22.
    const std::wstring folder(100, L'f');
    const size_t name_length = 259 - 22 - (Scratch().size() + 1 + folder.size() + 1) - 4;
    std::wstring fits = StubAt(folder + L"\\" + std::wstring(name_length, L'a') + L".exe");
    ASSERT_EQ(PassiveCommandLine(fits).size(), 259u);
    EXPECT_TRUE(RunPassive(fits, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);

    std::wstring longer = fits.substr(0, fits.size() - 4) + L"b.exe";
    ASSERT_TRUE(CopyFileW(fits.c_str(), longer.c_str(), FALSE));
    EXPECT_FALSE(RunPassive(longer, notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganOnly);
    EXPECT_FALSE(RunProgram(longer, L" -passive -norestart"));

    ASSERT_EQ(journal_.Records().size(), 1u);
    EXPECT_EQ(journal_.Records()[0].commandLine, PassiveCommandLine(fits));
}

TEST_F(ProcessRunner, RegistryWriterGetsTheProductPropertiesAndTrimsTheFolder)
{
    State().installDir = L"C:\\Program Files\\Tarvel\\Glimra\\\\";
    State().languageKey = L"zh_cn";
    State().numParameter = 1;
    State().classicWorkspace = 0;
    const std::wstring writer = Dist(L"\\files\\RegWriter.exe");
    EXPECT_TRUE(RunRegWriter(writer));
    EXPECT_EQ(State().installDir, L"C:\\Program Files\\Tarvel\\Glimra");
    std::vector<JournalRecord> expected = {Started(
        L"RegWriter.exe",
        L"\"" + writer +
            L"\" lang=zh-cn TARGETDIR=C:\\Program Files\\Tarvel\\Glimra PRODUCTNAME=DWGGlimra "
            L"VERSION=16.0 PLATFROM=x86 NUM=1 WorkspaceName=1 GlimraName=TarvelGlimraViewer "
            L"GlimraPath=C:\\Program Files\\Tarvel\\Glimra -q")};
    expected[0].show = std::to_wstring(SW_HIDE); // the writer runs hidden
    EXPECT_EQ(journal_.Records(), expected);
    EXPECT_TRUE(notices_.Notices().empty());
}

TEST_F(ProcessRunner, RegistryWriterTakesItsNamesFromTheResourceLibrary)
{
    UseTestTexts();
    State().installDir = L"C:\\G";
    State().languageKey = L"en_us";
    State().wow64Package = 1;
    State().classicWorkspace = 1;
    State().numParameter = 7;
    const std::wstring writer = Dist(L"\\files\\RegWriter_x64.exe");
    EXPECT_TRUE(RunRegWriter(writer));
    EXPECT_EQ(journal_.CommandLines(),
              (std::vector<std::wstring>{
                  L"\"" + writer +
                  L"\" lang=en-us TARGETDIR=C:\\G PRODUCTNAME=TestKey VERSION=16.0 PLATFROM=x64 "
                  L"NUM=7 WorkspaceName=0 GlimraName=Test Viewer GlimraPath=C:\\G -q"}));
}

TEST_F(ProcessRunner, RegistryWriterLineOverItsBufferIsRefused)
{
    const std::wstring writer = Dist(L"\\files\\RegWriter_x64.exe");
    State().wow64Package = 1;
    State().installDir = L"C";
    ASSERT_TRUE(RunRegWriter(writer));
    // installDir appears twice: each character more makes the line two longer.
    const size_t base = journal_.Records().at(0).commandLine.size() - 2;
    const size_t longest = (2047 - base) / 2;
    State().installDir = std::wstring(longest, L'g') + L"\\";
    EXPECT_TRUE(RunRegWriter(writer));
    ASSERT_EQ(journal_.Records().size(), 2u);
    EXPECT_GE(journal_.Records()[1].commandLine.size(), 2046u);
    EXPECT_LE(journal_.Records()[1].commandLine.size(), 2047u);

    State().installDir = std::wstring(longest + 1, L'g') + L"\\";
    EXPECT_FALSE(RunRegWriter(writer));
    EXPECT_EQ(State().installDir, std::wstring(longest + 1, L'g'));
    EXPECT_EQ(journal_.Records().size(), 2u);
}

TEST_F(ProcessRunner, RunProgramPassesItsArgumentsAsGiven)
{
    const std::wstring program = StubAt(L"Glimra\\orvd.exe");
    EXPECT_TRUE(RunProgram(program, kRegisterProgramArguments));
    EXPECT_TRUE(UnregisterProductProgram());
    std::vector<JournalRecord> expected = {
        Started(L"orvd.exe", L"\"" + program + L"\" -Regserver -nologo"),
        Started(L"orvd.exe", L"\"" + program + L"\" -UnRegserver -nologo")};
    EXPECT_EQ(journal_.Records(), expected);
}

TEST_F(ProcessRunner, MissingProgramOrLibraryIsNothingToDo)
{
    EXPECT_TRUE(RunProgram(Scratch() + L"\\Glimra\\orvd.exe", kRegisterProgramArguments));
    EXPECT_TRUE(UnregisterProductProgram());
    EXPECT_TRUE(RegisterServer(Scratch() + L"\\Tarvel\\previewshell.dll"));
    EXPECT_TRUE(journal_.Records().empty());
}

TEST_F(ProcessRunner, RegisterServerRunsTheSystemRegsvr32)
{
    const std::wstring shared = Scratch() + L"\\Tarvel";
    ASSERT_TRUE(CreateDirectoryW(shared.c_str(), nullptr));
    std::vector<JournalRecord> expected;
    for (const wchar_t* name : {L"previewshell.dll", L"VaRevEzedi.dll"}) {
        std::wstring library = shared + L"\\" + name;
        ASSERT_TRUE(CopyFileW((DistributionPartsFolder() + L"\\product\\" + name).c_str(),
                              library.c_str(), FALSE));
        EXPECT_TRUE(RegisterServer(library));
        expected.push_back({name, L"DllRegisterServer", library});
    }
    EXPECT_EQ(journal_.Records(), expected);
}

TEST_F(ProcessRunner, ProgramsPlantedBesideSetupAreNotTheSystemsOwn)
{
    // A bare "regsvr32" or "msiexec" would be found in the program's own folder first.
    struct Planted {
        std::wstring path;
        ~Planted() { DeleteFileW(path.c_str()); }
    };
    const std::wstring own = glimra::testing::ProgramFolder();
    Planted regsvr32{own + L"\\regsvr32.exe"}, msiexec{own + L"\\msiexec.exe"};
    for (const Planted* planted : {&regsvr32, &msiexec})
        ASSERT_TRUE(CopyFileW((DistributionPartsFolder() + L"\\stub.exe").c_str(),
                              planted->path.c_str(), FALSE));
    const std::wstring library = Scratch() + L"\\VaRevEzedi.dll";
    ASSERT_TRUE(CopyFileW((DistributionPartsFolder() + L"\\product\\VaRevEzedi.dll").c_str(),
                          library.c_str(), FALSE));
    EXPECT_TRUE(RegisterServer(library));
    RunProductRemoval();

    std::vector<JournalRecord> expected = {{L"VaRevEzedi.dll", L"DllRegisterServer", library}};
    EXPECT_EQ(journal_.Records(), expected);
}

TEST_F(ProcessRunner, UninstallerIsOpenedThroughTheShellWithItsParameters)
{
    const std::wstring uninstaller = StubAt(L"Temp\\TUninstall.exe");
    ASSERT_TRUE(OpenUninstaller(uninstaller, false));
    ASSERT_TRUE(OpenUninstaller(uninstaller, true));
    std::vector<JournalRecord> records;
    for (int wait = 0; wait < 200 && records.size() < 2; ++wait) {
        Sleep(50);
        records = journal_.Records();
    }
    ASSERT_EQ(records.size(), 2u);
    std::vector<std::wstring> tails;
    for (const auto& record : records) {
        EXPECT_EQ(record.program, L"TUninstall.exe");
        size_t program_end = record.commandLine.find(L"TUninstall.exe");
        ASSERT_NE(program_end, std::wstring::npos) << record.commandLine;
        tails.push_back(record.commandLine.substr(record.commandLine.find(L' ', program_end)));
    }
    // Started one after the other without waiting: either may journal first.
    std::sort(tails.begin(), tails.end());
    EXPECT_EQ(tails, (std::vector<std::wstring>{L" /norestart", L" /quiet /norestart"}));
    EXPECT_FALSE(OpenUninstaller(Scratch() + L"\\absent.exe", false));
}
