#include "login/service/reply_envelope.h"

#include <climits>

namespace glimra::login {

const wchar_t kErrorFormatting[] = L"error formatting";

namespace {

bool IsWtoiSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

} // namespace

int DecimalLikeWtoi(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && IsWtoiSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // stays beyond the limit
    }
    if (negative)
        return value > INT_MAX ? INT_MIN : -static_cast<int>(value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool ReadReplyStatus(const json::Json& reply, ReplyStatus* status)
{
    int code = 0;
    std::wstring message;
    bool read = json::TryRead([&] {
        code = DecimalLikeWtoi(json::String(reply, "code"));
        if (status != nullptr)
            message = json::String(reply, "msg");
    });
    if (!read) {
        if (status != nullptr)
            *status = ReplyStatus{-1, kErrorFormatting};
        return false;
    }
    if (status != nullptr)
        *status = ReplyStatus{code, message};
    return code == 0;
}

bool ParseReplyStatus(const std::wstring& reply, ReplyStatus* status)
{
    json::Json parsed;
    if (!json::TryRead([&] { parsed = json::Parse(reply); })) {
        if (status != nullptr)
            *status = ReplyStatus{-1, kErrorFormatting};
        return false;
    }
    return ReadReplyStatus(parsed, status);
}

bool ParseStatusReply(const json::Json& reply, ReplyStatus* status)
{
    bool success = false;
    ReplyStatus read_status;
    bool read = json::TryRead([&] {
        success = json::Has(reply, "status") && json::Boolean(reply, "status");
        if (status != nullptr) {
            read_status.code = DecimalLikeWtoi(json::String(reply, "errorCode"));
            read_status.message = json::String(reply, "errorMsg");
        }
    });
    if (!read) {
        if (status != nullptr)
            *status = ReplyStatus{-1, L""};
        return false;
    }
    if (status != nullptr)
        *status = read_status;
    return success;
}

bool ParseAppParams(const std::wstring& reply, std::wstring& encrypt_key, std::wstring& decrypt_key)
{
    std::wstring encrypt, decrypt;
    bool has_encrypt = false, has_decrypt = false;
    bool read = json::TryRead([&] {
        json::Json parsed = json::Parse(reply);
        if (!ReadReplyStatus(parsed, nullptr))
            throw json::ReadError("the reply is not a success");
        json::Json payload = json::ObjectOrJsonText(parsed, "rs");
        if ((has_decrypt = json::Has(payload, "decryptKey")))
            decrypt = json::String(payload, "decryptKey");
        if ((has_encrypt = json::Has(payload, "encryptKey")))
            encrypt = json::String(payload, "encryptKey");
    });
    if (!read)
        return false;
    if (has_decrypt)
        decrypt_key = decrypt;
    if (has_encrypt)
        encrypt_key = encrypt;
    return true;
}

} // namespace glimra::login
