#include "testing/support/win_process.h"

#include <windows.h>

#include <vector>

namespace glimra::testing {

std::wstring ProgramFolder()
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::vector<wchar_t> QuotedCommandLine(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring command = L"\"" + program + L"\"";
    if (!arguments.empty())
        command += L" " + arguments;
    std::vector<wchar_t> writable(command.begin(), command.end());
    writable.push_back(L'\0');
    return writable;
}

uint32_t RunAndWait(const std::wstring& program, const std::wstring& arguments,
                    const std::wstring& working_folder, uint32_t timeout_ms)
{
    std::vector<wchar_t> writable = QuotedCommandLine(program, arguments);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        working_folder.empty() ? nullptr : working_folder.c_str(), &startup,
                        &process))
        return kRunFailed;
    CloseHandle(process.hThread);

    DWORD exit_code = kRunFailed;
    if (WaitForSingleObject(process.hProcess, timeout_ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exit_code);
    else
        TerminateProcess(process.hProcess, kRunFailed);
    CloseHandle(process.hProcess);
    return exit_code;
}

} // namespace glimra::testing
