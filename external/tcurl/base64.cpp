#include "base64.h"

#include <cstdint>

namespace tcurl {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

std::string Base64Encode(const unsigned char* data, size_t length)
{
    std::string text;
    text.reserve((length + 2) / 3 * 4);
    for (size_t i = 0; i < length; i += 3) {
        uint32_t group = uint32_t(data[i]) << 16;
        if (i + 1 < length)
            group |= uint32_t(data[i + 1]) << 8;
        if (i + 2 < length)
            group |= data[i + 2];
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += i + 1 < length ? kAlphabet[(group >> 6) & 0x3F] : '=';
        text += i + 2 < length ? kAlphabet[group & 0x3F] : '=';
    }
    return text;
}

bool Base64Decode(const char* text, size_t length, std::string& bytes)
{
    std::string symbols;
    for (size_t i = 0; i < length; ++i) {
        if (!IsWhite(text[i]))
            symbols += text[i];
    }
    if (symbols.size() % 4 != 0)
        return false;
    std::string out;
    out.reserve(symbols.size() / 4 * 3);
    for (size_t i = 0; i < symbols.size(); i += 4) {
        bool last = i + 4 == symbols.size();
        int padding = 0;
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k) {
            char c = symbols[i + k];
            int value = ValueOf(c);
            if (c == '=' && last && k >= 2) {
                ++padding;
                value = 0;
            } else if (value < 0 || padding > 0) {
                return false; // not base64, or data after padding
            }
            group = (group << 6) | uint32_t(value);
        }
        out += char((group >> 16) & 0xFF);
        if (padding < 2)
            out += char((group >> 8) & 0xFF);
        if (padding < 1)
            out += char(group & 0xFF);
    }
    bytes = std::move(out);
    return true;
}

} // namespace tcurl
