#pragma once

#include "login/data/user_record.h"

#include <string>

namespace glimra::login {

// The one place where the login library keeps its state; every export reaches the
// same object through Instance().
class CDataManager {
public:
    static CDataManager& Instance();
    virtual ~CDataManager() = default;

    UserRecord user;
    std::wstring language = L"zh-cn";

private:
    CDataManager() = default;
};

} // namespace glimra::login
