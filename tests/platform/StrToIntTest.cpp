#include "StrToInt.h"

#include "Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    std::optional<std::int32_t> value;
};

const Case kCases[] = {
    {"0", 0},
    {"4", 4},
    {" 3", 3},
    {"   -17", -17},
    {"+3", 3},
    {"-1", -1},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"$FF", 255},
    {"$ff", 255},
    {"x10", 16},
    {"X10", 16},
    {"0x1A", 26},
    {"0X1a", 26},
    {"-$10", -16},
    {"$FFFFFFFF", -1},
    {"$100000000", std::nullopt},
    {"", std::nullopt},
    {" ", std::nullopt},
    {"-", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"3x", std::nullopt},
    {"3 ", std::nullopt},
    {"abc", std::nullopt},
    {"1.5", std::nullopt},
    {"--1", std::nullopt},
    {"\t3", std::nullopt},
};

TEST(StrToInt, AcceptsExactlyTheIntegerForms) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("text: '") + c.text + "'");
        EXPECT_EQ(TryStrToInt(c.text), c.value);
        EXPECT_EQ(StrToIntDef(c.text, 12345), c.value.value_or(12345));
    }
}

TEST(StrToInt, ReportsTheTextInItsMessage) {
    for (const char* text : {"abc", "", "3x"}) {
        try {
            StrToInt(text);
            FAIL() << "no error for " << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, std::string("'") + text + "' is not a valid integer value");
        }
    }
}

} // namespace
