#include "testing/distribution/support/journal_format.h"

#include "testing/support/scratch_folder.h"

#include <windows.h>

namespace glimra::testing {

namespace {

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    return utf8;
}

std::wstring FromUtf8(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    int units =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), units);
    return text;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? end : end - start));
        if (end == std::wstring::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

void PrintTo(const JournalRecord& record, std::ostream* out)
{
    *out << "{" << ToUtf8(record.program) << " | " << ToUtf8(record.commandLine) << " | "
         << ToUtf8(record.folder) << " | show=" << ToUtf8(record.show) << "}";
}

bool AppendJournalRecord(const std::wstring& journal, const JournalRecord& record)
{
    std::string line = ToUtf8(record.program + L"\t" + record.commandLine + L"\t" + record.folder +
                              L"\t" + record.show) +
                       "\n";
    // Appending through FILE_APPEND_DATA keeps records of concurrent writers whole.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE file =
            CreateFileW(journal.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(20);
            continue;
        }
        DWORD written = 0;
        BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == line.size();
    }
    return false;
}

std::vector<JournalRecord> ReadJournal(const std::wstring& journal)
{
    std::vector<JournalRecord> records;
    for (const auto& line : Split(FromUtf8(glimra::testing::ReadFileBytes(journal)), L'\n')) {
        if (line.empty())
            continue;
        auto fields = Split(line, L'\t');
        fields.resize(4);
        records.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return records;
}

bool NameIsListed(const std::wstring& name, const std::wstring& list)
{
    for (const auto& entry : Split(list, L';')) {
        if (!entry.empty() &&
            CompareStringOrdinal(entry.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

} // namespace glimra::testing
