#pragma once
// Reading the envelope of the account service's replies. No Windows headers.
//   "code" (decimal text, 0 = success), "msg", payload "rs";
//   the binding reply: "status" (boolean), "errorCode", "errorMsg", payload "data".

#include "common/json/json_read.h"
#include "login/service/request_form.h"

#include <string>

namespace glimra::login {

// The message a malformed reply leaves in a ReplyStatus.
extern const wchar_t kErrorFormatting[];

// Like the C run-time's _wtoi: leading white space, an optional sign, the digits up to
// the first non-digit; no digits give 0, a value beyond int is cut to its limit.
int DecimalLikeWtoi(const std::wstring& text);

// True when "code" reads as 0. With `status`, it gets the code and "msg" ("msg" must
// then be present). A reply that is not JSON, or whose "code" or "msg" is missing or
// not a string, gives false and, with `status`, code -1 and kErrorFormatting.
bool ParseReplyStatus(const std::wstring& reply, ReplyStatus* status);
// The same for a reply already parsed.
bool ReadReplyStatus(const json::Json& reply, ReplyStatus* status);

// The binding reply: true when "status" is true. With `status`, it gets "errorCode"
// and "errorMsg"; when they are missing or wrongly typed the result is false with
// code -1 and an empty message.
bool ParseStatusReply(const json::Json& reply, ReplyStatus* status);

// The keys of a getAppParams reply. Each key is stored only when the payload has it;
// on failure neither is touched.
bool ParseAppParams(const std::wstring& reply, std::wstring& encrypt_key,
                    std::wstring& decrypt_key);

} // namespace glimra::login
