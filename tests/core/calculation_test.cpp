// The calculation as a whole: which stages run, why one stops and what the result then holds,
// the shape of the curves and tables it returns, and the class letters.

#include "ballistics/calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "../support/example_motors.h"
#include "ballistics/burn_rate.h"
#include "ballistics/motor_class.h"

namespace tarvo {
namespace {

using S = StageState;
using Change = std::function<void(MotorDesign&)>;

struct StopCase {
    const char* what;
    Change change;
    S geometry, kn, pressure, thrust;
    DiagnosticCode code;
    std::string_view subject;
};

// Every way a calculation stops: the stage it stops in, the stages after it not run, and the
// one error that says why.
TEST(Calculate, AFailingStageStopsTheChainAndSaysWhy) {
    const StopCase cases[] = {
        {"no grain kind", [](MotorDesign& d) { d.grainKind = kNothing; }, S::kFailed, S::kNotRun,
         S::kNotRun, S::kNotRun, DiagnosticCode::kNothingToCalculate, ""},
        {"both cylinders inhibited",
         [](MotorDesign& d) {
             d.Os = 0;
             d.Cs = 0;
         },
         S::kFailed, S::kNotRun, S::kNotRun, S::kNotRun, DiagnosticCode::kNoBurningRadialSurface,
         ""},
        {"charge as large as the chamber",
         [](MotorDesign& d) {
             d.grainKind = kEndBurnerOnly;
             d.Lto = d.Lc;
             d.Dto = d.Dc;
         },
         S::kFailed, S::kNotRun, S::kNotRun, S::kNotRun, DiagnosticCode::kNoFreeVolume, ""},
        {"no charge volume", [](MotorDesign& d) { d.Lo = 0; }, S::kFailed, S::kNotRun, S::kNotRun,
         S::kNotRun, DiagnosticCode::kNoPropellant, ""},
        {"no propellant selected", [](MotorDesign& d) { d.propellant = {}; }, S::kFailed,
         S::kNotRun, S::kNotRun, S::kNotRun, DiagnosticCode::kZeroMolarMass, "M"},
        {"k of 1", [](MotorDesign& d) { d.propellant.k = 1; }, S::kFailed, S::kNotRun, S::kNotRun,
         S::kNotRun, DiagnosticCode::kSpecificHeatsNotAboveOne, "k"},
        {"k2ph below 1", [](MotorDesign& d) { d.propellant.k2ph = 0.9; }, S::kFailed, S::kNotRun,
         S::kNotRun, S::kNotRun, DiagnosticCode::kSpecificHeatsNotAboveOne, "k2ph"},
        {"throat of no size", [](MotorDesign& d) { d.Kno = 1e-310; }, S::kFailed, S::kNotRun,
         S::kNotRun, S::kNotRun, DiagnosticCode::kNotFinite, "Ato"},
        {"negative Kn",
         [](MotorDesign& d) {
             d.Do = -10;
             d.do_ = -30;
             d.Kno = -50;
         },
         S::kSucceeded, S::kFailed, S::kNotRun, S::kNotRun, DiagnosticCode::kNegativeKn, ""},
        {"a cell of the table is not a number",
         [](MotorDesign& d) { d.burnRate.nonNumericCell = true; }, S::kSucceeded, S::kSucceeded,
         S::kFailed, S::kNotRun, DiagnosticCode::kBurnRateTableNotANumber, ""},
        {"ambient pressure below the table", [](MotorDesign& d) { d.Patm = 0.05; }, S::kSucceeded,
         S::kSucceeded, S::kFailed, S::kNotRun, DiagnosticCode::kPressureOutOfTable, "P"},
        {"a range without a coefficient", [](MotorDesign& d) { d.burnRate.ranges[2].a = 0; },
         S::kSucceeded, S::kSucceeded, S::kFailed, S::kNotRun, DiagnosticCode::kPressureOutOfTable,
         "P"},
        {"no propellant mass", [](MotorDesign& d) { d.RoiRor = 0; }, S::kSucceeded, S::kSucceeded,
         S::kSucceeded, S::kFailed, DiagnosticCode::kNotFinite, "Isp"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.what);
        MotorDesign d = example::CoredMotor();
        c.change(d);
        const CalculationResult r = Calculate(d);
        EXPECT_EQ(r.geometry, c.geometry);
        EXPECT_EQ(r.kn, c.kn);
        EXPECT_EQ(r.pressure, c.pressure);
        EXPECT_EQ(r.thrust, c.thrust);
        EXPECT_FALSE(r.succeeded());
        ASSERT_EQ(std::count_if(r.diagnostics.begin(), r.diagnostics.end(),
                                [](const Diagnostic& d) { return d.severity == Severity::kError; }),
                  1);
        ASSERT_NE(r.failure(), nullptr);
        EXPECT_EQ(r.failure()->code, c.code);
        EXPECT_EQ(r.failure()->severity, Severity::kError);
        EXPECT_EQ(r.failure()->subject, c.subject);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_EQ(r.timeSeries.empty(), c.pressure != S::kSucceeded);
    }
}

// A burn-rate range with an exponent of 0 burns at a constant rate (a plateau); only a
// pressure no range holds, or a range without a coefficient, stops the calculation, and then
// the diagnostic tells the pressure and when it was reached.
TEST(Calculate, BurnRateRangesAreLookedUpAsRanges) {
    MotorDesign plateau = example::CoredMotor();
    plateau.burnRate.ranges[2].n = 0;
    const CalculationResult r = Calculate(plateau);
    ASSERT_TRUE(r.succeeded());
    EXPECT_NE(r.pressureCurve, Calculate(example::CoredMotor()).pressureCurve);

    MotorDesign shortTable = example::CoredMotor();
    shortTable.burnRate.ranges[4] = {};  // KN/SB's table now ends at 7.033 MPa
    shortTable.Kno = 400;
    const CalculationResult stopped = Calculate(shortTable);
    ASSERT_EQ(stopped.pressure, S::kFailed);
    const Diagnostic& out = *stopped.failure();
    EXPECT_EQ(out.code, DiagnosticCode::kPressureOutOfTable);
    EXPECT_GT(*out.value, 7.033);
    EXPECT_GT(*out.at, 0);

    const BurnRateTable table = DefaultBurnRateTable(1);
    EXPECT_EQ(FindBurnRateRange(0.779, table), &table.ranges[0]);  // a shared bound: lower one
    EXPECT_EQ(FindBurnRateRange(0.7790001, table), &table.ranges[1]);
    EXPECT_EQ(FindBurnRateRange(11.2, table), &table.ranges[4]);
    EXPECT_EQ(FindBurnRateRange(11.21, table), nullptr);
    EXPECT_EQ(FindBurnRateRange(0.05, table), nullptr);
    EXPECT_EQ(FindBurnRateRange(5, DefaultBurnRateTable(3)), nullptr);
}

// The erosive part of the burn rate: a port narrower than G* times the throat speeds the
// burning up by kv for each unit it lacks.
TEST(BurnRate, RisesWithPressureAndErosion) {
    EXPECT_NEAR(BurnRate(4, 3.841, 0.688, 0, 0), 3.841 * std::pow(4, 0.688), 1e-12);
    EXPECT_NEAR(BurnRate(4, 3.841, 0.688, 2, 0.5), 2 * 3.841 * std::pow(4, 0.688), 1e-12);
    EXPECT_EQ(BurnRate(4, 3.841, 0, 0, 0), 3.841);
}

TEST(Calculate, CurvesAndTablesHaveTheirShapes) {
    for (MotorDesign (*make)() :
         {&example::CoredMotor, &example::EndBurner, &example::MotorWithEndBurner}) {
        const MotorDesign d = make();
        const CalculationResult r = Calculate(d);
        ASSERT_TRUE(r.succeeded());
        // Kn: 50 points over the web, 50 more while an end-burning grain outlasts the cores.
        const bool tail = d.grainKind == kCoredAndEndBurner;
        EXPECT_EQ(r.knCurve.size(), tail ? 100u : 50u);
        EXPECT_EQ(r.webCurve.size(), 51u);
        EXPECT_DOUBLE_EQ(r.knCurve.front().y, d.Kno);
        if (d.grainKind == kEndBurnerOnly) {
            for (const ChartPoint& point : r.knCurve) {
                EXPECT_DOUBLE_EQ(point.y, d.Kno);
            }
        }
        // The time series starts at ambient pressure at time 0 and ends at zero thrust; the
        // pressure curve is drawn in time order.
        ASSERT_EQ(r.timeSeries.size(), static_cast<std::size_t>(kTimeSeriesRows));
        EXPECT_EQ(r.timeSeries.front().time, 0);
        EXPECT_DOUBLE_EQ(r.timeSeries.front().pressurePa, d.Patm * 1e6);
        EXPECT_EQ(r.timeSeries.back().thrust, 0);
        for (std::size_t i = 1; i < r.pressureCurve.size(); ++i) {
            EXPECT_LE(r.pressureCurve[i - 1].x, r.pressureCurve[i].x) << i;
        }
        EXPECT_EQ(r.figures.Pmax, LargestY(r.pressureCurve));
        // The thrust curve is every point but the first; the rows are the fixed points.
        ASSERT_EQ(r.thrustCurve.size(), 882u);
        EXPECT_EQ(r.thrustCurve.front().x, r.timeSeries[1].time);
        ASSERT_EQ(r.rows.size(), kResultRows.size());
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            EXPECT_EQ(r.rows[i].time, r.timeSeries[kResultRows[i]].time);
            EXPECT_EQ(r.rows[i].thrust, r.timeSeries[kResultRows[i]].thrust);
        }
        EXPECT_EQ(r.figures.Fmax, LargestY(r.thrustCurve));
        EXPECT_DOUBLE_EQ(r.figures.Favg * r.figures.ThrustTime, r.figures.It);
        EXPECT_EQ(r.figures.MotorClass, MotorClassFor(r.figures.It));
        EXPECT_GT(r.figures.ThrustTime, r.figures.BurnTime);
        EXPECT_EQ(r.failure(), nullptr);
    }
}

MotorDesign EverySurfaceBurning() {
    MotorDesign d = example::CoredMotor();
    d.Os = 1;
    d.Do = 36;
    d.Kno = 300;
    return d;
}

// Every point carries the charge as it then is: at the start the whole charge with its
// initial burning area, then less and less propellant, until the web is gone.
TEST(Calculate, TheTimeSeriesFollowsTheCharge) {
    for (MotorDesign (*make)() : {&example::CoredMotor, &EverySurfaceBurning, &example::EndBurner,
                                  &example::MotorWithEndBurner}) {
        const CalculationResult r = Calculate(make());
        ASSERT_TRUE(r.succeeded());
        const Quantities& q = r.figures;
        const ChargeState& start = r.timeSeries.front().charge;
        EXPECT_NEAR(start.mass / q.m, 1, 1e-12);
        EXPECT_NEAR(start.burningArea / q.Abo, 1, 1e-12);
        EXPECT_NEAR(start.web, q.w, 1e-12);
        EXPECT_EQ(start.massFlux, 0);
        // The main phase: rows 0..834, or every second of its points in rows 0..417 when the
        // end-burning grain has a phase of its own.
        const int last = r.design.grainKind == kCoredAndEndBurner ? 416 : kLastBurningPoint;
        double largestKn = 0;
        for (int i = 1; i <= last; ++i) {
            const ChargeState& charge = r.timeSeries[i].charge;
            EXPECT_LE(charge.mass, r.timeSeries[i - 1].charge.mass) << i;
            EXPECT_GT(charge.massFlux, 0) << i;
            largestKn = std::max(largestKn, charge.burningArea / r.timeSeries[i].throatArea);
        }
        EXPECT_NEAR(largestKn / q.KnMax, 1, 0.02);
        if (r.design.grainKind == kCoredOnly) {
            EXPECT_NEAR(r.timeSeries[kLastBurningPoint].charge.mass, 0, 1e-9 * q.m);
            EXPECT_NEAR(r.timeSeries[kLastBurningPoint].charge.web, 0, 1e-9 * q.w);
        }
    }
}

TEST(Calculate, DependsOnTheDesignAlone) {
    const CalculationResult first = Calculate(example::MotorWithEndBurner());
    Calculate(example::CoredMotor());
    const CalculationResult again = Calculate(example::MotorWithEndBurner());
    EXPECT_EQ(first.figures.It, again.figures.It);
    EXPECT_EQ(first.figures.Mef, again.figures.Mef);
    EXPECT_EQ(first.pressureCurve, again.pressureCurve);
    EXPECT_EQ(first.thrustCurve, again.thrustCurve);
}

TEST(MotorClassFor, LowerLimitExcludedUpperIncluded) {
    const std::pair<double, const char*> cases[] = {
        {0, "--"}, {-5, "--"}, {1.0, "x"}, {1.26, "x"},   {1.3, "A"},       {2.5, "A"}, {2.51, "B"},
        {5, "B"},  {30, "E"},  {640, "I"}, {163840, "Q"}, {163840.01, "X"}, {1e9, "X"},
    };
    for (const auto& [It, letter] : cases) {
        EXPECT_EQ(MotorClassFor(It), letter) << It;
    }
}

}  // namespace
}  // namespace tarvo
