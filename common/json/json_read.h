#pragma once
// Reading fields of service replies with nlohmann/json, under the rules the readers
// share: a field that must be a string, an integer, a number cut toward zero, or "an
// object or a string holding JSON text". A field of the wrong type, a missing field
// that had to be there, or text that is not JSON throws ReadError; TryRead turns that
// into a failed read. Texts are UTF-16 on our side and UTF-8 inside the JSON values.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace glimra::json {

using Json = nlohmann::json;

class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses UTF-16 text.
Json Parse(const std::wstring& text);

// True when `value` is an object that has `key`.
bool Has(const Json& value, const char* key);
// True when `value` has `key` and its value is not null.
bool HasNonNull(const Json& value, const char* key);

// The field, which must be present and of the named type.
std::wstring String(const Json& value, const char* key);
bool Boolean(const Json& value, const char* key);
// A JSON integer that fits an int.
int Int(const Json& value, const char* key);
// A JSON number; a fraction is cut toward zero.
int64_t NumberTowardZero(const Json& value, const char* key);
// The field when it is an object, or the JSON parsed from the text when it is a
// string; anything else is a read error.
Json ObjectOrJsonText(const Json& value, const char* key);

// Runs `read`; false when it threw ReadError or a JSON exception.
template <typename Read> bool TryRead(Read&& read)
{
    try {
        read();
        return true;
    } catch (const ReadError&) {
        return false;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

} // namespace glimra::json
