#include <gtest/gtest.h>

#include "login/service/user_readers.h"

#include <string>

using namespace glimra::login;

namespace {

// Stands in for the RSA decryption: the "encrypted" text is the plain text reversed.
std::wstring Reversed(const std::wstring& text)
{
    return std::wstring(text.rbegin(), text.rend());
}

const PayloadDecryptor kReverse = Reversed;

bool Login(const std::wstring& reply, UserRecord& user, ReplyStatus& status,
           const std::wstring& key = L"")
{
    return ParseLoginReply(reply, user, key, status, kReverse);
}

} // namespace

TEST(LoginReply, FillsTheRecordFromAnObjectPayload)
{
    UserRecord user;
    ReplyStatus status;
    ASSERT_TRUE(Login(LR"({"code": "0", "msg": "ok", "rs": {
        "userInfo": {"id": 1001, "name": "\u7528\u6237", "favicon": "http://a/f.png"},
        "utoken": "tok",
        "chat": {"userSig": "sig", "ordinary": {"createGroupNumberLimit": 4,
                 "createGroupUserNumberLimit": 201, "joinGroupNumberLimit": 501},
                 "senior": {"createGroupNumberLimit": 21, "createGroupUserNumberLimit": 202,
                 "joinGroupNumberLimit": 502}}}})",
                      user, status, L"a key")); // an object is read directly despite a key
    EXPECT_EQ(status.code, 0);
    EXPECT_EQ(status.message, L"ok");
    EXPECT_EQ(user.id, 1001);
    EXPECT_EQ(user.name, L"\u7528\u6237");
    EXPECT_EQ(user.avatar, L"http://a/f.png");
    EXPECT_EQ(user.token, L"tok");
    EXPECT_EQ(user.chatSignature, L"sig");
    EXPECT_EQ(user.ordinaryCreateGroupLimit, 4);
    EXPECT_EQ(user.ordinaryGroupMemberLimit, 201);
    EXPECT_EQ(user.ordinaryJoinGroupLimit, 501);
    EXPECT_EQ(user.seniorCreateGroupLimit, 21);
    EXPECT_EQ(user.seniorGroupMemberLimit, 202);
    EXPECT_EQ(user.seniorJoinGroupLimit, 502);
    EXPECT_EQ(user.uuid, L""); // the operations set it, not the reader
}

TEST(LoginReply, StringPayloadsAreDecryptedOnlyWithAKey)
{
    const std::wstring plain = LR"({"userInfo": "{\"id\": 7.9, \"name\": \"n\"}", "utoken": "t"})";
    std::wstring escaped;
    for (wchar_t c : Reversed(plain)) {
        if (c == L'"' || c == L'\\')
            escaped += L'\\';
        escaped += c;
    }
    UserRecord user;
    ReplyStatus status;
    ASSERT_TRUE(Login(L"{\"code\": \"0\", \"msg\": \"\", \"rs\": \"" + escaped + L"\"}", user,
                      status, L"key"));
    EXPECT_EQ(user.id, 7); // cut toward zero
    EXPECT_EQ(user.name, L"n");
    EXPECT_EQ(user.token, L"t");
    // Without a key the string is the JSON text itself.
    UserRecord plain_user;
    ASSERT_TRUE(
        Login(LR"({"code": "0", "msg": "", "rs": "{\"utoken\": \"plain\"}"})", plain_user, status));
    EXPECT_EQ(plain_user.token, L"plain");
}

TEST(LoginReply, AbsentOrNullFieldsLeaveTheRecordAlone)
{
    UserRecord user;
    user.id = 5;
    user.name = L"old name";
    user.avatar = L"old avatar";
    user.token = L"old token";
    user.seniorCreateGroupLimit = 99;
    ReplyStatus status;
    ASSERT_TRUE(Login(LR"({"code": "0", "msg": "", "rs": {"userInfo": {"favicon": null},
                          "chat": {"senior": {}}}})",
                      user, status));
    ASSERT_TRUE(
        Login(LR"({"code": "0", "msg": "", "rs": {"chat": "not an object"}})", user, status));
    EXPECT_EQ(user.id, 5);
    EXPECT_EQ(user.name, L"old name");
    EXPECT_EQ(user.avatar, L"old avatar");
    EXPECT_EQ(user.token, L"old token");
    EXPECT_EQ(user.seniorCreateGroupLimit, 99);
}

