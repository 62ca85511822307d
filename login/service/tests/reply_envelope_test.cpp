#include <gtest/gtest.h>

#include "login/service/reply_envelope.h"

#include <climits>
#include <string>

using namespace glimra::login;
namespace json = glimra::json;

TEST(ReplyEnvelope, CodesReadLikeWtoi)
{
    const std::pair<std::wstring, int> cases[] = {
        {L"0", 0},
        {L"680004", 680004},
        {L"  42abc", 42},
        {L"\t\n-17", -17},
        {L"+5", 5},
        {L"", 0},
        {L"abc", 0},
        {L"- 5", 0},
        {L"99999999999", INT_MAX},
        {L"-99999999999", INT_MIN},
        {L"2147483647", INT_MAX},
        {L"-2147483648", INT_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(DecimalLikeWtoi(text), value) << std::string(text.begin(), text.end());
}

TEST(ReplyEnvelope, StatusOfWellFormedReplies)
{
    const struct {
        const wchar_t* reply;
        bool success;
        int code;
        std::wstring message;
    } cases[] = {
        {LR"({"code": "0", "msg": "ok"})", true, 0, L"ok"},
        {LR"({"code": "680023", "msg": "\u5bc6\u7801"})", false, 680023, L"\u5bc6\u7801"},
        {LR"({"code": "  12 apples", "msg": ""})", false, 12, L""},
        {LR"({"code": "", "msg": "empty code"})", true, 0, L"empty code"},
        {LR"({"code": "-1", "msg": "m", "rs": 5})", false, -1, L"m"},
    };
    for (const auto& c : cases) {
        ReplyStatus status;
        EXPECT_EQ(ParseReplyStatus(c.reply, &status), c.success) << c.reply;
        EXPECT_EQ(status.code, c.code) << c.reply;
        EXPECT_EQ(status.message, c.message) << c.reply;
        EXPECT_EQ(ParseReplyStatus(c.reply, nullptr), c.success) << c.reply;
    }
}

TEST(ReplyEnvelope, MalformedRepliesGiveMinusOneAndErrorFormatting)
{
    const wchar_t* replies[] = {
        LR"({"code": 0, "msg": "ok"})", // code as a JSON number
        LR"({"code": "0"})",            // no msg while a status is wanted
        LR"({"code": "0", "msg": 5})",
        LR"({"msg": "ok"})",
        L"not json",
        L"",
        LR"(["code", "0"])",
    };
    for (const wchar_t* reply : replies) {
        ReplyStatus status{7, L"before"};
        EXPECT_FALSE(ParseReplyStatus(reply, &status)) << reply;
        EXPECT_EQ(status.code, -1) << reply;
        EXPECT_EQ(status.message, L"error formatting") << reply;
    }
    // Without a status "msg" is not read, so its absence does no harm.
    EXPECT_TRUE(ParseReplyStatus(LR"({"code": "0"})", nullptr));
    EXPECT_FALSE(ParseReplyStatus(LR"({"code": 0})", nullptr));
}

TEST(ReplyEnvelope, BindingReplies)
{
    const struct {
        const wchar_t* reply;
        bool success;
        int code;
        std::wstring message;
    } cases[] = {
        {LR"({"status": true, "errorCode": "0", "errorMsg": ""})", true, 0, L""},
        {LR"({"status": false, "errorCode": "680003", "errorMsg": "limit"})", false, 680003,
         L"limit"},
        {LR"({"errorCode": "5", "errorMsg": "no status"})", false, 5, L"no status"},
        {LR"({"status": true, "errorMsg": ""})", false, -1, L""}, // no errorCode
        {LR"({"status": true, "errorCode": 0, "errorMsg": ""})", false, -1, L""},
        {LR"({"status": "true", "errorCode": "0", "errorMsg": ""})", false, -1, L""},
    };
    for (const auto& c : cases) {
        ReplyStatus status{9, L"before"};
        EXPECT_EQ(ParseStatusReply(json::Parse(c.reply), &status), c.success) << c.reply;
        EXPECT_EQ(status.code, c.code) << c.reply;
        EXPECT_EQ(status.message, c.message) << c.reply;
    }
    // Without a status the error fields are not needed.
    EXPECT_TRUE(ParseStatusReply(json::Parse(LR"({"status": true})"), nullptr));
}

TEST(ReplyEnvelope, AppParamsStoreTheKeysThatArePresent)
{
    const struct {
        const wchar_t* reply;
        bool success;
        std::wstring encrypt, decrypt;
    } cases[] = {
        {LR"({"code": "0", "rs": {"encryptKey": "E", "decryptKey": "D"}})", true, L"E", L"D"},
        {LR"({"code": "0", "rs": "{\"encryptKey\": \"E\", \"decryptKey\": \"D\"}"})", true, L"E",
         L"D"},
        {LR"({"code": "0", "rs": {"encryptKey": "E"}})", true, L"E", L"old-d"},
        {LR"({"code": "0", "rs": {}})", true, L"old-e", L"old-d"},
        {LR"({"code": "0", "rs": []})", false, L"old-e", L"old-d"},
        {LR"({"code": "0", "rs": "[]"})", true, L"old-e", L"old-d"},
        {LR"({"code": "1", "msg": "no", "rs": {"encryptKey": "E"}})", false, L"old-e", L"old-d"},
        {LR"({"code": 0, "rs": {"encryptKey": "E"}})", false, L"old-e", L"old-d"},
        {LR"({"code": "0"})", false, L"old-e", L"old-d"},
        {LR"({"code": "0", "rs": "{broken"})", false, L"old-e", L"old-d"},
        // A wrongly typed key stores neither.
        {LR"({"code": "0", "rs": {"decryptKey": "D", "encryptKey": 5}})", false, L"old-e",
         L"old-d"},
        {L"<html>", false, L"old-e", L"old-d"},
    };
    for (const auto& c : cases) {
        std::wstring encrypt = L"old-e", decrypt = L"old-d";
        EXPECT_EQ(ParseAppParams(c.reply, encrypt, decrypt), c.success) << c.reply;
        EXPECT_EQ(encrypt, c.encrypt) << c.reply;
        EXPECT_EQ(decrypt, c.decrypt) << c.reply;
    }
}
