// The transport and the keys against the fake account service on the loopback.
#include <gtest/gtest.h>

#include "common/json/utf8.h"
#include "login/data/data_manager.h"
#include "login/service/cloud_transfer.h"
#include "login/service/encrypted_form.h"
#include "login/service/tests/fake_service_settings.h"
#include "testing/services/fake_account_service.h"
#include "testing/support/scratch_folder.h"

#include <windows.h>

#include <string>

using namespace glimra::login;
using glimra::json::FromUtf8;
using glimra::json::Json;
using glimra::json::ToUtf8;
using glimra::testing::Envelope;
using glimra::testing::FakeAccountService;
using glimra::testing::ScratchFolder;

namespace {

const char kAppParams[] = "/api/v2/getAppParams";

Json Routes(const Json& routes)
{
    return {{"routes", routes}};
}

// Points the data manager at a fresh session of the service, with no keys yet.
class Transport : public ::testing::Test {
protected:
    void Open(const Json& script = Json::object())
    {
        service_ = std::make_unique<FakeAccountService>(script);
        ASSERT_TRUE(service_->Ready()) << service_->Problem();
        glimra::login::test::UseFakeService(CDataManager::Instance(), *service_);
    }
    std::wstring Key(const char* name) const
    {
        return FromUtf8(service_->Keys()[name].get<std::string>());
    }
    std::unique_ptr<FakeAccountService> service_;
};

} // namespace

TEST_F(Transport, EveryRequestCarriesTheUserAgent)
{
    Open(Routes({{"/get", {{{"text", "\xe4\xbd\xa0\xe5\xa5\xbd"}}}},
                 {"/post", {{{"text", "posted"}}}},
                 {"/form", {{{"text", "formed"}}}}}));
    CDataManager::Instance().clientVersion = L"7.0.1";
    CCloudTransfer transfer;
    std::wstring reply;
    ASSERT_TRUE(transfer.HttpGet(service_->Base() + L"/get?x=1", reply));
    EXPECT_EQ(reply, L"\u4f60\u597d");
    ASSERT_TRUE(transfer.HttpPost(service_->Base() + L"/post", L"a=1&b=\u00e9", reply));
    EXPECT_EQ(reply, L"posted");
    ASSERT_TRUE(transfer.HttpPostForm(service_->Base() + L"/form", {{L"f", L"v"}}, reply));
    EXPECT_EQ(reply, L"formed");

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    const std::string agent = "Orvanta/1.0 (login_transport_tests.exe 7.0.1; Windows NT " +
                              std::to_string(version.dwMajorVersion) + "." +
                              std::to_string(version.dwMinorVersion) + ")";
    EXPECT_EQ(ToUtf8(CCloudTransfer::MakeUserAgent()), agent);
    Json requests = service_->Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto& request : requests)
        EXPECT_EQ(request["userAgent"], agent);
    EXPECT_EQ(requests[1]["body"], "a=1&b=\xc3\xa9");
    EXPECT_EQ(requests[2]["fields"], Json({{"f", "v"}}));
}

TEST_F(Transport, FailedRequestsReturnFalseAndLeaveTheReply)
{
    Open(Routes({{"/dropped", {{{"drop", true}}}}}));
    CCloudTransfer transfer;
    std::wstring reply = L"unchanged";
    EXPECT_FALSE(transfer.HttpGet(service_->Base() + L"/unscripted", reply));
    EXPECT_FALSE(transfer.HttpPost(service_->Base() + L"/dropped", L"a=1", reply));
    EXPECT_FALSE(transfer.HttpPostForm(service_->Root() + L"/no-session", {{L"a", L"1"}}, reply));
    EXPECT_FALSE(transfer.HttpGet(L"http://127.0.0.1:1/closed", reply));
    EXPECT_EQ(reply, L"unchanged");
    // Each is one attempt only.
    EXPECT_EQ(service_->RequestsTo("/dropped").size(), 1u);
}

