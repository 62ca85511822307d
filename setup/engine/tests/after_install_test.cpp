#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/after_install.h"
#include "setup/engine/folder_cleanup.h"

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::JournalRecord;
using glimra::testing::SetRegistryString;

namespace {

class AfterInstall : public EngineTest {
protected:
    AfterInstall()
    {
        // The user's documents folder, as the shell reads it from the isolated registry.
        documents_ = Scratch() + L"\\Documents";
        CreateDirectoryW(documents_.c_str(), nullptr);
        SetRegistryString(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                          L"Folders",
                          L"Personal", documents_);
        Calls().clear();
    }
    static std::vector<std::string>& Calls()
    {
        static std::vector<std::string> calls;
        return calls;
    }
    static int finishResult;
    static AfterInstallPages RecordingPages()
    {
        return {[] {
                    Calls().push_back("finish page");
                    return finishResult;
                },
                [] { Calls().push_back("advert page"); },
                [] { Calls().push_back("launch product"); }};
    }
    std::wstring documents_;
};
int AfterInstall::finishResult = kFinishPageFinished;

} // namespace

TEST_F(AfterInstall, CloudServiceFilesAreDeletedAndOthersStay)
{
    const std::wstring folder = documents_ + L"\\GlimraCloudService\\";
    ASSERT_EQ(CloudServiceFolder(), folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (const wchar_t* file :
         {L"cloudlogin.cfg", L"advanceFun.cfg", L"serverlist.cfg", L"other.cfg"})
        ASSERT_TRUE(
            scratch_.WriteFile(L"Documents\\GlimraCloudService\\" + std::wstring(file), "c"));
    ClearCloudServiceFiles();
    EXPECT_FALSE(FileExists(folder + L"cloudlogin.cfg"));
    EXPECT_FALSE(FileExists(folder + L"advanceFun.cfg"));
    EXPECT_FALSE(FileExists(folder + L"serverlist.cfg"));
    EXPECT_TRUE(FileExists(folder + L"other.cfg"));

    // Nothing to delete: nothing happens, and no folder is made.
    ClearCloudServiceFiles();
    glimra::testing::RemoveTree(folder);
    ClearCloudServiceFiles();
    EXPECT_FALSE(FileExists(folder));
}

TEST_F(AfterInstall, QuietInstallationEndsWithTheFinishPageAndWhatItChose)
{
    struct Case {
        int finish;
        int launchAfterFinish;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {kFinishPageFinished, 1, {"finish page", "advert page", "launch product"}},
        {kFinishPageFinished, 0, {"finish page", "advert page"}},
        {IDCANCEL, 1, {"finish page"}},
        {0, 1, {"finish page"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "finish " << c.finish << ", launch " << c.launchAfterFinish);
        Calls().clear();
        finishResult = c.finish;
        State().maintenanceAction = 3;
        State().launchAfterFinish = c.launchAfterFinish;
        ASSERT_TRUE(scratch_.WriteFile(L"Documents\\GlimraCloudService\\cloudlogin.cfg", "c"));
        RunQuietAfterInstall(RecordingPages());
        EXPECT_EQ(Calls(), c.calls);
        EXPECT_EQ(State().maintenanceAction, 0);
        EXPECT_FALSE(FileExists(documents_ + L"\\GlimraCloudService\\cloudlogin.cfg"));
    }
}

TEST_F(AfterInstall, LaunchProductOpensTheLauncherOfTheProductFolder)
{
    const std::wstring launcher = State().installDir + L"\\ovStart.exe";
    ASSERT_TRUE(
        CopyFileW((DistributionPartsFolder() + L"\\stub.exe").c_str(), launcher.c_str(), FALSE));
    LaunchProduct();
    std::vector<JournalRecord> records;
    for (int i = 0; i < 200 && records.empty(); ++i) {
        Sleep(50);
        records = journal_.Records();
    }
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].program, L"ovStart.exe");
    EXPECT_EQ(records[0].commandLine, L"\"" + launcher + L"\"");

    // No launcher: nothing is reported, nothing is started.
    ASSERT_TRUE(DeleteFileW(launcher.c_str()));
    LaunchProduct();
    Sleep(200);
    EXPECT_EQ(journal_.Records().size(), 1u);
}
