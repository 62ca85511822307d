#include "setup/engine/msi_rules.h"

#include "framework/text.h"

#include <cwctype>

namespace glimra::setup {

namespace {

// The names are looked for after the path's first character.
bool ContainsAfterFirst(const std::wstring& lower_path, const wchar_t* name)
{
    return lower_path.find(name, 1) != std::wstring::npos;
}

bool IsTablePackage(const std::wstring& lower_path)
{
    return ContainsAfterFirst(lower_path, L"qxtable");
}

bool IsRevisionPackage(const std::wstring& lower_path)
{
    return ContainsAfterFirst(lower_path, L"reviruru_chs.msi") ||
           ContainsAfterFirst(lower_path, L"reviruru_eng.msi");
}

} // namespace

const wchar_t kMsiHandlerContext[] = L"Msi Install Error Check";

bool MsiFailureIsSilent(MsiRunner runner, const std::wstring& path, bool installation_failed)
{
    std::wstring lower = framework::ToLower(path);
    if (runner == MsiRunner::WithCommandLine)
        return IsTablePackage(lower);
    if (IsRevisionPackage(lower))
        return true;
    return installation_failed && ContainsAfterFirst(lower, L"msxml6.msi");
}

std::wstring MsiFailureText(MsiRunner runner, const std::wstring& path,
                            const std::wstring& text_2012)
{
    if (runner == MsiRunner::WithCommandLine)
        return framework::ToLower(path) + text_2012;
    return text_2012;
}

MsiKindRule RuleForMsiKind(uint32_t kind)
{
    switch (kind) {
    case 0x00:
        return {MsiAction::FatalBox, 0};
    case 0x01:
        return {MsiAction::ErrorBox, 0};
    case 0x02:
        return {MsiAction::WarningBox, 0};
    case 0x03: // user
    case 0x04: // information
        return {MsiAction::Nothing, 1};
    case 0x05: // files in use
    case 0x06: // resolve source
        return {MsiAction::Nothing, 0};
    case 0x07: // out of disk space
    case 0x08: // action start
    case 0x09: // action data
    case 0x0A: // progress
        return {MsiAction::Nothing, 1};
    case 0x0B:
        return {MsiAction::CommonData, 1};
    case 0x0C: // initialize
    case 0x0D: // terminate
    case 0x0E: // show dialog
        return {MsiAction::Nothing, 1};
    default:
        return {MsiAction::Nothing, 0};
    }
}

std::optional<uint32_t> ErrorLanguageFromCommonData(const std::wstring& text)
{
    size_t field1 = text.find(L"1: ");
    if (field1 == std::wstring::npos || field1 + 3 >= text.size() ||
        !std::iswdigit(text[field1 + 3]) || field1 + 4 >= text.size() || text[field1 + 4] != L' ')
        return std::nullopt;
    if (text[field1 + 3] != L'0')
        return std::nullopt;
    size_t field2 = text.find(L"2: ", field1 + 4);
    if (field2 == std::wstring::npos)
        return std::nullopt;
    size_t start = field2 + 3;
    size_t end = text.find(L' ', start);
    std::wstring number = text.substr(start, end == std::wstring::npos ? end : end - start);
    if (number.empty() || number.size() > 9)
        return std::nullopt;
    uint32_t value = 0;
    for (wchar_t c : number) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - L'0');
    }
    return value;
}

} // namespace glimra::setup
