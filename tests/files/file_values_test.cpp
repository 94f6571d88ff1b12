#include "files/file_values.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(FileValues, IntegersAreSignAndDigitsWithin32Bits) {
    struct Case {
        std::string_view text;
        std::optional<int> integer, stepper;
    };
    const std::nullopt_t no = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"96", 96, 96},         {"-1", -1, -1},        {"+7", 7, 7},
        {"32767", 32767, 32767}, {"32768", 32768, no}, {"-32769", -32769, no},
        {"2147483647", 2147483647, no}, {"-2147483648", -2147483647 - 1, no},
        {"2147483648", no, no}, {"99999999999999999999", no, no},
        {"1,0", no, no},        {"1e2", no, no},       {"0x10", no, no},
        {"", no, no},           {"-", no, no},         {"1 2", no, no},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFileInteger(c.text), c.integer) << c.text;
        EXPECT_EQ(ParseStepperPosition(c.text), c.stepper) << c.text;
    }
}

TEST(FileValues, BooleansAreWordsOrNumbers) {
    const std::pair<std::string_view, std::optional<bool>> cases[] = {
        {"-1", true},          {"0", false},       {"TRUE", true},          {"fAlSe", false},
        {"0,0", false},        {"0.5", true},      {"1e-3", true},          {"-0", false},
        {"yes", std::nullopt}, {"", std::nullopt}, {"1,2,3", std::nullopt}, {"1e999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseFileBoolean(text), expected) << text;
        EXPECT_EQ(ParseGrainFlag(text), expected.value_or(false)) << text;
    }
    EXPECT_EQ(ParseFileBoolean(FormatFileBoolean(true)), true);
    EXPECT_EQ(FormatFileBoolean(false), "0");
}

}  // namespace
}  // namespace tarvo
