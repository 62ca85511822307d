#pragma once

#include <cstdint>
#include <string>

namespace glimra::login {

// The signed-in user, filled from the service's login replies.
struct UserRecord {
    int64_t id = -1;
    std::wstring token;
    std::wstring name;
    std::wstring uuid; // the device uuid the login was made with
    std::wstring avatar;
    std::wstring reserved; // handed to the host, never filled
    std::wstring chatSignature;
    int ordinaryCreateGroupLimit = 3;
    int ordinaryGroupMemberLimit = 200;
    int ordinaryJoinGroupLimit = 500;
    int seniorCreateGroupLimit = 20;
    int seniorGroupMemberLimit = 200;
    int seniorJoinGroupLimit = 500;

    // Somebody is signed in: an id and a token.
    bool SignedIn() const { return id >= 0 && !token.empty(); }
    // Forgets who is signed in; the chat settings stay.
    void ResetIdentity()
    {
        id = -1;
        token.clear();
        name.clear();
        uuid.clear();
        avatar.clear();
        reserved.clear();
    }
};

} // namespace glimra::login
