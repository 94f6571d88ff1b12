// The dialog's session without a window: the ranges it proposes are ones the fields hold, and
// a design put into the fields calculates to its row.

#include <gtest/gtest.h>

#include "form/motor_calculation.h"
#include "form/stand_session.h"
#include "sweep/sweep_output.h"
#include "sweep/sweep_session.h"
#include "sweep_test_support.h"

namespace tarvo {
namespace {

TEST(SweepSession, ProposesRangesTheFieldsHold) {
    FormModel form;
    CalculateMotorFile(form, testing::kBates);
    SweepSession session(form);
    const struct {
        std::string_view key;
        ProposedRange range;
    } cases[] = {
        {"Kno", {"100", "500", "50"}},
        {"uc", {"0,1", "0,9", "0,1"}},
        {"Patm", {"0,092", "0,11", "0,002"}},
        {"N", {"1", "10", "1"}},
        {"Os", {"0", "1", "1"}},
        {"e", {"0,25", "1", "0,05"}},
        {"Lto", {"0", "1", "0,1"}},
        {"Ae/At", {"2", "30", "2"}},
    };
    for (const auto& c : cases) {
        const ProposedRange range = session.proposeRange(*FindSweepKey(c.key));
        EXPECT_EQ(range.from + " " + range.to + " " + range.step,
                  c.range.from + " " + c.range.to + " " + c.range.step)
            << c.key;
    }
    for (const SweepKey& key : SweepKeys()) {
        const ProposedRange range = session.proposeRange(key);
        const SweepSession::Plan plan = session.plan({{&key, range.from, range.to, range.step}});
        EXPECT_TRUE(plan.plan) << key.name() << ": " << plan.error;
    }
}

// The base is the window as Save writes it; the design put back calculates to its row, and
// the description (longer than a file's one line) stays.
TEST(SweepSession, AppliedDesignCalculatesToItsRow) {
    FormModel form;
    CalculateMotorFile(form, testing::kBoth);
    form.setMemoText("Две строки\nописания");
    SweepSession session(form);
    const SweepSession::Plan plan = session.plan(
        {{FindSweepKey("Dc"), "30", "40", "10"}, {FindSweepKey("Ae/At"), "4", "6", "2"}});
    ASSERT_TRUE(plan.plan) << plan.error;
    const SweepResult result = RunSweep(*plan.plan);
    const SweepRow& row = result.rows[3];  // Dc 40, Ae/At 6
    session.apply(AxisKeys(*plan.plan), row.values);
    EXPECT_EQ(form.fieldText(EditId{1}), "40");
    EXPECT_EQ(form.stepperPosition(StepperId{11}), 60);
    EXPECT_TRUE(form.isChecked(kEndGrainBox));  // as the file's Trasser says, not Dc's rule
    EXPECT_EQ(form.memoText(), "Две строки\nописания");
    EXPECT_EQ(form.statusText(0), kStaleResultsStatus);
    form.calculate();
    EXPECT_EQ(
        OutcomeOf(form.lastCalculation(), form.calculationSucceeded(), form.statusText(0)).figures,
        row.outcome.figures);
}

}  // namespace
}  // namespace tarvo
