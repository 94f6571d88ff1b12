#include <gtest/gtest.h>

#include "input/steppers.h"

#include <cmath>
#include <optional>

#include "model/number_text.h"

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

// Every value a stepper's field can show leads back to its position; a value between two of
// them goes to the nearest, and one outside the range to its end.
TEST(StepperPositionFor, IsTheInverseOfTheFieldText) {
    for (const StepperRule& rule : kStepperRules) {
        for (int position = rule.min; position <= rule.max; position += rule.increment) {
            const double shown = ParseNumber(StepperFieldText(rule, position)).value_or(NAN);
            EXPECT_EQ(StepperPositionFor(rule, shown), position) << "UpDown" << rule.stepper;
        }
    }
    const struct {
        int stepper;
        double value;
        int position;
    } cases[] = {
        {6, 0.987, 99},   {6, 1.5, 99},  {6, -1, 1},    {7, 0.1013, 81},
        {7, 0.10145, 81}, {7, 0.5, 91},  {9, 0.26, 30}, {9, 0.04, 0},
        {11, 7.25, 73},   {11, 45, 300}, {11, NAN, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepperPositionFor(*FindStepperRule(c.stepper), c.value), c.position)
            << "UpDown" << c.stepper << " " << c.value;
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
