#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace tarvo {
namespace {

std::string PrintfWithComma(const char* format, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text(buffer);
    for (char& c : text) {
        c = c == '.' ? ',' : c;
    }
    return text;
}

TEST(FormatFixed, RoundsTheBinaryValueCorrectly) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {0, 3, "0,000"},
        {1.80384, 3, "1,804"},
        {2.675, 2, "2,67"},  // 2.675 is stored just below the half
        {0.125, 2, "0,12"},  // an exact half goes to the even neighbour
        {0.375, 2, "0,38"},
        {1234567.891, 1, "1234567,9"},  // no digit grouping
        {-0.0004, 3, "-0,000"},
        {15.4, 0, "15"},
        {1e21, 1, "1000000000000000000000,0"},
        {889.2999999999, 0, "889"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value;
    }
}

TEST(FormatInteger, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, const char*> cases[] = {
        {0.5, "0"},       {1.5, "2"},      {2.5, "2"},   {3.5, "4"},          {8796.5, "8796"},
        {8797.5, "8798"}, {175.93, "176"}, {-2.5, "-2"}, {37699.11, "37699"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(FormatInteger(value), expected) << value;
    }
}

TEST(FormatGeneral, MatchesPrintfWithFifteenDigits) {
    const double fixedCases[] = {
        0.0,    0.1 + 0.2,         1.0, 1e15, 1e16, 1e20, 1e-5, 123456789012345678.0, -0.000123,
        196.13, 37699.111843077517};
    for (const double value : fixedCases) {
        EXPECT_EQ(FormatGeneral(value), PrintfWithComma("%.15g", value)) << value;
    }
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-30, 30);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::pow(10.0, exponent(random)) * (i % 2 ? 1 : -1);
        ASSERT_EQ(FormatGeneral(value), PrintfWithComma("%.15g", value)) << value;
    }
}

TEST(FormatFixed, MatchesPrintfOnRandomValues) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) {
        const double v = value(random);
        const int decimals = i % 4;
        const std::string format = "%." + std::to_string(decimals) + "f";
        ASSERT_EQ(FormatFixed(v, decimals), PrintfWithComma(format.c_str(), v)) << v;
    }
}

TEST(ParseNumber, AcceptsPlainDecimalNumbersWithCommaOrPoint) {
    const std::pair<const char*, double> cases[] = {
        {"0", 0},   {"12,5", 12.5}, {"12.5", 12.5}, {"-0,009", -0.009}, {"+3", 3},
        {"3,", 3},  {",5", 0.5},    {"1e3", 1000},  {"1,5E-2", 0.015},  {"2e+1", 20},
        {"007", 7}, {"1e-400", 0},  {"8314", 8314}, {"0,101", 0.101},
    };
    for (const auto& [text, expected] : cases) {
        const auto parsed = ParseNumber(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_DOUBLE_EQ(*parsed, expected) << text;
    }
}

TEST(ParseNumber, RejectsEverythingElse) {
    const char* cases[] = {"",       "-",   "+",    ",",           "1,2,3", "1-2",
                           "1 2",    " 1",  "1 ",   "inf",         "nan",   "0x10",
                           "1e",     "1e+", "e5",   "0,00001e400", "1,5e",  "1e999",
                           "-1e400", "abc", "12a5", "1.2.3",       "--1",   "1e3.5"};
    for (const char* text : cases) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
    }
    EXPECT_FALSE(ParseNumber(std::string(400, '9')).has_value());
    EXPECT_TRUE(ParseNumber("0," + std::string(400, '0') + "1").has_value());
}

TEST(ParseInteger, AcceptsOnlyThirtyTwoBitSignedIntegers) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0},
        {"-1", -1},
        {"+42", 42},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1,0", std::nullopt},
        {" 1", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseInteger(text), expected) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace tarvo
