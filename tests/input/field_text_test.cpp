#include <gtest/gtest.h>

#include "input/field_text.h"

namespace tarvo {
namespace {

TEST(AcceptedEntry, IsOnlyAPositiveNumber) {
    const std::pair<const char*, bool> cases[] = {
        {"12,5", true}, {"12.5", true}, {"3,", true},     {",5", true},    {"1e3", true},
        {"+2", true},   {"-", false},   {"0", false},     {"-2", false},   {"", false},
        {",", false},   {"inf", false}, {"nan", false},   {"0x10", false}, {"1,2,3", false},
        {"1-2", false}, {"1 2", false}, {"1e400", false}, {"0,0", false},
    };
    for (const auto& [text, accepted] : cases) {
        EXPECT_EQ(IsAcceptedEntry(text), accepted) << text;
    }
}

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
