#include <gtest/gtest.h>

#include "setup/app/probes.h"
#include "setup/app/setup_state.h"
#include "setup/app/tests/pe_images.h"
#include "setup/app/uninstall_key.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <optional>
#include <string>

using namespace glimra::setup;
using glimra::testing::ProgramFolder;
using glimra::testing::RegistryOverride;
using glimra::testing::ScratchFolder;
using glimra::testing::SetRegistryDword;
using glimra::testing::SetRegistryString;

namespace {

const wchar_t kNdp[] = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP";
const wchar_t kAppPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe";
const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Writes raw value data, for values that are not proper strings.
bool SetRawValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data,
                 DWORD size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

class Probes : public ::testing::Test {
protected:
    void SetUp() override { FreshRegistry(); }

    // Starts over with empty scratch keys (overrides are never nested).
    void FreshRegistry()
    {
        registry_.reset();
        registry_.emplace();
        ASSERT_TRUE(registry_->Active());
    }

    bool RegisterNet(const std::wstring& subkey, const wchar_t* version)
    {
        return SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\" + subkey,
                                 L"Version", version);
    }

    std::optional<RegistryOverride> registry_;
    SetupState state_;
};

using NetProbe = Probes;

TEST_F(NetProbe, PicksTheGreatestRegisteredFamily)
{
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\v2.0.50727",
                                  L"Version", L"2.0.50727.4927"));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\v3.5", L"Version",
                                  L"3.5.30729.4926"));
    ASSERT_TRUE(RegisterNet(L"v4\\Full", L"4.8.04084"));
    ASSERT_TRUE(RegisterNet(L"v4\\Client", L"4.8.04084"));
    ProbeNetVersion(state_);
    EXPECT_EQ(state_.netVersion, L"4.8");
}

TEST_F(NetProbe, WithoutTheNdpKeyFindsNothing)
{
    state_.netVersion = L"stale";
    ProbeNetVersion(state_);
    EXPECT_EQ(state_.netVersion, L"");
}

TEST_F(NetProbe, OnlyOlderFamiliesStillPass)
{
    // v3.5 is collected by its name; v1.1 is skipped; CDF has no version digit.
    ASSERT_TRUE(
        SetRegistryDword(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\v3.5", L"Install", 1));
    ASSERT_TRUE(RegisterNet(L"v1.1.4322", L"1.1.4322"));
    ASSERT_TRUE(RegisterNet(L"CDF\\v4.0", L"4.8.04084"));
    ProbeNetVersion(state_);
    EXPECT_EQ(state_.netVersion, L"4.0");
}

TEST_F(NetProbe, ReadsVersionsBelowFamilyFourOnly)
{
    // Family 4: the name itself does not count, only the Version values below it.
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\V4.0", L"Version",
                                  L"4.8.0"));
    ASSERT_TRUE(RegisterNet(L"V4.0\\Client", L"4.0.30319"));
    ProbeNetVersion(state_);
    EXPECT_EQ(state_.netVersion, L"4.0");
}

TEST_F(NetProbe, SkipsVersionsThatAreNoProperStrings)
{
    ASSERT_TRUE(RegisterNet(L"v4\\Client", L"4.5.51209"));
    std::wstring tooLong = L"4.8." + std::wstring(300, L'9');
    ASSERT_TRUE(RegisterNet(L"v4\\Full", tooLong.c_str()));
    ASSERT_TRUE(
        SetRegistryDword(HKEY_LOCAL_MACHINE, std::wstring(kNdp) + L"\\v4\\Extra", L"Version", 48));
    ProbeNetVersion(state_);
    EXPECT_EQ(state_.netVersion, L"4.5");
}

class ExcelProbe : public Probes {
protected:
    void RegisterExcel(const std::wstring& folder)
    {
        ASSERT_TRUE(SetRegistryString(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer", L"",
                                      L"Excel.Application.16"));
        ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kAppPath, L"Path", folder));
    }

    ScratchFolder office_;
};

TEST_F(ExcelProbe, ReadsTheBitnessOfTheRegisteredProgram)
{
    ASSERT_TRUE(office_.WriteFile(L"excel.exe", test::ProgramImage(0x8664)));
    RegisterExcel(office_.Path());
    ProbeExcelBitness(state_);
    EXPECT_EQ(state_.officeBits, 1);

    ASSERT_TRUE(office_.CopyIn(ProgramFolder() + L"\\Setup.exe", L"excel.exe"));
    state_.officeBits = 1;
    ProbeExcelBitness(state_);
    EXPECT_EQ(state_.officeBits, 0);
}

