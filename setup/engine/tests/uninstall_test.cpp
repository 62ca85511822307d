// The uninstall sequence on a product folder of this test: what it removes, what it
// starts, and the copies beside the uninstaller it starts.
#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/folder_cleanup.h"
#include "setup/engine/process_runner.h"
#include "setup/engine/uninstall_sequence.h"
#include "testing/uidriver/ui_driver.h"

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::JournalRecord;
using glimra::testing::SeenBox;
using glimra::testing::UiDriver;

namespace {

const char kLog[] = "\r\r\nCreateDirectory: \"C:\\x\" (0)";

class Uninstall : public EngineTest {
protected:
    Uninstall()
    {
        // A temporary folder of this test's own: the uninstaller's copies go there.
        temporary_ = Scratch() + L"\\temp\\";
        CreateDirectoryW(temporary_.c_str(), nullptr);
        SetEnvironmentVariableW(L"TMP", temporary_.c_str());
        SetEnvironmentVariableW(L"TEMP", temporary_.c_str());
        Product(L"orvd.exe", DistributionPartsFolder() + L"\\stub.exe");
        Product(L"TUninstall", DistributionPartsFolder() + L"\\stub.exe");
        Write(L"install.log", kLog);
        Write(L"SetupRes.dll", "resources");
    }
    ~Uninstall() override
    {
        // The uninstaller started last may still be ending.
        Sleep(300);
        SetEnvironmentVariableW(L"TMP", saved_tmp_.c_str());
        SetEnvironmentVariableW(L"TEMP", saved_temp_.c_str());
    }
    static std::wstring Variable(const wchar_t* name)
    {
        wchar_t buffer[MAX_PATH] = {};
        GetEnvironmentVariableW(name, buffer, MAX_PATH);
        return buffer;
    }
    std::wstring Dir(const std::wstring& relative = L"")
    {
        return relative.empty() ? State().installDir : State().installDir + L"\\" + relative;
    }
    void Product(const std::wstring& name, const std::wstring& from)
    {
        ASSERT_TRUE(CopyFileW(from.c_str(), Dir(name).c_str(), FALSE)) << name;
    }
    void Write(const std::wstring& relative, const std::string& bytes)
    {
        std::wstring path = Dir(relative);
        for (size_t slash = path.find(L'\\', State().installDir.size() + 1);
             slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::wstring saved_tmp_ = Variable(L"TMP");
    std::wstring saved_temp_ = Variable(L"TEMP");
    std::wstring temporary_;

    // The journal once it holds `count` records (the uninstaller is not waited for).
    std::vector<JournalRecord> RecordsWhenThere(size_t count)
    {
        std::vector<JournalRecord> records;
        for (int i = 0; i < 200; ++i) {
            records = journal_.Records();
            if (records.size() >= count)
                break;
            Sleep(50);
        }
        return records;
    }
};

} // namespace

TEST_F(Uninstall, StartsTheUninstallerFromTheTemporaryFolder)
{
    Write(L"ZUZadozaruvOruv\\System\\QXSetting.xml", "<settings/>");
    ASSERT_TRUE(UninstallProduct());

    const std::wstring temporary = TemporaryFolder();
    ASSERT_EQ(temporary, temporary_);
    std::vector<JournalRecord> records = RecordsWhenThere(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].program, L"orvd.exe");
    EXPECT_EQ(records[0].commandLine, L"\"" + Dir(L"orvd.exe") + L"\" -UnRegserver -nologo");
    EXPECT_EQ(records[1].program, L"TUninstall.exe");
    EXPECT_EQ(records[1].commandLine, L"\"" + temporary + L"TUninstall.exe\" /norestart");

