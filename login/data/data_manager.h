#pragma once
// The one place where the login library keeps its state: the host's settings and
// callbacks, the service's keys, cached web-login pages and the signed-in user. Every
// export and dialog reaches the same object through Instance(). It is used from the
// host's user-interface thread only and has no locks.

#include "login/data/user_record.h"
#include "login/service/request_form.h"
#include "login/service/user_readers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glimra::login {

using LoginCallback = void (*)();

// The texts of an account request; each operation uses only the members it names.
struct AccountForm {
    std::wstring mobile;
    std::wstring email;
    std::wstring loginName;
    std::wstring password;
};

// The host's callback slots, in the order the object keeps them.
enum class Callback : size_t {
    Login,
    BindDeviceOverLimit,
    BindDeviceUnbind,
    Register,
    MobileRetrievePassword,
    ThirdPartyQQLogin,
    ThirdPartyWeiboLogin,
    WeChatLogin,
    UserAgreement,
    PrivacyPolicy,
    MobileRegister,
    EmailRegister,
    EmailRetrievePassword,
    Count
};

// Deployment values: the service's own addresses, used until the host sets others.
extern const wchar_t kDefaultAccountServer[];
extern const wchar_t kDefaultParameterServer[];

class CDataManager {
public:
    static CDataManager& Instance();
    virtual ~CDataManager();
    CDataManager(const CDataManager&) = delete;
    CDataManager& operator=(const CDataManager&) = delete;

    UserRecord user;
    std::wstring authCenterUrl;
    std::wstring accountServerUrl = kDefaultAccountServer;
    std::wstring deviceManagementUrl;
    std::wstring parameterServerUrl = kDefaultParameterServer;
    std::wstring qqLoginUrl;    // built on the first QQ login, then reused
    std::wstring weiboLoginUrl; // built on the first Weibo login, then reused
    std::wstring encryptKey;
    std::wstring decryptKey;
    std::wstring language = L"zh-cn";
    std::wstring clientType = L"TV_Windows";
    std::wstring clientVersion = L"5.2.0";
    std::wstring qrPicturePath;
    std::wstring channelCode = L"1";
    std::wstring userAgreementUrl;
    std::wstring privacyPolicyUrl;
    std::array<LoginCallback, static_cast<size_t>(Callback::Count)> callbacks{};

    void SetCallback(Callback slot, LoginCallback callback);
    // Calls the host's callback in `slot`; an empty slot is skipped.
    void Fire(Callback slot) const;

    // 0 not acceptable, 1 mobile number, 2 e-mail address.
    int ClassifyLoginName(const std::wstring& text) const;
    bool CheckPasswordRule(const std::wstring& text) const;
    // Opens the address in the user's browser through the shell; always 0.
    int OpenUrlInBrowser(const std::wstring& url) const;

    // The service's keys: those stored when both are known, otherwise fetched from
    // the parameter server. False when they could not be fetched; the keys handed out
    // are then the stored ones, as they were.
    bool GetAppParams(std::wstring& encrypt_key, std::wstring& decrypt_key);
    // Joins the form, encrypts it with `encrypt_key` and posts it as the one field
    // "key" to base + path. False when the form could not be encrypted or sent.
    bool PostEncrypted(const std::wstring& base, const std::wstring& path, const RequestForm& form,
                       const std::wstring& encrypt_key, std::wstring& reply);

    // Account operations: one attempt each. A transport failure returns false and
    // leaves the status as the caller made it; a refusal copies the service's code and
    // message; a malformed reply gives code -1.
    bool Login(const AccountForm& form, ReplyStatus& status);
    bool Register(const AccountForm& form, ReplyStatus& status);
    bool CheckLoginNameExist(const std::wstring& login_name, ReplyStatus* status = nullptr);
    bool CheckVerificationCode(const std::wstring& login_name, const std::wstring& code,
                               ReplyStatus* status = nullptr);
    // `type` 1: registration by mobile number, 3: password retrieval.
    bool SendVerificationCode(const std::wstring& mobile_or_email, unsigned type,
                              ReplyStatus* status = nullptr);
    bool UpdatePasswordForFind(const AccountForm& form, ReplyStatus* status = nullptr);
    bool LoadBindDeviceInfo(const AccountForm& form, std::vector<BoundDevice>& devices);
    bool UnBindDevice(const AccountForm& form, const BoundDevice& device,
                      ReplyStatus* status = nullptr);
    // Binds this device after a QQ or Weibo login; false without sending anything when
    // the machine has no physical network adapter.
    bool MobileBind(int64_t user_id, ReplyStatus& status);

private:
    CDataManager();
    // GetAppParams, then PostEncrypted of the form to the account server.
    bool PostEncryptedOperation(const wchar_t* path, const RequestForm& form, std::wstring& reply);
};

} // namespace glimra::login
