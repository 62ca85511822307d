#pragma once
// tcurl.dll: HTTP requests, UTF-8 conversions, RSA public-key operations and a text
// encoding of binary data. Create one CTCurlHelper for a request and drop it after;
// ws2s and s2ws are static.
//
// Wire format shared with the account service:
//  - a public key is standard base64 of the DER SubjectPublicKeyInfo of an RSA key,
//    or a PEM block of it; rsa_formatPublicKey turns either into the PEM block that
//    the two RSA operations take (they accept the base64 text as well);
//  - rsa_publicEncrypt cuts the data into chunks of k - 11 bytes (k = modulus size in
//    bytes), pads each with PKCS#1 v1.5 type 2 and joins the k-byte blocks;
//  - rsa_publicDecrypt takes whole k-byte blocks made with the private key and
//    PKCS#1 v1.5 type 1 padding and joins the unpadded chunks;
//  - encode is standard base64, padded, without line breaks; decodeEx is its inverse,
//    skipping white space and failing on anything else.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#ifdef TCURL_BUILDING
#define TCURL_API __declspec(dllexport)
#else
#define TCURL_API __declspec(dllimport)
#endif

class TCURL_API CTCurlHelper {
public:
    // Called while a download runs: totals and amounts so far, in bytes; a non-zero
    // result stops the download.
    using ProgressFunction = int (*)(void* user_data, double download_total, double downloaded,
                                     double upload_total, double uploaded);

    CTCurlHelper();
    ~CTCurlHelper();
    CTCurlHelper(const CTCurlHelper&) = delete;
    CTCurlHelper& operator=(const CTCurlHelper&) = delete;

    // Requests. `headers` are whole header lines ("Name: value"). `connect_timeout`
    // limits the connection and `timeout` every wait for data, both in seconds.
    // 0 means a 2xx answer whose body is in `response` (or stored at `file_path`);
    // otherwise the HTTP status of the answer, or the system's error code.
    int SendGetW(const std::wstring& url, std::string& response,
                 const std::vector<std::wstring>& headers, int connect_timeout, int timeout,
                 const std::wstring& user_agent);
    // Posts `body` (url-encoded text, sent as UTF-8).
    int SendPostW(const std::wstring& url, const std::wstring& body, std::string& response,
                  const std::vector<std::wstring>& headers, int connect_timeout, int timeout,
                  const std::wstring& user_agent);
    // Posts the fields as a multipart form, values as UTF-8.
    int SendMultipartFormPostW(const std::wstring& url,
                               const std::map<std::wstring, std::wstring>& form,
                               std::string& response, const std::vector<std::wstring>& headers,
                               int connect_timeout, int timeout, const std::wstring& user_agent);
    // Stores the body at `file_path`; a failed download leaves no file there.
    int SendDownloadFileW(const std::wstring& url, const std::wstring& file_path,
                          const std::vector<std::wstring>& headers, int connect_timeout,
                          int timeout, void* user_data, ProgressFunction progress,
                          const std::wstring& user_agent);

    static std::string ws2s(const std::wstring& text, unsigned code_page);
    static std::wstring s2ws(const std::string& bytes, unsigned code_page);

    // Empty when the key cannot be read.
    std::string rsa_formatPublicKey(const std::string& key);
    // Empty when the key cannot be read or the operation fails.
    std::string rsa_publicEncrypt(const std::string& data, const std::string& key);
    std::string rsa_publicDecrypt(const std::string& data, const std::string& key);

    std::string encode(const unsigned char* data, size_t length);
    // The bytes `text` encodes and their count; empty and 0 when it is not base64.
    std::string decodeEx(const char* text, size_t length, size_t& out_length);
};
