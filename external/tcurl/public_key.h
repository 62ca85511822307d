#pragma once
// Reading an RSA public key from its text form: standard base64 of the DER
// SubjectPublicKeyInfo, or a PEM block ("PUBLIC KEY", or "RSA PUBLIC KEY" for the bare
// PKCS#1 structure). Writing it back as the PEM block of its SubjectPublicKeyInfo.

#include <cstdint>
#include <string>
#include <vector>

namespace tcurl {

struct RsaPublicKey {
    std::vector<uint8_t> modulus;  // big-endian, no leading zero bytes
    std::vector<uint8_t> exponent; // big-endian, no leading zero bytes
};

bool ReadPublicKey(const std::string& text, RsaPublicKey& key);
std::string WritePublicKeyPem(const RsaPublicKey& key);

} // namespace tcurl
