// Loads tlogin.dll through its import library, reads the current user and reports it.
// Exit code 0 when the library answered that nobody is signed in yet.
#include "CTLoginHelper.h"

#include <cstdio>
#include <string>

int wmain()
{
    CTLoginHelper helper;
    int64_t id = 0;
    std::wstring name, token, uuid, avatar, reserved;
    helper.GetUserInfo(id, name, token, uuid, avatar, reserved);
    std::printf("user id: %lld\n", static_cast<long long>(id));
    return id == -1 ? 0 : 1;
}
