#pragma once
// A program started by a test and ended with the object, for tests that need a
// process to be running.

#include <windows.h>

#include <string>
#include <vector>

namespace glimra::setup::test {

class StartedProcess {
public:
    explicit StartedProcess(const std::wstring& program)
    {
        std::wstring command = L"\"" + program + L"\"";
        std::vector<wchar_t> writable(command.begin(), command.end());
        writable.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            process_ = process.hProcess;
            id_ = process.dwProcessId;
        }
    }
    ~StartedProcess()
    {
        if (process_) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, 5000);
            CloseHandle(process_);
        }
    }
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    DWORD Id() const { return id_; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

} // namespace glimra::setup::test
