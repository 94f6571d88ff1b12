#include <gtest/gtest.h>

#include "input/read_inputs.h"

#include <array>
#include <map>
#include <string>

namespace tarvo {
namespace {

// A typed motor: three KN/SB grains in a 40 x 200 chamber.
std::map<int, std::string> ValidTexts() {
    return {
        {14, "1,879"}, {15, "1,043"},  {16, "1,1308"}, {17, "42,39"}, {18, "1710"},  {19, "1,841"},
        {20, "1,042"}, {21, "1,1361"}, {22, "39,9"},   {23, "1600"},  {24, "1,889"}, {25, "1,044"},
        {26, "1,133"}, {27, "41,98"},  {28, "1720"},   {1, "40"},     {2, "200"},    {4, "38"},
        {5, "14"},     {6, "60"},      {7, "3"},       {11, "0,96"},  {12, "250"},   {13, "0,5"},
        {95, "0"},     {96, "0"},      {29, "0,95"},   {30, "0,101"}, {31, "6"},     {32, "0,0"},
        {93, "0,85"},  {94, "8"},
    };
}

// The message texts, spelled out independently of the code that builds them.
std::string Named(const std::string& field, int tab) {
    return field + " [вкладка " + std::to_string(tab) + "]";
}
std::string Above0(const std::string& field, int tab = 1) {
    return "Должно быть больше 0 значение " + Named(field, tab);
}
std::string Above1(const std::string& field) {
    return "Должно быть больше 1 значение " + Named(field, 5);
}
std::string NaN(const std::string& field, int tab = 1) {
    return "Не число в поле " + Named(field, tab);
}
std::string SB(const std::string& constant) {
    return constant + " of KN/SB-65/35";
}

struct Case {
    const char* name;
    std::map<int, std::string> edits;  // changes to the typed motor
    std::string expected;              // empty: the reading passes
    GrainKind kind = kCoredOnly;
    std::array<int, 3> flags = {0, 1, 1};  // Os, Cs, Es
};

ReadResult Read(const Case& c, MotorDesign& design) {
    std::map<int, std::string> texts = ValidTexts();
    for (const auto& [edit, text] : c.edits) {
        texts[edit] = text;
    }
    InputSources sources;
    sources.fieldText = [&texts](int edit) -> std::string_view {
        const auto it = texts.find(edit);
        return it == texts.end() ? std::string_view() : std::string_view(it->second);
    };
    sources.selectedPropellant = 1;  // KN/SB
    sources.Os = c.flags[0];
    sources.Cs = c.flags[1];
    sources.Es = c.flags[2];
    design.grainKind = c.kind;
    return ReadAndValidate(sources, design);
}

// Every check in its order, with the boundaries that pass.
const Case kCases[] = {
    {"valid motor", {}, ""},
    {"M of the selected propellant", {{22, "0"}}, Above0(SB("Effective molecular wt."), 5)},
    {"k not positive", {{21, "-1"}}, Above0(SB("Ratio of specific heats, mixture,"), 5)},
    {"k of exactly 1", {{21, "1"}}, Above1(SB("Ratio of specific heats, mixture,"))},
    {"To", {{23, "0"}}, Above0(SB("Chamber temperature"), 5)},
    {"k2ph below 1", {{20, "0,5"}}, Above1(SB("Ratio of specific heats, 2-ph.,"))},
    {"ideal density", {{19, "0"}}, Above0(SB("Grain mass density, ideal,"), 5)},
    {"unselected propellant is not checked", {{18, "0"}, {16, "0,5"}}, ""},
    {"Dc", {{1, "0"}}, Above0("Dc")},
    {"Lc", {{2, "-5"}}, Above0("Lc")},
    {"Do", {{4, "0"}}, Above0("Do")},
    {"Do equal to Dc passes", {{4, "40"}}, ""},
    {"Do above Dc", {{4, "40,1"}}, "Do не должен быть больше Dc [вкладка 1]"},
    {"do", {{5, "0"}}, Above0("do")},
    {"do equal to Do", {{5, "38"}}, "do должно быть меньше, чем Do [вкладка 1]"},
    {"Lo", {{6, "0"}}, Above0("Lo")},
    {"N", {{7, "0"}}, Above0("N")},
    {"grains exactly as long as the chamber", {{7, "4"}, {6, "50"}}, ""},
    {"grains longer than the chamber",
     {{7, "4"}, {6, "50,1"}},
     "Общая длина шашек больше длины камеры сгорания [вкладка 1]"},
    {"no burning surface", {}, "Нет поверхностей для горения [вкладка 1]", kCoredOnly, {0, 0, 0}},
    {"ends alone pass here", {}, "", kCoredOnly, {0, 0, 1}},
    {"Kno", {{12, "0"}}, Above0("Kno")},
    {"no erosion passes", {{13, "0"}}, ""},
    {"negative erosion", {{13, "-0,5"}}, Above0("e")},
    {"end-burner skips the cored checks",
     {{4, "0"}, {5, "0"}, {6, "0"}, {7, "0"}, {95, "0"}},
     Above0("Lto"),
     kEndBurnerOnly,
     {0, 0, 0}},
    {"end-burner needs Dto", {{4, "0"}, {7, "0"}, {95, "50"}}, Above0("Dto"), kEndBurnerOnly},
    {"end-burner", {{4, "0"}, {7, "0"}, {95, "50"}, {96, "30"}}, "", kEndBurnerOnly, {0, 0, 0}},
    {"both kinds do not check the tracer", {{95, "0"}}, "", kCoredAndEndBurner},
    {"only the first fault", {{1, "0"}, {12, "0"}}, Above0("Dc")},
    {"propellant before chamber",
     {{1, "0"}, {21, "0"}},
     Above0(SB("Ratio of specific heats, mixture,"), 5)},
    // Texts that are not numbers, wherever they stand.
    {"letters", {{1, "abc"}}, NaN("Dc")},
    {"empty", {{2, ""}}, NaN("Lc")},
    {"fractional count", {{7, "2,5"}}, NaN("N")},
    {"unselected constant", {{18, ""}}, NaN("Chamber temperature of KN/DX-65/35", 5)},
    {"two separators", {{94, "1,2,3"}}, NaN("Ae/At", 3)},
    {"too large", {{31, "1e999"}}, NaN("G*", 2)},
    {"unchecked fields are still read", {{5, "x"}}, NaN("do"), kEndBurnerOnly},
    {"point as separator", {{13, "0.5"}, {94, "8.5"}}, ""},
};

TEST(ReadAndValidate, ReportsTheFirstFailingCheck) {
    for (const Case& c : kCases) {
        MotorDesign design;
        const ReadResult result = Read(c, design);
        EXPECT_EQ(result.ok, c.expected.empty()) << c.name;
        EXPECT_EQ(result.message, c.expected) << c.name;
    }
}

// tarvo-calc prints what a failed reading had accepted (the chamber volume and the ideal
// density): the chamber once both its dimensions passed, the propellant once all five passed.
TEST(ReadAndValidate, KeepsWhatPassedBeforeTheFailingField) {
    const struct {
        std::map<int, std::string> edits;
        double Dc, Lc, pPrime;
    } cases[] = {
        {{{2, "-5"}}, 0, 0, 1.841}, {{{1, "-5"}}, 0, 0, 1.841}, {{{4, "0"}}, 40, 200, 1.841},
        {{{19, "0"}}, 0, 0, 0},     {{{22, "0"}}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        MotorDesign design;
        EXPECT_FALSE(Read({"partial", c.edits, "x"}, design).ok);
        EXPECT_EQ(design.Dc, c.Dc);
        EXPECT_EQ(design.Lc, c.Lc);
        EXPECT_EQ(design.propellant.pPrime, c.pPrime);
        EXPECT_EQ(design.Do, 0);
    }
}

}  // namespace
}  // namespace tarvo
