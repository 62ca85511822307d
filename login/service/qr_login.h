#pragma once
// The two requests of the QR-code login, made by the login dialog.

#include "login/service/request_form.h"

#include <string>

namespace glimra::login {

// Downloads the 200 by 200 picture of `unique_code` to `picture_file`.
bool GetLoginQr(const std::wstring& unique_code, const std::wstring& picture_file);

// Asks whether the code has been scanned and confirmed; true when the login is
// complete (the user record is then filled). A failed request leaves `status` as the
// caller made it; otherwise it holds the reply's code, or its state when the code was 0.
bool GetUserInfoByUnionCode(const std::wstring& unique_code, ReplyStatus& status);

} // namespace glimra::login
