#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/command_lines.h"
#include "setup/engine/msi_runner.h"
#include "setup/engine/notices.h"

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::CopyTree;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;

namespace {

const std::vector<UINT> kBeganAndEnded = {kStepBeginsNotice, kStepEndedNotice};
const std::vector<UINT> kBeganOnly = {kStepBeginsNotice};

class MsiPackages : public EngineTest {
protected:
    // A private copy of the distribution's Msi folder, to break packages in.
    std::wstring MsiFolder()
    {
        std::wstring folder = Scratch() + L"\\Msi";
        EXPECT_TRUE(CopyTree(DistributionFolder() + L"\\Msi", folder));
        return folder;
    }
    // What a test package recorded; empty when it was not installed.
    static std::wstring Recorded(const std::wstring& package, REGSAM view = 0)
    {
        HKEY key = nullptr;
        std::wstring path = L"Software\\GlimraTests\\Packages\\" + package;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) !=
            ERROR_SUCCESS)
            return std::wstring();
        wchar_t buffer[512] = {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t), type = 0;
        LONG result = RegQueryValueExW(key, L"Properties", nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS && type == REG_SZ ? buffer : L"";
    }
};

} // namespace

TEST_F(MsiPackages, TablePackageIsInstalledWithItsProperties)
{
    State().languageKey = L"zh_cn";
    State().officeBits = 0;
    State().netVersion = L"4.8";
    const std::wstring package = DistributionFolder() + L"\\Msi\\" +
                                 TablePackageName(State().languageKey, State().officeBits);
    EXPECT_TRUE(MsiInstallWithCommandLine(
        package, TableProperties(State().officeBits, State().netVersion), notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);
    EXPECT_EQ(Recorded(L"QxTable_CHS_x86"), L"OFFICEBITVER=0 NETVER=4.8");
    // The package's language reached the handler through its common-data message.
    EXPECT_EQ(MsiErrorLanguage(), 1033u);
}

TEST_F(MsiPackages, MsxmlIsInstalledWithoutCommandLine)
{
    EXPECT_TRUE(MsiInstall(DistributionFolder() + L"\\Msi\\msxml6.msi", notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganAndEnded);
    EXPECT_EQ(Recorded(L"msxml6"), L"OFFICEBITVER= NETVER=");
}

TEST_F(MsiPackages, SixtyFourBitPackageIsInstalled)
{
    EXPECT_TRUE(MsiInstall(DistributionFolder() + L"\\Msi\\msxml6_x64.msi", nullptr));
    EXPECT_EQ(Recorded(L"msxml6_x64", KEY_WOW64_64KEY), L"OFFICEBITVER= NETVER=");
}

TEST_F(MsiPackages, ExemptPackagesFailWithoutAMessage)
{
    // Packages that cannot be opened fail before Windows Installer has anything to say,
    // so any box on the way would be the runner's own (and hang this test).
    const std::wstring folder = MsiFolder();
    for (const wchar_t* name : {L"msxml6.msi", L"QxTable_ENG_x64.msi"})
        ASSERT_TRUE(scratch_.WriteFile(std::wstring(L"Msi\\") + name, "not a package"));
    EXPECT_FALSE(MsiInstall(folder + L"\\msxml6.msi", notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganOnly);
    EXPECT_FALSE(MsiInstallWithCommandLine(folder + L"\\QxTable_ENG_x64.msi",
                                           L"OFFICEBITVER=1 NETVER=", notices_.Handle()));
    EXPECT_EQ(notices_.Notices(), kBeganOnly);
    // A table package that is missing is not reported either.
    EXPECT_FALSE(MsiInstallWithCommandLine(Scratch() + L"\\Msi\\QxTable_CHS_x64.msi.absent",
                                           L"OFFICEBITVER=1 NETVER=", nullptr));
    EXPECT_EQ(Recorded(L"msxml6"), L"");
    EXPECT_EQ(Recorded(L"QxTable_ENG_x64"), L"");
}

TEST_F(MsiPackages, HandlerAnswersTheKindsThatShowNothing)
{
    struct Case {
        UINT type;
        int result;
    };
    const Case cases[] = {
        {0x03000000, 1}, {0x04000000, 1}, {0x05000000, 0}, {0x06000000, 0}, {0x07000000, 1},
        {0x08000000, 1}, {0x09000000, 1}, {0x0A000000, 1}, {0x0B000000, 1}, {0x0C000000, 1},
        {0x0D000000, 1}, {0x0E000000, 1}, {0x0F000000, 0}, {0x10000000, 0}, {0x7F000030, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MsiMessageHandler(nullptr, c.type, L"text"), c.result) << std::hex << c.type;
    // No text: 0, whatever the kind, and no box.
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x01000010, nullptr), 0);
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x04000000, nullptr), 0);
}

TEST_F(MsiPackages, HandlerTakesTheErrorLanguageFromCommonData)
{
    EXPECT_EQ(MsiErrorLanguage(), 0u);
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x0B000000, L"1: 0 2: 1041 3: 932 "), 1);
    EXPECT_EQ(MsiErrorLanguage(), 1041u);
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x0B000000, L"1: 1 2: 2052 "), 1);
    EXPECT_EQ(MsiErrorLanguage(), 1041u);
    EXPECT_EQ(MsiMessageHandler(nullptr, 0x0B000000, nullptr), 0);
    EXPECT_EQ(MsiErrorLanguage(), 1041u);
}

TEST_F(MsiPackages, HandlerSwitchesToTheBasicInterfaceOnItsFirstCallOnly)
{
    using SetInternalUi = int(WINAPI*)(int, HWND*);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    HMODULE msi = LoadLibraryW((std::wstring(system) + L"\\msi.dll").c_str());
    ASSERT_NE(msi, nullptr);
    auto set_internal_ui = reinterpret_cast<SetInternalUi>(
        reinterpret_cast<void*>(GetProcAddress(msi, "MsiSetInternalUI")));
    ASSERT_NE(set_internal_ui, nullptr);

    set_internal_ui(2, nullptr); // none
    MsiMessageHandler(nullptr, 0x04000000, L"first");
    EXPECT_EQ(set_internal_ui(2, nullptr), 3); // it was basic
    MsiMessageHandler(nullptr, 0x04000000, L"second");
    EXPECT_EQ(set_internal_ui(2, nullptr), 2); // left alone
    FreeMsiLibrary();
    FreeLibrary(msi);
}
