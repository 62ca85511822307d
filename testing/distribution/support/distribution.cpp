#include "testing/distribution/support/distribution.h"

#include "testing/support/win_process.h"

#include <windows.h>

namespace glimra::testing {

std::wstring DistributionFolder()
{
    return ProgramFolder() + L"\\testdist";
}

std::wstring DistributionPartsFolder()
{
    return ProgramFolder() + L"\\testdist-parts";
}

bool CopyTree(const std::wstring& from, const std::wstring& to)
{
    if (!CreateDirectoryW(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring source = from + L"\\" + name, target = to + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(source, target) && ok;
        else
            ok = CopyFileW(source.c_str(), target.c_str(), FALSE) && ok;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return ok;
}

Journal::Journal(const std::wstring& folder) : path_(folder + L"\\journal.txt")
{
    SetEnvironmentVariableW(L"GLIMRA_JOURNAL", path_.c_str());
    SetFailingStubs(L"");
}

Journal::~Journal()
{
    SetEnvironmentVariableW(L"GLIMRA_JOURNAL", nullptr);
    SetFailingStubs(L"");
}

std::vector<std::wstring> Journal::CommandLines() const
{
    std::vector<std::wstring> lines;
    for (const auto& record : Records())
        lines.push_back(record.commandLine);
    return lines;
}

void Journal::SetFailingStubs(const std::wstring& names)
{
    SetEnvironmentVariableW(L"GLIMRA_STUB_FAIL", names.empty() ? nullptr : names.c_str());
}

bool MakeUnstartable(const std::wstring& program)
{
    HANDLE file = CreateFileW(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const char text[] = "this is not a program";
    DWORD written = 0;
    BOOL ok = WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

} // namespace glimra::testing
