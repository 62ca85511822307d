#pragma once
// The User-Agent of every request. No Windows headers.

#include <string>

namespace glimra::login {

// "Orvanta/1.0 (<program file> <client version>; Windows NT <major>.<minor>)", the
// program file being the text after the last backslash or slash of `program_path`.
std::wstring FormatUserAgent(const std::wstring& program_path, const std::wstring& client_version,
                             unsigned major, unsigned minor);

} // namespace glimra::login
