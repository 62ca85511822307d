#pragma once

#include <cstdint>
#include <string>

namespace glimra::login {

// The signed-in user. Nobody is signed in while id is -1 or the token is empty.
struct UserRecord {
    int64_t id = -1;
    std::wstring token;
    std::wstring name;
    std::wstring uuid;
    std::wstring avatar;
    std::wstring reserved;
};

} // namespace glimra::login
