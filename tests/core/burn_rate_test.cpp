#include "ballistics/burn_rate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr int kDX = 1;
constexpr int kSB = 2;
constexpr int kSU = 3;

TEST(GetVar, TakesTheFirstRangeThatHoldsThePressure) {
    struct Case {
        int Ftype;
        double P;
        double a;
        double n;
    };
    const Case cases[] = {
        {kDX, 0.100, 8.875, 0.619},  // lower end of the table
        {kDX, 0.779, 8.875, 0.619},  // a shared boundary belongs to the lower range
        {kDX, 0.78, 7.553, -0.009},
        {kDX, 11.20, 4.775, 0.442},  // upper end of the table
        {kDX, 11.21, 0, 0},          // above every range
        {kDX, 0.099, 0, 0},          // below every range
        {kSB, 0.091, 10.708, 0.625},
        {kSB, 10.67, 9.653, 0.064},
        {kSU, 4.8, 7.695, 0.39},
        {kSU, 4.81, 0, 0},
        {kSU, 0, 0, 0},  // the empty rows 2..5 hold exactly 0
    };
    for (const Case& c : cases) {
        const BurnRateTable table = DefaultBurnRateTable(c.Ftype);
        EXPECT_EQ(GetVar(kCoefficientA, c.P, table), c.a) << c.Ftype << " at " << c.P;
        EXPECT_EQ(GetVar(2, c.P, table), c.n) << c.Ftype << " at " << c.P;
        EXPECT_EQ(GetVar(7, c.P, table), c.n) << "any other kind asks for n";
    }
}

TEST(GetVar, UnsortedRowsAndGapsAreTakenAsTheyStand) {
    BurnRateTable table;
    table.ranges[0] = {5, 6, 1, 0.5};
    table.ranges[1] = {1, 2, 2, 0.3};
    table.ranges[2] = {1.5, 8, 3, 0.2};  // overlaps both; loses to the earlier rows
    EXPECT_EQ(GetVar(kCoefficientA, 1.7, table), 2);
    EXPECT_EQ(GetVar(kCoefficientA, 5.5, table), 1);
    EXPECT_EQ(GetVar(kCoefficientA, 3, table), 3);
    EXPECT_EQ(GetVar(kCoefficientA, 0.5, table), 0);
}

TEST(ErosionFactor, ActsOnlyBelowTheThreshold) {
    const struct {
        double portRatio, GStar, kv, expected;
    } cases[] = {
        {4, 6, 0.3, 1.6}, {6, 6, 0.3, 1}, {8, 6, 0.3, 1}, {0, 6, 0, 1}, {1, 99, 1, 99},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ErosionFactor(c.portRatio, c.GStar, c.kv), c.expected) << c.portRatio;
    }
}

TEST(BurnRate, FollowsTheLawWithTheErosiveFactor) {
    EXPECT_DOUBLE_EQ(BurnRate(1, 8.875, 0.619, 0, 0), 8.875);
    EXPECT_NEAR(BurnRate(2, 7.553, -0.009, 0, 0), 7.553 * std::pow(2, -0.009), 1e-12);
    EXPECT_NEAR(BurnRate(3, 3.841, 0.688, 2, 0.3), 3.841 * 1.6 * std::pow(3, 0.688), 1e-12);
}

}  // namespace
}  // namespace tarvo
