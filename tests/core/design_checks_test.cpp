// The design checks: each fires just past its limit, stays quiet just inside it, and reports
// the value it found and the limit it held it to.

#include "ballistics/design_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "../support/example_motors.h"
#include "ballistics/calculation.h"

namespace tarvo {
namespace {

const Diagnostic* Find(const CalculationResult& r, DiagnosticCode code) {
    for (const Diagnostic& d : r.diagnostics) {
        if (d.code == code) {
            return &d;
        }
    }
    return nullptr;
}

// Three KN/SB grains in a 40 mm casing; the limits are moved to just beside its own figures.
struct LimitCase {
    const char* what;
    DiagnosticCode code;
    std::function<double(const Quantities&)> figure;
    std::function<void(DesignLimits&, double)> setLimit;
    double inside;  // the factor on the figure that keeps the motor clear
    double past;    // the factor that makes the check fire
};

TEST(DesignChecks, FireJustPastTheirLimits) {
    const LimitCase cases[] = {
        {"narrow port", DiagnosticCode::kPortThroat,
         [](const Quantities& q) { return q.PortThroatRatio; },
         [](DesignLimits& l, double v) { l.minPortThroat = v; }, 0.999, 1.001},
        {"mass flux", DiagnosticCode::kMassFlux, [](const Quantities& q) { return q.PeakMassFlux; },
         [](DesignLimits& l, double v) { l.maxMassFlux = v; }, 1.001, 0.999},
        {"peak pressure", DiagnosticCode::kMaxPressure, [](const Quantities& q) { return q.Pmax; },
         [](DesignLimits& l, double v) { l.maxPressure = v; }, 1.001, 0.999},
    };
    const CalculationResult plain = Calculate(example::CoredMotor());
    ASSERT_TRUE(plain.succeeded());
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.what);
        const double figure = c.figure(plain.figures);
        ASSERT_GT(figure, 0);
        for (const bool past : {false, true}) {
            MotorDesign d = example::CoredMotor();
            c.setLimit(d.limits, figure * (past ? c.past : c.inside));
            const CalculationResult r = Calculate(d);
            const Diagnostic* found = Find(r, c.code);
            ASSERT_EQ(found != nullptr, past);
            if (found) {
                EXPECT_EQ(found->severity, Severity::kWarning);
                EXPECT_EQ(*found->value, figure);
                EXPECT_EQ(*found->limit, figure * c.past);
                EXPECT_TRUE(r.succeeded());  // a check never fails the calculation
            }
        }
    }
}

// A port narrower than the throat takes the throat's place: an error, the motor cannot work.
// An end-burner has no port to check.
TEST(DesignChecks, APortNarrowerThanTheThroatIsAnError) {
    MotorDesign d = example::CoredMotor();
    d.Do = 39.5;  // a port of 82 mm^2 around the grains
    d.do_ = 8;
    d.Kno = 100;  // a throat of 116 mm^2
    const CalculationResult r = Calculate(d);
    const Diagnostic* port = Find(r, DiagnosticCode::kPortThroat);
    ASSERT_NE(port, nullptr);
    EXPECT_LT(*port->value, 1);
    EXPECT_EQ(port->severity, Severity::kError);
    const CalculationResult endBurner = Calculate(example::EndBurner());
    EXPECT_EQ(Find(endBurner, DiagnosticCode::kPortThroat), nullptr);
    EXPECT_EQ(Find(endBurner, DiagnosticCode::kMassFlux), nullptr);
}

