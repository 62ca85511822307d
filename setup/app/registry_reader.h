#pragma once
// A registry key opened for reading in the 32-bit view (what a 32-bit program sees on
// 64-bit Windows), with reads that never overrun their limits. Closed with the object.

#include <windows.h>

#include <string>
#include <vector>

namespace glimra::setup {

class RegistryReader {
public:
    RegistryReader() = default;
    ~RegistryReader();
    RegistryReader(const RegistryReader&) = delete;
    RegistryReader& operator=(const RegistryReader&) = delete;

    // False when the key cannot be opened for reading.
    bool Open(HKEY root, const std::wstring& path);
    bool Open(const RegistryReader& parent, const std::wstring& path);
    bool IsOpen() const { return key_ != nullptr; }

    // A REG_SZ value (null or empty name: the default value) of at most max_chars
    // characters before its terminator. False when it is missing, of another type,
    // longer, or not terminated. An empty value is a string.
    bool ReadString(const wchar_t* name, size_t max_chars, std::wstring& value) const;
    // Names of the subkeys; names longer than max_chars are left out.
    std::vector<std::wstring> SubkeyNames(size_t max_chars) const;

private:
    HKEY key_ = nullptr;
};

} // namespace glimra::setup
