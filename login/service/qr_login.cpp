#include "login/service/qr_login.h"

#include "login/data/data_manager.h"
#include "login/service/cloud_transfer.h"
#include "login/service/user_readers.h"
#include "login/service/web_pages.h"

namespace glimra::login {

namespace {

ClientIdentity Client(const CDataManager& data)
{
    return {data.clientType, data.clientVersion, data.language};
}

} // namespace

bool GetLoginQr(const std::wstring& unique_code, const std::wstring& picture_file)
{
    const CDataManager& data = CDataManager::Instance();
    CCloudTransfer transfer;
    return transfer.HttpDownload(LoginQrUrl(data.accountServerUrl, unique_code, Client(data)),
                                 picture_file);
}

bool GetUserInfoByUnionCode(const std::wstring& unique_code, ReplyStatus& status)
{
    CDataManager& data = CDataManager::Instance();
    CCloudTransfer transfer;
    std::wstring reply;
    if (!transfer.HttpGet(UnionCodeUrl(data.accountServerUrl, unique_code, Client(data)), reply))
        return false;
    return ParseUnionCodeReply(reply, data.user, status);
}

} // namespace glimra::login
