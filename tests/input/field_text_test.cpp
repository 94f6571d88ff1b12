#include <gtest/gtest.h>

#include "input/field_text.h"

namespace tarvo {
namespace {

// What the entry filter accepts is a number (the number tests) greater than 0 (the form's
// entry filter tests); here, how a text is tidied before it is read.
TEST(NormaliseFieldText, KeepsDigitsAndSignsAndTurnsTheRestIntoSeparators) {
    const std::pair<const char*, const char*> cases[] = {
        {"12a5", "12,5"},     {"1e3", "1,3"},     {"", ""},           {"12,5", "12,5"},
        {"-0.009", "-0,009"}, {"1 000", "1,000"}, {"+3", "+3"},       {"1ф5", "1,5"},
        {"ёж", ",,"},         {"a", ","},         {"1.2.3", "1,2,3"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(NormaliseFieldText(text), expected) << text;
    }
}

}  // namespace
}  // namespace tarvo
