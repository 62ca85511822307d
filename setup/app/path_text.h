#pragma once
// Small rules on folder texts. Pure logic on standard strings.

#include <string>

namespace glimra::setup {

// `path` without any backslash at its end ("D:\Apps\\\" gives "D:\Apps").
std::wstring RemoveTrailingBackslashes(const std::wstring& path);
// The folder part of a full file path: everything before its last backslash
// (empty when there is none).
std::wstring FolderOf(const std::wstring& path);
// The file name of a path without its extension ("C:\x\Setup.exe" gives "Setup").
std::wstring BaseNameOf(const std::wstring& path);

} // namespace glimra::setup
