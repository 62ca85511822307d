#include "common/json/json_read.h"

#include "common/json/utf8.h"

#include <cmath>
#include <limits>

namespace glimra::json {

namespace {

const Json& Field(const Json& value, const char* key)
{
    if (!value.is_object())
        throw ReadError(std::string("not an object where \"") + key + "\" was expected");
    auto found = value.find(key);
    if (found == value.end())
        throw ReadError(std::string("missing field \"") + key + "\"");
    return *found;
}

[[noreturn]] void WrongType(const char* key, const char* wanted)
{
    throw ReadError(std::string("field \"") + key + "\" is not " + wanted);
}

} // namespace

Json Parse(const std::wstring& text)
{
    Json parsed = Json::parse(ToUtf8(text), nullptr, false);
    if (parsed.is_discarded())
        throw ReadError("text is not JSON");
    return parsed;
}

bool Has(const Json& value, const char* key)
{
    return value.is_object() && value.contains(key);
}

bool HasNonNull(const Json& value, const char* key)
{
    return Has(value, key) && !value.at(key).is_null();
}

std::wstring String(const Json& value, const char* key)
{
    const Json& field = Field(value, key);
    if (!field.is_string())
        WrongType(key, "a string");
    return FromUtf8(field.get_ref<const std::string&>());
}

bool Boolean(const Json& value, const char* key)
{
    const Json& field = Field(value, key);
    if (!field.is_boolean())
        WrongType(key, "a boolean");
    return field.get<bool>();
}

int Int(const Json& value, const char* key)
{
    const Json& field = Field(value, key);
    if (field.is_number_unsigned()) {
        auto number = field.get<uint64_t>();
        if (number > static_cast<uint64_t>(std::numeric_limits<int>::max()))
            WrongType(key, "an int");
        return static_cast<int>(number);
    }
    if (!field.is_number_integer())
        WrongType(key, "an integer");
    auto number = field.get<int64_t>();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        WrongType(key, "an int");
    return static_cast<int>(number);
}

int64_t NumberTowardZero(const Json& value, const char* key)
{
    const Json& field = Field(value, key);
    if (field.is_number_unsigned()) {
        auto number = field.get<uint64_t>();
        if (number > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            WrongType(key, "a 64-bit number");
        return static_cast<int64_t>(number);
    }
    if (field.is_number_integer())
        return field.get<int64_t>();
    if (!field.is_number_float())
        WrongType(key, "a number");
    double number = std::trunc(field.get<double>());
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0))
        WrongType(key, "a 64-bit number");
    return static_cast<int64_t>(number);
}

Json ObjectOrJsonText(const Json& value, const char* key)
{
    const Json& field = Field(value, key);
    if (field.is_object())
        return field;
    if (!field.is_string())
        WrongType(key, "an object or a string");
    Json parsed = Json::parse(field.get_ref<const std::string&>(), nullptr, false);
    if (parsed.is_discarded())
        throw ReadError(std::string("field \"") + key + "\" holds no JSON text");
    return parsed;
}

} // namespace glimra::json
