// Every account operation against the fake account service: what the service received
// (method, path, every field, the encrypted ones decrypted) and what the operation made
// of the answer.
#include <gtest/gtest.h>

#include "common/json/utf8.h"
#include "login/data/data_manager.h"
#include "login/service/tests/fake_service_settings.h"
#include "login/service/device_identity.h"
#include "login/service/qr_login.h"
#include "testing/services/fake_account_service.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <ctime>
#include <functional>
#include <string>

using namespace glimra::login;
using glimra::json::FromUtf8;
using glimra::json::Json;
using glimra::json::ToUtf8;
using glimra::testing::Envelope;
using glimra::testing::FakeAccountService;
using glimra::testing::RegistryOverride;
using glimra::testing::ScratchFolder;

namespace {

Json Route(const std::string& path, const Json& replies)
{
    return {{"routes", {{path, replies}}}};
}

// An ordered list of [name, value] pairs, as the service reports decrypted fields.
Json Pairs(std::initializer_list<std::pair<std::string, std::string>> fields)
{
    Json list = Json::array();
    for (const auto& [name, value] : fields)
        list.push_back(Json::array({name, value}));
    return list;
}

std::string U8(const std::wstring& text)
{
    return ToUtf8(text);
}

// The device uuid the operations send: the preferred adapter's MAC or the no-device uuid.
std::string ExpectedUuid()
{
    std::wstring uuid = kNoDeviceUuid;
    GetDeviceMac(uuid);
    return U8(uuid);
}

// The decrypted fields, without "ts", which is checked on its own.
Json FieldsWithoutTs(const Json& request, std::string& ts)
{
    Json fields = Json::array();
    for (const auto& field : request.at("decryptedFields")) {
        if (field[0] == "ts")
            ts = field[1].get<std::string>();
        else
            fields.push_back(field);
    }
    return fields;
}

// "ts": milliseconds of a second within the last minute.
void ExpectRecentTimestamp(const std::string& ts)
{
    ASSERT_GE(ts.size(), 4u);
    EXPECT_EQ(ts.substr(ts.size() - 3), "000");
    long long seconds = std::stoll(ts) / 1000;
    long long now = static_cast<long long>(std::time(nullptr));
    EXPECT_LE(seconds, now);
    EXPECT_GE(seconds, now - 60);
}

class AccountOperations : public ::testing::Test {
protected:
    void Open(const Json& script = Json::object())
    {
        service_ = std::make_unique<FakeAccountService>(script);
        ASSERT_TRUE(service_->Ready()) << service_->Problem();
        glimra::login::test::UseFakeService(data_, *service_);
        data_.user = UserRecord{};
    }
    // The only request to `path`.
    Json Only(const std::string& path)
    {
        Json requests = service_->RequestsTo(path);
        EXPECT_EQ(requests.size(), 1u) << path << ": " << requests.dump();
        return requests.empty() ? Json::object() : requests[0];
    }
    size_t Count(const std::string& path) { return service_->RequestsTo(path).size(); }

    CDataManager& data_ = CDataManager::Instance();
    std::unique_ptr<FakeAccountService> service_;
};

AccountForm Account(const std::wstring& login_name, const std::wstring& password)
{
    AccountForm form;
    form.loginName = login_name;
    form.password = password;
    return form;
}

} // namespace

