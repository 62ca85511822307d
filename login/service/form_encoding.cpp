#include "login/service/form_encoding.h"

#include "common/json/utf8.h"

namespace glimra::login {

namespace {

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::wstring FormEncode(const std::wstring& value)
{
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    for (unsigned char c : json::ToUtf8(value)) {
        if (IsUnreserved(c)) {
            encoded += static_cast<wchar_t>(c);
        } else {
            encoded += L'%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0xF];
        }
    }
    return encoded;
}

std::wstring FormBody(const std::vector<std::pair<std::wstring, std::wstring>>& fields)
{
    std::wstring body;
    for (const auto& [name, value] : fields) {
        if (!body.empty())
            body += L'&';
        body += name + L"=" + FormEncode(value);
    }
    return body;
}

} // namespace glimra::login
