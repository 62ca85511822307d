#pragma once
// The entry forms of install.log and the limits of one entry. The uninstaller program
// reads these lines, so every space and quote is part of the form. Pure text building:
// no Windows headers.

#include <cstddef>
#include <string>
#include <vector>

namespace glimra::setup {

// One entry and its CR LF separator are held in 260 UTF-16 units, and in 260 bytes in
// the ANSI code page, both including the terminating zero.
constexpr size_t kLogEntryUnits = 260;
constexpr size_t kLogEntryBytes = 260;
// The ANSI form of the log's path is limited to 259 bytes.
constexpr size_t kLogPathBytes = 259;

// The wide entry as written: CR LF, then the text.
std::wstring LogEntryWithSeparator(const std::wstring& text);
// True when the wide entry (separator included) and its zero fit kLogEntryUnits.
bool FitsLogEntryUnits(const std::wstring& entry);
// True when the ANSI entry (separator included) and its zero fit kLogEntryBytes.
bool FitsLogEntryBytes(const std::string& ansi_entry);
// The bytes a text-mode file stores for `ansi`: up to its first zero byte, with every
// line feed written as CR LF.
std::string TextModeBytes(const std::string& ansi);

// "CreateDirectory: "<folder>" (0)" and "CreateDirectory: "<folder>" created", in order.
std::vector<std::wstring> FolderCreatedEntries(const std::wstring& folder);
// WriteRegStr: "HKEY_LOCAL_MACHINE\<key>" "<name>"="<value>"
std::wstring RegStrEntry(const std::wstring& key, const std::wstring& name,
                         const std::wstring& value);
// WriteRegDWORD: "HKEY_LOCAL_MACHINE\<key>" "Version"="56"
std::wstring RegDwordVersionEntry(const std::wstring& key);
// CreateShortCut: out: "<file>", in: "<target> ", icon: ,0, sw=0, hk=0
std::wstring ShortcutEntry(const std::wstring& shortcut_file, const std::wstring& target);
// The two "File: " entries of the uninstaller's copy in the product folder.
std::vector<std::wstring> UninstallerCopyEntries(const std::wstring& install_dir);

// The prefixes of `path` that CreateFolderPath tests, in order: the text before each
// backslash or forward slash. The first is empty when the path begins with one.
std::vector<std::wstring> FolderPrefixes(const std::wstring& path);

} // namespace glimra::setup