TEST_F(AccountOperations, LoginSendsItsFieldsEncryptedAndFillsTheUser)
{
    Open();
    ReplyStatus status;
    ASSERT_TRUE(data_.Login(Account(L"13812345678", L"pa&ss=word"), status));
    Json request = Only("/api/v4/login");
    EXPECT_EQ(request["method"], "POST");
    std::string ts;
    const std::string uuid = ExpectedUuid();
    EXPECT_EQ(FieldsWithoutTs(request, ts), Pairs({{"clientType", "TV_Windows"},
                                                   {"clientVersion", "5.2.0"},
                                                   {"deviceModel", "Windows"},
                                                   {"deviceName", U8(GetComputerNameText())},
                                                   {"ip", U8(GetLocalIp())},
                                                   {"language", "zh-cn"},
                                                   {"loginName", "13812345678"},
                                                   {"mac", uuid},
                                                   {"password", "pa&ss=word"},
                                                   {"uuid", uuid},
                                                   {"ver", "2"}}));
    ExpectRecentTimestamp(ts);
    EXPECT_EQ(status.code, 0);
    EXPECT_EQ(data_.user.id, 1001);
    EXPECT_EQ(data_.user.name, L"13812345678");
    EXPECT_EQ(data_.user.token, L"token-1001");
    EXPECT_EQ(data_.user.chatSignature, L"sig-1001");
    EXPECT_EQ(data_.user.seniorJoinGroupLimit, 502);
    EXPECT_EQ(U8(data_.user.uuid), uuid);
}

TEST_F(AccountOperations, KeysAreFetchedOnceForAllEncryptedOperations)
{
    Open();
    ReplyStatus status;
    EXPECT_TRUE(data_.Login(Account(L"a@b.c", L"abc123"), status));
    EXPECT_TRUE(data_.SendVerificationCode(L"13812345678", 1));
    EXPECT_TRUE(data_.UpdatePasswordForFind(AccountForm{L"13812345678", L"", L"", L"new1!"}));
    EXPECT_EQ(Count("/api/v2/getAppParams"), 1u);
}

TEST_F(AccountOperations, LoginRefusalsTransportFailuresAndMalformedReplies)
{
    Open(Route("/api/v4/login", {{{"json", Envelope("680023", nullptr, "wrong password")}},
                                 {{"status", 502}, {"text", "bad gateway"}},
                                 {{"text", "<html>"}},
                                 {{"json", Envelope("680003", nullptr, "too many devices")}}}));
    const struct {
        int code;
        std::wstring message;
    } expected[] = {{680023, L"wrong password"},
                    {-1, L""},
                    {-1, L"error formatting"},
                    {680003, L"too many devices"}};
    for (const auto& e : expected) {
        ReplyStatus status;
        EXPECT_FALSE(data_.Login(Account(L"13812345678", L"abc123"), status));
        EXPECT_EQ(status.code, e.code);
        EXPECT_EQ(status.message, e.message);
        EXPECT_EQ(data_.user.id, -1);
        EXPECT_EQ(data_.user.uuid, L"");
    }
}

TEST_F(AccountOperations, WithoutKeysNothingEncryptedIsSent)
{
    Open(Route("/api/v2/getAppParams", {{{"status", 500}, {"text", "down"}}}));
    ReplyStatus status;
    EXPECT_FALSE(data_.Login(Account(L"13812345678", L"abc123"), status));
    EXPECT_EQ(status.code, -1);
    EXPECT_EQ(status.message, L"");
    EXPECT_FALSE(data_.SendVerificationCode(L"13812345678", 3, &status));
    EXPECT_EQ(Count("/api/v4/login"), 0u);
    EXPECT_EQ(Count("/api/v4/sendVerificationCode"), 0u);
    // Each operation asked for the keys again.
    EXPECT_EQ(Count("/api/v2/getAppParams"), 2u);
}

