#pragma once
// Text helpers on standard wide strings: printf-style formatting, trimming, case.
// No Windows headers: usable from pure logic.

#include <string>

namespace framework {

// printf-style formatting with the Windows conventions for wide formats: %s takes a
// wide string, %d an int, %I64d a 64-bit integer. The result is cut at
// max_units - 1 code units when longer.
std::wstring FormatText(const wchar_t* format, ...);
std::wstring FormatTextLimited(size_t max_units, const wchar_t* format, ...);

// White space (space, tab, line breaks, vertical tab, form feed) removed at both ends.
std::wstring Trim(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);
std::wstring TrimLeft(const std::wstring& text);

// Simple case folding of every code unit.
std::wstring ToLower(const std::wstring& text);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

} // namespace framework
