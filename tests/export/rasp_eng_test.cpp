#include "export/rasp_eng.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/number_text.h"
#include "test_support.h"

namespace tarvo {
namespace {

using testing::ReadBytes;
using testing::TempDir;

// tarvo-calc's test reads whole files of calculated motors back by the rules flight
// simulators apply; these tests pin down each rule of the writer.

std::vector<ResultRow> Rows(std::initializer_list<std::pair<double, double>> points) {
    std::vector<ResultRow> rows;
    for (const auto& [time, thrust] : points) {
        rows.push_back({static_cast<int>(rows.size()), time, thrust});
    }
    return rows;
}

CalculationResult SmallMotor() {
    CalculationResult result;
    result.design.Dc = 25.4;
    result.design.Lc = 100;
    result.figures.m = 0.0421;
    result.figures.Favg = 15.4;
    result.figures.MotorClass = "E";
    result.rows = Rows({{0, 0}, {0.5, 20}, {1, 0}});
    return result;
}

constexpr std::string_view kPropellant = "KN/SB-65/35";

TEST(ExportEngFile, WritesTheUsersHeaderChoicesAsSafeTokens) {
    const struct {
        EngOptions options;
        std::string_view source;
        std::string expectedHead;
    } cases[] = {
        // The name comes from the curve written (10 N s over 1 s), not from the model's E15.
        {DefaultEngOptions(SmallMotor()), "",
         "; Tarvo: unsaved design, propellant KN/SB-65/35\nC10 25.4 100 P 0.0421 0.0421 Tarvo\n"},
        {{"My motor", ParseCasingMass(" 0,25 ").value, "Клуб ракетчиков"},
         "/дом/Ракета.zel",
         "; Tarvo: Raketa.zel, propellant KN/SB-65/35\n"
         "My_motor 25.4 100 P 0.0421 0.2921 Klub_raketchikov\n"},
        {{" ;Е15; ", 0, " \t"},
         "evil\nX 1 1 P 1 1 Y.zel",  // a Cyrillic Е; a line break
         "; Tarvo: evil?X 1 1 P 1 1 Y.zel, propellant KN/SB-65/35\n"
         "E15 25.4 100 P 0.0421 0.0421 Tarvo\n"},
    };
    for (const auto& c : cases) {
        TempDir directory;
        const std::string target = directory.File("curve.eng");
        testing::WriteBytes(target, "a longer previous content that must not survive at all\n");
        const CalculationResult motor = SmallMotor();
        const ExportStatus status =
            ExportEngFile(target, {motor, kPropellant, c.source}, c.options);
        ASSERT_TRUE(status.ok()) << status.error;
        EXPECT_EQ(ReadBytes(target), c.expectedHead + "0.5000 20.000\n1.0000 0.000\n");
        EXPECT_EQ(testing::FileNames(directory.path()), std::set<std::string>{"curve.eng"});
    }
}

// The designation counts every point of the curve, an end-burning grain's long tail too, and
// rounds the average thrust as the name shows it.
TEST(DefaultEngMotorName, ComesFromTheImpulseOfTheCurveWritten) {
    const struct {
        std::vector<ResultRow> rows;
        const char* name;
    } cases[] = {
        {Rows({{0, 0}, {0.5, 20}, {1, 0}}), "C10"},
        {Rows({{0, 0}, {0.2, 60}, {0.4, 40}, {3.0, 5}, {3.2, 0}}), "F23"},
        {Rows({{0, 0}, {0.1, 50}, {0.2, 50}}), "C37"},  // closed at 0.2001 s
        {Rows({{0, 0}}), ""},
    };
    for (const auto& c : cases) {
        CalculationResult motor = SmallMotor();
        motor.rows = c.rows;
        EXPECT_EQ(DefaultEngMotorName(motor), c.name);
    }
}

TEST(EngToken, KeepsOneBlankFreeAsciiToken) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"  my \t motor\r\n", "my_motor"},
        {"Щука Ъ;2", "Shchuka_2"},
        {"ЁЖИК ёж", "EZhIK_ezh"},
        {"Ястреб-АЯ", "Yastreb-AYa"},  // the alphabet's first and last capitals
        {"a\xF0\x9F\x98\x80"
         "b",
         "a_b"},
        {"日本", ""},
        {"cut\xD0", "cut"}};
    for (const auto& [text, token] : cases) {
        EXPECT_EQ(EngToken(text), token) << text;
    }
}

