// The account operations of the data manager.
#include "login/data/data_manager.h"
#include "login/service/cloud_transfer.h"
#include "login/service/device_identity.h"
#include "login/service/form_encoding.h"
#include "login/service/reply_envelope.h"

#include <ctime>

namespace glimra::login {

namespace {

const wchar_t kVersion[] = L"2";

// Milliseconds since 1970 of the current second: it always ends in 000.
std::wstring Timestamp()
{
    return std::to_wstring(static_cast<long long>(std::time(nullptr)) * 1000);
}

std::wstring DeviceUuid()
{
    std::wstring uuid = kNoDeviceUuid;
    GetDeviceMac(uuid);
    return uuid;
}

PayloadDecryptor DecryptWith(const std::wstring& key)
{
    return [key](const std::wstring& encrypted) { return DecryptReplyData(encrypted, key); };
}

} // namespace

bool CDataManager::PostEncryptedOperation(const wchar_t* path, const RequestForm& form,
                                          std::wstring& reply)
{
    std::wstring encrypt, decrypt;
    GetAppParams(encrypt, decrypt); // on failure the stored keys, if any, are used
    return PostEncrypted(accountServerUrl, path, form, encrypt, reply);
}

bool CDataManager::Login(const AccountForm& form, ReplyStatus& status)
{
    const std::wstring uuid = DeviceUuid();
    const RequestForm fields{{L"loginName", form.loginName},
                             {L"password", form.password},
                             {L"uuid", uuid},
                             {L"mac", uuid},
                             {L"deviceName", GetComputerNameText()},
                             {L"deviceModel", L"Windows"},
                             {L"ip", GetLocalIp()},
                             {L"ver", kVersion},
                             {L"language", language},
                             {L"clientType", clientType},
                             {L"clientVersion", clientVersion},
                             {L"ts", Timestamp()}};
    std::wstring reply;
    if (!PostEncryptedOperation(L"/api/v4/login", fields, reply))
        return false;
    if (!ParseLoginReply(reply, user, decryptKey, status, DecryptWith(decryptKey)))
        return false;
    user.uuid = uuid;
    return true;
}

bool CDataManager::Register(const AccountForm& form, ReplyStatus& status)
{
    const std::wstring uuid = DeviceUuid();
    RequestForm fields{{L"userName", form.loginName},
                       {L"password", form.password},
                       {L"uuid", uuid},
                       {L"mac", uuid},
                       {L"deviceName", GetComputerNameText()},
                       {L"deviceModel", L"Windows"},
                       {L"source", L"windows"},
                       {L"ver", kVersion},
                       {L"language", language},
                       {L"clientType", clientType},
                       {L"clientVersion", clientVersion},
                       {L"ts", Timestamp()}};
    if (!form.mobile.empty())
        fields[L"mobile"] = form.mobile;
    else
        fields[L"email"] = form.email;
    std::wstring reply;
    if (!PostEncryptedOperation(L"/api/v4/register", fields, reply))
        return false;
    if (!ParseLoginReply(reply, user, decryptKey, status, DecryptWith(decryptKey)))
        return false;
    if (user.SignedIn())
        user.uuid = uuid;
    return true;
}

bool CDataManager::CheckLoginNameExist(const std::wstring& login_name, ReplyStatus* status)
{
    if (login_name.empty())
        return false;
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpPost(
            accountServerUrl + L"/api/v2/checkLoginNameExist",
            FormBody({{L"loginName", login_name}, {L"ver", kVersion}, {L"clientType", clientType}}),
            reply))
        return false;
    return ParseReplyStatus(reply, status);
}

bool CDataManager::CheckVerificationCode(const std::wstring& login_name, const std::wstring& code,
                                         ReplyStatus* status)
{
    if (login_name.empty() || code.empty())
        return false;
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpPost(accountServerUrl + L"/api/v2/checkVerificationCode",
                           FormBody({{L"loginName", login_name},
                                     {L"code", code},
                                     {L"ver", kVersion},
                                     {L"clientType", clientType}}),
                           reply))
        return false;
    return ParseReplyStatus(reply, status);
}

bool CDataManager::SendVerificationCode(const std::wstring& mobile_or_email, unsigned type,
                                        ReplyStatus* status)
{
    if (mobile_or_email.empty())
        return false;
    const RequestForm fields{{L"mobile", mobile_or_email},
                             {L"type", std::to_wstring(type)},
                             {L"ver", kVersion},
                             {L"clientType", clientType},
                             {L"ts", Timestamp()}};
    std::wstring reply;
    if (!PostEncryptedOperation(L"/api/v4/sendVerificationCode", fields, reply))
        return false;
    return ParseReplyStatus(reply, status);
}

bool CDataManager::UpdatePasswordForFind(const AccountForm& form, ReplyStatus* status)
{
    const RequestForm fields{{L"mobile", form.mobile},
                             {L"password", form.password},
                             {L"ver", kVersion},
                             {L"clientType", clientType},
                             {L"ts", Timestamp()}};
    std::wstring reply;
    if (!PostEncryptedOperation(L"/api/v4/update4Findpwd", fields, reply))
        return false;
    return ParseReplyStatus(reply, status);
}

bool CDataManager::LoadBindDeviceInfo(const AccountForm& form, std::vector<BoundDevice>& devices)
{
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpPostForm(accountServerUrl + L"/api/v2/loadBindDeviceInfo",
                               {{L"loginName", form.loginName},
                                {L"password", form.password},
                                {L"clientType", clientType},
                                {L"clientVersion", clientVersion}},
                               reply))
        return false;
    return ParseDeviceList(reply, devices);
}

bool CDataManager::UnBindDevice(const AccountForm& form, const BoundDevice& device,
                                ReplyStatus* status)
{
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpPostForm(accountServerUrl + L"/api/v2/unBindDevice",
                               {{L"loginName", form.loginName},
                                {L"password", form.password},
                                {L"deviceId", std::to_wstring(device.deviceId)},
                                {L"deviceUuid", device.deviceUuid},
                                {L"clientType", clientType},
                                {L"clientVersion", clientVersion}},
                               reply))
        return false;
    return ParseReplyStatus(reply, status);
}

bool CDataManager::MobileBind(int64_t user_id, ReplyStatus& status)
{
    std::wstring uuid;
    if (!GetDeviceMac(uuid))
        return false;
    std::wstring date;
    // The signature covers the plain values; the body carries them form-encoded.
    const std::wstring signature = MakeBindSignature(user_id, uuid, date);
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpPost(accountServerUrl + L"/api/v1/mobileBind",
                           FormBody({{L"userId", std::to_wstring(user_id)},
                                     {L"uuid", uuid},
                                     {L"date", date},
                                     {L"signature", signature},
                                     {L"clientType", clientType},
                                     {L"clientVersion", clientVersion},
                                     {L"equipName", GetComputerNameText()}}),
                           reply))
        return false;
    return ParseBindReply(reply, user, status);
}

} // namespace glimra::login