TEST_F(Transport, DownloadsGoToTheFile)
{
    Open(Routes({{"/qr", {{{"base64", "iVBORw0KGgo="}}}}}));
    ScratchFolder folder;
    const std::wstring file = folder.Path() + L"\\qr.png";
    CCloudTransfer transfer;
    EXPECT_FALSE(transfer.HttpDownload(L"", file));
    EXPECT_FALSE(transfer.HttpDownload(service_->Base() + L"/qr", L""));
    EXPECT_EQ(service_->Requests().size(), 0u);
    EXPECT_TRUE(transfer.HttpDownload(service_->Base() + L"/qr", file));
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(attributes.nFileSizeLow, 8u);
    EXPECT_FALSE(transfer.HttpDownload(service_->Base() + L"/missing", folder.Path() + L"\\x.png"));
}

TEST_F(Transport, KeysAreFetchedOnceAndThenKept)
{
    Open();
    CDataManager& data = CDataManager::Instance();
    std::wstring encrypt, decrypt;
    ASSERT_TRUE(data.GetAppParams(encrypt, decrypt));
    EXPECT_EQ(encrypt, Key("encryptKey"));
    EXPECT_EQ(decrypt, Key("decryptKey"));
    EXPECT_EQ(data.encryptKey, encrypt);
    EXPECT_EQ(data.decryptKey, decrypt);
    std::wstring again_encrypt, again_decrypt;
    ASSERT_TRUE(data.GetAppParams(again_encrypt, again_decrypt));
    EXPECT_EQ(again_encrypt, encrypt);
    Json requests = service_->RequestsTo(kAppParams);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["method"], "POST");
    EXPECT_EQ(requests[0]["body"], "language=zh-cn&clientType=TV_Windows");
}

TEST_F(Transport, KeysAreFetchedAgainWhileOneIsMissing)
{
    Open(Routes({{kAppParams,
                  {{{"json", Envelope("0", {{"encryptKey", "$encryptKey"}})}},
                   {{"json", Envelope("0", "{\"encryptKey\": \"$encryptKey\", "
                                           "\"decryptKey\": \"$decryptKey\"}")}}}}}));
    CDataManager& data = CDataManager::Instance();
    std::wstring encrypt, decrypt;
    EXPECT_TRUE(data.GetAppParams(encrypt, decrypt));
    EXPECT_EQ(encrypt, Key("encryptKey"));
    EXPECT_EQ(decrypt, L"");
    // The decrypt key is still missing: asked again, this time "rs" is JSON text.
    EXPECT_TRUE(data.GetAppParams(encrypt, decrypt));
    EXPECT_EQ(decrypt, Key("decryptKey"));
    EXPECT_TRUE(data.GetAppParams(encrypt, decrypt));
    EXPECT_EQ(service_->RequestsTo(kAppParams).size(), 2u);
}

TEST_F(Transport, AFailedKeyRequestKeepsWhatWasStored)
{
    Open(Routes({{kAppParams,
                  {{{"json", Envelope("0", {{"encryptKey", "$encryptKey"}})}},
                   {{"status", 500}, {"text", "down"}},
                   {{"json", Envelope("680001", {{"decryptKey", "$decryptKey"}}, "refused")}},
                   {{"text", "not json"}}}}}));
    CDataManager& data = CDataManager::Instance();
    std::wstring encrypt, decrypt;
    ASSERT_TRUE(data.GetAppParams(encrypt, decrypt));
    for (int attempt = 0; attempt < 3; ++attempt) {
        encrypt = decrypt = L"x";
        EXPECT_FALSE(data.GetAppParams(encrypt, decrypt)) << attempt;
        // The stored keys are handed out as they were.
        EXPECT_EQ(encrypt, Key("encryptKey")) << attempt;
        EXPECT_EQ(decrypt, L"") << attempt;
        EXPECT_EQ(data.decryptKey, L"") << attempt;
    }
}

