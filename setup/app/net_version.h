#pragma once
// The .NET Framework family chosen from the version strings registered on the
// machine. Pure logic on standard strings; the registry walk is in probes.cpp.

#include <string>
#include <vector>

namespace glimra::setup {

// The digit after the first "v" of a lower-cased NDP subkey name (v2.0.50727 gives 2),
// or -1 when there is no "v" or no digit after it.
int NdpSubkeyMajor(const std::wstring& lowerName);

// "4.0", "4.5", "4.6", "4.7" or "4.8" for the greatest of the collected versions
// (a leading letter dropped, cut to 5 characters, ordered by code unit); "4.0" when
// the greatest names none of the families; empty when nothing usable was collected.
std::wstring ChooseNetVersion(const std::vector<std::wstring>& collected);

} // namespace glimra::setup
