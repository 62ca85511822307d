#pragma once
// The bitness of a Windows program, read from the machine type of its file header.
// Reads untrusted files: short files and header offsets that point outside the file
// fail cleanly. No Windows headers.

#include <cstdint>
#include <string>

namespace glimra::setup {

// 32 for an i386 image (0x14C), 64 for IA-64 (0x200) or x64 (0x8664), -1 for any other.
int BitnessOfMachine(uint16_t machine);

// False when the file is missing, cannot be opened or is too short for the headers;
// otherwise true with the bitness of BitnessOfMachine.
bool ReadProgramBitness(const std::wstring& path, int& bitness);

} // namespace glimra::setup
