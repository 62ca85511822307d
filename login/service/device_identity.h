#pragma once
// The machine's identity for the account service: the MAC address of its preferred
// physical network adapter as device uuid, its IPv4 address and computer name, and
// the signature of the mobile-binding request.

#include "login/service/adapter_order.h"

#include <cstdint>
#include <string>
#include <vector>

namespace glimra::login {

// The physical adapters (by the network-adapter class key of the registry) that the
// IP Helper lists, in preference order; empty when either source fails.
std::vector<NetAdapterEntry> EnumNetworkAdapters();

// Sets `mac` to the MAC text of the preferred adapter; without one, leaves it as it
// is and returns false.
bool GetDeviceMac(std::wstring& mac);

// The dotted address of the first adapter that has one, or "127.0.0.1".
std::wstring GetLocalIp();

// The computer name, empty when it cannot be read.
std::wstring GetComputerNameText();

// The MD5 (lower-case hexadecimal) of the UTF-8 text "userId=..&uuid=..&date=.." with
// today's local date, which goes to `date` ("%Y-%m-%d").
std::wstring MakeBindSignature(int64_t user_id, const std::wstring& uuid, std::wstring& date);

// Lower-case hexadecimal MD5 of bytes; empty when the system cannot compute it.
std::wstring Md5Hex(const std::string& bytes);

} // namespace glimra::login
