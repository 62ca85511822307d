#include "CTLoginHelper.h"

#include "login/data/data_manager.h"
#include "login/interface/login_session.h"

using glimra::login::Callback;
using glimra::login::CDataManager;

namespace {

void StoreIfGiven(std::wstring& field, const wchar_t* value)
{
    if (value != nullptr)
        field = value;
}

void Store(Callback slot, TLoginCallback callback)
{
    CDataManager::Instance().SetCallback(slot, callback);
}

} // namespace

CTLoginHelper::CTLoginHelper() = default;
CTLoginHelper::~CTLoginHelper() = default;

CTLoginHelper& CTLoginHelper::operator=(const CTLoginHelper&)
{
    return *this;
}

void CTLoginHelper::SetLanguage(const wchar_t* language)
{
    StoreIfGiven(CDataManager::Instance().language, language);
}

void CTLoginHelper::SetClientType(const wchar_t* client_type)
{
    StoreIfGiven(CDataManager::Instance().clientType, client_type);
}

void CTLoginHelper::SetClientVersion(const wchar_t* client_version)
{
    StoreIfGiven(CDataManager::Instance().clientVersion, client_version);
}

void CTLoginHelper::SetChannelId(const wchar_t* channel_id)
{
    StoreIfGiven(CDataManager::Instance().channelCode, channel_id);
}

void CTLoginHelper::SetQRPicPath(const wchar_t* path)
{
    StoreIfGiven(CDataManager::Instance().qrPicturePath, path);
}

void CTLoginHelper::SetUserAgreementUrl(const wchar_t* url)
{
    StoreIfGiven(CDataManager::Instance().userAgreementUrl, url);
}

void CTLoginHelper::SetPrivacyPolicyUrl(const wchar_t* url)
{
    StoreIfGiven(CDataManager::Instance().privacyPolicyUrl, url);
}

void CTLoginHelper::SetServerLink(const wchar_t* account_server, const wchar_t* parameter_server,
                                  const wchar_t* required, const wchar_t* auth_center,
                                  const wchar_t* device_management)
{
    if (account_server == nullptr || parameter_server == nullptr || required == nullptr)
        return;
    CDataManager& data = CDataManager::Instance();
    data.accountServerUrl = account_server;
    data.parameterServerUrl = parameter_server;
    data.authCenterUrl = auth_center != nullptr ? auth_center : L"";
    data.deviceManagementUrl = device_management != nullptr ? device_management : L"";
}

void CTLoginHelper::SetLoginCallback(TLoginCallback callback)
{
    Store(Callback::Login, callback);
}

void CTLoginHelper::SetBindDeviceOverLimitCallback(TLoginCallback callback)
{
    Store(Callback::BindDeviceOverLimit, callback);
}

void CTLoginHelper::SetBindDeviceUnbind(TLoginCallback callback)
{
    Store(Callback::BindDeviceUnbind, callback);
}

void CTLoginHelper::SetRegisterCallback(TLoginCallback callback)
{
    Store(Callback::Register, callback);
}

void CTLoginHelper::SetMobileRetrievePasswordCallback(TLoginCallback callback)
{
    Store(Callback::MobileRetrievePassword, callback);
}

void CTLoginHelper::SetThirdPartyQQLoginCallback(TLoginCallback callback)
{
    Store(Callback::ThirdPartyQQLogin, callback);
}

void CTLoginHelper::SetThirdPartyWeiboLoginCallback(TLoginCallback callback)
{
    Store(Callback::ThirdPartyWeiboLogin, callback);
}

void CTLoginHelper::SetWeChatLoginCallback(TLoginCallback callback)
{
    Store(Callback::WeChatLogin, callback);
}

void CTLoginHelper::SetUserAgreementCallback(TLoginCallback callback)
{
    Store(Callback::UserAgreement, callback);
}

void CTLoginHelper::SetPrivacyPolicyCallback(TLoginCallback callback)
{
    Store(Callback::PrivacyPolicy, callback);
}

void CTLoginHelper::SetMobileRegisterCallback(TLoginCallback callback)
{
    Store(Callback::MobileRegister, callback);
}

void CTLoginHelper::SetEmailRegisterCallback(TLoginCallback callback)
{
    Store(Callback::EmailRegister, callback);
}

void CTLoginHelper::SetEmailRetrievePasswordCallback(TLoginCallback callback)
{
    Store(Callback::EmailRetrievePassword, callback);
}

int CTLoginHelper::Tlogin()
{
    return glimra::login::RunLoginSession();
}

void CTLoginHelper::GetUserInfo(int64_t& id, std::wstring& name, std::wstring& token,
                                std::wstring& uuid, std::wstring& avatar, std::wstring& reserved)
{
    const auto& user = CDataManager::Instance().user;
    id = user.id;
    name = user.name;
    token = user.token;
    uuid = user.uuid;
    avatar = user.avatar;
    reserved = user.reserved;
}
