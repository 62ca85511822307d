#include <gtest/gtest.h>

#include "testing/distribution/support/distribution.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <string>
#include <vector>

using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::Journal;
using glimra::testing::JournalRecord;
using glimra::testing::RunAndWait;
using glimra::testing::ScratchFolder;

namespace {

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(TestDistribution, IsLaidOutLikeTheRealOne)
{
    const std::wstring root = DistributionFolder();
    for (const wchar_t* file : {L"Setup.exe",
                                L"SetupRes.dll",
                                L"Setup.ini",
                                L"License.rtf",
                                L"PrivacyPolicy.rtf",
                                L"TUninstall.exe",
                                L"Msi\\WindowsInstaller-KB893803-v2-x86.exe",
                                L"Msi\\vc_redist.x86.exe",
                                L"Msi\\vcredist_x86_10.exe",
                                L"Msi\\vc_redist.x64.exe",
                                L"Msi\\vcredist_x64_10.exe",
                                L"Msi\\msxml6.msi",
                                L"Msi\\msxml6_x64.msi",
                                L"Msi\\QxTable_CHS_x86.msi",
                                L"Msi\\QxTable_CHS_x64.msi",
                                L"Msi\\QxTable_ENG_x86.msi",
                                L"Msi\\QxTable_ENG_x64.msi",
                                L"files\\orvd_global.exe",
                                L"files\\orvd_local.exe",
                                L"files\\orvd_encryption.exe",
                                L"files\\RegWriter.exe",
                                L"files\\RegWriter_x64.exe"})
        EXPECT_TRUE(Exists(root + L"\\" + file)) << file;
    for (const wchar_t* file :
         {L"product\\orvd.exe", L"product\\ovStart.exe", L"product\\previewshell.dll",
          L"product\\VaRevEzedi.dll", L"failing.msi", L"stub.exe"})
        EXPECT_TRUE(Exists(DistributionPartsFolder() + L"\\" + file)) << file;
}

TEST(TestDistribution, StubJournalsItsCommandLineAndFailsWhenTold)
{
    ScratchFolder folder;
    Journal journal(folder.Path());
    const std::wstring program = DistributionFolder() + L"\\files\\orvd_local.exe";

    EXPECT_EQ(RunAndWait(program, L"-passive  \"two words\"", folder.Path()), 0u);
    Journal::SetFailingStubs(L"other.exe;ORVD_LOCAL.EXE");
    EXPECT_EQ(RunAndWait(program, L"again", folder.Path()), 1603u);

    std::vector<JournalRecord> expected = {
        {L"orvd_local.exe", L"\"" + program + L"\" -passive  \"two words\"", folder.Path()},
        {L"orvd_local.exe", L"\"" + program + L"\" again", folder.Path()}};
    EXPECT_EQ(journal.Records(), expected);
}

TEST(TestDistribution, UnstartableStubCannotBeStarted)
{
    ScratchFolder folder;
    Journal journal(folder.Path());
    ASSERT_TRUE(folder.CopyIn(DistributionPartsFolder() + L"\\stub.exe", L"vc_redist.x86.exe"));
    const std::wstring program = folder.Path() + L"\\vc_redist.x86.exe";
    ASSERT_TRUE(glimra::testing::MakeUnstartable(program));
    EXPECT_EQ(RunAndWait(program, L"", folder.Path()), glimra::testing::kRunFailed);
    EXPECT_TRUE(journal.Records().empty());
}

TEST(TestDistribution, RegistrationOfTheComServersWritesAMarker)
{
    ScratchFolder folder;
    Journal journal(folder.Path());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::vector<JournalRecord> expected;
    for (const wchar_t* name : {L"previewshell.dll", L"VaRevEzedi.dll"}) {
        std::wstring library = DistributionPartsFolder() + L"\\product\\" + name;
        EXPECT_EQ(RunAndWait(std::wstring(system) + L"\\regsvr32.exe", L"/s \"" + library + L"\"",
                             folder.Path()),
                  0u);
        expected.push_back({name, L"DllRegisterServer", library});
    }
    EXPECT_EQ(journal.Records(), expected);
}
