#pragma once
// The input rules the login dialogs share. No Windows headers.

#include <cstddef>
#include <string>

namespace glimra::login {

enum LoginNameKind { kNotAcceptable = 0, kMobileNumber = 1, kEmailAddress = 2 };

// `prompt` is the text the account edit shows while empty; it is not a login name.
LoginNameKind ClassifyLoginNameText(const std::wstring& text, const std::wstring& prompt);

// Between 6 and 21 characters.
bool PasswordLengthAccepted(size_t length);
// Of letters (A-Z, a-z), digits and symbols ("!" to "/"), at least two classes occur in
// the password's bytes in the ANSI code page; other bytes belong to no class.
bool PasswordClassesAccepted(const std::string& ansi_bytes);

// The parameters for starting the browser with `url`: the address in double quotes.
// A double quote inside the address would end the quoted text early, so it is written
// as %22.
std::wstring BrowserParameters(const std::wstring& url);

} // namespace glimra::login
