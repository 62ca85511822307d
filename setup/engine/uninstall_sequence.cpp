#include "setup/engine/uninstall_sequence.h"

#include "setup/app/setup_state.h"
#include "setup/engine/catalogue.h"
#include "setup/engine/failure_reports.h"
#include "setup/engine/folder_cleanup.h"
#include "setup/engine/process_runner.h"
#include "setup/engine/system_paths.h"

#include <windows.h>

namespace glimra::setup {

namespace {

// Below installDir.
const wchar_t kProductSettings[] = L"\\ZUZadozaruvOruv\\System\\QXSetting.xml";
const wchar_t kUpdateFolder[] = L"\\Update";
const wchar_t kUpdateArchive[] = L"\\update.zip";
const wchar_t kInstalledUninstaller[] = L"\\TUninstall";
const wchar_t kInstallLog[] = L"\\install.log";
const wchar_t kResourceLibrary[] = L"\\SetupRes.dll";

constexpr DWORD kTemporaryFolderLimit = 260;

bool CopyOverwriting(const std::wstring& from, const std::wstring& to)
{
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void RemoveUpdateFolder(const std::wstring& install_dir)
{
    const std::wstring update = install_dir + kUpdateFolder;
    if (!FileExists(update))
        return;
    if (IsFolderEmpty(update)) {
        RemoveEmptyFolders(update);
    } else if (FileExists(update + kUpdateArchive)) {
        DeleteFileW((update + kUpdateArchive).c_str());
        RemoveEmptyFolders(update);
    }
}

} // namespace

std::wstring TemporaryFolder()
{
    wchar_t buffer[kTemporaryFolderLimit + 1] = {};
    DWORD length = GetTempPathW(kTemporaryFolderLimit + 1, buffer);
    if (length == 0 || length > kTemporaryFolderLimit)
        return std::wstring();
    return std::wstring(buffer, length);
}

bool UninstallProduct()
{
    const std::wstring dir = TheSetupState().installDir;
    if (FileExists(dir + kProductSettings))
        DeleteFileW((dir + kProductSettings).c_str());
    RemoveUpdateFolder(dir);
    if (!UnregisterProductProgram())
        ReportRegisterFailure(L"orvd.exe");
    RunProductRemoval();

    const std::wstring temporary = TemporaryFolder();
    if (temporary.empty())
        return false;
    const std::wstring uninstaller = temporary + L"TUninstall.exe";
    if (!CopyOverwriting(dir + kInstalledUninstaller, uninstaller) ||
        !CopyOverwriting(dir + kInstallLog, temporary + L"install.log") ||
        !CopyOverwriting(dir + kResourceLibrary, temporary + L"SetupRes.dll"))
        return false;
    return OpenUninstaller(uninstaller, false);
}

bool CleanUpFailedInstall()
{
    return CleanUpFailedInstallFrom(SetupFolder());
}

bool CleanUpFailedInstallFrom(const std::wstring& setup_folder)
{
    if (!CopyOverwriting(TheSetupState().installDir + kInstallLog, setup_folder + kInstallLog))
        return false;
    return OpenUninstaller(setup_folder + catalogue::kUninstaller, true);
}

} // namespace glimra::setup
