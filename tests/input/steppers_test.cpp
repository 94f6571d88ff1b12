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

TEST(StepperRules, ClampIntoTheRangeLikeTheControl) {
    const StepperRule& ratio = *FindStepperRule(11);
    EXPECT_EQ(ClampToStepperRange(ratio, 5), 10);
    EXPECT_EQ(ClampToStepperRange(ratio, 25), 25);
    EXPECT_EQ(ClampToStepperRange(ratio, 301), 300);
    EXPECT_EQ(FindStepperRule(1), nullptr);
    EXPECT_EQ(FindStepperRule(12), nullptr);
    EXPECT_TRUE(FitsStepperPosition(-32768));
    EXPECT_TRUE(FitsStepperPosition(32767));
    EXPECT_FALSE(FitsStepperPosition(32768));
    EXPECT_FALSE(FitsStepperPosition(-32769));
}

TEST(ExpansionRatioPosition, RoundsTenTimesTheTypedRatio) {
    struct Case {
        const char* text;
        std::optional<int> position;
    };
    const Case cases[] = {
        {"2,54", 25},
        {"2.54", 25},
        {"2,56", 26},
        {"10", 100},
        {"0", 0},
        {"-1", -10},
        {"3276,7", 32767},
        {"3276,8", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"1e300", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpansionRatioPosition(c.text), c.position) << c.text;
    }
}

}  // namespace
}  // namespace tarvo
