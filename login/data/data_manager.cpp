#include "login/data/data_manager.h"

namespace glimra::login {

CDataManager& CDataManager::Instance()
{
    // A function-local static: constructed once, safely against concurrent first
    // calls, destroyed when the library is unloaded.
    static CDataManager instance;
    return instance;
}

} // namespace glimra::login
