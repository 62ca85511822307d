#include "setup/app/tests/debug_run.h"

#include "testing/support/win_process.h"

#include <windows.h>

namespace glimra::setup::test {

namespace {

std::wstring ReadDebugText(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    size_t units = info.nDebugStringLength;
    if (units == 0 || units > 65536)
        return L"";
    if (info.fUnicode) {
        std::wstring text(units, L'\0');
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, info.lpDebugStringData, text.data(),
                               units * sizeof(wchar_t), &read))
            return L"";
        text.resize(read / sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
    std::string narrow(units, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, info.lpDebugStringData, narrow.data(), units, &read))
        return L"";
    narrow.resize(read);
    narrow = narrow.substr(0, narrow.find('\0'));
    return std::wstring(narrow.begin(), narrow.end()); // the installer's texts are ASCII
}

} // namespace

DebugRun RunUnderDebugger(const std::wstring& program, const std::wstring& arguments,
                          const std::wstring& workingFolder, uint32_t timeoutMs)
{
    DebugRun run;
    std::vector<wchar_t> writable = glimra::testing::QuotedCommandLine(program, arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, workingFolder.c_str(), &startup,
                        &process))
        return run;
    run.started = true;
    CloseHandle(process.hThread);

    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        ULONGLONG now = GetTickCount64();
        DEBUG_EVENT event = {};
        if (now >= deadline || !WaitForDebugEvent(&event, static_cast<DWORD>(deadline - now)))
            break;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            run.debugTexts.push_back(ReadDebugText(process.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            // The loader's breakpoint is ours to pass; anything else is the program's.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            run.finished = true;
            run.exitCode = event.u.ExitProcess.dwExitCode;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (run.finished)
            break;
    }
    if (!run.finished)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return run;
}

} // namespace glimra::setup::test
