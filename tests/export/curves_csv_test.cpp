#include "export/curves_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "export/curve_points.h"
#include "export/point_numbers.h"
#include "test_support.h"

namespace tarvo {
namespace {

using testing::Calculate;
using testing::Example;
using testing::ReadBytes;
using testing::TempDir;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

constexpr std::string_view kHeader =
    "time [s],chamber pressure (absolute) [MPa],thrust [N],Kn,web left [mm],"
    "propellant mass [kg],mass flux [kg/(m^2*s)]";

class CsvOfExample : public ::testing::TestWithParam<Example> {};

// Each column in its unit: the largest pressure and thrust are the figures' Pmax and Fmax, the
// first Kn and mass the design's Kno and m, the first web the Kn chart's.
TEST_P(CsvOfExample, HoldsEveryCurveInTimeOrderWithUnits) {
    const CalculationResult motor = Calculate(GetParam());
    TempDir directory;
    const std::string file = directory.File("curves.csv");
    ASSERT_TRUE(ExportCurvesCsv(file, motor).ok());
    std::vector<std::string> lines = Split(ReadBytes(file), '\n');
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(lines.back(), "");  // the last line ends too
    lines.pop_back();
    EXPECT_EQ(lines.front(), kHeader);
    std::vector<std::vector<double>> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::vector<double> row;
        for (const std::string& cell : Split(lines[i], ',')) {
            std::size_t used = 0;
            row.push_back(std::stod(cell, &used));
            EXPECT_EQ(used, cell.size()) << lines[i];
        }
        ASSERT_EQ(row.size(), CsvColumns().size()) << lines[i];
        if (!rows.empty()) {
            EXPECT_GT(row[0], rows.back()[0]) << lines[i];
        }
        rows.push_back(row);
    }
    const auto largest = [&rows](std::size_t column) {
        double value = 0;
        for (const auto& row : rows) {
            value = std::max(value, row[column]);
        }
        return value;
    };
    const std::vector<double>& first = rows.front();
    EXPECT_EQ(first[0], 0.0);
    EXPECT_NEAR(first[1], motor.design.Patm, 1e-4);
    EXPECT_NEAR(largest(1), motor.figures.Pmax, 1e-4);
    EXPECT_NEAR(largest(2), motor.figures.Fmax, 1e-3);
    EXPECT_NEAR(first[3], motor.design.Kno, 0.01);
    EXPECT_NEAR(first[4], motor.webCurve.front().y, 1e-4);  // the web the Kn chart starts at
    EXPECT_NEAR(first[5], motor.figures.m, 1e-6);
    if (motor.figures.PeakMassFlux > 0) {  // kept for cored grains only
        EXPECT_NEAR(largest(6), motor.figures.PeakMassFlux, 0.01);
    }
    const double end = std::max(motor.figures.ThrustTime, motor.figures.TracerTailEnd);
    EXPECT_NEAR(rows.back()[0], end, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Examples, CsvOfExample, ::testing::ValuesIn(testing::kExamples),
                         testing::ExampleName);

TEST(FormatCurvesCsv, LeavesAValueThatIsNoNumberEmptyAndRefusesNoCalculation) {
    CalculationResult motor = Calculate(testing::kExamples[0]);
    motor.timeSeries[1].throatArea = 0;  // Kn without a throat
    motor.timeSeries[1].charge.massFlux = NAN;
    const std::vector<std::string> lines = Split(FormatCurvesCsv(motor).text, '\n');
    const std::vector<std::string> cells = Split(lines.at(2), ',');
    ASSERT_EQ(cells.size(), CsvColumns().size()) << lines.at(2);
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[6], "");
    EXPECT_NE(cells[2], "");

    motor.pressure = StageState::kFailed;
    motor.thrust = StageState::kNotRun;
    EXPECT_NE(FormatCurvesCsv(motor).error.find("Нет результатов"), std::string::npos);
}

// The rows are kept in the order made; a row that goes back in time or stands still is left
// out, and the thrust stage's closing row 882 is not a pressure point.
TEST(TimeOrderedPoints, KeepsTheRowsThatGoOnInTime) {
    const struct {
        std::vector<double> times;
        std::vector<int> rows;
    } cases[] = {
        {{0, 1, 2, 1.5, 3, 3, 4}, {0, 1, 2, 4, 6}},
        {{0, 0, NAN, 1}, {0, 3}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        TimeSeries series;
        for (const double time : c.times) {
            series.emplace_back().time = time;
        }
        EXPECT_EQ(TimeOrderedPoints(series), c.rows);
    }
    TimeSeries full(kTimeSeriesRows);
    for (int i = 0; i < kTimeSeriesRows; ++i) {
        full[i].time = i;
    }
    EXPECT_EQ(TimeOrderedPoints(full).back(), kLastTimePoint - 1);
}

TEST(FixedWithPoint, WritesADecimalPointAndNoNegativeZero) {
    const struct {
        double value;
        int decimals;
        const char* fixed;
        const char* plain;
    } cases[] = {
        {25.4, 2, "25.40", "25.4"},
        {-0.00001, 4, "0.0000", "0"},
        {-1.5, 1, "-1.5", "-1.5"},
        {30, 0, "30", "30"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FixedWithPoint(c.value, c.decimals), c.fixed);
        EXPECT_EQ(PlainNumber(c.value, c.decimals), c.plain);
    }
}

}  // namespace
}  // namespace tarvo
