#pragma once
// Choosing the machine's identity among its network adapters. No Windows headers.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace glimra::login {

constexpr wchar_t kNoDeviceUuid[] = L"00-00-00-00-00-00-00-00";
constexpr unsigned kEthernetAdapterType = 6;

// One adapter as the system lists it.
struct AdapterInfo {
    std::wstring instanceId; // the adapter's name, "{...}"
    uint8_t address[8] = {}; // the whole hardware-address field
    unsigned type = 0;
    std::string description;
    uint32_t ipv4 = 0; // network byte order, 0 when it has none
};

struct NetAdapterEntry {
    std::wstring mac;
    uint32_t ipv4 = 0;
};

// "%02X-" for each of the eight bytes, without the last "-".
std::wstring FormatMacText(const uint8_t (&address)[8]);

// The physical adapters (instance id in `physical`) in preference order: an Ethernet
// adapter whose description contains "PCI" goes to the front, any other to the back.
std::vector<NetAdapterEntry> OrderAdapters(const std::vector<AdapterInfo>& adapters,
                                           const std::set<std::wstring>& physical);

// The address of the first entry that has one; 0 when none has.
uint32_t FirstAddress(const std::vector<NetAdapterEntry>& entries);

// The text the binding request signs: "userId=%lld&uuid=%s&date=%s".
std::wstring BindSignatureText(int64_t user_id, const std::wstring& uuid, const std::wstring& date);

// Lower-case hexadecimal digits of bytes.
std::wstring LowerHex(const uint8_t* bytes, size_t size);

} // namespace glimra::login
