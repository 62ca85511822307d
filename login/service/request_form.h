#pragma once
// A request form: field name to value, in ascending order of the names compared code
// unit by code unit (upper-case letters before lower-case ones), each name once.

#include <map>
#include <string>

namespace glimra::login {

using RequestForm = std::map<std::wstring, std::wstring>;

// The result code and message of a service reply; callers start it at -1 and empty.
struct ReplyStatus {
    int code = -1;
    std::wstring message;
};

} // namespace glimra::login