TEST_F(Transport, AnEncryptedRoundTrip)
{
    const Json payload = {{"userInfo", {{"id", 1001}, {"name", "\xe7\x94\xa8\xe6\x88\xb7"}}},
                          {"utoken", std::string(400, 't')}}; // more than one block
    Open(Routes({{"/api/v4/login", {{{"json", Envelope("0", nullptr)}, {"encryptRs", payload}}}}}));
    CDataManager& data = CDataManager::Instance();
    std::wstring encrypt, decrypt;
    ASSERT_TRUE(data.GetAppParams(encrypt, decrypt));
    const RequestForm form{{L"loginName", L"13812345678"},
                           {L"password", L"p@ss(HB)=&word"},
                           {L"uuid", L"00-00-00-00-00-00-00-00"},
                           {L"deviceName", L"\u7535\u8111"},
                           {L"deviceModel", L"Windows"},
                           {L"ip", L"127.0.0.1"},
                           {L"language", L"zh-cn"},
                           {L"clientType", L"TV_Windows"},
                           {L"clientVersion", L"5.2.0"},
                           {L"ts", L"1700000000000"},
                           {L"mac", L"00-00-00-00-00-00-00-00"},
                           {L"ver", L"2"}};
    std::wstring reply;
    ASSERT_TRUE(data.PostEncrypted(data.accountServerUrl, L"/api/v4/login", form, encrypt, reply));

    Json requests = service_->RequestsTo("/api/v4/login");
    ASSERT_EQ(requests.size(), 1u);
    const Json& request = requests[0];
    ASSERT_TRUE(request["fields"].contains("key")) << request.dump();
    EXPECT_EQ(request["fields"].size(), 1u);
    ASSERT_TRUE(request.contains("decrypted")) << request.dump();
    const std::string decrypted = request["decrypted"].get<std::string>();
    EXPECT_EQ(decrypted, ToUtf8(JoinEncryptedForm(form)));
    EXPECT_EQ(decrypted.rfind("clientType=TV_Windows(HB@WYX)clientVersion=5.2.0(HB@WYX)"
                              "deviceModel=Windows(HB@WYX)deviceName=",
                              0),
              0u);
    EXPECT_EQ(decrypted.substr(decrypted.size() - 13), "(HB@WYX)ver=2");

    const std::wstring rs = FromUtf8(Json::parse(ToUtf8(reply))["rs"].get<std::string>());
    EXPECT_EQ(Json::parse(ToUtf8(DecryptReplyData(rs, decrypt))), payload);
    // The wrong key, or text that is not base64, decrypts to nothing.
    EXPECT_EQ(DecryptReplyData(rs, encrypt), L"");
    EXPECT_EQ(DecryptReplyData(L"not base64!", decrypt), L"");
}

TEST_F(Transport, WithoutAUsableKeyTheFormIsNotSent)
{
    Open(Routes({{kAppParams, {{{"status", 503}, {"text", "down"}}}},
                 {"/api/v4/login", {{{"json", Envelope("0")}}}}}));
    CDataManager& data = CDataManager::Instance();
    std::wstring encrypt = L"x", decrypt = L"x";
    EXPECT_FALSE(data.GetAppParams(encrypt, decrypt));
    EXPECT_EQ(encrypt, L"");
    std::wstring reply = L"unchanged";
    const RequestForm form{{L"password", L"secret"}, {L"ver", L"2"}};
    EXPECT_FALSE(data.PostEncrypted(data.accountServerUrl, L"/api/v4/login", form, encrypt, reply));
    EXPECT_FALSE(data.PostEncrypted(data.accountServerUrl, L"/api/v4/login", form, L"bm90IGEga2V5",
                                    reply)); // base64, but not a key
    EXPECT_EQ(reply, L"unchanged");
    EXPECT_EQ(service_->RequestsTo("/api/v4/login").size(), 0u);
}
