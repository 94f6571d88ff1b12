#include "files/file_values.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

// Integers in files are read as the number tests describe; stepper positions are 16-bit.
TEST(FileValues, StepperPositionsAreSixteenBitIntegers) {
    const std::nullopt_t no = std::nullopt;
    const std::pair<std::string_view, std::optional<int>> cases[] = {
        {"96", 96},     {"32767", 32767}, {"32768", no}, {"-32768", -32768},
        {"-32769", no}, {"1,0", no},      {"", no},
    };
    for (const auto& [text, position] : cases) {
        EXPECT_EQ(ParseStepperPosition(text), position) << text;
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
}

}  // namespace
}  // namespace tarvo
