// Sweeps: every row is what a single run of the changed file gives, whatever the number of
// threads; values the fields cannot hold and bad ranges are refused before anything runs.

#include <gtest/gtest.h>

#include "../files/temp_dir.h"
#include "form/form_model.h"
#include "form/motor_calculation.h"
#include "sweep/sweep.h"
#include "sweep/sweep_output.h"
#include "sweep_test_support.h"

namespace tarvo {
namespace {

using testing::PlanOf;

// The row of a design against tarvo-calc's run of the file that holds it, to the last bit.
void ExpectSingleRun(const SweepPlan& plan, const SweepRow& row, std::size_t index,
                     const testing::TempDir& dir) {
    const std::string file = dir.File("changed.zel");
    testing::WriteBytes(file, plan.documentAt(index).Serialize());
    FormModel form;
    const MotorFileCalculation single = CalculateMotorFile(form, file);
    const DesignOutcome expected =
        OutcomeOf(form.lastCalculation(),
                  single.outcome == MotorFileCalculation::Outcome::kSucceeded, form.statusText(0));
    const std::string design = plan.name() + " " + CsvRow(row);
    ASSERT_TRUE(row.calculated) << design;
    EXPECT_EQ(row.outcome.success, expected.success) << design;
    EXPECT_EQ(row.outcome.status, expected.status) << design;
    EXPECT_EQ(row.outcome.figures, expected.figures) << design;
    EXPECT_EQ(row.outcome.motorClass, expected.motorClass) << design;
    EXPECT_EQ(row.outcome.alerts, expected.alerts) << design;
}

// Keys of every kind: typed fields whose rules re-check the grain boxes (Dc, Lc, Lo, N, Lto,
// Dto), steppers stored as positions (uc, Patm, kv, unoz, Ae/At, G*, the surface flags), and
// designs that fail their checks or a stage.
TEST(Sweep, RowsEqualSingleRunsOfTheChangedFiles) {
    const struct {
        const std::string& file;
        std::vector<std::string> axes;
    } cases[] = {
        {testing::kBates, {"Kno=100:400:25"}},
        {testing::kBates, {"N=1:6:1"}},
        {testing::kBates, {"Dc=30:60:5"}},
        {testing::kBates, {"uc=0.5:0.99:0.07", "kv=0:1:0.5"}},
        {testing::kBates, {"Os=0:1:1", "Cs=0:1:1", "Es=0:1:1"}},
        {testing::kBates, {"Kno=150:350:20", "unoz=0,75:0,85:0,02"}},
        {testing::kBates, {"Ae/At=1:30:4,5", "Roi/Ror=0.92:0.98:0.03"}},
        {testing::kBoth, {"Dc=20:70:10", "Lto=0:120:30"}},
        {testing::kBoth, {"Dto=0:40:10", "Lo=30:90:20"}},
        {testing::kEndBurner, {"Lto=10:150:35", "Patm=0.091:0.111:0.005"}},
        {testing::kEndBurner, {"G*=1:21:5", "e=0:1.5:0.5", "Lc=100:200:50"}},
        {testing::kEndBurner, {"Kno=30:120:10", "unoz=0.75:0.85:0.05"}},
    };
    testing::TempDir dir;
    std::size_t designs = 0;
    for (const auto& c : cases) {
        const SweepPlan plan = PlanOf(c.file, c.axes);
        const SweepResult result = RunSweep(plan);
        ASSERT_TRUE(result.complete);
        ASSERT_EQ(result.rows.size(), plan.size());
        for (std::size_t i = 0; i < result.rows.size(); ++i) {
            ExpectSingleRun(plan, result.rows[i], i, dir);
        }
        designs += plan.size();
    }
    EXPECT_GT(designs, 300u);
}

TEST(Sweep, OutputDoesNotDependOnTheNumberOfThreads) {
    const SweepPlan plan = PlanOf(testing::kBoth, {"Kno=100:300:20", "Dto=20:30:5"});
    std::string first;
    for (const int threads : {1, 2, 3, 8}) {
        RunControl control;
        control.threads = threads;
        const SweepResult result = RunSweep(plan, control);
        std::string text = SweepCsv(AxisKeys(plan), result.rows);
        for (const SweepRow& row : result.rows) {
            text += JsonLine(AxisKeys(plan), row);
        }
        if (threads == 1) {
            first = text;
        }
        EXPECT_EQ(text, first) << threads << " threads";
    }
}

TEST(Sweep, CombinationsRunInTheOrderOfTheKeys) {
    const SweepPlan plan = PlanOf(testing::kBates, {"N=1:2:1", "uc=0.9:0.95:0.05", "G*=5:7:2"});
    ASSERT_EQ(plan.size(), 8u);
    const std::vector<const KeyValue*> last = plan.valuesAt(7);
    EXPECT_EQ(plan.valuesAt(1)[2]->fieldText, "7");
    EXPECT_EQ(plan.valuesAt(2)[1]->fieldText, "0,95");
    EXPECT_EQ(plan.valuesAt(4)[0]->fieldText, "2");
    EXPECT_EQ(last[0]->fileText + last[1]->fileText + last[2]->fileText, "2957");
    EXPECT_EQ(CsvHeader(AxisKeys(plan)),
              "N,uc,G*,success,Pmax,BurnTime,ThrustTime,Fmax,Favg,It,Isp,MotorClass,alerts,"
              "status\n");
}

// Values as the fields show them, stored as the file stores them.
TEST(Sweep, ValuesAreHeldAsTheirFieldsHoldThem) {
    const struct {
        std::string_view key;
        double value;
        std::string_view fileText;  // "" when refused
        std::string_view refusal;
    } cases[] = {
        {"uc", 0.85, "85", ""},
        {"uc", 0.8 + 0.05, "85", ""},
        {"Patm", 0.101, "81", ""},
        {"Ae/At", 8, "80", ""},
        {"Ae/At", 2.5, "25", ""},
        {"kv", 0.3, "30", ""},
        {"Os", 1, "1", ""},
        {"Kno", 250.5, "250,5", ""},
        {"Kno", 0.1 + 0.2, "0,3", ""},
        {"N", 3, "3", ""},
        {"e", 0, "0", ""},
        {"uc", 1.2, "", "от 0,01 до 0,99"},
        {"Ae/At", 0.5, "", "от 1 до 30"},
        {"kv", 0.05, "", "с шагом 0,1"},
        {"Patm", 0.1015, "", "с шагом 0,001"},
        {"Es", 2, "", "от 0 до 1"},
        {"N", 2.5, "", "целые"},
        {"Dc", -5, "", "отрицательных"},
        {"Dc", 1e-7, "", "не показывает"},
        {"Lo", 1e20, "", "не показывает"},
    };
    for (const auto& c : cases) {
        const HeldValue held = HoldValue(*FindSweepKey(c.key), c.value);
        if (c.fileText.empty()) {
            EXPECT_FALSE(held.held) << c.key << " " << c.value;
            EXPECT_NE(held.refusal.find(c.refusal), std::string::npos) << held.refusal;
        } else {
            ASSERT_TRUE(held.held) << c.key << " " << c.value << ": " << held.refusal;
            EXPECT_EQ(held.held->fileText, c.fileText) << c.key;
        }
    }
}

TEST(Sweep, BadRangesAreRefused) {
    const struct {
        std::string_view argument;
        std::string_view error;
    } cases[] = {
        {"Kno=300:200:10", "больше конца"},
        {"Kno=100:200:0", "шаг"},
        {"Kno=100:200", "три числа"},
        {"Kno=a:b:c", "три числа"},
        {"Kno", "три числа"},
        {"Kn=100:200:10", "нет такого ключа"},
        {"kno=100:200:10", "нет такого ключа"},
        {"uc=0.9:1.1:0.05", "от 0,01 до 0,99"},
        {"Kno=1:1000000:1", "значений"},
    };
    for (const auto& c : cases) {
        const AxisValues parsed = ParseSweepArgument(c.argument);
        EXPECT_FALSE(parsed.axis) << c.argument;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos)
            << c.argument << ": " << parsed.error;
    }
    const auto axis = [](std::string_view argument) { return *ParseSweepArgument(argument).axis; };
    EXPECT_NE(CheckAxes({axis("Kno=1:2:1"), axis("Kno=3:4:1")}), std::nullopt);
    EXPECT_NE(CheckAxes({axis("Dc=1:2:1"), axis("Lc=1:2:1"), axis("N=1:2:1"), axis("e=0:1:1")}),
              std::nullopt);
    EXPECT_NE(CheckAxes({axis("Kno=1:1000:1"), axis("Lc=1:1000:1")}), std::nullopt);
    EXPECT_EQ(CheckAxes({axis("Kno=1:1000:1"), axis("uc=0.5:0.59:0.01")}), std::nullopt);
}

TEST(Sweep, CancelledSweepKeepsWhatItCalculated) {
    const SweepPlan plan = PlanOf(testing::kBates, {"Kno=100:400:1"});
    std::atomic<bool> cancel{false};
    RunControl control;
    control.cancel = &cancel;
    control.progress = [&cancel](std::size_t done, std::size_t) { cancel = done >= 10; };
    const SweepResult result = RunSweep(plan, control);
    EXPECT_FALSE(result.complete);
    const auto calculated = std::count_if(result.rows.begin(), result.rows.end(),
                                          [](const SweepRow& row) { return row.calculated; });
    EXPECT_GE(calculated, 10);
    EXPECT_LT(calculated, 40);
    const std::string csv = SweepCsv(AxisKeys(plan), result.rows);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), calculated + 1);
}

}  // namespace
}  // namespace tarvo
