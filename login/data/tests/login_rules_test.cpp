#include <gtest/gtest.h>

#include "login/data/data_manager.h"
#include "login/data/login_rules.h"

#include <string>

using namespace glimra::login;

namespace {

const std::wstring kPrompt = L"请输入手机号或者邮箱地址";

} // namespace

TEST(LoginRules, LoginNamesAreClassified)
{
    const struct {
        std::wstring text;
        int kind;
    } cases[] = {
        {L"", 0},
        {L"13812345678", 1},
        {L"1381234567a", 0},  // ten digits and a letter
        {L"1381234567", 0},   // ten digits
        {L"138123456789", 0}, // twelve digits
        {L"a@b", 2},          // three characters with "@" in the middle
        {L"@b", 0},           // "@" and one letter
        {L"@@@", 2},
        {L"user@example.com", 2},
        {L"1381234567@", 2},            // "@" wins over the digit test
        {L"１３８１２３４５６７８", 0}, // full-width digits are not decimal digits
        {kPrompt, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyLoginNameText(c.text, kPrompt), c.kind) << c.text.size();
    }
}

TEST(LoginRules, PasswordsNeedTwoOfThreeClasses)
{
    const struct {
        const char* bytes;
        bool accepted;
    } cases[] = {
        {"abcdef", false},
        {"abc123", true},
        {"abcde!", true},
        {"123456", false},
        {"12345!", true},
        {"!!!!!!", false},
        {"abc_de1", true},
        {"abc_def", false},
        {"/////1", true},
        {"ABCDE/", true},
        {"12345:", false},
        {"aaaaa ", false},
        {"\xc4\xe3\xba\xc3"
         "12",
         false}, // bytes above ASCII belong to no class
    };
    for (const auto& c : cases)
        EXPECT_EQ(PasswordClassesAccepted(c.bytes), c.accepted) << c.bytes;
}

TEST(LoginRules, PasswordLengthIsSixToTwentyOne)
{
    EXPECT_FALSE(PasswordLengthAccepted(5));
    EXPECT_TRUE(PasswordLengthAccepted(6));
    EXPECT_TRUE(PasswordLengthAccepted(21));
    EXPECT_FALSE(PasswordLengthAccepted(22));
}

TEST(LoginRules, TheDataManagerAppliesTheWholePasswordRule)
{
    const CDataManager& data = CDataManager::Instance();
    EXPECT_TRUE(data.CheckPasswordRule(L"abc123"));
    EXPECT_TRUE(data.CheckPasswordRule(L"abcde!"));
    EXPECT_TRUE(data.CheckPasswordRule(std::wstring(20, L'a') + L"1"));
    EXPECT_FALSE(data.CheckPasswordRule(std::wstring(21, L'a') + L"1")); // 22 characters
    EXPECT_FALSE(data.CheckPasswordRule(L"ab1"));
    EXPECT_FALSE(data.CheckPasswordRule(L"请输入密码"));
    // Characters the ANSI code page lacks become no class at all.
    EXPECT_FALSE(data.CheckPasswordRule(L"\u4e2d\u6587\u5bc6\u7801\u5bc6\u7801"));
    EXPECT_TRUE(data.CheckPasswordRule(L"\u4e2d\u6587\u5bc6\u78011!"));
}

TEST(LoginRules, TheDataManagerKnowsThePromptWithoutTheResourceLibrary)
{
    // No resource library is loaded here: the built-in prompt is used.
    EXPECT_EQ(CDataManager::Instance().ClassifyLoginName(kPrompt), 0);
    EXPECT_EQ(CDataManager::Instance().ClassifyLoginName(L"13812345678"), 1);
    EXPECT_EQ(CDataManager::Instance().ClassifyLoginName(L"a@b"), 2);
}

TEST(LoginRules, TheBrowserGetsTheAddressInQuotes)
{
    EXPECT_EQ(BrowserParameters(L"http://x/a?b=1&c=2"), L"\"http://x/a?b=1&c=2\"");
    // A quote inside cannot end the quoted text and add parameters.
    EXPECT_EQ(BrowserParameters(L"http://x/\" /select,C:\\"), L"\"http://x/%22 /select,C:\\\"");
}
