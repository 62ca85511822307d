#include "setup/app/uninstall_key.h"

#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"

namespace glimra::setup {

namespace {
const wchar_t kUninstallRoot[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
}

std::wstring UninstallKeyName(SetupState& state)
{
    return kUninstallRoot + LoadResourceText(state, kTextProductKeyName) + L"_" + state.languageKey;
}

std::wstring EarlierUninstallKeyName(const std::wstring& languageKey)
{
    if (languageKey == L"zh_cn")
        return std::wstring(kUninstallRoot) + L"GlimraViewer_zh_cn";
    return kUninstallRoot + std::wstring(L"DWG Glimra_") + languageKey;
}

} // namespace glimra::setup
