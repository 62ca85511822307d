#include "login/service/cloud_transfer.h"

#include "login/data/data_manager.h"
#include "login/service/user_agent.h"
#include "tcurl/CTCurlHelper.h"

#include <windows.h>

#include <vector>

namespace glimra::login {

namespace {

constexpr int kConnectLimit = 10;
constexpr int kTransferLimit = 10;
constexpr int kDownloadConnectLimit = 50;
constexpr int kDownloadTransferLimit = 1200;
constexpr DWORD kProgramPathUnits = 260;

int IgnoreProgress(void*, double, double, double, double)
{
    return 0;
}

std::string Utf8(const std::wstring& text)
{
    return CTCurlHelper::ws2s(text, CP_UTF8);
}

std::wstring FromUtf8(const std::string& bytes)
{
    return CTCurlHelper::s2ws(bytes, CP_UTF8);
}

} // namespace

std::wstring CCloudTransfer::MakeUserAgent()
{
    wchar_t path[kProgramPathUnits] = {};
    GetModuleFileNameW(nullptr, path, kProgramPathUnits);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return FormatUserAgent(path, CDataManager::Instance().clientVersion, version.dwMajorVersion,
                           version.dwMinorVersion);
}

bool CCloudTransfer::HttpGet(const std::wstring& url, std::wstring& reply)
{
    CTCurlHelper curl;
    std::string response;
    if (curl.SendGetW(url, response, {}, kConnectLimit, kTransferLimit, MakeUserAgent()) != 0)
        return false;
    reply = FromUtf8(response);
    return true;
}

bool CCloudTransfer::HttpPost(const std::wstring& url, const std::wstring& body,
                              std::wstring& reply)
{
    CTCurlHelper curl;
    std::string response;
    if (curl.SendPostW(url, body, response, {}, kConnectLimit, kTransferLimit, MakeUserAgent()) !=
        0)
        return false;
    reply = FromUtf8(response);
    return true;
}

bool CCloudTransfer::HttpPostForm(const std::wstring& url, const RequestForm& form,
                                  std::wstring& reply)
{
    CTCurlHelper curl;
    std::string response;
    if (curl.SendMultipartFormPostW(url, form, response, {}, kConnectLimit, kTransferLimit,
                                    MakeUserAgent()) != 0)
        return false;
    reply = FromUtf8(response);
    return true;
}

bool CCloudTransfer::HttpDownload(const std::wstring& url, const std::wstring& path)
{
    if (url.empty() || path.empty())
        return false;
    CTCurlHelper curl;
    return curl.SendDownloadFileW(url, path, {}, kDownloadConnectLimit, kDownloadTransferLimit,
                                  nullptr, IgnoreProgress, MakeUserAgent()) == 0;
}

std::wstring DecryptReplyData(const std::wstring& encrypted, const std::wstring& decrypt_key)
{
    CTCurlHelper curl;
    std::string text = Utf8(encrypted);
    size_t length = 0;
    std::string bytes = curl.decodeEx(text.data(), text.size(), length);
    std::string key = curl.rsa_formatPublicKey(Utf8(decrypt_key));
    return FromUtf8(curl.rsa_publicDecrypt(bytes.substr(0, length), key));
}

} // namespace glimra::login
