#pragma once
// Hand-made program files for the bitness readers: just the headers they look at.

#include <cstdint>
#include <string>

namespace glimra::setup::test {

// A DOS header whose new-header offset is `offset`, followed by `tail`.
inline std::string DosHeader(int32_t offset, const std::string& tail = "")
{
    std::string bytes(64, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[60 + i] = static_cast<char>((static_cast<uint32_t>(offset) >> (8 * i)) & 0xFF);
    return bytes + tail;
}

// The headers of a program for `machine` (0x14C i386, 0x8664 x64).
inline std::string ProgramImage(uint16_t machine)
{
    std::string header("PE\0\0", 4);
    header += static_cast<char>(machine & 0xFF);
    header += static_cast<char>(machine >> 8);
    header += std::string(18, '\0');
    return DosHeader(64, header);
}

} // namespace glimra::setup::test
