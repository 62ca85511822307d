#include "setup/engine/folder_cleanup.h"

#include <windows.h>

namespace glimra::setup {

namespace {

bool IsDotEntry(const wchar_t* name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

} // namespace

// Both tests use the wide form of the path: its ANSI form would turn characters the
// code page lacks into '?' and test a name that cannot exist.
bool FileExists(const std::wstring& path)
{
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolderEmpty(const std::wstring& folder)
{
    if (!FileExists(folder))
        return true;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        if (!IsDotEntry(entry.cFileName)) {
            empty = false;
            break;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return empty;
}

void RemoveEmptyFolders(const std::wstring& folder)
{
    if (folder.empty() || GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    int files_seen = 0;
    bool may_remove_folder = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotEntry(entry.cFileName))
                continue;
            const std::wstring path = folder + L"\\" + entry.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ++files_seen;
                continue;
            }
            RemoveEmptyFolders(path);
            if (files_seen == 0)
                RemoveDirectoryW(path.c_str()); // fails harmlessly when not empty
            else
                may_remove_folder = false;
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    if (may_remove_folder && files_seen == 0)
        RemoveDirectoryW(folder.c_str()); // fails harmlessly when not empty
}

} // namespace glimra::setup