TEST_F(ExcelProbe, AcceptsAFolderWithATrailingBackslash)
{
    ASSERT_TRUE(office_.WriteFile(L"excel.exe", test::ProgramImage(0x8664)));
    RegisterExcel(office_.Path() + L"\\");
    ProbeExcelBitness(state_);
    EXPECT_EQ(state_.officeBits, 1);
}

TEST_F(ExcelProbe, LeavesOfficeBitsWhenNothingIsFound)
{
    ASSERT_TRUE(office_.WriteFile(L"excel.exe", test::ProgramImage(0x8664)));
    const struct {
        const char* what;
        void (*arrange)(const std::wstring& folder);
    } cases[] = {
        {"no registration at all", [](const std::wstring&) {}},
        {"no CurVer class key",
         [](const std::wstring& folder) {
             SetRegistryString(HKEY_LOCAL_MACHINE, kAppPath, L"Path", folder);
         }},
        {"no App Paths entry",
         [](const std::wstring&) {
             SetRegistryString(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer", L"", L"E.16");
         }},
        {"empty folder value",
         [](const std::wstring&) {
             SetRegistryString(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer", L"", L"E.16");
             SetRegistryString(HKEY_LOCAL_MACHINE, kAppPath, L"Path", L"");
         }},
        {"folder that does not exist",
         [](const std::wstring& folder) {
             SetRegistryString(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer", L"", L"E.16");
             SetRegistryString(HKEY_LOCAL_MACHINE, kAppPath, L"Path", folder + L"\\gone");
         }},
        {"folder value longer than 128 characters",
         [](const std::wstring& folder) {
             SetRegistryString(HKEY_CLASSES_ROOT, L"Excel.Application\\CurVer", L"", L"E.16");
             SetRegistryString(HKEY_LOCAL_MACHINE, kAppPath, L"Path",
                               folder + L"\\" + std::wstring(130, L'x'));
         }},
    };
    for (const auto& c : cases) {
        FreshRegistry();
        c.arrange(office_.Path());
        state_.officeBits = 7;
        ProbeExcelBitness(state_);
        EXPECT_EQ(state_.officeBits, 7) << c.what;
    }
    // A program of another machine type leaves it too.
    ASSERT_TRUE(office_.WriteFile(L"excel.exe", test::ProgramImage(0xAA64)));
    RegisterExcel(office_.Path());
    ProbeExcelBitness(state_);
    EXPECT_EQ(state_.officeBits, 7);
}

class InstalledProduct : public Probes {
protected:
    void SetUp() override
    {
        Probes::SetUp();
        state_.languageKey = L"fr_fr";
        state_.installDir = L"C:\\From the settings";
        state_.maintenanceAction = 3;
    }
    std::wstring Key() { return UninstallKeyName(state_); }
    void Register(const std::wstring& key, const wchar_t* platform, const wchar_t* location)
    {
        if (platform) {
            ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, L"Platfrom", platform));
        }
        if (location) {
            ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, key, L"InstallLocation", location));
        }
    }
    void ExpectNotInstalled(const char* what)
    {
        EXPECT_EQ(state_.installed, 0) << what;
        EXPECT_EQ(state_.maintenanceAction, 0) << what;
        EXPECT_EQ(state_.installDir, L"C:\\From the settings") << what;
    }
};

TEST_F(InstalledProduct, KeyNamesCarryTheLanguage)
{
    EXPECT_EQ(Key(), std::wstring(kUninstall) + L"DWGGlimra_fr_fr");
    EXPECT_EQ(EarlierUninstallKeyName(L"fr_fr"), std::wstring(kUninstall) + L"DWG Glimra_fr_fr");
    EXPECT_EQ(EarlierUninstallKeyName(L"zh_cn"), std::wstring(kUninstall) + L"GlimraViewer_zh_cn");
}

TEST_F(InstalledProduct, FindsTheInstallationAndItsBitness)
{
    const struct {
        const wchar_t* platform;
        int installed64Bit;
    } cases[] = {{L"x86", 0}, {L"x64", 1}, {L"X86", 1}, {L"", 1}};
    for (const auto& c : cases) {
        FreshRegistry();
        Register(Key(), c.platform, L"D:\\Glimra");
        state_.installed64Bit = 5;
        FindInstalledProduct(state_);
        EXPECT_EQ(state_.installed, 1) << "Platfrom \"" << c.platform << "\"";
        EXPECT_EQ(state_.installed64Bit, c.installed64Bit) << "Platfrom \"" << c.platform << "\"";
        EXPECT_EQ(state_.installDir, L"D:\\Glimra");
        EXPECT_EQ(state_.maintenanceAction, 3);
    }
}

