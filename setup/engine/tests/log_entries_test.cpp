#include <gtest/gtest.h>

#include "setup/engine/log_entries.h"

#include <string>
#include <vector>

using namespace glimra::setup;

TEST(LogEntries, EveryFormIsWrittenExactly)
{
    const std::wstring key =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn";
    EXPECT_EQ(FolderCreatedEntries(L"C:\\A\\B"),
              (std::vector<std::wstring>{L"CreateDirectory: \"C:\\A\\B\" (0)",
                                         L"CreateDirectory: \"C:\\A\\B\" created"}));
    EXPECT_EQ(RegStrEntry(key, L"Platfrom", L"x86"),
              L"WriteRegStr: \"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
              L"Uninstall\\DWGGlimra_zh_cn\" \"Platfrom\"=\"x86\"");
    EXPECT_EQ(RegDwordVersionEntry(key),
              L"WriteRegDWORD: \"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
              L"Uninstall\\DWGGlimra_zh_cn\" \"Version\"=\"56\"");
    EXPECT_EQ(ShortcutEntry(L"C:\\Desk\\DWGGlimra.lnk", L"C:\\G\\ovStart.exe"),
              L"CreateShortCut: out: \"C:\\Desk\\DWGGlimra.lnk\", in: \"C:\\G\\ovStart.exe \", "
              L"icon: ,0, sw=0, hk=0");
    EXPECT_EQ(UninstallerCopyEntries(L"C:\\G"),
              (std::vector<std::wstring>{
                  L"File: overwriteflag=4, allowskipfilesflag=0, name=\"TUninstall\"",
                  L"File: wrote 341000 to \"C:\\G\\TUninstall\""}));
}

TEST(LogEntries, SeparatorAndLimits)
{
    EXPECT_EQ(LogEntryWithSeparator(L"x"), L"\r\nx");
    // 257 units of text fit with the separator and the zero; 258 do not.
    EXPECT_TRUE(FitsLogEntryUnits(LogEntryWithSeparator(std::wstring(257, L'a'))));
    EXPECT_FALSE(FitsLogEntryUnits(LogEntryWithSeparator(std::wstring(258, L'a'))));
    EXPECT_TRUE(FitsLogEntryBytes(std::string(259, 'a')));
    EXPECT_FALSE(FitsLogEntryBytes(std::string(260, 'a')));
}

TEST(LogEntries, TextModeDoublesTheCarriageReturnBeforeEachLineFeed)
{
    EXPECT_EQ(TextModeBytes("\r\nabc"), "\r\r\nabc");
    EXPECT_EQ(TextModeBytes("a\nb"), "a\r\nb");
    EXPECT_EQ(TextModeBytes(std::string("ab\0cd", 5)), "ab");
}

TEST(LogEntries, FolderPrefixesStopBeforeEachSeparator)
{
    EXPECT_EQ(FolderPrefixes(L"C:\\A\\B\\"),
              (std::vector<std::wstring>{L"C:", L"C:\\A", L"C:\\A\\B"}));
    EXPECT_EQ(FolderPrefixes(L"C:\\A\\B"), (std::vector<std::wstring>{L"C:", L"C:\\A"}));
    EXPECT_EQ(FolderPrefixes(L"C:/A/"), (std::vector<std::wstring>{L"C:", L"C:/A"}));
    EXPECT_EQ(FolderPrefixes(L"\\A\\"), (std::vector<std::wstring>{L"", L"\\A"}));
    EXPECT_TRUE(FolderPrefixes(L"name").empty());
}