TEST(LoginReply, RefusalsAndMalformedReplies)
{
    const struct {
        const wchar_t* reply;
        int code;
        std::wstring message;
    } cases[] = {
        {LR"({"code": "680023", "msg": "wrong password"})", 680023, L"wrong password"},
        {LR"({"code": "0", "rs": {}})", -1, L"error formatting"}, // no msg
        {LR"({"code": 0, "msg": ""})", -1, L"error formatting"},
        {LR"({"code": "0", "msg": ""})", -1, L"error formatting"}, // no rs
        {LR"({"code": "0", "msg": "", "rs": [1]})", -1, L"error formatting"},
        {LR"({"code": "0", "msg": "", "rs": "not json"})", -1, L"error formatting"},
        {LR"({"code": "0", "msg": "", "rs": {"userInfo": "{broken"}})", -1, L"error formatting"},
        {LR"({"code": "0", "msg": "", "rs": {"chat": {"ordinary": {"joinGroupNumberLimit": "5"}}}})",
         -1, L"error formatting"},
        {L"<html>", -1, L"error formatting"},
    };
    for (const auto& c : cases) {
        UserRecord user;
        ReplyStatus status;
        EXPECT_FALSE(Login(c.reply, user, status)) << c.reply;
        EXPECT_EQ(status.code, c.code) << c.reply;
        EXPECT_EQ(status.message, c.message) << c.reply;
    }
}

TEST(LoginReply, AWronglyTypedNameFailsAfterTheIdWasStored)
{
    UserRecord user;
    ReplyStatus status;
    EXPECT_FALSE(Login(LR"({"code": "0", "msg": "", "rs": {"userInfo": {"id": 42, "name": 5}}})",
                       user, status));
    EXPECT_EQ(status.code, -1);
    EXPECT_EQ(status.message, L"error formatting");
    EXPECT_EQ(user.id, 42);
}

TEST(LoginReply, APayloadThatDoesNotDecryptToJsonIsMalformed)
{
    UserRecord user;
    ReplyStatus status;
    auto nothing = [](const std::wstring&) { return std::wstring(); };
    EXPECT_FALSE(ParseLoginReply(LR"({"code": "0", "msg": "", "rs": "AAAA"})", user, L"key", status,
                                 nothing));
    EXPECT_EQ(status.code, -1);
}

TEST(UnionCodeReply, StatesOfTheQrLogin)
{
    const struct {
        const wchar_t* reply;
        bool complete;
        int code;
        std::wstring message;
    } cases[] = {
        {LR"({"code": "0", "msg": "ok", "rs": {"state": 0}})", false, 0, L"login state error."},
        {LR"({"code": "0", "msg": "ok", "rs": {"state": 4}})", false, 4, L"login state error."},
        {LR"({"code": "0", "msg": "ok", "rs": "{\"state\": 1}"})", false, 1, L"login state error."},
        {LR"({"code": "0", "msg": "ok", "rs": {}})", false, 0, L"ok"}, // no state
        {LR"({"code": "0", "msg": "ok", "rs": {"state": 3}})", true, 0, L"ok"},
        {LR"({"code": "680100", "msg": "expired"})", false, 680100, L"expired"},
        {LR"({"code": "0", "msg": "ok", "rs": {"state": "3"}})", false, -1, L"error formatting"},
        {LR"({"code": "0", "msg": "ok"})", false, -1, L"error formatting"},
    };
    for (const auto& c : cases) {
        UserRecord user;
        ReplyStatus status;
        EXPECT_EQ(ParseUnionCodeReply(c.reply, user, status), c.complete) << c.reply;
        EXPECT_EQ(status.code, c.code) << c.reply;
        EXPECT_EQ(status.message, c.message) << c.reply;
    }
}

TEST(UnionCodeReply, ACompleteLoginReadsTheUserDetail)
{
    UserRecord user;
    ReplyStatus status;
    ASSERT_TRUE(ParseUnionCodeReply(LR"({"code": "0", "msg": "", "rs": {"state": 3, "userDetail": {
            "userInfo": {"id": 3001, "name": "w"}, "utoken": "qr", "chat": {"userSig": "s"}}}})",
                                    user, status));
    EXPECT_EQ(user.id, 3001);
    EXPECT_EQ(user.name, L"w");
    EXPECT_EQ(user.token, L"qr");
    EXPECT_EQ(user.chatSignature, L"s");
}

