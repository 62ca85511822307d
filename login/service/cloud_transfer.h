#pragma once
// The request transport of the login library: the four sends of tcurl.dll, each one
// attempt with the library's User-Agent, and the decryption of reply payloads.

#include "login/service/request_form.h"

#include <string>

namespace glimra::login {

class CCloudTransfer {
public:
    virtual ~CCloudTransfer() = default;

    // The User-Agent, built anew for every request.
    static std::wstring MakeUserAgent();

    // True with the reply text (from UTF-8) when the library reports success.
    bool HttpGet(const std::wstring& url, std::wstring& reply);
    // `body` is url-encoded by the caller.
    bool HttpPost(const std::wstring& url, const std::wstring& body, std::wstring& reply);
    bool HttpPostForm(const std::wstring& url, const RequestForm& form, std::wstring& reply);
    // False at once when the URL or the path is empty.
    bool HttpDownload(const std::wstring& url, const std::wstring& path);
};

// The payload the service encrypted with its private key: base64 text in, text out;
// empty when it cannot be decoded or decrypted.
std::wstring DecryptReplyData(const std::wstring& encrypted, const std::wstring& decrypt_key);

} // namespace glimra::login
