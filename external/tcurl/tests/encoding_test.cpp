#include <gtest/gtest.h>

#include "tcurl/CTCurlHelper.h"

#include <string>

namespace {

std::string Encode(const std::string& bytes)
{
    CTCurlHelper curl;
    return curl.encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Decodes text that is valid base64; the count must match the bytes.
std::string Decode(const std::string& text)
{
    CTCurlHelper curl;
    size_t length = 99;
    std::string bytes = curl.decodeEx(text.data(), text.size(), length);
    EXPECT_EQ(length, bytes.size()) << text;
    return bytes;
}

} // namespace

TEST(TcurlEncoding, Base64OfTheStandardVectorsBothWays)
{
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\0\xff\xfe", 3), "AP/+"},
    };
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(Encode(bytes), text);
        EXPECT_EQ(Decode(text), bytes) << text;
    }
}

TEST(TcurlEncoding, LongDataHasNoLineBreaks)
{
    std::string text = Encode(std::string(300, 'x'));
    EXPECT_EQ(text.size(), 400u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
}

TEST(TcurlEncoding, DecodingSkipsWhiteSpaceAndRefusesAnythingElse)
{
    EXPECT_EQ(Decode(" Zm9v\r\nYmFy\t"), "foobar");
    for (const char* bad : {"Zm9v!", "Zm9", "Zg=a", "Zg==Zg==", "=Zg=", "Zm9vYg=", "Zm-v"}) {
        CTCurlHelper curl;
        size_t length = 99;
        EXPECT_EQ(curl.decodeEx(bad, std::char_traits<char>::length(bad), length), "") << bad;
        EXPECT_EQ(length, 0u) << bad;
    }
}

TEST(TcurlEncoding, DecodingReadsOnlyTheGivenLength)
{
    CTCurlHelper curl;
    size_t length = 0;
    // The text goes on with characters that are not base64: they lie past the length.
    EXPECT_EQ(curl.decodeEx("Zm9v!!!!", 4, length), "foo");
    EXPECT_EQ(length, 3u);
}

TEST(TcurlEncoding, Utf8ConversionsBothWays)
{
    const std::wstring wide = L"\u767b\u5f55 login \U0001F600";
    const std::string utf8 = "\xe7\x99\xbb\xe5\xbd\x95 login \xf0\x9f\x98\x80";
    EXPECT_EQ(CTCurlHelper::ws2s(wide, 65001), utf8);
    EXPECT_EQ(CTCurlHelper::s2ws(utf8, 65001), wide);
    EXPECT_EQ(CTCurlHelper::ws2s(L"", 65001), "");
    EXPECT_EQ(CTCurlHelper::s2ws("", 65001), L"");
}
