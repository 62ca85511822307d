#include "framework/text.h"

#include <cstdarg>
#include <cstdio>
#include <cwctype>
#include <vector>

namespace framework {

namespace {

// _vsnwprintf is the system run-time's own formatter, which reads %s in a wide format
// as a wide string and knows %I64d; the ISO vswprintf of MinGW reads %s as narrow.
std::wstring FormatList(size_t max_units, const wchar_t* format, va_list args)
{
    size_t capacity = 256;
    for (;;) {
        if (max_units != 0 && capacity > max_units)
            capacity = max_units;
        std::vector<wchar_t> buffer(capacity);
        va_list copy;
        va_copy(copy, args);
        int written = _vsnwprintf(buffer.data(), capacity, format, copy);
        va_end(copy);
        if (written >= 0 && static_cast<size_t>(written) < capacity)
            return std::wstring(buffer.data(), written);
        if (max_units != 0 && capacity == max_units)
            return std::wstring(buffer.data(), capacity - 1);
        capacity *= 2;
    }
}

bool IsWhite(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

} // namespace

std::wstring FormatText(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring result = FormatList(0, format, args);
    va_end(args);
    return result;
}

std::wstring FormatTextLimited(size_t max_units, const wchar_t* format, ...)
{
    if (max_units == 0)
        return std::wstring();
    va_list args;
    va_start(args, format);
    std::wstring result = FormatList(max_units, format, args);
    va_end(args);
    return result;
}

std::wstring TrimLeft(const std::wstring& text)
{
    size_t start = 0;
    while (start < text.size() && IsWhite(text[start]))
        ++start;
    return text.substr(start);
}

std::wstring TrimRight(const std::wstring& text)
{
    size_t end = text.size();
    while (end > 0 && IsWhite(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::wstring Trim(const std::wstring& text)
{
    return TrimLeft(TrimRight(text));
}

std::wstring ToLower(const std::wstring& text)
{
    std::wstring result(text);
    for (auto& c : result)
        c = static_cast<wchar_t>(std::towlower(c));
    return result;
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b)
{
    return ToLower(a) == ToLower(b);
}

} // namespace framework
