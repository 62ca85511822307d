#include "setup/engine/system_paths.h"

#include <vector>

namespace glimra::setup {

std::wstring SystemFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return std::wstring();
    return std::wstring(buffer, length);
}

std::wstring SystemFilePath(const std::wstring& file_name)
{
    return SystemFolder() + L"\\" + file_name;
}

HMODULE LoadSystemLibrary(const std::wstring& file_name)
{
    std::wstring folder = SystemFolder();
    if (folder.empty())
        return nullptr;
    // A full path, and the library's own dependencies searched from its folder first.
    return LoadLibraryExW((folder + L"\\" + file_name).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::wstring SetupFolder()
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace glimra::setup
