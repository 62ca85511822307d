// Stand-in for every program the installer starts. It appends one record to the
// journal named by GLIMRA_JOURNAL: its own file name, its full command line, its
// working folder and the show-window value it was started with (when one was set),
// tab-separated, in UTF-8, one line per start. It exits with 1603
// when its file name is listed (separated by ';', any case) in GLIMRA_STUB_FAIL, else 0.
#include "testing/distribution/support/journal_format.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring Environment(const wchar_t* name)
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    return length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

std::wstring OwnFileName()
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    return path.substr(path.find_last_of(L'\\') + 1);
}

std::wstring ShowWindowValue()
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    if ((startup.dwFlags & STARTF_USESHOWWINDOW) == 0)
        return std::wstring();
    return std::to_wstring(startup.wShowWindow);
}

std::wstring WorkingFolder()
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return std::wstring(buffer.data(), length);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring name = OwnFileName();
    std::wstring journal = Environment(L"GLIMRA_JOURNAL");
    if (!journal.empty()) {
        glimra::testing::AppendJournalRecord(
            journal, {name, GetCommandLineW(), WorkingFolder(), ShowWindowValue()});
    }
    return glimra::testing::NameIsListed(name, Environment(L"GLIMRA_STUB_FAIL")) ? 1603 : 0;
}
