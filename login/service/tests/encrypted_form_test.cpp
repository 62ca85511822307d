#include <gtest/gtest.h>

#include "login/service/encrypted_form.h"
#include "login/service/user_agent.h"

using namespace glimra::login;

TEST(EncryptedForm, FieldsAreJoinedInCodeUnitOrderWithoutTheFinalSeparator)
{
    RequestForm form{{L"ver", L"2"},
                     {L"loginName", L"13812345678"},
                     {L"deviceName", L"PC"},
                     {L"deviceModel", L"Windows"},
                     {L"clientType", L"TV_Windows"},
                     {L"Zeta", L"upper"}};
    EXPECT_EQ(JoinEncryptedForm(form),
              L"Zeta=upper(HB@WYX)clientType=TV_Windows(HB@WYX)deviceModel=Windows(HB@WYX)"
              L"deviceName=PC(HB@WYX)loginName=13812345678(HB@WYX)ver=2");
}

TEST(EncryptedForm, StrippingTakesEveryTrailingSeparatorCharacter)
{
    // The characters of the separator are stripped as a set, so a value ending in one
    // of them loses it too; with "ver" = "2" last this never happens.
    EXPECT_EQ(JoinEncryptedForm({{L"a", L"xWY"}}), L"a=x");
    EXPECT_EQ(JoinEncryptedForm({{L"a", L"(HB@WYX)"}}), L"a=");
    EXPECT_EQ(JoinEncryptedForm({}), L"");
}

TEST(UserAgent, ProgramFileVersionAndSystem)
{
    EXPECT_EQ(FormatUserAgent(L"C:\\Program Files\\Glimra\\Viewer.exe", L"5.2.0", 10, 0),
              L"Orvanta/1.0 (Viewer.exe 5.2.0; Windows NT 10.0)");
    EXPECT_EQ(FormatUserAgent(L"C:/a/b/host.exe", L"6.1", 6, 1),
              L"Orvanta/1.0 (host.exe 6.1; Windows NT 6.1)");
    EXPECT_EQ(FormatUserAgent(L"bare.exe", L"", 6, 2), L"Orvanta/1.0 (bare.exe ; Windows NT 6.2)");
}
