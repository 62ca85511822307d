#pragma once
// RSA with PKCS#1 v1.5 padding over data of any length, cut into blocks.

#include "public_key.h"

#include <string>

namespace tcurl {

// Type 2 (random) padding, chunks of k - 11 bytes; empty data gives one block.
// False when the key is unusable or the library fails.
bool RsaEncryptBlocks(const std::string& data, const RsaPublicKey& key, std::string& out);
// Undoes blocks made with the private key and type 1 padding. False unless the input is
// a whole number of k-byte blocks, each below the modulus and correctly padded.
bool RsaRecoverBlocks(const std::string& data, const RsaPublicKey& key, std::string& out);

} // namespace tcurl
