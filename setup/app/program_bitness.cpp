#include "setup/app/program_bitness.h"

#include <cstdio>
#include <memory>

namespace glimra::setup {

namespace {

constexpr size_t kDosHeaderSize = 64;
constexpr size_t kNewHeaderOffsetAt = 60;
constexpr int64_t kSignatureSize = 4; // "PE\0\0" before the file header
constexpr size_t kFileHeaderSize = 20;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

uint32_t ReadLittleEndian32(const unsigned char* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

} // namespace

int BitnessOfMachine(uint16_t machine)
{
    switch (machine) {
    case 0x14C:
        return 32;
    case 0x200:
    case 0x8664:
        return 64;
    default:
        return -1;
    }
}

bool ReadProgramBitness(const std::wstring& path, int& bitness)
{
    // Opened by its wide name, so that folders outside the ANSI code page work too.
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return false;
    unsigned char dos[kDosHeaderSize];
    if (fread(dos, 1, sizeof(dos), file.get()) != sizeof(dos))
        return false;
    auto offset = static_cast<int32_t>(ReadLittleEndian32(dos + kNewHeaderOffsetAt));
    if (offset < 0 || _fseeki64(file.get(), int64_t(offset) + kSignatureSize, SEEK_SET) != 0)
        return false;
    unsigned char header[kFileHeaderSize];
    if (fread(header, 1, sizeof(header), file.get()) != sizeof(header))
        return false;
    bitness = BitnessOfMachine(static_cast<uint16_t>(header[0] | header[1] << 8));
    return true;
}

} // namespace glimra::setup