TEST_F(AccountOperations, RegisterSendsMobileOrEmail)
{
    Open();
    ReplyStatus status;
    ASSERT_TRUE(
        data_.Register(AccountForm{L"13812345678", L"me@example.com", L"me", L"abc123"}, status));
    ASSERT_TRUE(data_.Register(AccountForm{L"", L"me@example.com", L"me", L"abc123"}, status));
    Json requests = service_->RequestsTo("/api/v4/register");
    ASSERT_EQ(requests.size(), 2u);
    std::string ts;
    const std::string uuid = ExpectedUuid();
    const std::string device = U8(GetComputerNameText());
    EXPECT_EQ(FieldsWithoutTs(requests[0], ts), Pairs({{"clientType", "TV_Windows"},
                                                       {"clientVersion", "5.2.0"},
                                                       {"deviceModel", "Windows"},
                                                       {"deviceName", device},
                                                       {"language", "zh-cn"},
                                                       {"mac", uuid},
                                                       {"mobile", "13812345678"},
                                                       {"password", "abc123"},
                                                       {"source", "windows"},
                                                       {"userName", "me"},
                                                       {"uuid", uuid},
                                                       {"ver", "2"}}));
    ExpectRecentTimestamp(ts);
    EXPECT_EQ(FieldsWithoutTs(requests[1], ts), Pairs({{"clientType", "TV_Windows"},
                                                       {"clientVersion", "5.2.0"},
                                                       {"deviceModel", "Windows"},
                                                       {"deviceName", device},
                                                       {"email", "me@example.com"},
                                                       {"language", "zh-cn"},
                                                       {"mac", uuid},
                                                       {"password", "abc123"},
                                                       {"source", "windows"},
                                                       {"userName", "me"},
                                                       {"uuid", uuid},
                                                       {"ver", "2"}}));
    EXPECT_EQ(data_.user.id, 1002);
    EXPECT_EQ(U8(data_.user.uuid), uuid);
}

TEST_F(AccountOperations, ARegistrationWithoutTokenSucceedsButSetsNoUuid)
{
    Open(Route("/api/v4/register",
               {{{"json", Envelope("0", nullptr)}, {"encryptRs", {{"userInfo", {{"id", 5}}}}}}}));
    ReplyStatus status;
    EXPECT_TRUE(data_.Register(AccountForm{L"13812345678", L"", L"me", L"abc123"}, status));
    EXPECT_EQ(data_.user.id, 5);
    EXPECT_EQ(data_.user.uuid, L"");
}

TEST_F(AccountOperations, CheckLoginNameExistSendsTheNameWhole)
{
    Open(
        Route("/api/v2/checkLoginNameExist", {{{"json", {{"code", "0"}, {"msg", "free"}}}},
                                              {{"json", {{"code", "680004"}, {"msg", "taken"}}}}}));
    EXPECT_FALSE(data_.CheckLoginNameExist(L""));
    EXPECT_EQ(service_->Requests().size(), 0u);
    ReplyStatus status;
    EXPECT_TRUE(data_.CheckLoginNameExist(L"a&b=c+d%e f@x.cn", &status));
    EXPECT_EQ(status.message, L"free");
    EXPECT_FALSE(data_.CheckLoginNameExist(L"13812345678", &status));
    EXPECT_EQ(status.code, 680004);
    EXPECT_EQ(status.message, L"taken");
    Json request = service_->RequestsTo("/api/v2/checkLoginNameExist").at(0);
    EXPECT_EQ(request["method"], "POST");
    EXPECT_EQ(request["body"],
              "loginName=a%26b%3Dc%2Bd%25e%20f%40x.cn&ver=2&clientType=TV_Windows");
    EXPECT_EQ(
        request["fields"],
        Json({{"loginName", "a&b=c+d%e f@x.cn"}, {"ver", "2"}, {"clientType", "TV_Windows"}}));
}

TEST_F(AccountOperations, CheckVerificationCodeNeedsNameAndCode)
{
    Open();
    EXPECT_FALSE(data_.CheckVerificationCode(L"", L"1234"));
    EXPECT_FALSE(data_.CheckVerificationCode(L"13812345678", L""));
    EXPECT_EQ(service_->Requests().size(), 0u);
    ReplyStatus status;
    EXPECT_TRUE(data_.CheckVerificationCode(L"13812345678", L"12&4", &status));
    EXPECT_EQ(Only("/api/v2/checkVerificationCode")["body"],
              "loginName=13812345678&code=12%264&ver=2&clientType=TV_Windows");
}

