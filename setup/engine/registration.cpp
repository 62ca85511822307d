#include "setup/engine/registration.h"

#include "framework/message_box.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"
#include "setup/app/uninstall_key.h"
#include "setup/engine/catalogue.h"
#include "setup/engine/command_lines.h"
#include "setup/engine/install_log.h"
#include "setup/engine/log_entries.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>
#include <vector>

namespace glimra::setup {

const wchar_t kSetupKey[] = L"SOFTWARE\\Tarvel\\DWGGlimra\\DWGGlimra_Setup\\";

namespace {

// Opens a key below HKEY_LOCAL_MACHINE for writing, creating it when it cannot be
// opened; null, after the registry error box, when neither works.
HKEY OpenKeyForWriting(const std::wstring& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
        return key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        return key;
    framework::ShowMessageBox(nullptr, LoadResourceText(kTextRegistryError),
                              TheSetupState().productName, MB_OK);
    return nullptr;
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& data)
{
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(HKEY key, const wchar_t* name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return std::wstring();
    return buffer;
}

// The shortcut's folder with its trailing backslash, created where needed; empty when
// the place is unknown or its folder cannot be found.
std::wstring ShortcutFolder(int place)
{
    if (place != kAllUsersDesktop && place != kStartMenuFolder)
        return std::wstring();
    std::wstring folder = SpecialFolder(place == kAllUsersDesktop ? CSIDL_COMMON_DESKTOPDIRECTORY
                                                                  : CSIDL_COMMON_PROGRAMS);
    if (folder.empty())
        return folder;
    folder += L"\\";
    if (place == kStartMenuFolder) {
        const SetupState& state = TheSetupState();
        folder += state.companyName + L"\\" + state.productName + L"\\";
        CreateFolderPath(folder);
    }
    return folder;
}

// Saves a shell link to `file`; COM is initialised by the caller.
bool SaveShellLink(const std::wstring& file, const std::wstring& target)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(TheSetupState().installDir.c_str());
    IPersistFile* persist = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        saved = SUCCEEDED(persist->Save(file.c_str(), TRUE));
        persist->Release();
    }
    link->Release();
    return saved;
}

} // namespace

void WriteSetupKey()
{
    const SetupState& state = TheSetupState();
    HKEY key = OpenKeyForWriting(kSetupKey);
    if (key == nullptr)
        return;
    SetString(key, L"path", state.installDir);
    SetString(key, L"language", state.languageId);
    SetNumber(key, L"NUM", state.numParameter);
    SetString(key, L"LicLang", state.languageRaw);
    SetNumber(key, L"NetTest", state.netTest);
    SetString(key, L"RegLang", ReplaceCharacter(state.languageRaw, L'_', L'-'));
    RegCloseKey(key);
}

void RegisterProduct()
{
    SetupState& state = TheSetupState();
    std::wstring key_name = UninstallKeyName(state);
    HKEY key = OpenKeyForWriting(key_name);
    if (key == nullptr)
        return;

    std::wstring suffix = LoadResourceText(kTextDisplayNameSuffix);
    std::wstring display_name = state.productName + (suffix.empty() ? L"" : L" - " + suffix);
    // The values in the order written; the log shows productName as DisplayName.
    const std::vector<std::pair<const wchar_t*, std::wstring>> values = {
        {L"InstallLocation", state.installDir},
        {L"DisplayName", display_name},
        {L"DisplayIcon", state.installDir + catalogue::kProductProgram},
        {L"UninstallString", state.installDir + L"\\setup.exe"},
        {L"Platfrom", state.wow64Package != 0 ? L"x64" : L"x86"},
        {L"Publisher", LoadResourceText(kTextPublisher)},
        {L"HelpLink", LoadResourceText(kTextPublisherWebAddress)}};
    for (const auto& [name, data] : values)
        SetString(key, name, data);

    AppendInstallLog(RegStrEntry(key_name, L"DisplayName", state.productName));
    AppendInstallLog(RegStrEntry(key_name, L"InstallLocation", state.installDir));
    for (size_t i = 2; i < values.size(); ++i)
        AppendInstallLog(RegStrEntry(key_name, values[i].first, values[i].second));
    AppendInstallLog(RegDwordVersionEntry(key_name));
    RegCloseKey(key);

    std::wstring launcher = state.installDir + catalogue::kLauncher;
    MakeShortcut(LoadResourceText(kTextProductName), launcher, kAllUsersDesktop);
    MakeShortcut(state.productName, launcher, kStartMenuFolder);
    MakeShortcut(LoadResourceText(kTextUninstallShortcut), state.installDir + L"\\setup.exe",
                 kStartMenuFolder);
    MakeShortcut(LoadResourceText(kTextWebsiteShortcut), state.installDir + L"\\Website.url",
                 kStartMenuFolder);

    for (const auto& entry : UninstallerCopyEntries(state.installDir))
        AppendInstallLog(entry);
}

bool MakeShortcut(const std::wstring& name, const std::wstring& target, int place)
{
    HRESULT com = CoInitialize(nullptr);
    if (FAILED(com))
        return false;
    bool saved = false;
    std::wstring folder = ShortcutFolder(place);
    if (!folder.empty()) {
        std::wstring file = folder + name + L".lnk";
        saved = SaveShellLink(file, target);
        if (saved)
            AppendInstallLog(ShortcutEntry(file, target));
    }
    CoUninitialize();
    return saved;
}

} // namespace glimra::setup
