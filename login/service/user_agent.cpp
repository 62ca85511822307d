#include "login/service/user_agent.h"

namespace glimra::login {

std::wstring FormatUserAgent(const std::wstring& program_path, const std::wstring& client_version,
                             unsigned major, unsigned minor)
{
    size_t slash = program_path.find_last_of(L"\\/");
    std::wstring program =
        slash == std::wstring::npos ? program_path : program_path.substr(slash + 1);
    return L"Orvanta/1.0 (" + program + L" " + client_version + L"; Windows NT " +
           std::to_wstring(major) + L"." + std::to_wstring(minor) + L")";
}

} // namespace glimra::login