TEST_F(AccountOperations, SendVerificationCodeIsEncrypted)
{
    Open(Route("/api/v4/sendVerificationCode",
               {{{"json", {{"code", "0"}, {"msg", "sent"}}}},
                {{"json", {{"code", "680010"}, {"msg", "too often"}}}}}));
    EXPECT_FALSE(data_.SendVerificationCode(L"", 1));
    EXPECT_EQ(service_->Requests().size(), 0u);
    ReplyStatus status;
    EXPECT_TRUE(data_.SendVerificationCode(L"13812345678", 3, &status));
    EXPECT_FALSE(data_.SendVerificationCode(L"13812345678", 1, &status));
    EXPECT_EQ(status.code, 680010);
    std::string ts;
    EXPECT_EQ(FieldsWithoutTs(service_->RequestsTo("/api/v4/sendVerificationCode").at(0), ts),
              Pairs({{"clientType", "TV_Windows"},
                     {"mobile", "13812345678"},
                     {"type", "3"},
                     {"ver", "2"}}));
    ExpectRecentTimestamp(ts);
}

TEST_F(AccountOperations, UpdatePasswordForFindSendsTheAccountAsMobile)
{
    Open();
    ReplyStatus status;
    EXPECT_TRUE(data_.UpdatePasswordForFind(
        AccountForm{L"someone@example.com", L"ignored@x", L"ignored", L"new(HB)pass1"}, &status));
    std::string ts;
    EXPECT_EQ(FieldsWithoutTs(Only("/api/v4/update4Findpwd"), ts),
              Pairs({{"clientType", "TV_Windows"},
                     {"mobile", "someone@example.com"},
                     {"password", "new(HB)pass1"},
                     {"ver", "2"}}));
}

TEST_F(AccountOperations, TheBoundDevicesAreListedAndOneIsRemoved)
{
    Open();
    std::vector<BoundDevice> devices;
    ASSERT_TRUE(data_.LoadBindDeviceInfo(Account(L"13812345678", L"abc 123"), devices));
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].deviceId, 11);
    EXPECT_EQ(devices[0].deviceName, L"Office PC");
    EXPECT_EQ(devices[0].latestLoginTime, 1700000000);
    EXPECT_EQ(devices[1].clientVersion, L"5.1.0");
    Json list = Only("/api/v2/loadBindDeviceInfo");
    EXPECT_EQ(list["contentType"].get<std::string>().rfind("multipart/form-data", 0), 0u);
    EXPECT_EQ(list["fields"], Json({{"clientType", "TV_Windows"},
                                    {"clientVersion", "5.2.0"},
                                    {"loginName", "13812345678"},
                                    {"password", "abc 123"}}));

    ReplyStatus status;
    EXPECT_TRUE(data_.UnBindDevice(Account(L"13812345678", L"abc 123"), devices[1], &status));
    EXPECT_EQ(Only("/api/v2/unBindDevice")["fields"],
              Json({{"clientType", "TV_Windows"},
                    {"clientVersion", "5.2.0"},
                    {"deviceId", "12"},
                    {"deviceUuid", "00-1A-2B-3C-4D-5F-00-00"},
                    {"loginName", "13812345678"},
                    {"password", "abc 123"}}));
}

TEST_F(AccountOperations, DeviceListFailures)
{
    Open(Route("/api/v2/loadBindDeviceInfo", {{{"status", 500}, {"text", "x"}},
                                              {{"json", {{"code", "680004"}, {"msg", "no"}}}},
                                              {{"json", {{"code", "0"}, {"rs", "not a list"}}}}}));
    std::vector<BoundDevice> devices(3);
    EXPECT_FALSE(data_.LoadBindDeviceInfo(Account(L"a@b.c", L"p"), devices));
    EXPECT_FALSE(data_.LoadBindDeviceInfo(Account(L"a@b.c", L"p"), devices));
    EXPECT_EQ(devices.size(), 3u);
    EXPECT_TRUE(data_.LoadBindDeviceInfo(Account(L"a@b.c", L"p"), devices));
    EXPECT_TRUE(devices.empty());
}

