#include "login/service/encrypted_form.h"

namespace glimra::login {

const wchar_t kFormSeparator[] = L"(HB@WYX)";

std::wstring JoinEncryptedForm(const RequestForm& form)
{
    std::wstring joined;
    for (const auto& [name, value] : form)
        joined += name + L"=" + value + kFormSeparator;
    size_t keep = joined.find_last_not_of(kFormSeparator);
    joined.resize(keep == std::wstring::npos ? 0 : keep + 1);
    return joined;
}

} // namespace glimra::login
