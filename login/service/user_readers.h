#pragma once
// Readers of the replies that fill the user record, and of the bound-device list.
// Each field is read only when present; absent fields leave the record unchanged.
// "rs", "userInfo", "userDetail" and "data" may be objects or strings holding JSON
// text. A JSON error ends a reader with false; what it stored before stays stored.
// No Windows headers.

#include "login/data/user_record.h"
#include "login/service/request_form.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glimra::login {

struct BoundDevice {
    int deviceId = 0;
    std::wstring deviceName;
    std::wstring deviceUuid;
    std::wstring clientVersion;
    int64_t latestLoginTime = 0; // seconds since 1970
    int uid = 0;
};

// Turns the encrypted payload text into its plain text (empty when it cannot).
using PayloadDecryptor = std::function<std::wstring(const std::wstring& encrypted)>;

extern const wchar_t kLoginStateError[]; // "login state error."

// Login and registration. A string "rs" is decrypted with `decrypt` when `decrypt_key`
// is non-empty, otherwise read as JSON text. A malformed reply sets code -1 and
// "error formatting".
bool ParseLoginReply(const std::wstring& reply, UserRecord& user, const std::wstring& decrypt_key,
                     ReplyStatus& status, const PayloadDecryptor& decrypt);

// The QR-code poll: true only for "state" 3; another state goes to the status with
// "login state error.", no state at all leaves the status at code 0.
bool ParseUnionCodeReply(const std::wstring& reply, UserRecord& user, ReplyStatus& status);

// The binding after a QQ or Weibo login. A malformed reply sets code -1 and an empty
// message.
bool ParseBindReply(const std::wstring& reply, UserRecord& user, ReplyStatus& status);

// The bound devices: `devices` is replaced when the list was read (it is empty when
// "rs" is not an array), untouched otherwise.
bool ParseDeviceList(const std::wstring& reply, std::vector<BoundDevice>& devices);

} // namespace glimra::login
