#include "setup/engine/install_log.h"

#include "setup/app/setup_state.h"
#include "setup/engine/ansi_text.h"
#include "setup/engine/log_entries.h"
#include "setup/engine/system_paths.h"

#include <windows.h>

namespace glimra::setup {

namespace {

constexpr size_t kFolderPathUnits = 259;

// Opens the log for appending, shared without restriction, created when missing.
HANDLE OpenLog(const std::string& ansi_path)
{
    return CreateFileA(ansi_path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

void AppendInstallLog(const std::wstring& text)
{
    bool path_lossless = false;
    std::string path = ToAnsi(TheSetupState().installDir + L"\\install.log", &path_lossless);
    if (!path_lossless || path.size() > kLogPathBytes)
        return;

    std::wstring entry = LogEntryWithSeparator(text);
    if (!FitsLogEntryUnits(entry))
        return;
    std::string ansi_entry = ToAnsi(entry);
    if (!FitsLogEntryBytes(ansi_entry))
        return;

    HANDLE log = OpenLog(path);
    if (log == INVALID_HANDLE_VALUE)
        return;
    std::string bytes = TextModeBytes(ansi_entry);
    if (SetFilePointer(log, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER) {
        DWORD written = 0;
        WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    CloseHandle(log);
}

bool CreateFolderPath(const std::wstring& path)
{
    if (path.size() > kFolderPathUnits)
        return false;
    for (const auto& folder : FolderPrefixes(path)) {
        if (PathExists(folder))
            continue;
        if (!CreateDirectoryW(folder.c_str(), nullptr))
            return false;
        for (const auto& entry : FolderCreatedEntries(folder))
            AppendInstallLog(entry);
    }
    return true;
}

} // namespace glimra::setup
