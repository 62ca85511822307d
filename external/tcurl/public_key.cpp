#include "public_key.h"

#include "base64.h"

#include <algorithm>
#include <iterator>

namespace tcurl {

namespace {

constexpr uint8_t kSequence = 0x30;
constexpr uint8_t kInteger = 0x02;
constexpr uint8_t kBitString = 0x03;
constexpr uint8_t kObjectId = 0x06;
// 1.2.840.113549.1.1.1, rsaEncryption
const uint8_t kRsaEncryption[] = {0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x01, 0x01};

// A bounded reader of DER tag-length-value items.
struct Der {
    const uint8_t* data;
    size_t size;

    // Reads one item with `tag`; its contents go to `inner`.
    bool Next(uint8_t tag, Der& inner)
    {
        if (size < 2 || data[0] != tag)
            return false;
        size_t length = data[1];
        size_t header = 2;
        if (length & 0x80) {
            size_t count = length & 0x7F;
            if (count == 0 || count > 4 || size < 2 + count)
                return false;
            length = 0;
            for (size_t i = 0; i < count; ++i)
                length = (length << 8) | data[2 + i];
            header += count;
        }
        if (length > size - header)
            return false;
        inner = Der{data + header, length};
        data += header + length;
        size -= header + length;
        return true;
    }
};

bool ReadUnsigned(Der& der, std::vector<uint8_t>& value)
{
    Der item{};
    if (!der.Next(kInteger, item) || item.size == 0 || (item.data[0] & 0x80))
        return false; // empty or negative
    while (item.size > 1 && item.data[0] == 0)
        ++item.data, --item.size;
    value.assign(item.data, item.data + item.size);
    return !(value.size() == 1 && value[0] == 0);
}

// RSAPublicKey ::= SEQUENCE { modulus INTEGER, publicExponent INTEGER }
bool ReadPkcs1(Der der, RsaPublicKey& key)
{
    Der sequence{};
    return der.Next(kSequence, sequence) && ReadUnsigned(sequence, key.modulus) &&
           ReadUnsigned(sequence, key.exponent) && sequence.size == 0;
}

// SubjectPublicKeyInfo ::= SEQUENCE { SEQUENCE { OID, parameters }, BIT STRING }
bool ReadSubjectPublicKeyInfo(Der der, RsaPublicKey& key)
{
    Der info{}, algorithm{}, oid{}, bits{};
    if (!der.Next(kSequence, info) || !info.Next(kSequence, algorithm) ||
        !algorithm.Next(kObjectId, oid) || !info.Next(kBitString, bits))
        return false;
    if (oid.size != sizeof(kRsaEncryption) ||
        !std::equal(oid.data, oid.data + oid.size, kRsaEncryption))
        return false;
    if (bits.size < 1 || bits.data[0] != 0)
        return false; // unused bits
    return ReadPkcs1(Der{bits.data + 1, bits.size - 1}, key);
}

// The base64 text between the BEGIN and END lines of a PEM block with `label`.
bool PemBody(const std::string& text, const std::string& label, std::string& body)
{
    const std::string begin = "-----BEGIN " + label + "-----";
    const std::string end = "-----END " + label + "-----";
    size_t start = text.find(begin);
    if (start == std::string::npos)
        return false;
    start += begin.size();
    size_t stop = text.find(end, start);
    if (stop == std::string::npos)
        return false;
    body = text.substr(start, stop - start);
    return true;
}

void AppendLength(std::vector<uint8_t>& out, size_t length)
{
    if (length < 0x80) {
        out.push_back(uint8_t(length));
        return;
    }
    std::vector<uint8_t> digits;
    for (; length; length >>= 8)
        digits.insert(digits.begin(), uint8_t(length & 0xFF));
    out.push_back(uint8_t(0x80 | digits.size()));
    out.insert(out.end(), digits.begin(), digits.end());
}

std::vector<uint8_t> Item(uint8_t tag, const std::vector<uint8_t>& contents)
{
    std::vector<uint8_t> out{tag};
    AppendLength(out, contents.size());
    out.insert(out.end(), contents.begin(), contents.end());
    return out;
}

std::vector<uint8_t> UnsignedInteger(const std::vector<uint8_t>& value)
{
    std::vector<uint8_t> contents;
    if (value.empty() || (value[0] & 0x80))
        contents.push_back(0);
    contents.insert(contents.end(), value.begin(), value.end());
    return Item(kInteger, contents);
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

bool ReadPublicKey(const std::string& text, RsaPublicKey& key)
{
    std::string body;
    bool bare_pkcs1 = false;
    if (PemBody(text, "PUBLIC KEY", body)) {
    } else if (PemBody(text, "RSA PUBLIC KEY", body)) {
        bare_pkcs1 = true;
    } else {
        body = text;
    }
    std::string der;
    if (!Base64Decode(body.data(), body.size(), der) || der.empty())
        return false;
    Der reader{reinterpret_cast<const uint8_t*>(der.data()), der.size()};
    RsaPublicKey read;
    bool ok = bare_pkcs1 ? ReadPkcs1(reader, read) : ReadSubjectPublicKeyInfo(reader, read);
    if (ok)
        key = std::move(read);
    return ok;
}

std::string WritePublicKeyPem(const RsaPublicKey& key)
{
    std::vector<uint8_t> oid(std::begin(kRsaEncryption), std::end(kRsaEncryption));
    std::vector<uint8_t> algorithm = Item(kSequence, Concat(Item(kObjectId, oid), {0x05, 0x00}));
    std::vector<uint8_t> pkcs1 =
        Item(kSequence, Concat(UnsignedInteger(key.modulus), UnsignedInteger(key.exponent)));
    std::vector<uint8_t> bits = Item(kBitString, Concat({0x00}, pkcs1));
    std::vector<uint8_t> info = Item(kSequence, Concat(algorithm, bits));
    std::string encoded = Base64Encode(info.data(), info.size());
    std::string pem = "-----BEGIN PUBLIC KEY-----\n";
    for (size_t i = 0; i < encoded.size(); i += 64)
        pem += encoded.substr(i, 64) + "\n";
    return pem + "-----END PUBLIC KEY-----\n";
}

} // namespace tcurl
