#pragma once
// Standard base64 (RFC 4648): padded, no line breaks.

#include <string>

namespace tcurl {

std::string Base64Encode(const unsigned char* data, size_t length);
// Skips white space; false on any other character outside the alphabet, on a wrong
// length or on padding anywhere but at the end.
bool Base64Decode(const char* text, size_t length, std::string& bytes);

} // namespace tcurl
