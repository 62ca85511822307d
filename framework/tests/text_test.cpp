#include <gtest/gtest.h>

#include "framework/text.h"

#include <cstdint>

using namespace framework;

TEST(FormatText, UsesWideStringsAndSixtyFourBitIntegers)
{
    EXPECT_EQ(FormatText(L"File :'%s' does not exist!", L"C:\\a b.msi"),
              L"File :'C:\\a b.msi' does not exist!");
    EXPECT_EQ(FormatText(L"%d|%I64d", -7, static_cast<int64_t>(1234567890123LL)),
              L"-7|1234567890123");
}

TEST(FormatText, GrowsForLongResultsAndCutsAtALimit)
{
    std::wstring long_text(5000, L'x');
    EXPECT_EQ(FormatText(L"<%s>", long_text.c_str()), L"<" + long_text + L">");
    EXPECT_EQ(FormatTextLimited(6, L"%s", L"abcdefgh"), L"abcde");
    EXPECT_EQ(FormatTextLimited(6, L"%s", L"abcde"), L"abcde");
    EXPECT_EQ(FormatTextLimited(0, L"%s", L"abc"), L"");
}

TEST(Text, TrimsWhiteSpaceAndFoldsCase)
{
    EXPECT_EQ(Trim(L" \t\r\n DWG Glimra \n"), L"DWG Glimra");
    EXPECT_EQ(Trim(L" \t "), L"");
    EXPECT_EQ(TrimRight(L" a "), L" a");
    EXPECT_EQ(TrimLeft(L" a "), L"a ");
    EXPECT_EQ(ToLower(L"ZH_CN"), L"zh_cn");
    EXPECT_TRUE(EqualsNoCase(L"Lumoc_TW", L"lumoc_tw"));
    EXPECT_FALSE(EqualsNoCase(L"zh_cn", L"zh_tw"));
}
