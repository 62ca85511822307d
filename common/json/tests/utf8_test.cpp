#include <gtest/gtest.h>

#include "common/json/utf8.h"

#include <string>

using glimra::json::FromUtf8;
using glimra::json::ToUtf8;

namespace {

struct Pair {
    std::wstring wide;
    std::string utf8;
};

const Pair kPairs[] = {
    {L"", ""},
    {L"plain ascii", "plain ascii"},
    {L"\u00e9", "\xc3\xa9"},
    {L"\u9519\u8bef", "\xe9\x94\x99\xe8\xaf\xaf"},
    {L"\U0001F600", "\xf0\x9f\x98\x80"},
    {L"a\u00e9\u9519\U0001F600z", "a\xc3\xa9\xe9\x94\x99\xf0\x9f\x98\x80z"},
};

} // namespace

TEST(Utf8, ConvertsBothWaysForEveryLengthOfSequence)
{
    for (const auto& pair : kPairs) {
        EXPECT_EQ(ToUtf8(pair.wide), pair.utf8);
        EXPECT_EQ(FromUtf8(pair.utf8), pair.wide);
    }
}

TEST(Utf8, MalformedInputBecomesTheReplacementCharacter)
{
    EXPECT_EQ(ToUtf8(std::wstring(1, wchar_t(0xD800)) + L"a"), "\xef\xbf\xbd"
                                                               "a");
    EXPECT_EQ(ToUtf8(std::wstring(1, wchar_t(0xDC00))), "\xef\xbf\xbd");
    // A cut sequence, a stray continuation byte, an overlong form, an encoded surrogate.
    EXPECT_EQ(FromUtf8("\xe9\x94"), L"\ufffd");
    EXPECT_EQ(FromUtf8("\x80"
                       "a"),
              L"\ufffd"
              L"a");
    EXPECT_EQ(FromUtf8("\xc0\xaf"), L"\ufffd");
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), L"\ufffd");
    // The byte after a broken sequence is read again on its own.
    EXPECT_EQ(FromUtf8("\xe9"
                       "ab"),
              L"\ufffd"
              L"ab");
}
