#pragma once
// Points the data manager at a session of the fake account service, with no keys yet
// and the default client identification.

#include "login/data/data_manager.h"
#include "testing/services/fake_account_service.h"

namespace glimra::login::test {

inline void UseFakeService(CDataManager& data, const glimra::testing::FakeAccountService& service)
{
    data.accountServerUrl = service.Base();
    data.parameterServerUrl = service.Base();
    data.encryptKey.clear();
    data.decryptKey.clear();
    data.language = L"zh-cn";
    data.clientType = L"TV_Windows";
    data.clientVersion = L"5.2.0";
}

} // namespace glimra::login::test
