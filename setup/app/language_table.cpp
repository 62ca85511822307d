#include "setup/app/language_table.h"

#include "framework/text.h"

namespace glimra::setup {

namespace {

struct LanguageRow {
    const wchar_t* key;
    const wchar_t* id;
};

// Checked in this order; the first match wins.
const LanguageRow kLanguages[] = {
    {L"zh_cn", L"2052"}, {L"Lumoc_CN", L"2052"}, {L"zh_tw", L"1028"}, {L"Lumoc_TW", L"1028"},
    {L"fr_fr", L"1036"}, {L"mizuka", L"1041"},   {L"ja_jp", L"1041"},
};
const wchar_t kOtherLanguage[] = L"1033";

} // namespace

std::wstring LanguageIdFor(const std::wstring& languageKey)
{
    for (const auto& row : kLanguages) {
        if (framework::EqualsNoCase(languageKey, row.key))
            return row.id;
    }
    return kOtherLanguage;
}

} // namespace glimra::setup
