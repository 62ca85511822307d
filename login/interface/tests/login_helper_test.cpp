// The exported class's rules, observed in the data manager it writes to.
#include <gtest/gtest.h>

#include "CTLoginHelper.h"
#include "login/data/data_manager.h"

#include <string>

using glimra::login::Callback;
using glimra::login::CDataManager;

namespace {

using StringSetter = void (CTLoginHelper::*)(const wchar_t*);
using CallbackSetter = void (CTLoginHelper::*)(TLoginCallback);

struct StringSetting {
    const char* name;
    StringSetter setter;
    std::wstring CDataManager::*field;
    std::wstring initial;
};

const StringSetting kStringSettings[] = {
    {"SetLanguage", &CTLoginHelper::SetLanguage, &CDataManager::language, L"zh-cn"},
    {"SetClientType", &CTLoginHelper::SetClientType, &CDataManager::clientType, L"TV_Windows"},
    {"SetClientVersion", &CTLoginHelper::SetClientVersion, &CDataManager::clientVersion, L"5.2.0"},
    {"SetChannelId", &CTLoginHelper::SetChannelId, &CDataManager::channelCode, L"1"},
    {"SetQRPicPath", &CTLoginHelper::SetQRPicPath, &CDataManager::qrPicturePath, L""},
    {"SetUserAgreementUrl", &CTLoginHelper::SetUserAgreementUrl, &CDataManager::userAgreementUrl,
     L""},
    {"SetPrivacyPolicyUrl", &CTLoginHelper::SetPrivacyPolicyUrl, &CDataManager::privacyPolicyUrl,
     L""},
};

const std::pair<CallbackSetter, Callback> kCallbackSetters[] = {
    {&CTLoginHelper::SetLoginCallback, Callback::Login},
    {&CTLoginHelper::SetBindDeviceOverLimitCallback, Callback::BindDeviceOverLimit},
    {&CTLoginHelper::SetBindDeviceUnbind, Callback::BindDeviceUnbind},
    {&CTLoginHelper::SetRegisterCallback, Callback::Register},
    {&CTLoginHelper::SetMobileRetrievePasswordCallback, Callback::MobileRetrievePassword},
    {&CTLoginHelper::SetThirdPartyQQLoginCallback, Callback::ThirdPartyQQLogin},
    {&CTLoginHelper::SetThirdPartyWeiboLoginCallback, Callback::ThirdPartyWeiboLogin},
    {&CTLoginHelper::SetWeChatLoginCallback, Callback::WeChatLogin},
    {&CTLoginHelper::SetUserAgreementCallback, Callback::UserAgreement},
    {&CTLoginHelper::SetPrivacyPolicyCallback, Callback::PrivacyPolicy},
    {&CTLoginHelper::SetMobileRegisterCallback, Callback::MobileRegister},
    {&CTLoginHelper::SetEmailRegisterCallback, Callback::EmailRegister},
    {&CTLoginHelper::SetEmailRetrievePasswordCallback, Callback::EmailRetrievePassword},
};

void HostCallback() {}

struct UserInfo {
    int64_t id = 0;
    std::wstring name = L"x", token = L"x", uuid = L"x", avatar = L"x", reserved = L"x";
};

UserInfo Read(CTLoginHelper& helper)
{
    UserInfo info;
    helper.GetUserInfo(info.id, info.name, info.token, info.uuid, info.avatar, info.reserved);
    return info;
}

} // namespace

TEST(LoginHelper, StringSettersStoreCopiesAndIgnoreNull)
{
    CDataManager& data = CDataManager::Instance();
    for (const auto& setting : kStringSettings) {
        SCOPED_TRACE(setting.name);
        CTLoginHelper helper;
        EXPECT_EQ(data.*setting.field, setting.initial);
        std::wstring value = L"value of " + std::wstring(setting.name, setting.name + 3);
        (helper.*setting.setter)(value.c_str());
        value[0] = L'X'; // the library keeps its own copy
        EXPECT_EQ(data.*setting.field, L"value of Set");
        (helper.*setting.setter)(nullptr);
        EXPECT_EQ(data.*setting.field, L"value of Set");
        (helper.*setting.setter)(L"");
        EXPECT_EQ(data.*setting.field, L"");
    }
}

