#pragma once
// The exported interface of tlogin.dll: configure the sign-in, run it, read the user.
// Every instance reaches the same settings and the same user; strings are copied.

#include <cstdint>
#include <string>

#ifdef TLOGIN_BUILDING
#define TLOGIN_API __declspec(dllexport)
#else
#define TLOGIN_API __declspec(dllimport)
#endif

// A host callback: it only notifies, with no arguments and no result.
typedef void (*TLoginCallback)();

class TLOGIN_API CTLoginHelper {
public:
    CTLoginHelper();
    ~CTLoginHelper();
    CTLoginHelper& operator=(const CTLoginHelper& other);

    // A null pointer keeps the previous value of these settings.
    void SetLanguage(const wchar_t* language);
    void SetClientType(const wchar_t* client_type);
    void SetClientVersion(const wchar_t* client_version);
    void SetChannelId(const wchar_t* channel_id);
    void SetQRPicPath(const wchar_t* path);
    void SetUserAgreementUrl(const wchar_t* url);
    void SetPrivacyPolicyUrl(const wchar_t* url);
    // Account server, parameter server, (required but unused), authentication centre,
    // device-management page. Nothing changes unless the first three are non-null; a
    // null fourth or fifth is stored as empty.
    void SetServerLink(const wchar_t* account_server, const wchar_t* parameter_server,
                       const wchar_t* required, const wchar_t* auth_center,
                       const wchar_t* device_management);

    // A null callback empties its slot.
    void SetLoginCallback(TLoginCallback callback);
    void SetBindDeviceOverLimitCallback(TLoginCallback callback);
    void SetBindDeviceUnbind(TLoginCallback callback);
    void SetRegisterCallback(TLoginCallback callback);
    void SetMobileRetrievePasswordCallback(TLoginCallback callback);
    void SetThirdPartyQQLoginCallback(TLoginCallback callback);
    void SetThirdPartyWeiboLoginCallback(TLoginCallback callback);
    void SetWeChatLoginCallback(TLoginCallback callback);
    void SetUserAgreementCallback(TLoginCallback callback);
    void SetPrivacyPolicyCallback(TLoginCallback callback);
    void SetMobileRegisterCallback(TLoginCallback callback);
    void SetEmailRegisterCallback(TLoginCallback callback);
    void SetEmailRetrievePasswordCallback(TLoginCallback callback);

    // Runs the login dialog: 1 signed in, 2 closed, -1 the dialog cannot be created
    // (tloginres.dll is missing).
    int Tlogin();

    // Copies out the signed-in user; id is -1 when nobody is signed in. The last
    // string is reserved and always empty.
    void GetUserInfo(int64_t& id, std::wstring& name, std::wstring& token, std::wstring& uuid,
                     std::wstring& avatar, std::wstring& reserved);
};
