#include <gtest/gtest.h>

#include "input/read_inputs.h"

#include <array>
#include <map>
#include <string>

#include "input/field_map.h"

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

struct Motor {
    std::map<int, std::string> texts = ValidTexts();
    int propellant = 1;  // KN/SB
    int Os = 0, Cs = 1, Es = 1;
    GrainKind kind = kCoredOnly;
};

ReadResult Read(const Motor& motor, MotorModel& model) {
    InputSources sources;
    sources.fieldText = [&motor](int edit) -> std::string_view {
        const auto it = motor.texts.find(edit);
        return it == motor.texts.end() ? std::string_view() : std::string_view(it->second);
    };
    sources.selectedPropellant = motor.propellant;
    sources.Os = motor.Os;
    sources.Cs = motor.Cs;
    sources.Es = motor.Es;
    model.grainKind = motor.kind;
    return ReadAndValidate(sources, model);
}

struct Case {
    const char* name;
    std::map<int, std::string> edits;
    std::string expected;  // empty: the reading passes
    GrainKind kind = kCoredOnly;
    std::array<int, 3> flags = {0, 1, 1};  // Os, Cs, Es
};

// Every check in its order, with the boundaries that pass.
const Case kCases[] = {
    {"valid motor", {}, ""},
    {"M of the selected propellant",
     {{22, "0"}},
     "Должно быть больше 0 значение Effective molecular wt. of KN/SB-65/35 [вкладка 5]"},
    {"k not positive",
     {{21, "-1"}},
     "Должно быть больше 0 значение Ratio of specific heats, mixture, of KN/SB-65/35 [вкладка 5]"},
    {"k of exactly 1",
     {{21, "1"}},
     "Должно быть больше 1 значение Ratio of specific heats, mixture, of KN/SB-65/35 [вкладка 5]"},
    {"To",
     {{23, "0"}},
     "Должно быть больше 0 значение Chamber temperature of KN/SB-65/35 [вкладка 5]"},
    {"k2ph below 1",
     {{20, "0,5"}},
     "Должно быть больше 1 значение Ratio of specific heats, 2-ph., of KN/SB-65/35 [вкладка 5]"},
    {"ideal density",
     {{19, "0"}},
     "Должно быть больше 0 значение Grain mass density, ideal, of KN/SB-65/35 [вкладка 5]"},
    {"unselected propellant is not checked", {{18, "0"}, {16, "0,5"}}, ""},
    {"Dc", {{1, "0"}}, "Должно быть больше 0 значение Dc [вкладка 1]"},
    {"Lc", {{2, "-5"}}, "Должно быть больше 0 значение Lc [вкладка 1]"},
    {"Do", {{4, "0"}}, "Должно быть больше 0 значение Do [вкладка 1]"},
    {"Do equal to Dc passes", {{4, "40"}}, ""},
    {"Do above Dc", {{4, "40,1"}}, "Do не должен быть больше Dc [вкладка 1]"},
    {"do", {{5, "0"}}, "Должно быть больше 0 значение do [вкладка 1]"},
    {"do equal to Do", {{5, "38"}}, "do должно быть меньше, чем Do [вкладка 1]"},
    {"Lo", {{6, "0"}}, "Должно быть больше 0 значение Lo [вкладка 1]"},
    {"N", {{7, "0"}}, "Должно быть больше 0 значение N [вкладка 1]"},
    {"grains exactly as long as the chamber", {{7, "4"}, {6, "50"}}, ""},
    {"grains longer than the chamber",
     {{7, "4"}, {6, "50,1"}},
     "Общая длина шашек больше длины камеры сгорания [вкладка 1]"},
    {"no burning surface", {}, "Нет поверхностей для горения [вкладка 1]", kCoredOnly, {0, 0, 0}},
    {"ends alone pass here", {}, "", kCoredOnly, {0, 0, 1}},
    {"Kno", {{12, "0"}}, "Должно быть больше 0 значение Kno [вкладка 1]"},
    {"no erosion passes", {{13, "0"}}, ""},
    {"negative erosion", {{13, "-0,5"}}, "Должно быть больше 0 значение e [вкладка 1]"},
    {"end-burner skips the cored checks",
     {{4, "0"}, {5, "0"}, {6, "0"}, {7, "0"}, {95, "0"}},
     "Должно быть больше 0 значение Lto [вкладка 1]",
     kEndBurnerOnly,
     {0, 0, 0}},
    {"end-burner needs Dto",
     {{4, "0"}, {7, "0"}, {95, "50"}},
     "Должно быть больше 0 значение Dto [вкладка 1]",
     kEndBurnerOnly,
     {0, 0, 0}},
    {"end-burner", {{4, "0"}, {7, "0"}, {95, "50"}, {96, "30"}}, "", kEndBurnerOnly, {0, 0, 0}},
    {"both kinds do not check the tracer", {{95, "0"}}, "", kCoredAndEndBurner},
    {"only the first fault", {{1, "0"}, {12, "0"}}, "Должно быть больше 0 значение Dc [вкладка 1]"},
    {"propellant before chamber",
     {{1, "0"}, {21, "0"}},
     "Должно быть больше 0 значение Ratio of specific heats, mixture, of KN/SB-65/35 [вкладка 5]"},
    // Texts that are not numbers, wherever they stand.
    {"letters", {{1, "abc"}}, "Не число в поле Dc [вкладка 1]"},
    {"empty", {{2, ""}}, "Не число в поле Lc [вкладка 1]"},
    {"fractional count", {{7, "2,5"}}, "Не число в поле N [вкладка 1]"},
    {"unselected constant",
     {{18, ""}},
     "Не число в поле Chamber temperature of KN/DX-65/35 [вкладка 5]"},
    {"two separators", {{94, "1,2,3"}}, "Не число в поле Ae/At [вкладка 3]"},
    {"too large", {{31, "1e999"}}, "Не число в поле G* [вкладка 2]"},
    {"unchecked fields are still read",
     {{5, "x"}},
     "Не число в поле do [вкладка 1]",
     kEndBurnerOnly},
    {"point as separator", {{13, "0.5"}, {94, "8.5"}}, ""},
};

