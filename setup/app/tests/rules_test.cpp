#include <gtest/gtest.h>

#include "setup/app/language_table.h"
#include "setup/app/net_version.h"
#include "setup/app/path_text.h"
#include "setup/app/startup_rules.h"
#include "setup/app/system_facts.h"

#include <string>
#include <vector>

using namespace glimra::setup;

TEST(LanguageTable, ChoosesTheWindowsLanguage)
{
    const struct {
        const wchar_t* key;
        const wchar_t* id;
    } cases[] = {
        {L"zh_cn", L"2052"}, {L"ZH_CN", L"2052"},    {L"lumoc_cn", L"2052"},
        {L"zh_tw", L"1028"}, {L"Lumoc_TW", L"1028"}, {L"lumoc_tw", L"1028"},
        {L"fr_fr", L"1036"}, {L"Mizuka", L"1041"},   {L"ja_jp", L"1041"},
        {L"de_de", L"1033"}, {L"", L"1033"},         {L"zh_cn ", L"1033"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageIdFor(c.key), c.id) << "key \"" << c.key << "\"";
}

TEST(NetVersionChoice, TakesTheFamilyOfTheGreatestVersion)
{
    const struct {
        std::vector<std::wstring> collected;
        const wchar_t* expected;
    } cases[] = {
        {{L"v2.0.50727", L"v3.5", L"4.8.04084"}, L"4.8"},
        // 3.5 names no family: the first family.
        {{L"v3.5"}, L"4.0"},
        {{L"4.0.30319"}, L"4.0"},
        {{L"4.5.51209", L"4.7.03062", L"4.6.01590"}, L"4.7"},
        // Ordered by code unit after cutting to five characters: "4.8.0" > "4.10." .
        {{L"4.10.1", L"4.8.1"}, L"4.8"},
        {{L"v"}, L""},
        {{}, L""},
    };
    for (const auto& c : cases) {
        std::wstring all;
        for (const auto& v : c.collected)
            all += v + L" ";
        EXPECT_EQ(ChooseNetVersion(c.collected), c.expected) << "collected: " << all;
    }
}

TEST(NetVersionChoice, ReadsTheDigitAfterTheFirstV)
{
    EXPECT_EQ(NdpSubkeyMajor(L"v2.0.50727"), 2);
    EXPECT_EQ(NdpSubkeyMajor(L"v4"), 4);
    EXPECT_EQ(NdpSubkeyMajor(L"v1.1.4322"), 1);
    EXPECT_EQ(NdpSubkeyMajor(L"cdf"), -1);
    EXPECT_EQ(NdpSubkeyMajor(L"v"), -1);
    EXPECT_EQ(NdpSubkeyMajor(L"vx"), -1);
}

TEST(AdministratorRights, DependOnTheWindowsVersion)
{
    ScriptedSystemFacts facts;
    const struct {
        unsigned major;
        bool elevated;
        bool group;
        bool expected;
    } cases[] = {
        {5, false, true, true},  {5, true, false, false}, {6, true, false, true},
        {6, false, true, false}, {10, true, true, true},  {10, false, false, false},
    };
    for (const auto& c : cases) {
        facts.majorVersion = c.major;
        facts.elevated = c.elevated;
        facts.administratorsGroup = c.group;
        EXPECT_EQ(HasAdministratorRights(facts), c.expected)
            << "version " << c.major << ", elevated " << c.elevated << ", group " << c.group;
    }
}

TEST(WindowsBitness, FollowsTheNativeArchitecture)
{
    ScriptedSystemFacts facts;
    for (unsigned architecture : {9u, 6u}) {
        facts.architecture = architecture;
        EXPECT_TRUE(IsWindows64Bit(facts)) << architecture;
    }
    for (unsigned architecture : {0u, 5u, 12u}) {
        facts.architecture = architecture;
        EXPECT_FALSE(IsWindows64Bit(facts)) << architecture;
    }
}

TEST(BitnessChecks, DecideOnDistributionWindowsAndInstallation)
{
    using V = BitnessVerdict;
    const struct {
        int os64Bit, wow64Package, installed, installed64Bit;
        BitnessVerdict expected;
    } cases[] = {
        {0, 1, 0, 0, V::ProductNeeds64BitWindows},
        {0, 1, 1, 1, V::ProductNeeds64BitWindows},
        {1, 0, 1, 1, V::OtherBitness64Installed},
        {1, 0, 1, 0, V::Proceed},
        {0, 0, 1, 1, V::Proceed},
        {1, 1, 1, 0, V::OtherBitness32Installed},
        {1, 1, 1, 1, V::Proceed},
        {1, 0, 0, 1, V::Proceed},
        {1, 1, 0, 0, V::Proceed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckBitness(c.os64Bit, c.wow64Package, c.installed, c.installed64Bit),
                  c.expected)
            << "os64 " << c.os64Bit << " wow64 " << c.wow64Package << " installed " << c.installed
            << " installed64 " << c.installed64Bit;
}

TEST(PathText, Folders)
{
    EXPECT_EQ(RemoveTrailingBackslashes(L"D:\\Apps\\\\\\"), L"D:\\Apps");
    EXPECT_EQ(RemoveTrailingBackslashes(L"\\\\"), L"");
    EXPECT_EQ(FolderOf(L"C:\\a b\\Setup.exe"), L"C:\\a b");
    EXPECT_EQ(BaseNameOf(L"C:\\a.b\\Setup.exe"), L"Setup");
    EXPECT_EQ(BaseNameOf(L"Setup"), L"Setup");
}
