#pragma once
// Names of the product's uninstall key below HKEY_LOCAL_MACHINE: the one the product
// registration writes and the search for an earlier installation reads first, and the
// earlier name of the same key that older installations left.

#include <string>

namespace glimra::setup {

struct SetupState;

// "Software\Microsoft\Windows\CurrentVersion\Uninstall\" + text 2015 + "_" + languageKey.
std::wstring UninstallKeyName(SetupState& state);
// The name older installations used for the same language.
std::wstring EarlierUninstallKeyName(const std::wstring& languageKey);

} // namespace glimra::setup
