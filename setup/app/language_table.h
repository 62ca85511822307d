#pragma once
// The Windows language identifier of an installation, chosen by the LANGUAGE value of
// Setup.ini. Pure logic on standard strings.

#include <string>

namespace glimra::setup {

// "2052", "1028", "1036", "1041", or "1033" for anything else (also an empty key).
// The key is compared without regard to case.
std::wstring LanguageIdFor(const std::wstring& languageKey);

} // namespace glimra::setup
