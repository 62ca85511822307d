#pragma once
// Addresses of the service's web pages and of its GET requests. Base addresses are
// used as they are; every value in a query string is form-encoded. No Windows headers.

#include <string>

namespace glimra::login {

struct ClientIdentity {
    std::wstring clientType;
    std::wstring clientVersion;
    std::wstring language;
};

std::wstring QqLoginPage(const std::wstring& account_server, const ClientIdentity& client);
std::wstring WeiboLoginPage(const std::wstring& account_server, const ClientIdentity& client);
std::wstring PasswordRetrievalPage(const std::wstring& account_server, const ClientIdentity& client,
                                   const std::wstring& channel_code);
std::wstring DeviceManagementPage(const std::wstring& page, const ClientIdentity& client);

constexpr int kQrPictureSize = 200;
std::wstring LoginQrUrl(const std::wstring& account_server, const std::wstring& unique_code,
                        const ClientIdentity& client);
std::wstring UnionCodeUrl(const std::wstring& account_server, const std::wstring& unique_code,
                          const ClientIdentity& client);

} // namespace glimra::login
