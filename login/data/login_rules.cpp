#include "login/data/login_rules.h"

#include <algorithm>

namespace glimra::login {

namespace {

constexpr size_t kMobileNumberLength = 11;
constexpr size_t kPasswordMinimum = 6;
constexpr size_t kPasswordMaximum = 21;

bool IsDecimalDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

} // namespace

LoginNameKind ClassifyLoginNameText(const std::wstring& text, const std::wstring& prompt)
{
    if (text.empty() || text == prompt)
        return kNotAcceptable;
    if (text.find(L'@') != std::wstring::npos && text.size() > 2)
        return kEmailAddress;
    if (text.size() == kMobileNumberLength && std::all_of(text.begin(), text.end(), IsDecimalDigit))
        return kMobileNumber;
    return kNotAcceptable;
}

bool PasswordLengthAccepted(size_t length)
{
    return length >= kPasswordMinimum && length <= kPasswordMaximum;
}

bool PasswordClassesAccepted(const std::string& ansi_bytes)
{
    bool letter = false, digit = false, symbol = false;
    for (unsigned char c : ansi_bytes) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            letter = true;
        else if (c >= '0' && c <= '9')
            digit = true;
        else if (c >= 0x21 && c <= 0x2F)
            symbol = true;
    }
    return letter ? (digit || symbol) : (digit && symbol);
}

std::wstring BrowserParameters(const std::wstring& url)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : url) {
        if (c == L'"')
            quoted += L"%22";
        else
            quoted += c;
    }
    return quoted + L"\"";
}

} // namespace glimra::login
