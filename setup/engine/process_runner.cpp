#include "setup/engine/process_runner.h"

#include "framework/message_box.h"
#include "framework/text.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"
#include "setup/engine/catalogue.h"
#include "setup/engine/command_lines.h"
#include "setup/engine/notices.h"
#include "setup/engine/system_paths.h"

#include <shellapi.h>

#include <vector>

namespace glimra::setup {

namespace {

enum class Window { AsProgramDecides, Hidden };

// Starts `command_line` (copied into a writable buffer of `buffer_units`), waits for
// the process to end and closes its handles. `program` is the file to start, or empty
// when the command line names it. False when the line does not fit or the process
// cannot be started.
bool StartAndWait(const std::wstring& program, const std::wstring& command_line,
                  size_t buffer_units, Window window)
{
    if (!FitsCommandBuffer(command_line, buffer_units))
        return false;
    std::vector<wchar_t> writable(buffer_units, L'\0');
    command_line.copy(writable.data(), command_line.size());

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (window == Window::Hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), writable.data(), nullptr,
                        nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

// The common course of RunPassive and RunRepair.
bool RunNotified(const std::wstring& path, const std::wstring& command_line, HWND window)
{
    PostNotice(window, kStepBeginsNotice);
    if (!PathExists(path)) {
        ReportMissingFile(path);
        return false;
    }
    if (!StartAndWait(L"", command_line, kRunnerCommandUnits, Window::AsProgramDecides))
        return false;
    PostNotice(window, kStepEndedNotice);
    return true;
}

} // namespace

void ReportMissingFile(const std::wstring& path)
{
    std::wstring format = LoadResourceText(kTextMissingPackageFile);
    framework::ShowMessageBox(nullptr, framework::FormatText(format.c_str(), path.c_str()),
                              TheSetupState().productName, MB_OK);
}

bool RunPassive(const std::wstring& path, HWND window)
{
    return RunNotified(path, PassiveCommandLine(path), window);
}

bool RunRepair(const std::wstring& path, HWND window)
{
    return RunNotified(path, RepairCommandLine(path), window);
}

bool RunRegWriter(const std::wstring& path)
{
    SetupState& state = TheSetupState();
    state.installDir = WithoutTrailingBackslashes(state.installDir);
    if (!PathExists(path)) {
        ReportMissingFile(path);
        return false;
    }
    RegWriterValues values;
    values.languageKey = state.languageKey;
    values.installDir = state.installDir;
    values.productKeyName = LoadResourceText(kTextProductKeyName);
    values.version = state.version;
    values.wow64Package = state.wow64Package;
    values.numParameter = state.numParameter;
    values.classicWorkspace = state.classicWorkspace;
    values.viewerName = LoadResourceText(kTextPackageProductName);
    return StartAndWait(L"", RegWriterCommandLine(path, values), kRegWriterCommandUnits,
                        Window::Hidden);
}

bool RegisterServer(const std::wstring& path)
{
    if (!PathExists(path))
        return true;
    return StartAndWait(SystemFilePath(L"regsvr32.exe"), RegisterServerCommandLine(path),
                        kRunnerCommandUnits, Window::AsProgramDecides);
}

bool RunProgram(const std::wstring& path, const std::wstring& arguments)
{
    if (!PathExists(path))
        return true;
    return StartAndWait(L"", ProgramCommandLine(path, arguments), kRunnerCommandUnits,
                        Window::AsProgramDecides);
}

void RunProductRemoval()
{
    StartAndWait(SystemFilePath(L"msiexec.exe"), ProductRemovalCommandLine(), kRunnerCommandUnits,
                 Window::AsProgramDecides);
}

bool UnregisterProductProgram()
{
    return RunProgram(TheSetupState().installDir + catalogue::kProductProgram,
                      kUnregisterProgramArguments);
}

bool OpenUninstaller(const std::wstring& path, bool quiet_cleanup)
{
    HINSTANCE result =
        ShellExecuteW(nullptr, L"open", path.c_str(),
                      quiet_cleanup ? kUninstallerQuietParameters : kUninstallerParameters, nullptr,
                      SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace glimra::setup
