#include "login/service/web_pages.h"

#include "login/service/form_encoding.h"

namespace glimra::login {

namespace {

// Both web-login pages name their source and language fixed.
std::wstring ThirdPartyPage(const std::wstring& account_server, const wchar_t* path,
                            const ClientIdentity& client)
{
    return account_server + path + L"?utm_source=TV_Windows&clientType=" +
           FormEncode(client.clientType) + L"&clientVersion=" + FormEncode(client.clientVersion) +
           L"&language=zh";
}

} // namespace

std::wstring QqLoginPage(const std::wstring& account_server, const ClientIdentity& client)
{
    return ThirdPartyPage(account_server, L"/login/qq", client);
}

std::wstring WeiboLoginPage(const std::wstring& account_server, const ClientIdentity& client)
{
    return ThirdPartyPage(account_server, L"/login/weibo", client);
}

std::wstring PasswordRetrievalPage(const std::wstring& account_server, const ClientIdentity& client,
                                   const std::wstring& channel_code)
{
    return account_server + L"/findpwd?" +
           FormBody({{L"utm_source", client.clientType},
                     {L"clientVersion", client.clientVersion},
                     {L"language", client.language},
                     {L"channelCode", channel_code}});
}

std::wstring DeviceManagementPage(const std::wstring& page, const ClientIdentity& client)
{
    return page + L"?" +
           FormBody({{L"clientType", client.clientType},
                     {L"clientVersion", client.clientVersion},
                     {L"language", client.language}});
}

std::wstring LoginQrUrl(const std::wstring& account_server, const std::wstring& unique_code,
                        const ClientIdentity& client)
{
    return account_server + L"/api/v2/getLoginQr?" +
           FormBody({{L"uniqueCode", unique_code},
                     {L"width", std::to_wstring(kQrPictureSize)},
                     {L"height", std::to_wstring(kQrPictureSize)},
                     {L"clientType", client.clientType},
                     {L"clientVersion", client.clientVersion}});
}

std::wstring UnionCodeUrl(const std::wstring& account_server, const std::wstring& unique_code,
                          const ClientIdentity& client)
{
    return account_server + L"/api/v2/getUserInfoByUnionCode?" +
           FormBody({{L"uniqueCode", unique_code},
                     {L"language", client.language},
                     {L"clientType", client.clientType},
                     {L"clientVersion", client.clientVersion}});
}

} // namespace glimra::login
