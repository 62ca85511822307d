#include <gtest/gtest.h>

#include "setup/app/setup_ini.h"
#include "setup/app/setup_state.h"
#include "testing/support/scratch_folder.h"

#include <string>

using glimra::setup::ReadSetupIni;
using glimra::setup::SetupState;
using glimra::testing::ScratchFolder;

namespace {

class SetupIni : public ::testing::Test {
protected:
    // Reads `content` as the Setup.ini beside a program in the scratch folder.
    bool Read(const std::string& content, int os64Bit = 1)
    {
        EXPECT_TRUE(folder_.WriteFile(L"Setup.ini", content));
        state_.os64Bit = os64Bit;
        return ReadSetupIni(state_, folder_.Path() + L"\\Setup.exe");
    }

    ScratchFolder folder_;
    SetupState state_;
};

TEST_F(SetupIni, MissingFileReadsNothing)
{
    state_.installDir = L"untouched";
    EXPECT_FALSE(ReadSetupIni(state_, folder_.Path() + L"\\Setup.exe"));
    EXPECT_EQ(state_.installDir, L"untouched");
    EXPECT_EQ(state_.productName, L"");
    // A folder named Setup.ini is no settings file either.
    ASSERT_TRUE(folder_.WriteFile(L"Setup.ini\\inside.txt", "x"));
    EXPECT_FALSE(ReadSetupIni(state_, folder_.Path() + L"\\Setup.exe"));
}

TEST_F(SetupIni, EmptyFileGivesTheDefaults)
{
    ASSERT_TRUE(Read("", 1));
    EXPECT_EQ(state_.productName, L"DWGGlimra");
    EXPECT_EQ(state_.companyName, L"Tarvel");
    EXPECT_EQ(state_.version, L"16.0");
    EXPECT_EQ(state_.wow64Package, 0);
    EXPECT_EQ(state_.installDir, L"C:\\Program Files (x86)\\Tarvel\\Glimra");
    EXPECT_EQ(state_.languageRaw, L"");
    EXPECT_EQ(state_.languageKey, L"");
    EXPECT_EQ(state_.languageId, L"1033");
    EXPECT_EQ(state_.netTest, 0);
    EXPECT_EQ(state_.globalServer, L"");
    EXPECT_EQ(state_.channel, L"0");
}

TEST_F(SetupIni, ReadsEveryKey)
{
    ASSERT_TRUE(Read("[SETUP]\r\nCOMPANYNAME=  Other Maker  \r\nVERSION=17.2\r\n"
                     "[RES]\r\nLANGUAGE=ZH_CN\r\nNetTest=1\r\n"
                     "[InfoCollection]\r\nGlobalServer=https://ads.example\r\nChannel=42\r\n"));
    EXPECT_EQ(state_.companyName, L"Other Maker");
    EXPECT_EQ(state_.version, L"17.2");
    EXPECT_EQ(state_.languageRaw, L"ZH_CN");
    EXPECT_EQ(state_.languageKey, L"zh_cn");
    EXPECT_EQ(state_.languageId, L"2052");
    EXPECT_EQ(state_.netTest, 1);
    EXPECT_EQ(state_.globalServer, L"https://ads.example");
    EXPECT_EQ(state_.channel, L"42");
}

TEST_F(SetupIni, ChoosesTheFolderKeyByPackageAndWindowsBitness)
{
    const std::string folders =
        "PATH=P:\\sixty-four\\\r\n"
        "[x64]\r\nSETUP_DEST=Q:\\on-x64\r\n[x86]\r\nSETUP_DEST=R:\\on-x86\r\n";
    const struct {
        const char* wow64;
        int os64Bit;
        const wchar_t* expected;
    } cases[] = {
        {"WOW64=1", 1, L"P:\\sixty-four"}, {"WOW64=1", 0, L"P:\\sixty-four"},
        {"WOW64=0", 1, L"Q:\\on-x64"},     {"WOW64=0", 0, L"R:\\on-x86"},
        {"WOW64=yes", 0, L"R:\\on-x86"},
    };
    for (const auto& c : cases) {
        state_ = SetupState();
        ASSERT_TRUE(Read("[SETUP]\r\n" + std::string(c.wow64) + "\r\n" + folders, c.os64Bit));
        EXPECT_EQ(state_.installDir, c.expected) << c.wow64 << " on os64Bit " << c.os64Bit;
    }
}

TEST_F(SetupIni, FolderDefaultsLoseTheirTrailingBackslash)
{
    ASSERT_TRUE(Read("[SETUP]\r\nWOW64=1\r\n"));
    EXPECT_EQ(state_.wow64Package, 1);
    EXPECT_EQ(state_.installDir, L"C:\\Program Files\\Tarvel\\Glimra");
    state_ = SetupState();
    ASSERT_TRUE(Read("[x86]\r\nSETUP_DEST=  D:\\Apps\\\\\\  \r\n", 0));
    EXPECT_EQ(state_.installDir, L"D:\\Apps");
}

TEST_F(SetupIni, LongValuesAreCutAt259Characters)
{
    std::string folder = "D:\\" + std::string(300, 'a');
    std::string server(400, 's');
    ASSERT_TRUE(Read("[x64]\r\nSETUP_DEST=" + folder +
                     "\r\n[InfoCollection]\r\nGlobalServer=" + server + "\r\n"));
    EXPECT_EQ(state_.installDir, std::wstring(L"D:\\") + std::wstring(256, L'a'));
    EXPECT_EQ(state_.globalServer, std::wstring(259, L's'));
}

TEST_F(SetupIni, BlankCompanyAndVersionTakeTheirDefaults)
{
    ASSERT_TRUE(
        Read("[SETUP]\r\nCOMPANYNAME=\r\nVERSION=\"   \"\r\n[InfoCollection]\r\nChannel=\r\n"));
    EXPECT_EQ(state_.companyName, L"Tarvel");
    EXPECT_EQ(state_.version, L"16.0");
    // A present but empty Channel stays empty; only a missing one is "0".
    EXPECT_EQ(state_.channel, L"");
}

} // namespace