    EXPECT_EQ(FileBytes(temporary + L"install.log"), kLog);
    EXPECT_EQ(FileBytes(temporary + L"SetupRes.dll"), "resources");
    EXPECT_FALSE(FileExists(Dir(L"ZUZadozaruvOruv\\System\\QXSetting.xml")));
    // The product's own files are the uninstaller's to remove.
    EXPECT_TRUE(FileExists(Dir(L"install.log")));
    EXPECT_TRUE(FileExists(Dir(L"ZUZadozaruvOruv\\System")));
}

TEST_F(Uninstall, UpdateFolderGoesOnlyWhenEmptyOrHoldingTheUpdateArchive)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> files;   // below Update
        std::vector<std::wstring> folders; // below Update
        std::vector<std::wstring> remaining;
    };
    const std::vector<Case> cases = {
        {"empty", {}, {}, {}},
        {"archive and empty folders", {L"update.zip"}, {L"a", L"a\\b"}, {}},
        {"archive and another file", {L"update.zip", L"notes.txt"}, {}, {L"", L"\\notes.txt"}},
        {"only empty folders, no archive", {}, {L"a", L"a\\b"}, {L"", L"\\a", L"\\a\\b"}},
        {"another file, no archive", {L"notes.txt"}, {}, {L"", L"\\notes.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(CreateDirectoryW(Dir(L"Update").c_str(), nullptr));
        for (const auto& folder : c.folders)
            ASSERT_TRUE(CreateDirectoryW(Dir(L"Update\\" + folder).c_str(), nullptr));
        for (const auto& file : c.files)
            Write(L"Update\\" + file, "z");
        ASSERT_TRUE(UninstallProduct());

        std::vector<std::wstring> remaining;
        for (const wchar_t* path : {L"", L"\\update.zip", L"\\notes.txt", L"\\a", L"\\a\\b"}) {
            if (FileExists(Dir(L"Update") + path))
                remaining.push_back(path);
        }
        EXPECT_EQ(remaining, c.remaining);
        glimra::testing::RemoveTree(Dir(L"Update"));
    }
}

TEST_F(Uninstall, FailsWithoutTheUninstallerAfterTheRemovalRan)
{
    ASSERT_TRUE(DeleteFileW(Dir(L"TUninstall").c_str()));
    EXPECT_FALSE(UninstallProduct());
    std::vector<JournalRecord> records = journal_.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].program, L"orvd.exe");
}

TEST_F(Uninstall, FailsWithoutTheLogOrTheResourceLibrary)
{
    ASSERT_TRUE(DeleteFileW(Dir(L"install.log").c_str()));
    EXPECT_FALSE(UninstallProduct());
    Write(L"install.log", kLog);
    ASSERT_TRUE(DeleteFileW(Dir(L"SetupRes.dll").c_str()));
    EXPECT_FALSE(UninstallProduct());
    for (const JournalRecord& record : journal_.Records())
        EXPECT_NE(record.program, L"TUninstall.exe");
}

TEST_F(Uninstall, FailedUnregistrationShowsTheRegisterBoxAndGoesOn)
{
    // A folder of the program's name: there, but nothing that can be started.
    ASSERT_TRUE(DeleteFileW(Dir(L"orvd.exe").c_str()));
    ASSERT_TRUE(CreateDirectoryW(Dir(L"orvd.exe").c_str(), nullptr));
    UiDriver ui;
    SeenBox box;
    ui.Script([&box](UiDriver& driver) { box = driver.AnswerNextMessageBox(IDOK); });
    EXPECT_TRUE(UninstallProduct());
    ui.Join();
    EXPECT_EQ(box, (SeenBox{L"DWGGlimra", L"orvd.exe,Failed to Register,Please reinstall!",
                            MB_ICONERROR, MB_OK}));
    std::vector<JournalRecord> records = RecordsWhenThere(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].program, L"TUninstall.exe");
}

TEST_F(Uninstall, CleanUpAfterAFailedInstallationRunsTheDistributionsUninstaller)
{
    const std::wstring setup_folder = Scratch() + L"\\dist";
    ASSERT_TRUE(CreateDirectoryW(setup_folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((DistributionPartsFolder() + L"\\stub.exe").c_str(),
                          (setup_folder + L"\\TUninstall.exe").c_str(), FALSE));
    ASSERT_TRUE(CleanUpFailedInstallFrom(setup_folder));

    EXPECT_EQ(FileBytes(setup_folder + L"\\install.log"), kLog);
    std::vector<JournalRecord> records = RecordsWhenThere(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].program, L"TUninstall.exe");
    EXPECT_EQ(records[0].commandLine,
              L"\"" + setup_folder + L"\\TUninstall.exe\" /quiet /norestart");

    // Without a log in the product folder nothing is started.
    ASSERT_TRUE(DeleteFileW(Dir(L"install.log").c_str()));
    ASSERT_TRUE(DeleteFileW((setup_folder + L"\\install.log").c_str()));
    EXPECT_FALSE(CleanUpFailedInstallFrom(setup_folder));
}
