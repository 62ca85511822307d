#include "setup/app/setup_ini.h"

#include "framework/text.h"
#include "setup/app/language_table.h"
#include "setup/app/path_text.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"

#include <windows.h>

#include <vector>

namespace glimra::setup {

namespace {

// Every string value is read into a buffer of this many units (longer values are cut).
constexpr DWORD kValueUnits = 260;

class ProfileFile {
public:
    explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

    std::wstring String(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const
    {
        wchar_t buffer[kValueUnits] = {};
        DWORD length =
            GetPrivateProfileStringW(section, key, fallback, buffer, kValueUnits, path_.c_str());
        return std::wstring(buffer, length < kValueUnits ? length : kValueUnits - 1);
    }

    int Integer(const wchar_t* section, const wchar_t* key, int fallback) const
    {
        return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, path_.c_str()));
    }

private:
    std::wstring path_;
};

bool IsFile(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Trimmed, and `fallback` when nothing is left.
std::wstring TrimmedOr(const std::wstring& value, const wchar_t* fallback)
{
    std::wstring trimmed = framework::Trim(value);
    return trimmed.empty() ? fallback : trimmed;
}

std::wstring InstallFolderSetting(const ProfileFile& ini, const SetupState& state)
{
    if (state.wow64Package == 1)
        return ini.String(L"SETUP", L"PATH", L"C:\\Program Files\\Tarvel\\Glimra\\");
    if (state.os64Bit == 1)
        return ini.String(L"x64", L"SETUP_DEST", L"C:\\Program Files (x86)\\Tarvel\\Glimra");
    return ini.String(L"x86", L"SETUP_DEST", L"C:\\Program Files\\Tarvel\\Glimra");
}

} // namespace

bool ReadSetupIni(SetupState& state, const std::wstring& programPath)
{
    std::wstring iniPath = FolderOf(programPath) + L"\\Setup.ini";
    if (!IsFile(iniPath))
        return false;
    ProfileFile ini(iniPath);

    std::wstring name = LoadResourceText(state, kTextProductName);
    state.productName = framework::Trim(name.empty() ? kTextProductName.fallback : name);

    state.companyName = TrimmedOr(ini.String(L"SETUP", L"COMPANYNAME", L""), L"Tarvel");
    state.version = TrimmedOr(ini.String(L"SETUP", L"VERSION", L""), L"16.0");
    state.wow64Package = ini.Integer(L"SETUP", L"WOW64", 0);

    state.installDir = RemoveTrailingBackslashes(framework::Trim(InstallFolderSetting(ini, state)));

    state.languageRaw = ini.String(L"RES", L"LANGUAGE", L"");
    state.languageKey = framework::ToLower(state.languageRaw);
    state.languageId = LanguageIdFor(state.languageKey);

    state.netTest = ini.Integer(L"RES", L"NetTest", 0);
    state.globalServer = ini.String(L"InfoCollection", L"GlobalServer", L"");
    state.channel = ini.String(L"InfoCollection", L"Channel", L"0");
    return true;
}

std::wstring RunningProgramPath()
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length < buffer.size() ? length : 0);
}

bool ReadSetupIni()
{
    return ReadSetupIni(TheSetupState(), RunningProgramPath());
}

} // namespace glimra::setup
