#pragma once
// The decisions of the start-up checks on facts already gathered. Pure logic.

namespace glimra::setup {

class SystemFacts;

// Before Windows 6 the token must hold the Administrators group; from 6 on it must
// be elevated.
bool HasAdministratorRights(const SystemFacts& facts);
// x64 (9) or Itanium (6) as the native processor architecture.
bool IsWindows64Bit(const SystemFacts& facts);

// What the bitness checks decide on the distribution, Windows and a found installation.
enum class BitnessVerdict {
    Proceed,
    ProductNeeds64BitWindows, // text 2024
    OtherBitness64Installed,  // text 2011
    OtherBitness32Installed,  // text 2023
};
BitnessVerdict CheckBitness(int os64Bit, int wow64Package, int installed, int installed64Bit);

} // namespace glimra::setup
