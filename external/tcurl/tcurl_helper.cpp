#include "tcurl/CTCurlHelper.h"

#include "base64.h"
#include "http_client.h"
#include "public_key.h"
#include "rsa.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>

namespace {

std::string Utf8(const std::wstring& text)
{
    return CTCurlHelper::ws2s(text, CP_UTF8);
}

std::string RandomBoundary()
{
    unsigned char random[16] = {};
    BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    std::string boundary = "----tcurl-form-";
    char hex[3];
    for (unsigned char byte : random) {
        std::snprintf(hex, sizeof hex, "%02x", byte);
        boundary += hex;
    }
    return boundary;
}

// A field name inside the quotes of Content-Disposition: quotes and line breaks escaped.
std::string QuotedFieldName(const std::wstring& name)
{
    std::string out;
    for (char c : Utf8(name)) {
        if (c == '"')
            out += "%22";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

std::string MultipartBody(const std::map<std::wstring, std::wstring>& form,
                          const std::string& boundary)
{
    std::string body;
    for (const auto& [name, value] : form) {
        body += "--" + boundary + "\r\n";
        body += "Content-Disposition: form-data; name=\"" + QuotedFieldName(name) + "\"\r\n\r\n";
        body += Utf8(value) + "\r\n";
    }
    return body + "--" + boundary + "--\r\n";
}

int Send(tcurl::HttpRequest& request, std::string& response)
{
    std::string body;
    int result =
        tcurl::PerformRequest(request, [&](const char* data, size_t size, unsigned long long) {
            body.append(data, size);
            return true;
        });
    if (result == 0)
        response = std::move(body);
    return result;
}

tcurl::HttpRequest MakeRequest(const wchar_t* verb, const std::wstring& url,
                               const std::vector<std::wstring>& headers, int connect_timeout,
                               int timeout, const std::wstring& user_agent)
{
    tcurl::HttpRequest request;
    request.verb = verb;
    request.url = url;
    request.headers = headers;
    request.connect_timeout_s = connect_timeout;
    request.timeout_s = timeout;
    request.user_agent = user_agent;
    return request;
}

// Writes the download beside the target first, so a failure leaves no partial file.
class PartFile {
public:
    explicit PartFile(const std::wstring& target) : target_(target), part_(target + L".part")
    {
        file_ = CreateFileW(part_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~PartFile()
    {
        Close();
        if (!kept_)
            DeleteFileW(part_.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool Open() const { return file_ != INVALID_HANDLE_VALUE; }
    bool Write(const char* data, size_t size)
    {
        DWORD written = 0;
        return WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    }
    // Puts the finished file in place of the target.
    bool Keep()
    {
        Close();
        kept_ = MoveFileExW(part_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        return kept_;
    }

private:
    void Close()
    {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    std::wstring target_;
    std::wstring part_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool kept_ = false;
};

} // namespace

CTCurlHelper::CTCurlHelper() = default;
CTCurlHelper::~CTCurlHelper() = default;

int CTCurlHelper::SendGetW(const std::wstring& url, std::string& response,
                           const std::vector<std::wstring>& headers, int connect_timeout,
                           int timeout, const std::wstring& user_agent)
{
    auto request = MakeRequest(L"GET", url, headers, connect_timeout, timeout, user_agent);
    return Send(request, response);
}

int CTCurlHelper::SendPostW(const std::wstring& url, const std::wstring& body,
                            std::string& response, const std::vector<std::wstring>& headers,
                            int connect_timeout, int timeout, const std::wstring& user_agent)
{
    auto request = MakeRequest(L"POST", url, headers, connect_timeout, timeout, user_agent);
    request.headers.push_back(L"Content-Type: application/x-www-form-urlencoded");
    request.body = Utf8(body);
    return Send(request, response);
}

int CTCurlHelper::SendMultipartFormPostW(const std::wstring& url,
                                         const std::map<std::wstring, std::wstring>& form,
                                         std::string& response,
                                         const std::vector<std::wstring>& headers,
                                         int connect_timeout, int timeout,
                                         const std::wstring& user_agent)
{
    auto request = MakeRequest(L"POST", url, headers, connect_timeout, timeout, user_agent);
    std::string boundary = RandomBoundary();
    request.headers.push_back(L"Content-Type: multipart/form-data; boundary=" +
                              s2ws(boundary, CP_UTF8));
    request.body = MultipartBody(form, boundary);
    return Send(request, response);
}

int CTCurlHelper::SendDownloadFileW(const std::wstring& url, const std::wstring& file_path,
                                    const std::vector<std::wstring>& headers, int connect_timeout,
                                    int timeout, void* user_data, ProgressFunction progress,
                                    const std::wstring& user_agent)
{
    if (file_path.empty())
        return -1;
    PartFile file(file_path);
    if (!file.Open())
        return static_cast<int>(GetLastError());
    auto request = MakeRequest(L"GET", url, headers, connect_timeout, timeout, user_agent);
    double downloaded = 0;
    int result = tcurl::PerformRequest(
        request, [&](const char* data, size_t size, unsigned long long total) {
            if (!file.Write(data, size))
                return false;
            downloaded += static_cast<double>(size);
            return progress == nullptr ||
                   progress(user_data, static_cast<double>(total), downloaded, 0, 0) == 0;
        });
    if (result != 0)
        return result;
    return file.Keep() ? 0 : static_cast<int>(GetLastError());
}

std::string CTCurlHelper::ws2s(const std::wstring& text, unsigned code_page)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

std::wstring CTCurlHelper::s2ws(const std::string& bytes, unsigned code_page)
{
    if (bytes.empty())
        return {};
    int size =
        MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], size);
    return out;
}

std::string CTCurlHelper::rsa_formatPublicKey(const std::string& key)
{
    tcurl::RsaPublicKey parsed;
    if (!tcurl::ReadPublicKey(key, parsed))
        return {};
    return tcurl::WritePublicKeyPem(parsed);
}

std::string CTCurlHelper::rsa_publicEncrypt(const std::string& data, const std::string& key)
{
    tcurl::RsaPublicKey parsed;
    std::string out;
    if (!tcurl::ReadPublicKey(key, parsed) || !tcurl::RsaEncryptBlocks(data, parsed, out))
        return {};
    return out;
}

std::string CTCurlHelper::rsa_publicDecrypt(const std::string& data, const std::string& key)
{
    tcurl::RsaPublicKey parsed;
    std::string out;
    if (!tcurl::ReadPublicKey(key, parsed) || !tcurl::RsaRecoverBlocks(data, parsed, out))
        return {};
    return out;
}

std::string CTCurlHelper::encode(const unsigned char* data, size_t length)
{
    if (data == nullptr)
        return {};
    return tcurl::Base64Encode(data, length);
}

std::string CTCurlHelper::decodeEx(const char* text, size_t length, size_t& out_length)
{
    std::string bytes;
    out_length = 0;
    if (text == nullptr || !tcurl::Base64Decode(text, length, bytes))
        return {};
    out_length = bytes.size();
    return bytes;
}
