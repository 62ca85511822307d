#include "setup/engine/log_entries.h"

namespace glimra::setup {

namespace {
const wchar_t kQuote[] = L"\"";

std::wstring Quoted(const std::wstring& text)
{
    return kQuote + text + kQuote;
}

std::wstring MachineKey(const std::wstring& key)
{
    return Quoted(L"HKEY_LOCAL_MACHINE\\" + key);
}
} // namespace

std::wstring LogEntryWithSeparator(const std::wstring& text)
{
    return L"\r\n" + text;
}

bool FitsLogEntryUnits(const std::wstring& entry)
{
    return entry.size() < kLogEntryUnits;
}

bool FitsLogEntryBytes(const std::string& ansi_entry)
{
    return ansi_entry.size() < kLogEntryBytes;
}

std::string TextModeBytes(const std::string& ansi)
{
    std::string bytes;
    for (char c : ansi) {
        if (c == '\0')
            break;
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::vector<std::wstring> FolderCreatedEntries(const std::wstring& folder)
{
    return {L"CreateDirectory: " + Quoted(folder) + L" (0)",
            L"CreateDirectory: " + Quoted(folder) + L" created"};
}

std::wstring RegStrEntry(const std::wstring& key, const std::wstring& name,
                         const std::wstring& value)
{
    return L"WriteRegStr: " + MachineKey(key) + L" " + Quoted(name) + L"=" + Quoted(value);
}

std::wstring RegDwordVersionEntry(const std::wstring& key)
{
    return L"WriteRegDWORD: " + MachineKey(key) + L" " + Quoted(L"Version") + L"=" + Quoted(L"56");
}

std::wstring ShortcutEntry(const std::wstring& shortcut_file, const std::wstring& target)
{
    return L"CreateShortCut: out: " + Quoted(shortcut_file) + L", in: " + Quoted(target + L" ") +
           L", icon: ,0, sw=0, hk=0";
}

std::vector<std::wstring> UninstallerCopyEntries(const std::wstring& install_dir)
{
    return {L"File: overwriteflag=4, allowskipfilesflag=0, name=" + Quoted(L"TUninstall"),
            L"File: wrote 341000 to " + Quoted(install_dir + L"\\TUninstall")};
}

std::vector<std::wstring> FolderPrefixes(const std::wstring& path)
{
    std::vector<std::wstring> prefixes;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'\\' || path[i] == L'/')
            prefixes.push_back(path.substr(0, i));
    }
    return prefixes;
}

} // namespace glimra::setup
