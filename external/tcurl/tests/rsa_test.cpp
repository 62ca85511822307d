// The RSA operations of tcurl.dll against a known key pair, computed with libgcrypt: what the
// library encrypts, the private key decrypts; what the private key "encrypts" (type 1
// padding, as the account service does), the library decrypts.
#include <gtest/gtest.h>

#include "base64.h"
#include "public_key.h"
#include "tcurl/CTCurlHelper.h"

#include <gcrypt.h>

#include <string>
#include <vector>

namespace {

std::string MpiBytes(gcry_mpi_t mpi, size_t size = 0)
{
    size_t written = 0;
    gcry_mpi_print(GCRYMPI_FMT_USG, nullptr, 0, &written, mpi);
    std::vector<unsigned char> buffer(written);
    gcry_mpi_print(GCRYMPI_FMT_USG, buffer.data(), buffer.size(), &written, mpi);
    std::string bytes(reinterpret_cast<const char*>(buffer.data()), written);
    if (size > bytes.size())
        bytes.insert(0, size - bytes.size(), '\0');
    return bytes;
}

gcry_mpi_t Scan(const std::string& bytes)
{
    gcry_mpi_t mpi = nullptr;
    gcry_mpi_scan(&mpi, GCRYMPI_FMT_USG, bytes.data(), bytes.size(), nullptr);
    return mpi;
}

const char kModulus[] = "ac13adb34663514b9cf7000ca022f2d76f3c27ed11e4fc75ee5fc539792b9fd7"
                        "27e17eb4e19a6fff2c47529339d76822e0da8aae05136883ff89f80217ca7ab7"
                        "d1642652149a525db95b19077baffa4f37bba1885711d18b53e451a79b9b531e"
                        "0abde27d0a1488a2f3587c11cc193e4b99e5a858de8445bd8bc4498db5c3e705";
const char kPrivateExponent[] = "41684d7b3a831ff09cde6a5f623346994b07d3a95246f70ba0ab389d6b0880fe"
                                "588367153c37e6e058a557a6ecb28b3bceba6342585d9339b1557136e2722d88"
                                "b7c8b3470e210111ec92a00eb56af7e9a85f0b95551c1de29105adaa12a904a7"
                                "04bc32c9c10a6661a5527e642466d6f8693c196c81b839a585d6acc4ec9c4a35";

gcry_mpi_t ScanHex(const char* hex)
{
    gcry_mpi_t mpi = nullptr;
    gcry_mpi_scan(&mpi, GCRYMPI_FMT_HEX, hex, 0, nullptr);
    return mpi;
}

// A 1024-bit key pair: k = 128, chunks of 117 bytes.
class TcurlRsa : public ::testing::Test {
protected:
    static constexpr size_t k = 128;

    // A fixed key pair: no key generation (and no entropy gathering) in the test.
    void SetUp() override
    {
        ASSERT_NE(gcry_check_version(nullptr), nullptr);
        n_ = ScanHex(kModulus);
        e_ = ScanHex("010001");
        d_ = ScanHex(kPrivateExponent);
        tcurl::RsaPublicKey key{};
        std::string n = MpiBytes(n_), e = MpiBytes(e_);
        ASSERT_EQ(n.size(), k);
        key.modulus.assign(n.begin(), n.end());
        key.exponent.assign(e.begin(), e.end());
        pem_ = tcurl::WritePublicKeyPem(key);
    }
    void TearDown() override
    {
        gcry_mpi_release(n_);
        gcry_mpi_release(e_);
        gcry_mpi_release(d_);
    }

