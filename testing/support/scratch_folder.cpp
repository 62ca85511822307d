#include "testing/support/scratch_folder.h"

#include <windows.h>

#include <atomic>

namespace glimra::testing {

namespace {

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring path(buffer, length);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring FileName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

ScratchFolder::ScratchFolder()
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        path_ = TempFolder() + L"\\glimra-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return; // Path() then names no folder and every use of it fails visibly
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

bool ScratchFolder::CopyIn(const std::wstring& source, const std::wstring& new_name) const
{
    std::wstring target = path_ + L"\\" + (new_name.empty() ? FileName(source) : new_name);
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool ScratchFolder::WriteFile(const std::wstring& relative, const std::string& bytes) const
{
    std::wstring target = path_ + L"\\" + relative;
    for (size_t i = path_.size() + 1; i < target.size(); ++i) {
        if (target[i] == L'\\')
            CreateDirectoryW(target.substr(0, i).c_str(), nullptr);
    }
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE ||
           GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

} // namespace glimra::testing
