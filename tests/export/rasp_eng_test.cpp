#include "export/rasp_eng.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>

#include "model/number_text.h"
#include "test_support.h"

namespace tarvo {
namespace {

using testing::ScratchDirectory;

// Reads a file by the rules flight simulators apply; `fault` says which rule it breaks.
struct ParsedEng {
    std::vector<std::string> comments, header;
    std::vector<std::pair<double, double>> points;
    std::string fault;
};

std::optional<double> Number(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? std::optional(value)
                                                                    : std::nullopt;
}

ParsedEng ParseEng(const std::string& text) {
    ParsedEng eng;
    if (std::any_of(text.begin(), text.end(),
                    [](unsigned char c) { return c > 0x7E || (c < ' ' && c != '\n'); })) {
        eng.fault = "not plain ASCII";
    }
    std::istringstream lines(text);
    for (std::string line; eng.fault.empty() && std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> fields{std::istream_iterator<std::string>(words), {}};
        if (line.starts_with(";")) {
            eng.comments.push_back(line);
        } else if (eng.header.empty()) {
            eng.header = fields;
            const bool ok = fields.size() == 7 && Number(fields[1]) && Number(fields[2]) &&
                            Number(fields[4]) && Number(fields[5]);
            eng.fault = ok ? "" : "bad header: " + line;
        } else if (fields.size() != 2 || !Number(fields[0]) || !Number(fields[1])) {
            eng.fault = "bad point: " + line;
        } else if (*Number(fields[0]) <= (eng.points.empty() ? 0 : eng.points.back().first)) {
            eng.fault = "time does not increase: " + line;
        } else {
            eng.points.emplace_back(*Number(fields[0]), *Number(fields[1]));
        }
    }
    if (eng.fault.empty() && (eng.points.empty() || eng.points.size() > kEngMaxPoints ||
                              eng.points.back().second != 0)) {
        eng.fault = "no points, too many, or the last thrust is not 0";
    }
    return eng;
}

class EngOfExample : public ::testing::TestWithParam<testing::Example> {};

TEST_P(EngOfExample, IsReadBackWithTheHeaderDefaultsAndTheTableCurve) {
    const auto motor = testing::Calculate(GetParam());
    ASSERT_TRUE(motor.result.succeeded) << motor.result.status;
    const std::vector<ResultRow>& rows = motor.result.thrust->rows;
    const MotorModel& m = motor.model;
    ScratchDirectory directory;
    const std::filesystem::path target = directory.path() / "motor.eng";

    const ExportStatus written = ExportEngFile(target, m, rows, DefaultEngOptions(m), "/x/a.zel");
    ASSERT_TRUE(written.ok()) << written.error;

    const ParsedEng eng = ParseEng(testing::ReadFile(target));
    ASSERT_EQ(eng.fault, "");
    EXPECT_EQ(eng.comments, std::vector<std::string>{"; Tarvo: a.zel, propellant " +
                                                     std::string(kPropellantNames[m.Ftype - 1])});
    EXPECT_EQ(eng.header[0], m.MotorClass + FormatFixed(m.Favg, 0));
    EXPECT_NEAR(*Number(eng.header[1]), m.Dc, 0.005);
    EXPECT_NEAR(*Number(eng.header[2]), m.Lc, 0.005);
    EXPECT_EQ(eng.header[3], "P");
    EXPECT_NEAR(*Number(eng.header[4]), m.m, 5e-6);
    EXPECT_EQ(eng.header[5], eng.header[4]);
    EXPECT_EQ(eng.header[6], "Tarvo");
    ASSERT_EQ(eng.points.size(), rows.size() - 1);  // these curves need nothing dropped
    for (std::size_t i = 0; i < eng.points.size(); ++i) {
        EXPECT_NEAR(eng.points[i].first, rows[i + 1].time, 5e-5) << i;
        EXPECT_NEAR(eng.points[i].second, rows[i + 1].thrust, 5e-4) << i;
    }
    EXPECT_EQ(directory.Names(), std::set<std::string>{"motor.eng"});
}

INSTANTIATE_TEST_SUITE_P(Examples, EngOfExample, ::testing::ValuesIn(testing::kExamples),
                         testing::ExampleName);

MotorModel SmallMotor() {
    MotorModel model;
    model.Ftype = 2;
    model.Dc = 25.4;
    model.Lc = 100;
    model.m = 0.0421;
    model.Favg = 15.4;
    model.MotorClass = "E";
    return model;
}

std::vector<ResultRow> Rows(std::initializer_list<std::pair<double, double>> points) {
    std::vector<ResultRow> rows;
    for (const auto& [time, thrust] : points) {
        rows.push_back({static_cast<int>(rows.size()), time, thrust});
    }
    return rows;
}

TEST(ExportEngFile, WritesTheUsersHeaderChoicesAsSafeTokens) {
    const struct {
        EngOptions options;
        std::string_view source;
        std::string expectedHead;
    } cases[] = {
        {DefaultEngOptions(SmallMotor()), "",
         "; Tarvo: unsaved design, propellant KN/SB-65/35\nE15 25.4 100 P 0.0421 0.0421 Tarvo\n"},
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
        ScratchDirectory directory;
        const std::filesystem::path target = directory.path() / "curve.eng";
        testing::WriteFile(target, "a longer previous content that must not survive at all\n");
        const ExportStatus status = ExportEngFile(
            target, SmallMotor(), Rows({{0, 0}, {0.5, 20}, {1, 0}}), c.options, c.source);
        ASSERT_TRUE(status.ok()) << status.error;
        EXPECT_EQ(testing::ReadFile(target), c.expectedHead + "0.5000 20.000\n1.0000 0.000\n");
    }
}

TEST(EngToken, KeepsOneBlankFreeAsciiToken) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"  my \t motor\r\n", "my_motor"},
        {"Щука Ъ;2", "Shchuka_2"},
        {"ЁЖИК ёж", "EZhIK_ezh"},
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
    ScratchDirectory directory;
    const std::filesystem::path existing = directory.path() / "old.eng";
    testing::WriteFile(existing, "previous curve\n");
    std::filesystem::create_directory(directory.path() / "folder.eng");
    MotorModel noDiameter = SmallMotor();
    noDiameter.Dc = 0;
    const EngOptions options = DefaultEngOptions(SmallMotor());
    const struct {
        std::filesystem::path target;
        MotorModel model;
        EngOptions options;
        std::string message;
    } cases[] = {
        {directory.path() / "missing" / "x.eng", SmallMotor(), options, "missing/x.eng»"},
        {directory.path() / "folder.eng", SmallMotor(), options, "folder.eng»"},
        {existing, noDiameter, options, "old.eng» не записан: Нет данных"},
        {existing, SmallMotor(), {"E15", INFINITY, ""}, "old.eng» не записан: Поле «Масса"},
    };
    for (const auto& c : cases) {
        const ExportStatus status =
            ExportEngFile(c.target, c.model, Rows({{0, 0}, {0.5, 20}, {1, 0}}), c.options, "");
        EXPECT_NE(status.error.find(c.message), std::string::npos) << status.error;
    }
    for (const char* text : {"-0,1", "abc", "nan", "1e999"}) {
        EXPECT_NE(ParseCasingMass(text).error.find("Поле «Масса корпуса, кг»"), std::string::npos);
    }
    EXPECT_EQ(testing::ReadFile(existing), "previous curve\n");
    EXPECT_EQ(directory.Names(), (std::set<std::string>{"old.eng", "folder.eng"}));
}

}  // namespace
}  // namespace tarvo
