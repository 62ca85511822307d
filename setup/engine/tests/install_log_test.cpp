#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/install_log.h"

#include <string>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;

namespace {

class InstallLog : public EngineTest {
protected:
    std::wstring LogPath() { return State().installDir + L"\\install.log"; }
    std::string Log() { return FileBytes(LogPath()); }
    static bool IsFolder(const std::wstring& path)
    {
        DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    static std::string Ansi(const std::wstring& text)
    {
        std::string ansi;
        for (wchar_t c : text)
            ansi += static_cast<char>(c); // the tests' paths are ASCII
        return ansi;
    }
};

} // namespace

TEST_F(InstallLog, EntriesArePrecededBy0D0D0AAndTheLastHasNoLineBreak)
{
    AppendInstallLog(L"first");
    EXPECT_EQ(Log(), "\r\r\nfirst");
    AppendInstallLog(L"second");
    EXPECT_EQ(Log(), "\r\r\nfirst\r\r\nsecond");
}

TEST_F(InstallLog, AppendsAfterWhatIsThereAndNeverTruncates)
{
    ASSERT_TRUE(scratch_.WriteFile(L"Glimra\\install.log", "older run"));
    AppendInstallLog(L"newer run");
    EXPECT_EQ(Log(), "older run\r\r\nnewer run");
}

TEST_F(InstallLog, MissingProductFolderLosesTheEntrySilently)
{
    State().installDir = Scratch() + L"\\absent";
    AppendInstallLog(L"lost");
    EXPECT_FALSE(IsFolder(State().installDir));
}

TEST_F(InstallLog, EntryOverItsLimitsIsDroppedWhole)
{
    AppendInstallLog(std::wstring(257, L'a'));
    ASSERT_EQ(Log(), "\r\r\n" + std::string(257, 'a'));
    // One unit more than the wide buffer holds: not cut, not written.
    AppendInstallLog(std::wstring(258, L'b'));
    EXPECT_EQ(Log(), "\r\r\n" + std::string(257, 'a'));
}

TEST_F(InstallLog, CharactersOutsideTheCodePageBecomeItsDefaultCharacter)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected bytes are those of code page 1252";
    // U+0100 has the best-fit look-alike 'A' in 1252; it must become '?' instead.
    AppendInstallLog(L"Ma\u0100 \u4E2D \u00E9");
    EXPECT_EQ(Log(), "\r\r\nMa? ? \xE9");
}

TEST_F(InstallLog, FolderOutsideTheCodePageIsLoggedWithTheDefaultCharacter)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs a character that code page 1252 cannot represent";
    EXPECT_TRUE(CreateFolderPath(Scratch() + L"\\\u4E2D\u0100\\"));
    EXPECT_TRUE(IsFolder(Scratch() + L"\\\u4E2D\u0100"));
    const std::string folder = Ansi(Scratch()) + "\\??";
    EXPECT_EQ(Log(), "\r\r\nCreateDirectory: \"" + folder + "\" (0)" + "\r\r\nCreateDirectory: \"" +
                         folder + "\" created");
}

TEST_F(InstallLog, ProductFolderOutsideTheCodePageWritesNoLog)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs a character that code page 1252 cannot represent";
    State().installDir = Scratch() + L"\\\u4E2D";
    ASSERT_TRUE(CreateDirectoryW(State().installDir.c_str(), nullptr));
    AppendInstallLog(L"entry");
    // Neither the folder's own log nor one under a look-alike name.
    EXPECT_EQ(FileBytes(State().installDir + L"\\install.log"), "");
    EXPECT_EQ(FileBytes(Scratch() + L"\\?\\install.log"), "");
}

TEST_F(InstallLog, ProductFolderPathOverTheAnsiLimitWritesNoLog)
{
    // The log's path, "\install.log" included, takes 259 bytes at most.
    std::wstring folder = Scratch() + L"\\";
    folder += std::wstring(259 - folder.size() - 12, L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    State().installDir = folder;
    AppendInstallLog(L"fits");
    EXPECT_EQ(FileBytes(folder + L"\\install.log"), "\r\r\nfits");

    std::wstring longer = folder.substr(0, folder.size() - 1) + L"dd";
    ASSERT_TRUE(CreateDirectoryW(longer.c_str(), nullptr));
    State().installDir = longer;
    AppendInstallLog(L"too long");
    EXPECT_EQ(FileBytes(longer + L"\\install.log"), "");
}

TEST_F(InstallLog, CreateFolderPathCreatesAndLogsEachMissingLevel)
{
    const std::wstring a = Scratch() + L"\\A";
    ASSERT_TRUE(CreateDirectoryW(a.c_str(), nullptr));
    EXPECT_TRUE(CreateFolderPath(a + L"\\B\\C\\"));
    EXPECT_TRUE(IsFolder(a + L"\\B\\C"));
    const std::string b = Ansi(a + L"\\B"), c = Ansi(a + L"\\B\\C");
    EXPECT_EQ(Log(), "\r\r\nCreateDirectory: \"" + b + "\" (0)" + "\r\r\nCreateDirectory: \"" + b +
                         "\" created" + "\r\r\nCreateDirectory: \"" + c + "\" (0)" +
                         "\r\r\nCreateDirectory: \"" + c + "\" created");
}

TEST_F(InstallLog, CreateFolderPathLeavesTheLastComponentWithoutSeparator)
{
    const std::wstring a = Scratch() + L"\\A";
    ASSERT_TRUE(CreateDirectoryW(a.c_str(), nullptr));
    EXPECT_TRUE(CreateFolderPath(a + L"\\B"));
    EXPECT_FALSE(IsFolder(a + L"\\B"));
    EXPECT_EQ(Log(), "");

    // Folders that all exist: nothing to do, nothing logged; forward slashes count too.
    EXPECT_TRUE(CreateFolderPath(a + L"/"));
    EXPECT_EQ(Log(), "");
}

TEST_F(InstallLog, CreateFolderPathStopsAtTheFirstFolderItCannotCreate)
{
    // A path that begins with a separator: its first prefix is empty.
    EXPECT_FALSE(CreateFolderPath(L"\\glimra-never\\"));
    // A file in the way is taken as existing; the level below it cannot be created.
    ASSERT_TRUE(scratch_.WriteFile(L"file", "x"));
    EXPECT_FALSE(CreateFolderPath(Scratch() + L"\\file\\below\\"));
    EXPECT_EQ(Log(), "");
    // Folders created before the failing level stay, with their entries.
    EXPECT_FALSE(CreateFolderPath(Scratch() + L"\\made\\bad<name\\below\\"));
    EXPECT_TRUE(IsFolder(Scratch() + L"\\made"));
    const std::string made = Ansi(Scratch() + L"\\made");
    EXPECT_EQ(Log(), "\r\r\nCreateDirectory: \"" + made + "\" (0)" + "\r\r\nCreateDirectory: \"" +
                         made + "\" created");
}

TEST_F(InstallLog, CreateFolderPathRefusesAPathOverItsLimit)
{
    std::wstring path = Scratch() + L"\\long\\";
    path += std::wstring(260 - path.size(), L'x');
    EXPECT_FALSE(CreateFolderPath(path));
    EXPECT_FALSE(IsFolder(Scratch() + L"\\long"));
}