TEST_F(AccountOperations, MobileBindNeedsAPhysicalAdapter)
{
    RegistryOverride registry; // no adapter class key: no physical adapter
    ASSERT_TRUE(registry.Active());
    Open();
    ReplyStatus status;
    EXPECT_FALSE(data_.MobileBind(2001, status));
    EXPECT_EQ(status.code, -1);
    EXPECT_EQ(status.message, L"");
    EXPECT_EQ(service_->Requests().size(), 0u);
}

TEST_F(AccountOperations, MobileBindSignsThePlainValues)
{
    RegistryOverride registry;
    ASSERT_TRUE(registry.Active());
    // Mark the first adapter the system lists as physical.
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<BYTE> buffer(size ? size : 1);
    auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (size == 0 || GetAdaptersInfo(info, &size) != ERROR_SUCCESS)
        GTEST_SKIP() << "the system lists no network adapter here";
    const std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Class\\"
                             L"{4d36e972-e325-11ce-bfc1-08002be10318}\\0000";
    ASSERT_TRUE(glimra::testing::SetRegistryDword(HKEY_LOCAL_MACHINE, key, L"Characteristics", 4));
    ASSERT_TRUE(glimra::testing::SetRegistryString(
        HKEY_LOCAL_MACHINE, key, L"NetCfgInstanceId",
        std::wstring(info->AdapterName, info->AdapterName + strlen(info->AdapterName))));

    Open(Route("/api/v1/mobileBind",
               {{{"json",
                  {{"status", true},
                   {"errorCode", "0"},
                   {"errorMsg", ""},
                   {"data", {{"userId", 2001}, {"userToken", "bind-token"}, {"name", "q"}}}}}},
                {{"json", {{"status", false}, {"errorCode", "680003"}, {"errorMsg", "limit"}}}}}));
    data_.clientVersion = L"5.2.0 beta&1";
    ReplyStatus status;
    ASSERT_TRUE(data_.MobileBind(2001, status));
    EXPECT_EQ(data_.user.id, 2001);
    EXPECT_EQ(data_.user.token, L"bind-token");
    std::wstring mac;
    ASSERT_TRUE(GetDeviceMac(mac));
    Json request = Only("/api/v1/mobileBind");
    const Json& fields = request["fields"];
    const std::string date = fields["date"].get<std::string>();
    EXPECT_EQ(fields["userId"], "2001");
    EXPECT_EQ(fields["uuid"], U8(mac));
    EXPECT_EQ(fields["signature"], U8(Md5Hex("userId=2001&uuid=" + U8(mac) + "&date=" + date)));
    EXPECT_EQ(fields["clientType"], "TV_Windows");
    EXPECT_EQ(fields["clientVersion"], "5.2.0 beta&1");
    EXPECT_EQ(fields["equipName"], U8(GetComputerNameText()));
    // The fields in their designed order.
    EXPECT_EQ(request["body"].get<std::string>().rfind("userId=2001&uuid=", 0), 0u);

    EXPECT_FALSE(data_.MobileBind(2001, status));
    EXPECT_EQ(status.code, 680003);
    EXPECT_EQ(status.message, L"limit");
}

TEST_F(AccountOperations, TheQrPictureIsDownloadedAndThePollsRead)
{
    Open();
    ScratchFolder folder;
    const std::wstring file = folder.Path() + L"\\TV_Windows_LoginQRCodePic.png";
    ASSERT_TRUE(GetLoginQr(L"123_1700000000000_45", file));
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    Json qr = Only("/api/v2/getLoginQr");
    EXPECT_EQ(qr["method"], "GET");
    EXPECT_EQ(qr["query"], Json({{"uniqueCode", "123_1700000000000_45"},
                                 {"width", "200"},
                                 {"height", "200"},
                                 {"clientType", "TV_Windows"},
                                 {"clientVersion", "5.2.0"}}));

    ReplyStatus status;
    EXPECT_FALSE(GetUserInfoByUnionCode(L"code&1", status)); // not yet scanned
    EXPECT_EQ(status.code, 0);
    EXPECT_EQ(status.message, L"login state error.");
    ReplyStatus complete;
    EXPECT_TRUE(GetUserInfoByUnionCode(L"code&1", complete));
    EXPECT_EQ(data_.user.id, 3001);
    EXPECT_EQ(data_.user.token, L"token-3001");
    Json polls = service_->RequestsTo("/api/v2/getUserInfoByUnionCode");
    ASSERT_EQ(polls.size(), 2u);
    EXPECT_EQ(polls[0]["query"], Json({{"uniqueCode", "code&1"},
                                       {"language", "zh-cn"},
                                       {"clientType", "TV_Windows"},
                                       {"clientVersion", "5.2.0"}}));
}

