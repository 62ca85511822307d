#pragma once
// Conversion between UTF-16 wide strings (wchar_t is 16 bits on Windows) and UTF-8.
// Malformed input (a lone surrogate, an invalid UTF-8 sequence) becomes U+FFFD.

#include <string>

namespace glimra::json {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

} // namespace glimra::json
