#include "testing/support/registry_override.h"

#include <windows.h>

#include <atomic>
#include <ctime>
#include <vector>

namespace glimra::testing {

namespace {

const wchar_t kScratchRoot[] = L"Software\\GlimraTests";
// Scratch keys older than this are left over from a run that crashed.
constexpr long long kStaleSeconds = 24 * 60 * 60;

struct PredefinedKey {
    HKEY key;
    const wchar_t* name;
};
const PredefinedKey kOverridden[] = {
    {HKEY_LOCAL_MACHINE, L"HKLM"}, {HKEY_CURRENT_USER, L"HKCU"}, {HKEY_CLASSES_ROOT, L"HKCR"}};

void SweepStaleScratchKeys(HKEY root)
{
    HKEY parent = nullptr;
    if (RegOpenKeyExW(root, kScratchRoot, 0, KEY_READ | KEY_WRITE, &parent) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> stale;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        long long created = _wtoi64(name);
        if (created > 0 && std::time(nullptr) - created > kStaleSeconds)
            stale.push_back(name);
    }
    for (const auto& key : stale)
        RegDeleteTreeW(parent, key.c_str());
    RegCloseKey(parent);
}

} // namespace

RegistryOverride::RegistryOverride()
{
    static std::atomic<unsigned> counter{0};
    SweepStaleScratchKeys(HKEY_CURRENT_USER);
    scratch_ = std::wstring(kScratchRoot) + L"\\" + std::to_wstring(std::time(nullptr)) + L"-" +
               std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);

    active_ = true;
    for (const auto& predefined : kOverridden) {
        HKEY target = nullptr;
        std::wstring path = scratch_ + L"\\" + predefined.name;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &target, nullptr) != ERROR_SUCCESS) {
            active_ = false;
            continue;
        }
        if (RegOverridePredefKey(predefined.key, target) != ERROR_SUCCESS)
            active_ = false;
        RegCloseKey(target);
    }
}

RegistryOverride::~RegistryOverride()
{
    for (const auto& predefined : kOverridden)
        RegOverridePredefKey(predefined.key, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, scratch_.c_str());
}

bool SetRegistryString(void* root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(static_cast<HKEY>(root), key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(handle, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool SetRegistryDword(void* root, const std::wstring& key, const std::wstring& name,
                      unsigned long value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(static_cast<HKEY>(root), key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD data = value;
    LONG result = RegSetValueExW(handle, name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&data), sizeof(data));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool GetRegistryString(void* root, const std::wstring& key, const std::wstring& name,
                       std::wstring& value)
{
    DWORD type = 0, size = 0;
    if (RegGetValueW(static_cast<HKEY>(root), key.c_str(), name.c_str(), RRF_RT_REG_SZ, &type,
                     nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
    if (RegGetValueW(static_cast<HKEY>(root), key.c_str(), name.c_str(), RRF_RT_REG_SZ, &type,
                     buffer.data(), &size) != ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());
    return true;
}

} // namespace glimra::testing