TEST_F(AccountOperations, QrFailures)
{
    Open({{"routes",
           {{"/api/v2/getLoginQr", {{{"status", 404}, {"text", "gone"}}}},
            {"/api/v2/getUserInfoByUnionCode",
             {{{"drop", true}},
              {{"json", Envelope("0", {{"state", 4}})}},
              {{"json", Envelope("0", "{\"state\": 2}")}}}}}}});
    ScratchFolder folder;
    EXPECT_FALSE(GetLoginQr(L"c", folder.Path() + L"\\qr.png"));
    ReplyStatus status;
    EXPECT_FALSE(GetUserInfoByUnionCode(L"c", status));
    EXPECT_EQ(status.code, -1); // untouched
    EXPECT_EQ(status.message, L"");
    EXPECT_FALSE(GetUserInfoByUnionCode(L"c", status));
    EXPECT_EQ(status.code, 4);
    EXPECT_FALSE(GetUserInfoByUnionCode(L"c", status));
    EXPECT_EQ(status.code, 2);
}

TEST_F(AccountOperations, RefusalTransportFailureAndMalformedReplyOfEveryOperation)
{
    const Json replies = {{{"json", {{"code", "680004"}, {"msg", "refused"}}}},
                          {{"status", 500}, {"text", "down"}},
                          {{"text", "<html>"}}};
    const struct {
        const char* route;
        std::function<bool(CDataManager&, ReplyStatus&)> call;
    } operations[] = {
        {"/api/v4/register",
         [](CDataManager& d, ReplyStatus& s) {
             return d.Register(AccountForm{L"13812345678", L"", L"me", L"abc123"}, s);
         }},
        {"/api/v2/checkLoginNameExist",
         [](CDataManager& d, ReplyStatus& s) { return d.CheckLoginNameExist(L"me", &s); }},
        {"/api/v2/checkVerificationCode",
         [](CDataManager& d, ReplyStatus& s) {
             return d.CheckVerificationCode(L"me", L"1234", &s);
         }},
        {"/api/v4/sendVerificationCode",
         [](CDataManager& d, ReplyStatus& s) {
             return d.SendVerificationCode(L"13812345678", 1, &s);
         }},
        {"/api/v4/update4Findpwd",
         [](CDataManager& d, ReplyStatus& s) {
             return d.UpdatePasswordForFind(AccountForm{L"13812345678", L"", L"", L"abc123"}, &s);
         }},
        {"/api/v2/unBindDevice",
         [](CDataManager& d, ReplyStatus& s) {
             return d.UnBindDevice(Account(L"me", L"abc123"), BoundDevice{}, &s);
         }},
    };
    Json routes = Json::object();
    for (const auto& operation : operations)
        routes[operation.route] = replies;
    Open({{"routes", routes}});
    const struct {
        int code;
        std::wstring message;
    } expected[] = {{680004, L"refused"}, {-1, L""}, {-1, L"error formatting"}};
    for (const auto& operation : operations) {
        for (const auto& e : expected) {
            ReplyStatus status;
            EXPECT_FALSE(operation.call(data_, status)) << operation.route;
            EXPECT_EQ(status.code, e.code) << operation.route;
            EXPECT_EQ(status.message, e.message) << operation.route;
        }
        EXPECT_EQ(Count(operation.route), 3u) << operation.route;
    }
}
