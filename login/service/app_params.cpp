// The data manager's two transport operations: the service's keys and encrypted posts.
#include "login/data/data_manager.h"
#include "login/service/cloud_transfer.h"
#include "login/service/encrypted_form.h"
#include "login/service/reply_envelope.h"
#include "tcurl/CTCurlHelper.h"

#include <windows.h>

namespace glimra::login {

bool CDataManager::GetAppParams(std::wstring& encrypt_key, std::wstring& decrypt_key)
{
    bool known = !encryptKey.empty() && !decryptKey.empty();
    if (!known) {
        CCloudTransfer transfer;
        std::wstring reply;
        std::wstring body = L"language=" + language + L"&clientType=" + clientType;
        known = transfer.HttpPost(parameterServerUrl + L"/api/v2/getAppParams", body, reply) &&
                ParseAppParams(reply, encryptKey, decryptKey);
    }
    // Also after a failure: the callers go on with whatever keys are stored.
    encrypt_key = encryptKey;
    decrypt_key = decryptKey;
    return known;
}

bool CDataManager::PostEncrypted(const std::wstring& base, const std::wstring& path,
                                 const RequestForm& form, const std::wstring& encrypt_key,
                                 std::wstring& reply)
{
    // Without a key there is nothing to encrypt with: the form is not sent at all.
    if (encrypt_key.empty())
        return false;
    std::string text = CTCurlHelper::ws2s(JoinEncryptedForm(form), CP_UTF8);
    std::string key = CTCurlHelper::ws2s(encrypt_key, CP_UTF8);
    std::string encrypted;
    {
        CTCurlHelper curl;
        encrypted = curl.rsa_publicEncrypt(text, curl.rsa_formatPublicKey(key));
    }
    // An unusable key gives nothing: the form must never travel unencrypted or empty.
    if (encrypted.empty())
        return false;
    std::string encoded;
    {
        CTCurlHelper curl;
        encoded =
            curl.encode(reinterpret_cast<const unsigned char*>(encrypted.data()), encrypted.size());
    }
    RequestForm sent{{L"key", CTCurlHelper::s2ws(encoded, CP_UTF8)}};
    CCloudTransfer transfer;
    return transfer.HttpPostForm(base + path, sent, reply);
}

} // namespace glimra::login
