#include "setup/app/path_text.h"

namespace glimra::setup {

std::wstring RemoveTrailingBackslashes(const std::wstring& path)
{
    size_t end = path.find_last_not_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring BaseNameOf(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace glimra::setup
