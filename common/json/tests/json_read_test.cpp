#include <gtest/gtest.h>

#include "common/json/json_read.h"

#include <string>

using namespace glimra::json;

namespace {

Json Sample()
{
    return Parse(LR"({"name": "\u9519\u8bef", "count": 42, "negative": -7, "big": 4294967296,
                      "fraction": -12.9, "flag": true, "nothing": null,
                      "object": {"inner": 1}, "text": "{\"inner\": 2}", "bad": "{not json",
                      "list": [1, 2]})");
}

} // namespace

TEST(JsonRead, ParsesWideTextAndRefusesWhatIsNotJson)
{
    EXPECT_EQ(String(Sample(), "name"), L"\u9519\u8bef");
    EXPECT_THROW(Parse(L"not json"), ReadError);
    EXPECT_THROW(Parse(L""), ReadError);
    EXPECT_THROW(Parse(L"{\"a\": 1"), ReadError);
}

TEST(JsonRead, FieldsOfTheRightTypeAreRead)
{
    Json sample = Sample();
    EXPECT_EQ(Int(sample, "count"), 42);
    EXPECT_EQ(Int(sample, "negative"), -7);
    EXPECT_TRUE(Boolean(sample, "flag"));
    EXPECT_EQ(NumberTowardZero(sample, "big"), 4294967296LL);
    EXPECT_EQ(NumberTowardZero(sample, "fraction"), -12);
    EXPECT_EQ(NumberTowardZero(sample, "count"), 42);
}

TEST(JsonRead, MissingOrWronglyTypedFieldsThrow)
{
    Json sample = Sample();
    struct Case {
        const char* key;
        int reader; // 0 String, 1 Int, 2 Boolean, 3 NumberTowardZero
    } cases[] = {
        {"missing", 0}, {"count", 0},   {"nothing", 0}, {"name", 1},    {"fraction", 1},
        {"big", 1},     {"flag", 1},    {"count", 2},   {"name", 3},    {"flag", 3},
        {"nothing", 3}, {"missing", 3}, {"object", 0},  {"missing", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " reader " + std::to_string(c.reader));
        switch (c.reader) {
        case 0:
            EXPECT_THROW(String(sample, c.key), ReadError);
            break;
        case 1:
            EXPECT_THROW(Int(sample, c.key), ReadError);
            break;
        case 2:
            EXPECT_THROW(Boolean(sample, c.key), ReadError);
            break;
        default:
            EXPECT_THROW(NumberTowardZero(sample, c.key), ReadError);
            break;
        }
    }
    // A field of something that is not an object.
    EXPECT_THROW(String(sample.at("list"), "name"), ReadError);
}

TEST(JsonRead, NumbersBeyondA64BitIntegerAreRefused)
{
    Json huge = Parse(L"{\"u\": 18446744073709551615, \"f\": 1e30}");
    EXPECT_THROW(NumberTowardZero(huge, "u"), ReadError);
    EXPECT_THROW(NumberTowardZero(huge, "f"), ReadError);
}

TEST(JsonRead, AnObjectOrAStringHoldingJson)
{
    Json sample = Sample();
    EXPECT_EQ(Int(ObjectOrJsonText(sample, "object"), "inner"), 1);
    EXPECT_EQ(Int(ObjectOrJsonText(sample, "text"), "inner"), 2);
    EXPECT_THROW(ObjectOrJsonText(sample, "list"), ReadError);
    EXPECT_THROW(ObjectOrJsonText(sample, "count"), ReadError);
    EXPECT_THROW(ObjectOrJsonText(sample, "nothing"), ReadError);
    // A string holding JSON of another kind is read as what it holds.
    EXPECT_TRUE(ObjectOrJsonText(Parse(LR"({"t": "[1, 2]"})"), "t").is_array());
    EXPECT_THROW(ObjectOrJsonText(sample, "bad"), ReadError);
    EXPECT_THROW(ObjectOrJsonText(sample, "missing"), ReadError);
}

TEST(JsonRead, PresenceTests)
{
    Json sample = Sample();
    EXPECT_TRUE(Has(sample, "nothing"));
    EXPECT_FALSE(HasNonNull(sample, "nothing"));
    EXPECT_TRUE(HasNonNull(sample, "name"));
    EXPECT_FALSE(Has(sample, "missing"));
    EXPECT_FALSE(Has(sample.at("list"), "name"));
}

TEST(JsonRead, TryReadTurnsReadErrorsIntoFalse)
{
    Json sample = Sample();
    int stored = 0;
    EXPECT_TRUE(TryRead([&] { stored = Int(sample, "count"); }));
    EXPECT_EQ(stored, 42);
    // What was read before the error stays read.
    EXPECT_FALSE(TryRead([&] {
        stored = Int(sample, "negative");
        String(sample, "count");
    }));
    EXPECT_EQ(stored, -7);
    EXPECT_FALSE(TryRead([&] { sample.at("list").at(5); }));
}
