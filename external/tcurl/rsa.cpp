#include "rsa.h"

#include <windows.h>
#include <bcrypt.h>
#include <gcrypt.h>

#include <mutex>
#include <vector>

namespace tcurl {

namespace {

constexpr size_t kPaddingOverhead = 11;
constexpr size_t kMinimumType1Filler = 8;

bool InitialiseLibrary()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        if (gcry_check_version(GCRYPT_VERSION) == nullptr)
            return;
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        ready = true;
    });
    return ready;
}

// Owner of a libgcrypt number.
struct Mpi {
    gcry_mpi_t value = nullptr;
    ~Mpi() { gcry_mpi_release(value); }
};

bool ScanUnsigned(const void* bytes, size_t size, Mpi& mpi)
{
    return gcry_mpi_scan(&mpi.value, GCRYMPI_FMT_USG, bytes, size, nullptr) == 0;
}

// The number as exactly `size` big-endian bytes; false when it does not fit.
bool PrintFixed(gcry_mpi_t mpi, size_t size, std::string& out)
{
    std::vector<unsigned char> buffer(size);
    size_t written = 0;
    if (gcry_mpi_print(GCRYMPI_FMT_USG, buffer.data(), size, &written, mpi) != 0 || written > size)
        return false;
    out.append(size - written, '\0');
    out.append(reinterpret_cast<const char*>(buffer.data()), written);
    return true;
}

struct GcryKey {
    Mpi n, e;
    size_t modulus_bytes = 0;

    bool Load(const RsaPublicKey& key)
    {
        if (!InitialiseLibrary() || key.modulus.size() <= kPaddingOverhead)
            return false;
        modulus_bytes = key.modulus.size();
        return ScanUnsigned(key.modulus.data(), key.modulus.size(), n) &&
               ScanUnsigned(key.exponent.data(), key.exponent.size(), e);
    }
};

// m^e mod n of one k-byte block; false when the block is not below the modulus.
bool PublicOp(const GcryKey& key, const char* block, std::string& out)
{
    Mpi in, result;
    if (!ScanUnsigned(block, key.modulus_bytes, in) || gcry_mpi_cmp(in.value, key.n.value) >= 0)
        return false;
    result.value = gcry_mpi_new(0);
    gcry_mpi_powm(result.value, in.value, key.e.value, key.n.value);
    return PrintFixed(result.value, key.modulus_bytes, out);
}

// Random bytes from the system (CNG): libgcrypt's own generator would first gather
// entropy by a long series of system queries.
bool SystemRandom(char* bytes, size_t size)
{
    return BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(bytes),
                                          static_cast<ULONG>(size),
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

// 00 02 PS 00 data, PS random non-zero bytes filling the block (at least eight). The
// padding is built here rather than by the library's pkcs1 flag, which refuses empty data.
bool EncryptChunk(const GcryKey& key, const std::string& chunk, std::string& out)
{
    const size_t k = key.modulus_bytes;
    std::string block(k, '\0');
    block[1] = '\x02';
    const size_t filler = k - 3 - chunk.size();
    if (!SystemRandom(&block[2], filler))
        return false;
    for (size_t i = 2; i < 2 + filler; ++i) {
        while (block[i] == '\0') {
            if (!SystemRandom(&block[i], 1))
                return false;
        }
    }
    block.replace(3 + filler, chunk.size(), chunk);
    return PublicOp(key, block.data(), out);
}

// 00 01 FF..FF 00 data, at least eight FF bytes.
bool StripType1(const std::string& block, std::string& out)
{
    if (block.size() < kPaddingOverhead || block[0] != '\0' || block[1] != '\x01')
        return false;
    size_t i = 2;
    while (i < block.size() && block[i] == '\xff')
        ++i;
    if (i - 2 < kMinimumType1Filler || i >= block.size() || block[i] != '\0')
        return false;
    out.append(block, i + 1, std::string::npos);
    return true;
}

} // namespace

bool RsaEncryptBlocks(const std::string& data, const RsaPublicKey& key, std::string& out)
{
    GcryKey gcry_key;
    if (!gcry_key.Load(key))
        return false;
    const size_t chunk_size = gcry_key.modulus_bytes - kPaddingOverhead;
    std::string result;
    size_t offset = 0;
    do {
        if (!EncryptChunk(gcry_key, data.substr(offset, chunk_size), result))
            return false;
        offset += chunk_size;
    } while (offset < data.size());
    out = std::move(result);
    return true;
}

bool RsaRecoverBlocks(const std::string& data, const RsaPublicKey& key, std::string& out)
{
    GcryKey gcry_key;
    if (!gcry_key.Load(key))
        return false;
    const size_t k = gcry_key.modulus_bytes;
    if (data.empty() || data.size() % k != 0)
        return false;
    std::string result;
    for (size_t offset = 0; offset < data.size(); offset += k) {
        std::string block;
        if (!PublicOp(gcry_key, data.data() + offset, block) || !StripType1(block, result))
            return false;
    }
    out = std::move(result);
    return true;
}

} // namespace tcurl
