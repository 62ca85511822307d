#include "setup/app/probes.h"

#include "framework/text.h"
#include "setup/app/net_version.h"
#include "setup/app/program_bitness.h"
#include "setup/app/registry_reader.h"
#include "setup/app/setup_state.h"
#include "setup/app/uninstall_key.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

namespace glimra::setup {

namespace {

const wchar_t kNdpKey[] = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP";
constexpr size_t kSubkeyNameChars = 1024;
constexpr size_t kNetVersionChars = 256;

const wchar_t kExcelCurVerKey[] = L"Excel.Application\\CurVer";
const wchar_t kExcelAppPathKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe";
constexpr size_t kExcelCurVerChars = 256;
constexpr size_t kExcelFolderChars = 128;

const wchar_t kProductImage[] = L"orvd.exe";

constexpr size_t kPlatformChars = 129;
constexpr size_t kInstallLocationChars = 259;

void AddOnce(std::vector<std::wstring>& list, const std::wstring& item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// The versions below one NDP subkey of family 4 or later: "Version" of each subkey.
void CollectVersionsBelow(const RegistryReader& family, std::vector<std::wstring>& collected)
{
    for (const auto& name : family.SubkeyNames(kSubkeyNameChars)) {
        RegistryReader profile;
        std::wstring version;
        if (profile.Open(family, name) && profile.ReadString(L"Version", kNetVersionChars, version))
            AddOnce(collected, version);
    }
}

std::vector<std::wstring> CollectNetVersions()
{
    std::vector<std::wstring> collected;
    RegistryReader ndp;
    if (!ndp.Open(HKEY_LOCAL_MACHINE, kNdpKey))
        return collected;
    for (const auto& name : ndp.SubkeyNames(kSubkeyNameChars)) {
        std::wstring lower = framework::ToLower(name);
        int major = NdpSubkeyMajor(lower);
        if (major == 2 || major == 3) {
            AddOnce(collected, lower);
        } else if (major >= 4) {
            RegistryReader family;
            if (family.Open(ndp, name))
                CollectVersionsBelow(family, collected);
        }
    }
    return collected;
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MarkNotInstalled(SetupState& state)
{
    state.installed = 0;
    state.maintenanceAction = 0;
}

} // namespace

void ProbeNetVersion(SetupState& state)
{
    state.netVersion = ChooseNetVersion(CollectNetVersions());
}

void ProbeExcelBitness(SetupState& state)
{
    RegistryReader curVer;
    std::wstring excelVersion;
    if (!curVer.Open(HKEY_CLASSES_ROOT, kExcelCurVerKey) ||
        !curVer.ReadString(nullptr, kExcelCurVerChars, excelVersion))
        return;
    RegistryReader appPath;
    std::wstring folder;
    if (!appPath.Open(HKEY_LOCAL_MACHINE, kExcelAppPathKey) ||
        !appPath.ReadString(L"Path", kExcelFolderChars, folder) || folder.empty() ||
        !IsFolder(folder))
        return;
    int bitness = 0;
    if (!ReadProgramBitness(framework::FormatText(L"%s\\excel.exe", folder.c_str()), bitness))
        return;
    if (bitness == 32)
        state.officeBits = 0;
    else if (bitness == 64)
        state.officeBits = 1;
}

unsigned long FindRunningProduct()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    unsigned long found = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more && found == 0;
         more = Process32NextW(snapshot, &entry)) {
        if (wcscmp(entry.szExeFile, kProductImage) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

void FindInstalledProduct(SetupState& state)
{
    RegistryReader key;
    if (!key.Open(HKEY_LOCAL_MACHINE, UninstallKeyName(state)) &&
        !key.Open(HKEY_LOCAL_MACHINE, EarlierUninstallKeyName(state.languageKey))) {
        MarkNotInstalled(state);
        return;
    }
    std::wstring platform;
    if (!key.ReadString(L"Platfrom", kPlatformChars, platform)) {
        MarkNotInstalled(state);
        return;
    }
    state.installed64Bit = platform == L"x86" ? 0 : 1;
    std::wstring location;
    if (!key.ReadString(L"InstallLocation", kInstallLocationChars, location)) {
        MarkNotInstalled(state);
        return;
    }
    state.installDir = location;
    state.installed = 1;
}

void ProbeNetVersion()
{
    ProbeNetVersion(TheSetupState());
}

void ProbeExcelBitness()
{
    ProbeExcelBitness(TheSetupState());
}

void FindInstalledProduct()
{
    FindInstalledProduct(TheSetupState());
}

} // namespace glimra::setup
