#include "setup/app/registry_reader.h"

#include <algorithm>

namespace glimra::setup {

namespace {
// The installer is a 32-bit program, so the registry it sees by default is the 32-bit
// view. (Asking for that view explicitly would change nothing on Windows, but makes
// Wine bypass a test's override of HKEY_CLASSES_ROOT.)
static_assert(sizeof(void*) == 4, "the installer reads the registry as a 32-bit program");
constexpr REGSAM kReadIn32BitView = KEY_READ;
} // namespace

RegistryReader::~RegistryReader()
{
    if (key_)
        RegCloseKey(key_);
}

bool RegistryReader::Open(HKEY root, const std::wstring& path)
{
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
    if (root == nullptr)
        return false;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, kReadIn32BitView, &opened) != ERROR_SUCCESS)
        return false;
    key_ = opened;
    return true;
}

bool RegistryReader::Open(const RegistryReader& parent, const std::wstring& path)
{
    return Open(parent.key_, path);
}

bool RegistryReader::ReadString(const wchar_t* name, size_t max_chars, std::wstring& value) const
{
    if (!key_)
        return false;
    std::vector<wchar_t> buffer(max_chars + 1);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false; // ERROR_MORE_DATA: longer than the limit
    auto units = buffer.begin() + size / sizeof(wchar_t);
    if (units == buffer.begin()) {
        value.clear();
        return true;
    }
    auto terminator = std::find(buffer.begin(), units, L'\0');
    if (terminator == units)
        return false;
    value.assign(buffer.begin(), terminator);
    return true;
}

std::vector<std::wstring> RegistryReader::SubkeyNames(size_t max_chars) const
{
    std::vector<std::wstring> names;
    if (!key_)
        return names;
    std::vector<wchar_t> buffer(max_chars + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG result =
            RegEnumKeyExW(key_, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

} // namespace glimra::setup