    // The server-side key text: base64 of the DER, without the PEM lines.
    std::string Base64Key() const
    {
        std::string body;
        for (size_t start = pem_.find('\n') + 1, end;
             (end = pem_.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = pem_.substr(start, end - start);
            if (line.rfind("-----", 0) != 0)
                body += line;
        }
        return body;
    }

    // m^d mod n of one block.
    std::string PrivateOp(const std::string& block) const
    {
        gcry_mpi_t in = Scan(block);
        gcry_mpi_t out = gcry_mpi_new(0);
        gcry_mpi_powm(out, in, d_, n_);
        std::string bytes = MpiBytes(out, k);
        gcry_mpi_release(in);
        gcry_mpi_release(out);
        return bytes;
    }

    // Decrypts blocks of type 2 padding with the private key, checking the padding.
    std::string PrivateDecrypt(const std::string& data) const
    {
        std::string plain;
        for (size_t offset = 0; offset < data.size(); offset += k) {
            std::string block = PrivateOp(data.substr(offset, k));
            EXPECT_EQ(block[0], '\0');
            EXPECT_EQ(block[1], '\x02');
            size_t end = block.find('\0', 2);
            EXPECT_NE(end, std::string::npos);
            EXPECT_GE(end, 10u); // at least eight random non-zero bytes
            plain += block.substr(end + 1);
        }
        return plain;
    }

    // What the service does: type 1 padding, then the private operation, per chunk.
    std::string PrivateEncrypt(const std::string& data) const
    {
        std::string out;
        size_t chunk = k - 11;
        for (size_t offset = 0; offset == 0 || offset < data.size(); offset += chunk) {
            std::string part = data.substr(offset, chunk);
            std::string block = std::string("\0\x01", 2) +
                                std::string(k - 3 - part.size(), '\xff') + std::string(1, '\0') +
                                part;
            out += PrivateOp(block);
        }
        return out;
    }

    gcry_mpi_t n_ = nullptr, e_ = nullptr, d_ = nullptr;
    std::string pem_;
};

} // namespace

TEST_F(TcurlRsa, TheKeyIsAcceptedAsBase64OrPemAndFormattedToPem)
{
    CTCurlHelper curl;
    EXPECT_EQ(curl.rsa_formatPublicKey(Base64Key()), pem_);
    EXPECT_EQ(curl.rsa_formatPublicKey(pem_), pem_);
    EXPECT_EQ(pem_.rfind("-----BEGIN PUBLIC KEY-----\n", 0), 0u);
    const std::string bad_keys[] = {"", "not a key", "QUJD", pem_.substr(0, 60)};
    for (const auto& bad : bad_keys)
        EXPECT_EQ(curl.rsa_formatPublicKey(bad), "") << bad;
}

TEST_F(TcurlRsa, DataOfAnyLengthIsEncryptedInWholeBlocks)
{
    // Lengths around the chunk size of 117 bytes.
    for (size_t length : {0u, 1u, 116u, 117u, 118u, 234u, 400u}) {
        std::string data;
        for (size_t i = 0; i < length; ++i)
            data += char('a' + i % 26);
        CTCurlHelper curl;
        std::string key = curl.rsa_formatPublicKey(Base64Key());
        std::string encrypted = curl.rsa_publicEncrypt(data, key);
        size_t blocks = length == 0 ? 1 : (length + 116) / 117;
        ASSERT_EQ(encrypted.size(), blocks * k) << length;
        EXPECT_EQ(PrivateDecrypt(encrypted), data) << length;
    }
}

TEST_F(TcurlRsa, EncryptionIsRandomised)
{
    CTCurlHelper curl;
    EXPECT_NE(curl.rsa_publicEncrypt("same text", pem_), curl.rsa_publicEncrypt("same text", pem_));
}

TEST_F(TcurlRsa, WhatThePrivateKeyPaddedIsDecrypted)
{
    for (size_t length : {0u, 5u, 117u, 118u, 300u}) {
        std::string data(length, '\0');
        for (size_t i = 0; i < length; ++i)
            data[i] = char(i * 7);
        CTCurlHelper curl;
        EXPECT_EQ(curl.rsa_publicDecrypt(PrivateEncrypt(data), curl.rsa_formatPublicKey(pem_)),
                  data)
            << length;
    }
}

TEST_F(TcurlRsa, BrokenInputIsRefused)
{
    CTCurlHelper curl;
    std::string good = PrivateEncrypt("payload");
    EXPECT_EQ(curl.rsa_publicDecrypt(good.substr(0, k - 1), pem_), ""); // not whole blocks
    EXPECT_EQ(curl.rsa_publicDecrypt("", pem_), "");
    EXPECT_EQ(curl.rsa_publicDecrypt(std::string(k, '\xff'), pem_), ""); // above the modulus
    // Blocks that recover to wrong padding: type 2, and type 1 with too short a filler.
    const std::string wrong[] = {
        std::string("\0\x02", 2) + std::string(8, '\x11') + std::string(1, '\0') +
            std::string(k - 11, 'x'),
        std::string("\0\x01", 2) + std::string(7, '\xff') + std::string(1, '\0') +
            std::string(k - 10, 'x'),
        std::string("\0\x01", 2) + std::string(k - 2, '\xff'), // no end of the filler
    };
    for (const auto& block : wrong)
        EXPECT_EQ(curl.rsa_publicDecrypt(PrivateOp(block), pem_), "");
    EXPECT_EQ(curl.rsa_publicEncrypt("data", "not a key"), "");
    EXPECT_EQ(curl.rsa_publicDecrypt(good, "not a key"), "");
}