TEST(LoginHelper, EachStringSetterWritesOnlyItsOwnField)
{
    CDataManager& data = CDataManager::Instance();
    CTLoginHelper helper;
    for (const auto& setting : kStringSettings)
        (helper.*setting.setter)(L"");
    for (const auto& setting : kStringSettings) {
        (helper.*setting.setter)(L"mine");
        for (const auto& other : kStringSettings)
            EXPECT_EQ(data.*other.field, other.setter == setting.setter ? L"mine" : L"")
                << setting.name << " wrote " << other.name;
        (helper.*setting.setter)(L"");
    }
}

TEST(LoginHelper, ServerLinksNeedTheFirstThreeArguments)
{
    CDataManager& data = CDataManager::Instance();
    const std::wstring account = data.accountServerUrl, parameter = data.parameterServerUrl;
    CTLoginHelper helper;
    helper.SetServerLink(L"http://a", L"http://p", nullptr, L"http://auth", L"http://dev");
    helper.SetServerLink(nullptr, L"http://p", L"x", L"http://auth", L"http://dev");
    helper.SetServerLink(L"http://a", nullptr, L"x", L"http://auth", L"http://dev");
    EXPECT_EQ(data.accountServerUrl, account);
    EXPECT_EQ(data.parameterServerUrl, parameter);
    EXPECT_EQ(data.authCenterUrl, L"");
    EXPECT_EQ(data.deviceManagementUrl, L"");

    helper.SetServerLink(L"http://a", L"http://p", L"unused", L"http://auth", L"http://dev");
    EXPECT_EQ(data.accountServerUrl, L"http://a");
    EXPECT_EQ(data.parameterServerUrl, L"http://p");
    EXPECT_EQ(data.authCenterUrl, L"http://auth");
    EXPECT_EQ(data.deviceManagementUrl, L"http://dev");

    helper.SetServerLink(L"http://a2", L"http://p2", L"unused", nullptr, nullptr);
    EXPECT_EQ(data.accountServerUrl, L"http://a2");
    EXPECT_EQ(data.parameterServerUrl, L"http://p2");
    EXPECT_EQ(data.authCenterUrl, L"");
    EXPECT_EQ(data.deviceManagementUrl, L"");
}

TEST(LoginHelper, EachCallbackSetterFillsItsOwnSlot)
{
    CDataManager& data = CDataManager::Instance();
    CTLoginHelper helper;
    for (const auto& [setter, slot] : kCallbackSetters) {
        (helper.*setter)(HostCallback);
        for (size_t i = 0; i < data.callbacks.size(); ++i)
            EXPECT_EQ(data.callbacks[i], i == static_cast<size_t>(slot) ? HostCallback : nullptr)
                << "slot " << i << " after setting slot " << static_cast<size_t>(slot);
        (helper.*setter)(nullptr); // null empties the slot
        EXPECT_EQ(data.callbacks[static_cast<size_t>(slot)], nullptr);
    }
}

TEST(LoginHelper, InstancesShareOneConfigurationAndOneUser)
{
    CTLoginHelper first, second;
    first.SetClientType(L"TV_Mac");
    second.SetLanguage(L"en-us");
    EXPECT_EQ(CDataManager::Instance().clientType, L"TV_Mac");
    EXPECT_EQ(CDataManager::Instance().language, L"en-us");

    auto& user = CDataManager::Instance().user;
    user.id = 1001;
    user.name = L"name";
    user.token = L"token";
    user.uuid = L"uuid";
    user.avatar = L"avatar";
    UserInfo info = Read(second);
    EXPECT_EQ(info.id, 1001);
    EXPECT_EQ(info.name, L"name");
    EXPECT_EQ(info.token, L"token");
    EXPECT_EQ(info.uuid, L"uuid");
    EXPECT_EQ(info.avatar, L"avatar");
    EXPECT_EQ(info.reserved, L""); // the sixth string is never filled
}

TEST(LoginHelper, NobodyIsSignedInBeforeTheFirstLogin)
{
    CTLoginHelper helper;
    UserInfo info = Read(helper);
    EXPECT_EQ(info.id, -1);
    EXPECT_EQ(info.name, L"");
    EXPECT_EQ(info.token, L"");
    EXPECT_EQ(info.uuid, L"");
    EXPECT_EQ(info.avatar, L"");
    EXPECT_EQ(info.reserved, L"");
}

TEST(LoginHelper, CopyAssignmentReturnsTheLeftOperand)
{
    CTLoginHelper left, right;
    EXPECT_EQ(&(left = right), &left);
}
