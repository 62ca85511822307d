#include "setup/app/net_version.h"

#include <cwctype>
#include <set>

namespace glimra::setup {

namespace {

struct NetFamily {
    const wchar_t* key;
    const wchar_t* shortForm; // carried with the key; the probe does not use it
};

// Ordered by key.
const NetFamily kNetFamilies[] = {
    {L"4.0", L"40"}, {L"4.5", L"45"}, {L"4.6", L"46"}, {L"4.7", L"47"}, {L"4.8", L"48"},
};
constexpr size_t kComparedLength = 5;

} // namespace

int NdpSubkeyMajor(const std::wstring& lowerName)
{
    size_t v = lowerName.find(L'v');
    if (v == std::wstring::npos || v + 1 >= lowerName.size())
        return -1;
    wchar_t digit = lowerName[v + 1];
    return digit >= L'0' && digit <= L'9' ? digit - L'0' : -1;
}

std::wstring ChooseNetVersion(const std::vector<std::wstring>& collected)
{
    std::set<std::wstring> versions;
    for (std::wstring version : collected) {
        if (!version.empty() && std::iswalpha(version[0]))
            version.erase(0, 1);
        if (version.size() > kComparedLength)
            version.resize(kComparedLength);
        if (!version.empty())
            versions.insert(version);
    }
    if (versions.empty())
        return L"";
    const std::wstring& greatest = *versions.rbegin();
    for (const auto& family : kNetFamilies) {
        if (greatest.find(family.key) != std::wstring::npos)
            return family.key;
    }
    return kNetFamilies[0].key;
}

} // namespace glimra::setup
