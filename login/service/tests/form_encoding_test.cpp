#include <gtest/gtest.h>

#include "login/service/form_encoding.h"
#include "login/service/web_pages.h"

using namespace glimra::login;

TEST(FormEncoding, EveryCharacterThatMeansSomethingIsEscaped)
{
    EXPECT_EQ(FormEncode(L"user@example.com"), L"user%40example.com");
    EXPECT_EQ(FormEncode(L"a&b=c+d%e f"), L"a%26b%3Dc%2Bd%25e%20f");
    EXPECT_EQ(FormEncode(L"Az09-._~"), L"Az09-._~");
    EXPECT_EQ(FormEncode(L"\u767b"), L"%E7%99%BB");
    EXPECT_EQ(FormEncode(L""), L"");
    EXPECT_EQ(FormBody({{L"loginName", L"a&b"}, {L"ver", L"2"}}), L"loginName=a%26b&ver=2");
    EXPECT_EQ(FormBody({}), L"");
}

TEST(WebPages, AddressesOfThePagesAndQueries)
{
    const ClientIdentity client{L"TV_Windows", L"5.2.0", L"zh-cn"};
    EXPECT_EQ(QqLoginPage(L"http://acc", client),
              L"http://acc/login/qq?utm_source=TV_Windows&clientType=TV_Windows"
              L"&clientVersion=5.2.0&language=zh");
    EXPECT_EQ(WeiboLoginPage(L"http://acc", client),
              L"http://acc/login/weibo?utm_source=TV_Windows&clientType=TV_Windows"
              L"&clientVersion=5.2.0&language=zh");
    EXPECT_EQ(PasswordRetrievalPage(L"http://acc", client, L"1"),
              L"http://acc/findpwd?utm_source=TV_Windows&clientVersion=5.2.0&language=zh-cn"
              L"&channelCode=1");
    EXPECT_EQ(DeviceManagementPage(L"http://dev/manage", client),
              L"http://dev/manage?clientType=TV_Windows&clientVersion=5.2.0&language=zh-cn");
    EXPECT_EQ(LoginQrUrl(L"http://acc", L"123_1700000000000_45", client),
              L"http://acc/api/v2/getLoginQr?uniqueCode=123_1700000000000_45&width=200&height=200"
              L"&clientType=TV_Windows&clientVersion=5.2.0");
    EXPECT_EQ(UnionCodeUrl(L"http://acc", L"c&d", client),
              L"http://acc/api/v2/getUserInfoByUnionCode?uniqueCode=c%26d&language=zh-cn"
              L"&clientType=TV_Windows&clientVersion=5.2.0");
}
