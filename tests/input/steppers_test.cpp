#include <gtest/gtest.h>

#include "input/steppers.h"

#include <optional>

namespace tarvo {
namespace {

TEST(StepperFieldText, WritesEachSteppersRule) {
    struct Case {
        int stepper;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {2, 0, "0"},     {4, 1, "1"},      {5, 96, "0,96"},  {5, 92, "0,92"},  {6, 95, "0,95"},
        {6, 1, "0,01"},  {7, 71, "0,091"}, {7, 81, "0,101"}, {7, 91, "0,111"}, {8, 6, "6"},
        {9, 0, "0,0"},   {9, 10, "0,1"},   {9, 100, "1,0"},  {10, 85, "0,85"}, {11, 10, "1"},
        {11, 25, "2,5"}, {11, 300, "30"},  {11, 100, "10"},
    };
    for (const Case& c : cases) {
        const StepperRule* rule = FindStepperRule(c.stepper);
        ASSERT_NE(rule, nullptr) << c.stepper;
        EXPECT_EQ(StepperFieldText(*rule, c.position), c.text)
            << "UpDown" << c.stepper << " at " << c.position;
    }
}

// Positions are 16-bit: a ratio whose position does not fit moves nothing.
TEST(ExpansionRatioPosition, RoundsTenTimesTheTypedRatio) {
    const std::optional<int> none;
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"2,54", 25},     {"2,56", 26},        {"-1", -10},       {"3276,7", 32767},
        {"3276,8", none}, {"-3276,8", -32768}, {"-3276,9", none}, {"1e300", none},
    };
    for (const auto& [text, position] : cases) {
        EXPECT_EQ(ExpansionRatioPosition(text), position) << text;
    }
}

}  // namespace
}  // namespace tarvo
