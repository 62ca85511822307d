#include <gtest/gtest.h>

#include "setup/engine/command_lines.h"

#include <string>

using namespace glimra::setup;

namespace {

struct CommandCase {
    const char* what;
    std::wstring built;
    std::wstring expected;
};

} // namespace

TEST(CommandLines, EachRunnerBuildsItsLineExactly)
{
    const std::wstring path = L"C:\\Dist Folder\\Msi\\vc_redist.x86.exe";
    const CommandCase cases[] = {
        {"passive", PassiveCommandLine(path),
         L"\"C:\\Dist Folder\\Msi\\vc_redist.x86.exe\" -passive -norestart"},
        {"repair", RepairCommandLine(path),
         L"\"C:\\Dist Folder\\Msi\\vc_redist.x86.exe\" -q -norestart -repair"},
        {"regsvr32", RegisterServerCommandLine(L"C:\\Common Files\\Tarvel\\previewshell.dll"),
         L"regsvr32 \"C:\\Common Files\\Tarvel\\previewshell.dll\" -s"},
        {"program", ProgramCommandLine(L"C:\\P\\orvd.exe", kRegisterProgramArguments),
         L"\"C:\\P\\orvd.exe\" -Regserver -nologo"},
        {"unregister", ProgramCommandLine(L"C:\\P\\orvd.exe", kUnregisterProgramArguments),
         L"\"C:\\P\\orvd.exe\" -UnRegserver -nologo"},
        {"program, arguments as given", ProgramCommandLine(L"C:\\P\\x.exe", L"a"),
         L"\"C:\\P\\x.exe\"a"},
        {"removal", ProductRemovalCommandLine(),
         L"msiexec  -x {5B2C7E10-8D34-4A6F-9E21-3C7D4B0A6F58} -q"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.expected) << c.what;
}

TEST(CommandLines, RegistryWriterGetsTheProductPropertiesInOrderUnquoted)
{
    RegWriterValues values;
    values.languageKey = L"zh_cn";
    values.installDir = L"C:\\Program Files\\Tarvel\\Glimra";
    values.productKeyName = L"DWGGlimra";
    values.version = L"16.0";
    values.viewerName = L"TarvelGlimraViewer";
    EXPECT_EQ(RegWriterCommandLine(L"D:\\dist\\files\\RegWriter.exe", values),
              L"\"D:\\dist\\files\\RegWriter.exe\" lang=zh-cn TARGETDIR=C:\\Program "
              L"Files\\Tarvel\\Glimra PRODUCTNAME=DWGGlimra VERSION=16.0 PLATFROM=x86 NUM=1 "
              L"WorkspaceName=1 GlimraName=TarvelGlimraViewer GlimraPath=C:\\Program "
              L"Files\\Tarvel\\Glimra -q");

    values.languageKey = L"zh_tw_x";
    values.wow64Package = 1;
    values.numParameter = 44;
    values.classicWorkspace = 1;
    std::wstring line = RegWriterCommandLine(L"R.exe", values);
    EXPECT_NE(line.find(L" lang=zh-tw-x "), std::wstring::npos) << line;
    EXPECT_NE(line.find(L" PLATFROM=x64 NUM=44 WorkspaceName=0 "), std::wstring::npos) << line;
}

TEST(CommandLines, TablePackageFollowsLanguageAndExcelBitness)
{
    struct Case {
        const wchar_t* languageKey;
        int officeBits;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"zh_cn", 0, L"QxTable_CHS_x86.msi"}, {L"zh_cn", 1, L"QxTable_CHS_x64.msi"},
        {L"en_us", 0, L"QxTable_ENG_x86.msi"}, {L"en_us", 1, L"QxTable_ENG_x64.msi"},
        {L"ZH_CN", 0, L"QxTable_ENG_x86.msi"}, {L"", 2, L"QxTable_ENG_x86.msi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TablePackageName(c.languageKey, c.officeBits), c.expected)
            << c.languageKey << " " << c.officeBits;
    EXPECT_EQ(TableProperties(1, L"4.8"), L"OFFICEBITVER=1 NETVER=4.8");
    EXPECT_EQ(TableProperties(0, L""), L"OFFICEBITVER=0 NETVER=");
}

TEST(CommandLines, BuffersHoldTheirLimitAndNoMore)
{
    EXPECT_TRUE(FitsCommandBuffer(std::wstring(259, L'x'), kRunnerCommandUnits));
    EXPECT_FALSE(FitsCommandBuffer(std::wstring(260, L'x'), kRunnerCommandUnits));
    EXPECT_TRUE(FitsCommandBuffer(std::wstring(2047, L'x'), kRegWriterCommandUnits));
    EXPECT_FALSE(FitsCommandBuffer(std::wstring(2048, L'x'), kRegWriterCommandUnits));
}

TEST(CommandLines, TrailingBackslashesGoAllOfThem)
{
    EXPECT_EQ(WithoutTrailingBackslashes(L"C:\\A\\\\"), L"C:\\A");
    EXPECT_EQ(WithoutTrailingBackslashes(L"C:\\A"), L"C:\\A");
    EXPECT_EQ(WithoutTrailingBackslashes(L"\\\\"), L"");
    EXPECT_EQ(WithoutTrailingBackslashes(L"\\\\server\\share\\"), L"\\\\server\\share");
}
