#include "CTLoginHelper.h"

#include "login/data/data_manager.h"

using glimra::login::CDataManager;

CTLoginHelper::CTLoginHelper() = default;
CTLoginHelper::~CTLoginHelper() = default;

CTLoginHelper& CTLoginHelper::operator=(const CTLoginHelper&)
{
    return *this;
}

void CTLoginHelper::SetLanguage(const wchar_t* language)
{
    if (language != nullptr)
        CDataManager::Instance().language = language;
}

int CTLoginHelper::Tlogin()
{
    // The login dialog does not exist yet: nothing can be shown.
    return -1;
}

void CTLoginHelper::GetUserInfo(int64_t& id, std::wstring& name, std::wstring& token,
                                std::wstring& uuid, std::wstring& avatar, std::wstring& reserved)
{
    const auto& user = CDataManager::Instance().user;
    id = user.id;
    name = user.name;
    token = user.token;
    uuid = user.uuid;
    avatar = user.avatar;
    reserved = user.reserved;
}