// Barlow's formula on the outer diameter, worked by hand: 250 MPa steel, 2 mm wall, 75 mm
// bore: 2 * 250 * 2 / 79 = 12.658 MPa.
TEST(DesignChecks, HoldTheCasingToItsBurstPressure) {
    EXPECT_NEAR(BurstPressure({250, 2}, 75), 12.658, 0.001);
    EXPECT_NEAR(BurstPressure({180, 3.2}, 38.1), 25.888, 0.001);

    const CalculationResult bare = Calculate(example::CoredMotor());
    const Diagnostic* missing = Find(bare, DiagnosticCode::kCasingMissing);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->severity, Severity::kNote);
    EXPECT_DOUBLE_EQ(*missing->value, bare.figures.Pmax - 0.101);
    EXPECT_FALSE(missing->limit);
    const double gauge = *missing->value;

    const struct {
        double wall;
        double required;
        std::optional<Severity> expected;
    } cases[] = {
        {2, 2.0, std::nullopt},  // a factor of 2 * 250 * 2 / 44 / gauge, about 7
        {2, 7.9, Severity::kWarning},
        {0.25, 2.0, Severity::kError},  // 2.8 MPa against 3.2 MPa: it bursts
    };
    for (const auto& c : cases) {
        MotorDesign d = example::CoredMotor();
        d.limits.casing = CasingSpec{250, c.wall};
        d.limits.safetyFactor = c.required;
        const CalculationResult r = Calculate(d);
        EXPECT_EQ(Find(r, DiagnosticCode::kCasingMissing), nullptr);
        const Diagnostic* casing = Find(r, DiagnosticCode::kCasing);
        ASSERT_EQ(casing != nullptr, c.expected.has_value()) << c.wall << ", " << c.required;
        if (casing) {
            EXPECT_EQ(casing->severity, *c.expected);
            EXPECT_DOUBLE_EQ(*casing->value, BurstPressure({250, c.wall}, 40) / gauge);
            EXPECT_EQ(*casing->limit, c.required);
        }
    }
}

// The nozzle: an exit far wider than the pressure can fill lets the flow separate; one far
// narrower than the optimum wastes thrust.
TEST(DesignChecks, TellAnOverOrUnderExpandedNozzle) {
    const struct {
        double AeAt;
        bool separates;
        bool underExpanded;
    } cases[] = {
        {2.2, false, false},  // the optimum for the mean pressure is about 2.26
        {4.0, true, false},
        {1.1, false, true},
    };
    for (const auto& c : cases) {
        MotorDesign d = example::EndBurner();
        d.AeAt = c.AeAt;
        const CalculationResult r = Calculate(d);
        ASSERT_TRUE(r.succeeded());
        const Diagnostic* separation = Find(r, DiagnosticCode::kFlowSeparation);
        const Diagnostic* under = Find(r, DiagnosticCode::kUnderExpanded);
        EXPECT_EQ(separation != nullptr, c.separates) << c.AeAt;
        EXPECT_EQ(under != nullptr, c.underExpanded) << c.AeAt;
        if (separation) {
            EXPECT_GT(*separation->value, 0.05);
            EXPECT_LE(*separation->value, 1);
        }
        if (under) {
            EXPECT_DOUBLE_EQ(*under->limit, r.figures.AeAtOptMid / 2);
        }
    }
}

// A burn over in a few hundredths of a second is a design error, not a motor.
TEST(DesignChecks, TellABurnTooShortToBeAMotor) {
    MotorDesign thin = example::CoredMotor();
    thin.do_ = 37.6;  // a web of 0.2 mm
    const CalculationResult r = Calculate(thin);
    ASSERT_TRUE(r.succeeded());
    const Diagnostic* shortBurn = Find(r, DiagnosticCode::kShortBurn);
    ASSERT_NE(shortBurn, nullptr);
    EXPECT_LT(*shortBurn->value, 0.05);
    EXPECT_EQ(Find(Calculate(example::CoredMotor()), DiagnosticCode::kShortBurn), nullptr);
}

// A pressure beyond the burn-rate table stops the calculation; the diagnostic tells how far
// it went against the table's top.
TEST(DesignChecks, TellHowFarThePressureWentBeyondTheTable) {
    MotorDesign d = example::CoredMotor();
    d.burnRate.ranges[4] = {};
    d.Kno = 400;
    const CalculationResult r = Calculate(d);
    const Diagnostic* out = r.failure();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->code, DiagnosticCode::kPressureOutOfTable);
    EXPECT_EQ(*out->limit, 7.033);
    EXPECT_GT(*out->value, *out->limit);
}

}  // namespace
}  // namespace tarvo
