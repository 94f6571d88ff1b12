// The target search finds what a sweep of the same motor shows, and says how far an
// unreachable target is.

#include <gtest/gtest.h>

#include <cmath>

#include "sweep/solve.h"
#include "sweep_test_support.h"

namespace tarvo {
namespace {

SolveRequest Request(const std::string& file, std::string_view key, std::string_view figure,
                     double target) {
    SolveRequest request;
    request.base = testing::Example(file);
    request.name = file;
    request.key = FindSweepKey(key);
    request.figure = *SweepFigureIndex(figure);
    request.target = target;
    return request;
}

double FigureOf(const SweepRow& row, std::string_view figure) {
    return row.outcome.figures[*SweepFigureIndex(figure)].value_or(NAN);
}

// Targets taken from a sweep of the same key: a key that takes any number comes within 0,5 %,
// one with a resolution gives the neighbours the sweep shows on either side.
TEST(Solve, ReachesTargetsASweepShows) {
    const struct {
        const std::string& file;
        std::string_view sweep;  // two designs next to each other
        std::string_view figure;
        bool resolution;
    } cases[] = {
        {testing::kBates, "Kno=200:210:10", "Pmax", false},
        {testing::kBates, "Kno=320:340:20", "Favg", false},
        {testing::kEndBurner, "Kno=50:60:10", "Pmax", false},
        {testing::kBates, "N=2:3:1", "It", true},
        {testing::kBates, "unoz=0.8:0.81:0.01", "Favg", true},
        {testing::kEndBurner, "uc=0.7:0.71:0.01", "Isp", true},
    };
    for (const auto& c : cases) {
        const SweepPlan plan = testing::PlanOf(c.file, {std::string(c.sweep)});
        const SweepResult sweep = RunSweep(plan);
        const double low = FigureOf(sweep.rows[0], c.figure);
        const double high = FigureOf(sweep.rows[1], c.figure);
        const double target = (low + high) / 2;
        const SweepKey& key = *plan.axes()[0].key;
        const SolveAnswer answer = Solve(Request(c.file, key.name(), c.figure, target));
        ASSERT_EQ(answer.outcome, SolveAnswer::Outcome::kFound) << c.sweep << answer.message;
        if (c.resolution) {
            ASSERT_EQ(answer.rows.size(), 2u) << c.sweep;
            EXPECT_EQ(answer.rows[0].values[0].fileText, sweep.rows[0].values[0].fileText);
            EXPECT_EQ(answer.rows[1].values[0].fileText, sweep.rows[1].values[0].fileText);
            EXPECT_EQ(FigureOf(answer.rows[0], c.figure), low) << c.sweep;
        } else {
            ASSERT_EQ(answer.rows.size(), 1u) << c.sweep;
            const double value = answer.rows[0].values[0].value;
            EXPECT_GT(value, plan.axes()[0].values[0].value) << c.sweep;
            EXPECT_LT(value, plan.axes()[0].values[1].value) << c.sweep;
            EXPECT_NEAR(FigureOf(answer.rows[0], c.figure), target, target * kTargetTolerance);
        }
    }
}

TEST(Solve, RefusesUnreachableTargetsWithTheReachableRange) {
    const SolveAnswer tooHigh = Solve(Request(testing::kBates, "Kno", "Pmax", 40));
    EXPECT_EQ(tooHigh.outcome, SolveAnswer::Outcome::kUnreachable);
    EXPECT_EQ(tooHigh.from, 125);  // half to twice Kno 250
    EXPECT_EQ(tooHigh.to, 500);
    ASSERT_TRUE(tooHigh.lowest && tooHigh.highest);
    EXPECT_LT(*tooHigh.highest, 40);
    EXPECT_NE(tooHigh.message.find("недостижимо: при Kno от 125 до 500 Pmax от "),
              std::string::npos)
        << tooHigh.message;

    // Pmax jumps where the burn-rate law changes its range: the designs on both sides are shown.
    const SolveAnswer jump = Solve(Request(testing::kBates, "Kno", "Pmax", 4));
    EXPECT_EQ(jump.outcome, SolveAnswer::Outcome::kUnreachable);
    ASSERT_EQ(jump.rows.size(), 2u);
    EXPECT_LT(FigureOf(jump.rows[0], "Pmax"), 4 * (1 - kTargetTolerance));
    EXPECT_GT(FigureOf(jump.rows[1], "Pmax"), 4 * (1 + kTargetTolerance));
    EXPECT_NE(jump.message.find("скачком"), std::string::npos) << jump.message;
}

TEST(Solve, RefusesRangesItCannotSearch) {
    const struct {
        std::string_view key;
        std::optional<double> from;
        std::optional<double> to;
        std::string_view error;
    } cases[] = {
        {"Lto", std::nullopt, std::nullopt, "нет диапазона по умолчанию"},  // Lto is 0
        {"Kno", 300, 200, "меньше конца"},
        {"uc", 0.5, 1.5, "от 0,01 до 0,99"},
        {"Ae/At", 2.55, 8, "с шагом"},
        {"Dc", -1, 10, "отрицательных"},
    };
    for (const auto& c : cases) {
        SolveRequest request = Request(testing::kBates, c.key, "Pmax", 5);
        request.from = c.from;
        request.to = c.to;
        const SolveAnswer answer = Solve(request);
        EXPECT_EQ(answer.outcome, SolveAnswer::Outcome::kRefused) << c.key;
        EXPECT_NE(answer.message.find(c.error), std::string::npos) << answer.message;
    }
    EXPECT_TRUE(ParseTarget("Pmax=5,5").figure);
    EXPECT_EQ(ParseTarget("Pmax=5,5").target, 5.5);
    for (const std::string_view bad : {"Pmin=5", "Pmax", "Pmax=", "Pmax=-1", "Pmax=x"}) {
        EXPECT_FALSE(ParseTarget(bad).figure) << bad;
    }
}

}  // namespace
}  // namespace tarvo