TEST(EngCurveFromRows, KeepsTheCurveReadable) {
    std::vector<ResultRow> longCurve = Rows({{0, 0}});
    for (int i = 1; i <= 33; ++i) {
        longCurve.push_back({i, i * 0.01, i == 33 ? 0.0 : 10.0});
    }
    const struct {
        std::vector<ResultRow> rows;
        std::vector<std::pair<double, double>> expected;  // empty: refused
    } cases[] = {
        {Rows({{0, 0}, {0.1, 5}, {0.1, 6}, {0.05, 7}, {0.2, 0}}), {{0.1, 5}, {0.2, 0}}},
        {Rows({{0, 0}, {0.10001, 5}, {0.10004, 6}, {0.2, 0}}), {{0.1, 5}, {0.2, 0}}},
        {Rows({{0, 0}, {0, 3}, {0.2, 0}}), {{0.2, 0}}},
        {Rows({{0, 0}, {0.1, 5}, {0.2, 4}}), {{0.1, 5}, {0.2, 4}, {0.2001, 0}}},
        {Rows({{0, 0}, {0.1, -0.2}, {0.2, 0}}), {{0.1, 0}, {0.2, 0}}},
        {{}, {}},
        {Rows({{0, 0}}), {}},
        {Rows({{0, 0}, {0.1, NAN}, {0.2, 0}}), {}},
        {Rows({{0, 0}, {INFINITY, 1}, {0.2, 0}}), {}},
        {longCurve, {}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const EngCurve curve = EngCurveFromRows(cases[i].rows);
        std::vector<std::pair<double, double>> points;
        for (const EngPoint& point : curve.points) {
            points.emplace_back(point.time, point.thrust);
        }
        EXPECT_EQ(points, cases[i].expected) << "case " << i;
        EXPECT_EQ(curve.ok(), !cases[i].expected.empty()) << "case " << i;
    }
}

TEST(ExportEngFile, FailuresNameTheFileAndLeaveWhatWasThere) {
    TempDir directory;
    const std::string existing = directory.File("old.eng");
    testing::WriteBytes(existing, "previous curve\n");
    CalculationResult noDiameter = SmallMotor();
    noDiameter.design.Dc = 0;
    const EngOptions options = DefaultEngOptions(SmallMotor());
    const struct {
        std::filesystem::path target;
        CalculationResult motor;
        EngOptions options;
        std::string message;
    } cases[] = {
        {directory.File("missing/x.eng"), SmallMotor(), options,
         "missing/x.eng: папка не существует"},
        {existing, noDiameter, options, "old.eng» не записан: Нет данных"},
        {existing, SmallMotor(), {"E15", INFINITY, ""}, "old.eng» не записан: Поле «Масса"},
    };
    for (const auto& c : cases) {
        const ExportStatus status = ExportEngFile(c.target, {c.motor, kPropellant, ""}, c.options);
        EXPECT_NE(status.error.find(c.message), std::string::npos) << status.error;
    }
    for (const char* text : {"-0,1", "abc", "nan", "1e999"}) {
        EXPECT_NE(ParseCasingMass(text).error.find("Поле «Масса корпуса, кг»"), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(existing), "previous curve\n");
    EXPECT_EQ(testing::FileNames(directory.path()), std::set<std::string>{"old.eng"});
}

}  // namespace
}  // namespace tarvo
