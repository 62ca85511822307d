// A host program that loads tlogin.dll through its import library, as the viewer does.
//   loginhost          reads the current user; exit code 0 when nobody is signed in
//   loginhost tlogin   runs Tlogin; exit code 100 + its result (99, 101, 102)
#include "CTLoginHelper.h"

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    CTLoginHelper helper;
    if (argc > 1 && std::wstring(argv[1]) == L"tlogin") {
        int result = helper.Tlogin();
        std::printf("Tlogin: %d\n", result);
        return 100 + result;
    }
    int64_t id = 0;
    std::wstring name, token, uuid, avatar, reserved;
    helper.GetUserInfo(id, name, token, uuid, avatar, reserved);
    std::printf("user id: %lld\n", static_cast<long long>(id));
    return id == -1 ? 0 : 1;
}
