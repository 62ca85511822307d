#include "login/service/adapter_order.h"

#include <cstdio>

namespace glimra::login {

std::wstring FormatMacText(const uint8_t (&address)[8])
{
    wchar_t text[3 * 8] = {};
    std::swprintf(text, sizeof text / sizeof text[0], L"%02X-%02X-%02X-%02X-%02X-%02X-%02X-%02X",
                  address[0], address[1], address[2], address[3], address[4], address[5],
                  address[6], address[7]);
    return text;
}

std::vector<NetAdapterEntry> OrderAdapters(const std::vector<AdapterInfo>& adapters,
                                           const std::set<std::wstring>& physical)
{
    std::vector<NetAdapterEntry> entries;
    for (const auto& adapter : adapters) {
        if (physical.count(adapter.instanceId) == 0)
            continue;
        NetAdapterEntry entry{FormatMacText(adapter.address), adapter.ipv4};
        bool pci_ethernet = adapter.type == kEthernetAdapterType &&
                            adapter.description.find("PCI") != std::string::npos;
        if (pci_ethernet)
            entries.insert(entries.begin(), entry);
        else
            entries.push_back(entry);
    }
    return entries;
}

uint32_t FirstAddress(const std::vector<NetAdapterEntry>& entries)
{
    for (const auto& entry : entries) {
        if (entry.ipv4 != 0)
            return entry.ipv4;
    }
    return 0;
}

std::wstring BindSignatureText(int64_t user_id, const std::wstring& uuid, const std::wstring& date)
{
    return L"userId=" + std::to_wstring(user_id) + L"&uuid=" + uuid + L"&date=" + date;
}

std::wstring LowerHex(const uint8_t* bytes, size_t size)
{
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text;
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

} // namespace glimra::login