TEST(ReadAndValidate, ReportsTheFirstFailingCheck) {
    for (const Case& c : kCases) {
        Motor motor;
        for (const auto& [edit, text] : c.edits) {
            motor.texts[edit] = text;
        }
        motor.kind = c.kind;
        motor.Os = c.flags[0];
        motor.Cs = c.flags[1];
        motor.Es = c.flags[2];
        MotorModel model;
        const ReadResult result = Read(motor, model);
        EXPECT_EQ(result.ok, c.expected.empty()) << c.name;
        EXPECT_EQ(result.message, c.expected) << c.name;
    }
}

TEST(ReadAndValidate, FillsTheModel) {
    MotorModel model;
    ASSERT_TRUE(Read(Motor{}, model).ok);
    EXPECT_EQ(model.Ftype, 2);
    EXPECT_DOUBLE_EQ(model.M, 39.9);
    EXPECT_DOUBLE_EQ(model.k2ph, 1.042);
    EXPECT_DOUBLE_EQ(model.propellants[0].To, 1710);
    EXPECT_NEAR(model.Vc, 251327.41, 0.01);
    EXPECT_EQ(model.N, 3);
    EXPECT_EQ(model.Os, 0);
    EXPECT_EQ(model.Cs, 1);
    EXPECT_DOUBLE_EQ(model.e, 0.5);
    EXPECT_DOUBLE_EQ(model.AeAt, 8);
}

TEST(ReadAndValidate, StopsAtTheFailingField) {
    Motor motor;
    motor.texts[2] = "0";
    MotorModel model;
    EXPECT_FALSE(Read(motor, model).ok);
    EXPECT_DOUBLE_EQ(model.M, 39.9);
    EXPECT_DOUBLE_EQ(model.Dc, 40);
    EXPECT_DOUBLE_EQ(model.Lc, 0);
    EXPECT_DOUBLE_EQ(model.Do, 0);
}

TEST(ReadAndValidate, WithoutAPropellantCopiesNothing) {
    Motor motor;
    motor.propellant = -1;
    MotorModel model;
    EXPECT_TRUE(Read(motor, model).ok);
    EXPECT_EQ(model.Ftype, 0);
    EXPECT_EQ(model.M, 0);
}

TEST(ReadBurnRateTable, TakesTheSelectedPropellantsGrid) {
    std::map<int, std::string> texts;
    for (int edit = 33; edit <= 92; ++edit) {
        texts[edit] = "0";
    }
    texts[53] = "0,091";  // KN/SB range 1: lower, upper, a, n
    texts[58] = "0,807";
    texts[63] = "10,708";
    texts[68] = "0.625";
    texts[72] = "0,064";  // range 5 exponent
    auto lookup = [&texts](int edit) -> std::string_view { return texts.at(edit); };

    const BurnRateTable sb = ReadBurnRateTable(lookup, 2);
    EXPECT_FALSE(sb.nonNumericCell);
    EXPECT_DOUBLE_EQ(sb.ranges[0].lower, 0.091);
    EXPECT_DOUBLE_EQ(sb.ranges[0].upper, 0.807);
    EXPECT_DOUBLE_EQ(sb.ranges[0].a, 10.708);
    EXPECT_DOUBLE_EQ(sb.ranges[0].n, 0.625);
    EXPECT_DOUBLE_EQ(sb.ranges[4].n, 0.064);

    texts[87] = "abc";  // a KN/SU cell
    EXPECT_FALSE(ReadBurnRateTable(lookup, 2).nonNumericCell);
    EXPECT_TRUE(ReadBurnRateTable(lookup, 3).nonNumericCell);

    const BurnRateTable none = ReadBurnRateTable(lookup, 0);
    EXPECT_FALSE(none.nonNumericCell);
    EXPECT_EQ(none.ranges[0].upper, 0);
}

}  // namespace
}  // namespace tarvo
