// The quiet sequence in the test process, from a distribution of its own: the
// command-line keys it reads, the steps that differ from the interactive form, and a
// failure that ends it without a word.
#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/command_lines.h"
#include "setup/engine/install_sequence.h"
#include "setup/engine/registration.h"
#include "testing/uidriver/ui_driver.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::CopyTree;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::GetRegistryString;
using glimra::testing::JournalRecord;
using glimra::testing::SetRegistryString;
using glimra::testing::UiDriver;

namespace {

class QuietSequence : public EngineTest {
protected:
    QuietSequence()
    {
        dist_ = Scratch() + L"\\dist";
        EXPECT_TRUE(CopyTree(DistributionFolder(), dist_));
        target_ = Scratch() + L"\\Target Folder";
        EXPECT_TRUE(CreateDirectoryW(target_.c_str(), nullptr));
        EXPECT_TRUE(CopyTree(DistributionPartsFolder() + L"\\product", target_));
        const std::wstring common = Scratch() + L"\\Common";
        CreateDirectoryW(common.c_str(), nullptr);
        SetRegistryString(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                          L"CommonFilesDir", common);
        State().languageKey = L"zh_cn";
        State().languageId = L"2052";
        State().languageRaw = L"zh_CN";
        State().netVersion = L"4.8";
        State().os64Bit = 1;
        State().maintenanceAction = 0;
    }
    std::vector<std::wstring> Programs() const
    {
        std::vector<std::wstring> programs;
        for (const JournalRecord& record : journal_.Records())
            programs.push_back(record.program);
        return programs;
    }
    static DWORD SetupKeyNum()
    {
        DWORD value = 0, size = sizeof(value);
        std::wstring key = kSetupKey;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key.substr(0, key.size() - 1).c_str(), L"NUM",
                         RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
            return 0xFFFFFFFF;
        return value;
    }

    std::wstring dist_;
    std::wstring target_;
};

} // namespace

TEST_F(QuietSequence, CommandLineChoosesTheFolderAndNum)
{
    // TARGETDIR wins over dir; its quotes and trailing backslash go.
    CommandLineArgs args{{L"quiet", L"1"},
                         {L"dir", L"C:\\elsewhere"},
                         {L"TARGETDIR", L"\"" + target_ + L"\\\\\""},
                         {L"NUM", L"7abc"}};
    ASSERT_TRUE(RunQuietSequence(args, dist_));
    EXPECT_EQ(State().installDir, target_);
    EXPECT_EQ(State().numParameter, 7);

    // NUM 7: orvd.exe is not registered, and the registry writer and the setup key
    // carry the number.
    EXPECT_EQ(Programs(), (std::vector<std::wstring>{L"vc_redist.x86.exe", L"vcredist_x86_10.exe",
                                                     L"vc_redist.x64.exe", L"vcredist_x64_10.exe",
                                                     L"orvd_global.exe", L"orvd_local.exe",
                                                     L"orvd_encryption.exe", L"previewshell.dll",
                                                     L"VaRevEzedi.dll", L"RegWriter.exe"}));
    RegWriterValues values;
    values.languageKey = L"zh_cn";
    values.installDir = target_;
    values.productKeyName = L"DWGGlimra";
    values.version = L"16.0";
    values.numParameter = 7;
    values.viewerName = L"TarvelGlimraViewer";
    EXPECT_EQ(journal_.Records().back().commandLine,
              RegWriterCommandLine(dist_ + L"\\files\\RegWriter.exe", values));
    EXPECT_EQ(SetupKeyNum(), 7u);
    std::wstring location;
    EXPECT_TRUE(GetRegistryString(
        HKEY_LOCAL_MACHINE,
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn",
        L"InstallLocation", location));
    EXPECT_EQ(location, target_);
}

TEST_F(QuietSequence, NumRegistersTheProductProgramOnlyForOneOrFortyFour)
{
    for (const wchar_t* num : {L"1", L"44", L"0", L"x"}) {
        SCOPED_TRACE(std::string(num, num + wcslen(num)));
        DeleteFileW(journal_.Path().c_str());
        CommandLineArgs args{{L"TARGETDIR", target_}, {L"NUM", num}};
        ASSERT_TRUE(RunQuietSequence(args, dist_));
        std::vector<std::wstring> programs = Programs();
        bool registered =
            std::find(programs.begin(), programs.end(), L"orvd.exe") != programs.end();
        EXPECT_EQ(registered, num == std::wstring(L"1") || num == std::wstring(L"44"));
    }
}

TEST_F(QuietSequence, OverAnExistingInstallationEverythingButTheRegistryWriterRuns)
{
    State().installDir = target_; // as found for the existing installation
    State().maintenanceAction = 3;
    ASSERT_TRUE(RunQuietSequence(CommandLineArgs{{L"quiet", L"1"}}, dist_));
    EXPECT_EQ(Programs(), (std::vector<std::wstring>{L"vc_redist.x86.exe", L"vcredist_x86_10.exe",
                                                     L"vc_redist.x64.exe", L"vcredist_x64_10.exe",
                                                     L"orvd_global.exe", L"orvd_local.exe",
                                                     L"orvd_encryption.exe", L"previewshell.dll",
                                                     L"VaRevEzedi.dll", L"orvd.exe"}));
    EXPECT_EQ(journal_.Records().back().commandLine,
              L"\"" + target_ + L"\\orvd.exe\" -Regserver -nologo");
}

TEST_F(QuietSequence, FailedStepEndsTheSequenceWithoutABox)
{
    ASSERT_TRUE(glimra::testing::MakeUnstartable(dist_ + L"\\files\\orvd_local.exe"));
    UiDriver ui;
    EXPECT_FALSE(RunQuietSequence(CommandLineArgs{{L"TARGETDIR", target_}}, dist_));
    EXPECT_TRUE(ui.MessageBoxesSeen().empty());
    EXPECT_EQ(Programs().back(), L"orvd_global.exe");
    // The setup key came first and stays; the product was not registered.
    EXPECT_EQ(SetupKeyNum(), 1u);
    std::wstring location;
    EXPECT_FALSE(GetRegistryString(
        HKEY_LOCAL_MACHINE,
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn",
        L"InstallLocation", location));
}
