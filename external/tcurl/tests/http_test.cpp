// Real requests of tcurl.dll against the fake account service on the loopback.
#include <gtest/gtest.h>

#include "common/json/utf8.h"
#include "tcurl/CTCurlHelper.h"
#include "testing/services/fake_account_service.h"
#include "testing/support/scratch_folder.h"

#include <windows.h>

#include <cstdio>
#include <string>

using glimra::json::FromUtf8;
using glimra::json::Json;
using glimra::testing::FakeAccountService;
using glimra::testing::ScratchFolder;

namespace {

const std::wstring kAgent = L"TcurlTests/1.0 (test.exe 5.2.0; Windows NT 10.0)";

Json Route(const std::string& path, const Json& replies)
{
    return {{"routes", {{path, replies}}}};
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string content;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        size_t read;
        while ((read = fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, read);
        fclose(file);
    }
    return content;
}

} // namespace

TEST(TcurlHttp, GetReturnsTheBodyAndSendsTheUserAgent)
{
    FakeAccountService service(Route("/hello", {{{"text", "h\xc3\xa9llo"}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    CTCurlHelper curl;
    std::string response;
    EXPECT_EQ(curl.SendGetW(service.Base() + L"/hello?a=1&b=two", response, {}, 10, 10, kAgent), 0);
    EXPECT_EQ(response, "h\xc3\xa9llo");
    Json requests = service.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["method"], "GET");
    EXPECT_EQ(requests[0]["path"], "/hello");
    EXPECT_EQ(requests[0]["query"], Json({{"a", "1"}, {"b", "two"}}));
    EXPECT_EQ(FromUtf8(requests[0]["userAgent"].get<std::string>()), kAgent);
}

TEST(TcurlHttp, PostSendsTheBodyAsUtf8UrlEncodedText)
{
    FakeAccountService service(Route("/post", {{{"json", {{"code", "0"}}}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    CTCurlHelper curl;
    std::string response;
    EXPECT_EQ(curl.SendPostW(service.Base() + L"/post", L"language=zh-cn&name=\u767b\u5f55",
                             response, {}, 10, 10, kAgent),
              0);
    EXPECT_EQ(Json::parse(response), Json({{"code", "0"}}));
    Json request = service.Requests().at(0);
    EXPECT_EQ(request["method"], "POST");
    EXPECT_EQ(request["contentType"], "application/x-www-form-urlencoded");
    EXPECT_EQ(request["body"], "language=zh-cn&name=\xe7\x99\xbb\xe5\xbd\x95");
}

TEST(TcurlHttp, MultipartPostSendsEveryField)
{
    FakeAccountService service;
    ASSERT_TRUE(service.Ready()) << service.Problem();
    CTCurlHelper curl;
    std::string response;
    const std::map<std::wstring, std::wstring> form{{L"loginName", L"user@example.com"},
                                                    {L"password", L"a&b=c d"},
                                                    {L"deviceName", L"\u7535\u8111"},
                                                    {L"empty", L""}};
    // Unscripted routes answer 404, which is a failure: the fields still arrive.
    EXPECT_EQ(
        curl.SendMultipartFormPostW(service.Base() + L"/form", form, response, {}, 10, 10, kAgent),
        404);
    Json request = service.Requests().at(0);
    EXPECT_EQ(request["contentType"].get<std::string>().rfind("multipart/form-data; boundary=", 0),
              0u);
    EXPECT_EQ(request["fields"], Json({{"loginName", "user@example.com"},
                                       {"password", "a&b=c d"},
                                       {"deviceName", "\xe7\x94\xb5\xe8\x84\x91"},
                                       {"empty", ""}}));
}

TEST(TcurlHttp, DownloadStoresTheBodyAndReportsProgress)
{
    const std::string picture("\x89PNG\r\n\x1a\n\0\x01\x02", 11);
    FakeAccountService service(Route("/qr", {{{"base64", "iVBORw0KGgoAAQI="}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    ScratchFolder folder;
    std::wstring file = folder.Path() + L"\\qr.png";
    struct Progress {
        int calls = 0;
        double last = 0;
    } progress;
    auto report = [](void* data, double, double downloaded, double, double) {
        auto* p = static_cast<Progress*>(data);
        ++p->calls;
        p->last = downloaded;
        return 0;
    };
    CTCurlHelper curl;
    EXPECT_EQ(curl.SendDownloadFileW(service.Base() + L"/qr", file, {}, 50, 1200, &progress, report,
                                     kAgent),
              0);
    EXPECT_EQ(ReadWholeFile(file), picture);
    EXPECT_GE(progress.calls, 1);
    EXPECT_EQ(progress.last, 11.0);
}

TEST(TcurlHttp, AFailedDownloadLeavesNoFile)
{
    FakeAccountService service(
        Route("/qr", {{{"status", 500}, {"text", "broken"}}, {{"base64", "AAAA"}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    ScratchFolder folder;
    std::wstring file = folder.Path() + L"\\qr.png";
    CTCurlHelper curl;
    EXPECT_EQ(curl.SendDownloadFileW(service.Base() + L"/qr", file, {}, 50, 1200, nullptr, nullptr,
                                     kAgent),
              500);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    // A progress function that asks to stop also leaves nothing behind.
    auto stop = [](void*, double, double, double, double) { return 1; };
    EXPECT_NE(
        curl.SendDownloadFileW(service.Base() + L"/qr", file, {}, 50, 1200, nullptr, stop, kAgent),
        0);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((file + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TcurlHttp, FailuresAreNonZero)
{
    FakeAccountService service(Route("/fail", {{{"status", 503}, {"text", "busy"}},
                                               {{"drop", true}},
                                               {{"delayMs", 3000}, {"text", "late"}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    CTCurlHelper curl;
    std::string response = "unchanged";
    EXPECT_EQ(curl.SendGetW(service.Base() + L"/fail", response, {}, 10, 10, kAgent), 503);
    EXPECT_NE(curl.SendGetW(service.Base() + L"/fail", response, {}, 10, 10, kAgent), 0);
    // Slower than the limit of one second.
    EXPECT_NE(curl.SendGetW(service.Base() + L"/fail", response, {}, 1, 1, kAgent), 0);
    EXPECT_EQ(response, "unchanged");
    // Nobody listens on port 1; an address that is not HTTP.
    EXPECT_NE(curl.SendGetW(L"http://127.0.0.1:1/", response, {}, 2, 2, kAgent), 0);
    EXPECT_EQ(curl.SendGetW(L"ftp://127.0.0.1/x", response, {}, 2, 2, kAgent), -1);
    EXPECT_EQ(curl.SendGetW(L"not a url", response, {}, 2, 2, kAgent), -1);
}

TEST(TcurlHttp, TheServiceDecryptsWhatWasEncryptedWithItsKey)
{
    FakeAccountService service(Route(
        "/enc", {{{"json", {{"code", "0"}}}, {"encryptRs", "\xe4\xbd\xa0\xe5\xa5\xbd payload"}}}));
    ASSERT_TRUE(service.Ready()) << service.Problem();
    Json keys = service.Keys();
    std::string text(600, 'x'); // three blocks of a 2048-bit key
    text.replace(0, 6, "\xe4\xbd\xa0\xe5\xa5\xbd");
    CTCurlHelper curl;
    std::string encrypted = curl.rsa_publicEncrypt(
        text, curl.rsa_formatPublicKey(keys["encryptKey"].get<std::string>()));
    ASSERT_EQ(encrypted.size(), 3u * 256);
    std::string key_text =
        curl.encode(reinterpret_cast<const unsigned char*>(encrypted.data()), encrypted.size());
    std::string response;
    EXPECT_EQ(curl.SendMultipartFormPostW(service.Base() + L"/enc",
                                          {{L"key", CTCurlHelper::s2ws(key_text, 65001)}}, response,
                                          {}, 10, 10, kAgent),
              0);
    EXPECT_EQ(service.Requests().at(0)["decrypted"], text);

    // And the other way: the payload the service encrypted with its private key.
    std::string rs = Json::parse(response)["rs"].get<std::string>();
    size_t length = 0;
    std::string bytes = curl.decodeEx(rs.data(), rs.size(), length);
    EXPECT_EQ(curl.rsa_publicDecrypt(
                  bytes, curl.rsa_formatPublicKey(keys["decryptKey"].get<std::string>())),
              "\xe4\xbd\xa0\xe5\xa5\xbd payload");
}
