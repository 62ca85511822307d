#pragma once
// Values inside url-encoded bodies and query strings. No Windows headers.

#include <string>
#include <utility>
#include <vector>

namespace glimra::login {

// The UTF-8 bytes of `value` with everything but letters, digits and "-._~"
// written as %XX, so that "&", "=", "+", "%" and spaces arrive as they were typed.
std::wstring FormEncode(const std::wstring& value);

// name=value&name=value..., in the given order, every value form-encoded (the names
// are our own and plain).
std::wstring FormBody(const std::vector<std::pair<std::wstring, std::wstring>>& fields);

} // namespace glimra::login
