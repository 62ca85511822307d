#pragma once
// File and folder tests and the removal of empty folders that the uninstall uses.

#include <string>

namespace glimra::setup {

// True when a file or folder of that name exists.
bool FileExists(const std::wstring& path);
// True when the folder does not exist or holds no entry besides "." and "..".
bool IsFolderEmpty(const std::wstring& folder);
// Removes the empty sub-folders of `folder`, and `folder` itself, as far as no file
// seen before them in their parent stands in the way; clears the read-only, hidden
// and system attributes of every entry on the way. Never deletes a file.
void RemoveEmptyFolders(const std::wstring& folder);

} // namespace glimra::setup
