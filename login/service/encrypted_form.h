#pragma once
// The text an encrypted request carries: its fields joined in form order. No Windows
// headers.

#include "login/service/request_form.h"

#include <string>

namespace glimra::login {

extern const wchar_t kFormSeparator[]; // "(HB@WYX)"

// name=value(HB@WYX)name=value..., then every character of the separator stripped
// from the end. The last field of every encrypted request is "ver" = "2", so exactly
// the final separator goes.
std::wstring JoinEncryptedForm(const RequestForm& form);

} // namespace glimra::login