TEST_F(InstalledProduct, FallsBackToTheEarlierKeyName)
{
    Register(EarlierUninstallKeyName(L"fr_fr"), L"x86", L"E:\\Old Glimra");
    FindInstalledProduct(state_);
    EXPECT_EQ(state_.installed, 1);
    EXPECT_EQ(state_.installDir, L"E:\\Old Glimra");
}

TEST_F(InstalledProduct, PrefersTheCurrentKeyName)
{
    Register(EarlierUninstallKeyName(L"fr_fr"), L"x86", L"E:\\Old Glimra");
    Register(Key(), L"x64", L"D:\\New Glimra");
    FindInstalledProduct(state_);
    EXPECT_EQ(state_.installDir, L"D:\\New Glimra");
    EXPECT_EQ(state_.installed64Bit, 1);
}

TEST_F(InstalledProduct, OtherLanguagesAreNotFound)
{
    state_.languageKey = L"zh_cn";
    Register(std::wstring(kUninstall) + L"DWGGlimra_fr_fr", L"x86", L"D:\\Glimra");
    Register(std::wstring(kUninstall) + L"DWG Glimra_zh_cn", L"x86", L"D:\\Glimra");
    FindInstalledProduct(state_);
    ExpectNotInstalled("only other names present");
}

TEST_F(InstalledProduct, MissingPlatformMeansNotInstalled)
{
    FindInstalledProduct(state_);
    ExpectNotInstalled("no key");
    Register(Key(), nullptr, L"D:\\Glimra");
    FindInstalledProduct(state_);
    ExpectNotInstalled("no Platfrom");
}

TEST_F(InstalledProduct, MissingLocationKeepsTheBitnessRead)
{
    Register(Key(), L"x86", nullptr);
    state_.installed64Bit = 1;
    FindInstalledProduct(state_);
    ExpectNotInstalled("no InstallLocation");
    EXPECT_EQ(state_.installed64Bit, 0);
}

TEST_F(InstalledProduct, MalformedValuesMeanNotInstalled)
{
    const DWORD number = 86;
    // Written without its terminator: the unit after the data is not zero, so the
    // registry does not add one either.
    const wchar_t unterminated[] = L"x86Z";
    std::wstring platformAtLimit(129, L'p');
    std::wstring platformTooLong(130, L'p');
    std::wstring locationTooLong = L"D:\\" + std::wstring(257, L'l');
    const struct {
        const char* what;
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD size;
    } cases[] = {
        {"Platfrom a number", L"Platfrom", REG_DWORD, &number, sizeof(number)},
        {"Platfrom not terminated", L"Platfrom", REG_SZ, unterminated, 3 * sizeof(wchar_t)},
        {"Platfrom of 130 characters", L"Platfrom", REG_SZ, platformTooLong.c_str(),
         DWORD((platformTooLong.size() + 1) * sizeof(wchar_t))},
        {"InstallLocation of 260 characters", L"InstallLocation", REG_SZ, locationTooLong.c_str(),
         DWORD((locationTooLong.size() + 1) * sizeof(wchar_t))},
        {"InstallLocation a number", L"InstallLocation", REG_DWORD, &number, sizeof(number)},
    };
    for (const auto& c : cases) {
        FreshRegistry();
        state_.installDir = L"C:\\From the settings";
        Register(Key(), L"x86", L"D:\\Glimra");
        ASSERT_TRUE(SetRawValue(Key(), c.name, c.type, c.data, c.size)) << c.what;
        FindInstalledProduct(state_);
        ExpectNotInstalled(c.what);
    }
    // The limits themselves still fit: 129 for Platfrom, 259 for InstallLocation.
    FreshRegistry();
    std::wstring locationAtLimit = L"D:\\" + std::wstring(256, L'l');
    Register(Key(), platformAtLimit.c_str(), locationAtLimit.c_str());
    FindInstalledProduct(state_);
    EXPECT_EQ(state_.installed, 1);
    EXPECT_EQ(state_.installDir, locationAtLimit);
}

TEST_F(InstalledProduct, EmptyValuesAreStrings)
{
    Register(Key(), L"", L"");
    ASSERT_TRUE(SetRawValue(Key(), L"Platfrom", REG_SZ, L"", 0));
    FindInstalledProduct(state_);
    EXPECT_EQ(state_.installed, 1);
    EXPECT_EQ(state_.installed64Bit, 1);
    EXPECT_EQ(state_.installDir, L"");
}

} // namespace