TEST(BindReply, SuccessFailureAndMalformedReplies)
{
    UserRecord user;
    ReplyStatus status;
    ASSERT_TRUE(ParseBindReply(LR"({"status": true, "errorCode": "0", "errorMsg": "",
        "data": "{\"userId\": 2001, \"name\": \"q\", \"userToken\": \"bt\", \"uuid\": \"u\", \"avatar\": \"av\"}"})",
                               user, status));
    EXPECT_EQ(user.id, 2001);
    EXPECT_EQ(user.name, L"q");
    EXPECT_EQ(user.token, L"bt");
    EXPECT_EQ(user.uuid, L"u");
    EXPECT_EQ(user.avatar, L"av");

    // Without "data" a success changes nothing.
    UserRecord untouched;
    EXPECT_TRUE(ParseBindReply(LR"({"status": true, "errorCode": "0", "errorMsg": ""})", untouched,
                               status));
    EXPECT_EQ(untouched.id, -1);

    EXPECT_FALSE(ParseBindReply(LR"({"status": false, "errorCode": "680003", "errorMsg": "limit"})",
                                untouched, status));
    EXPECT_EQ(status.code, 680003);
    EXPECT_EQ(status.message, L"limit");
    for (const wchar_t* bad :
         {LR"({"status": true})", L"nope",
          LR"({"status": true, "errorCode": "0", "errorMsg": "", "data": {"userId": "x"}})"}) {
        ReplyStatus bad_status;
        EXPECT_FALSE(ParseBindReply(bad, untouched, bad_status)) << bad;
        EXPECT_EQ(bad_status.code, -1) << bad;
        EXPECT_EQ(bad_status.message, L"") << bad;
    }
}

TEST(DeviceList, ElementsAreReadFieldByField)
{
    std::vector<BoundDevice> devices{BoundDevice{}};
    ASSERT_TRUE(ParseDeviceList(LR"({"code": "0", "rs": [
        {"uid": 1, "deviceId": 11, "deviceName": "PC", "deviceUuid": "U1", "clientVersion": "5.2",
         "latestLoginTime": 1700000000999},
        {"deviceId": 12, "latestLoginTime": 1690000000000.5}]})",
                                devices));
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].uid, 1);
    EXPECT_EQ(devices[0].deviceId, 11);
    EXPECT_EQ(devices[0].deviceName, L"PC");
    EXPECT_EQ(devices[0].deviceUuid, L"U1");
    EXPECT_EQ(devices[0].clientVersion, L"5.2");
    EXPECT_EQ(devices[0].latestLoginTime, 1700000000); // milliseconds cut to seconds
    EXPECT_EQ(devices[1].deviceName, L"");             // absent: empty
    EXPECT_EQ(devices[1].uid, 0);
    EXPECT_EQ(devices[1].latestLoginTime, 1690000000);
}

TEST(DeviceList, NotAnArrayGivesAnEmptyListAndErrorsKeepTheOldOne)
{
    std::vector<BoundDevice> devices{BoundDevice{}};
    EXPECT_TRUE(ParseDeviceList(LR"({"code": "0", "rs": {}})", devices));
    EXPECT_TRUE(devices.empty());
    devices.push_back(BoundDevice{});
    for (const wchar_t* bad :
         {LR"({"code": "1", "rs": []})", LR"({"code": "0", "rs": [{"uid": "1"}]})", L"garbage"}) {
        EXPECT_FALSE(ParseDeviceList(bad, devices)) << bad;
        EXPECT_EQ(devices.size(), 1u) << bad;
    }
}
