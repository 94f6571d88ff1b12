// The window's static test through the form model: the log drawn beside each calculation and
// compared with it, refused logs, the fit applied to the fields, and the motor file's [Test].

#include "form/stand_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../stand/stand_test_support.h"
#include "document_test_support.h"
#include "files/key_maps.h"
#include "form/form_layout.h"
#include "form/motor_calculation.h"
#include "form_test_support.h"
#include "input/field_map.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

const std::string kBates = std::string(TARVO_EXAMPLES_DIR) + "/bates-kn-sb.zel";
constexpr int kSbFirstA = 63;  // the first `a` of KN/SB on tab 5

class StandSessionTest : public testing::DocumentTest {
protected:
    StandSessionTest() : session(form, dialogs) { document.addSection(session); }
    ~StandSessionTest() override { document.removeSection(session); }

    // The example motor opened; a log of it with the burn-rate factor and unoz given.
    std::string OpenMotorAndLog(double burnRate, double unoz, bool pressure = true) {
        std::filesystem::copy_file(kBates, dir.File("motor.zel"));
        document.openMotorFile(dir.File("motor.zel"));
        const StandDesign design = *DesignOfFields(form).design;
        FitValues truth = design.nominal();
        truth[FitParameter::kBurnRate] = burnRate;
        truth[FitParameter::kUnoz] = unoz;
        testing::LogFormat format;
        format.pressure = pressure;
        testing::WriteBytes(dir.File("stand.csv"),
                            testing::StandLog(design.calculate(truth), format));
        return dir.File("stand.csv");
    }

    const ChartSeries& Measured(int chart) const {
        return form.chart(ChartId{chart}).series[kMeasuredSeries];
    }

    StandSession session;
};

TEST_F(StandSessionTest, DrawsTheLogBesideEachCalculationAndComparesIt) {
    ASSERT_TRUE(session.load(OpenMotorAndLog(1.15, 0.80)));
    EXPECT_FALSE(form.modified());
    for (const int chart : {2, 3, 4}) {
        const ChartState& state = form.chart(ChartId{chart});
        ASSERT_FALSE(Measured(chart).empty()) << chart;
        EXPECT_TRUE(state.legend) << chart;
        EXPECT_GE(state.bottomMax, LargestX(Measured(chart))) << chart;
        EXPECT_GE(state.leftMax, LargestY(Measured(chart))) << chart;
    }
    // Laid on the calculation: both cross 5 % of their maximum at the same time.
    const CalculatedMotor motor =
        DesignOfFields(form).design->calculate(DesignOfFields(form).design->nominal());
    std::vector<double> t, f;
    for (const ChartPoint& p : Measured(3)) {
        t.push_back(p.x);
        f.push_back(p.y);
    }
    EXPECT_NEAR(FindBurnWindow(t, f)->ignition, FindBurnWindow(motor.time, motor.thrust)->ignition,
                1e-3);

    const std::vector<ComparisonRow> rows = session.comparisonRows();
    ASSERT_EQ(rows.size(), kFigureLayouts.size());
    EXPECT_EQ(rows.back().caption, kFigureLayouts.back().caption);  // Pmax: the log has it
    EXPECT_EQ(session.summary().substr(0, 10), "stand.csv:");

    // Another calculation is compared again; a changed field alone compares with nothing.
    testing::Type(form, field::kKno, "240");
    EXPECT_EQ(session.comparisonRows()[0].calculated, rows[0].calculated);
    form.calculate();
    EXPECT_NE(session.comparisonRows()[0].calculated, rows[0].calculated);

    session.unloadCommand();
    EXPECT_TRUE(form.modified());
    for (const int chart : {2, 3, 4}) {
        EXPECT_TRUE(Measured(chart).empty()) << chart;
        EXPECT_FALSE(form.chart(ChartId{chart}).legend) << chart;
    }
    EXPECT_TRUE(session.comparisonRows().empty());
}

TEST_F(StandSessionTest, RefusesALogThatIsNoCurveAndKeepsTheOneShown) {
    const std::string good = OpenMotorAndLog(1.0, 0.85, false);
    testing::WriteBytes(dir.File("bad.csv"), "t;F\r\n0;1\r\n0,1;x\r\n");
    ASSERT_TRUE(session.load(good));
    EXPECT_TRUE(Measured(2).empty());  // no pressure logged
    dialogs.files = {dir.File("bad.csv"), std::nullopt};
    session.loadCommand();
    session.loadCommand();  // cancelled
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Файл испытания " + dir.File("bad.csv") + ": строка 3: «x» не число");
    EXPECT_EQ(session.path(), good);
    EXPECT_FALSE(Measured(3).empty());
    EXPECT_FALSE(form.modified());
}

// The values go into the fields as far as they can hold them, and the message says how far.
TEST_F(StandSessionTest, AppliesTheFitToTheFieldsAndSaysWhatItRounded) {
    struct Case {
        double unoz;
        bool multiplyA;
        const char* unozText;
        const char* said;
    };
    const Case cases[] = {
        {0.80, true, "0,8", "записано 0,8 (с шагом 0,01)"},
        {0.88, false, "0,85", "записано 0,85 (поле принимает от 0,75 до 0,85)"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.File("motor.zel"));
        ASSERT_TRUE(session.load(OpenMotorAndLog(1.15, c.unoz)));
        const std::string a = form.fieldText(EditId{kSbFirstA});
        const std::vector<FitParameter> chosen = {FitParameter::kBurnRate, FitParameter::kUnoz};
        const CurveFit* fit = session.fit(chosen);
        ASSERT_NE(fit, nullptr);
        ASSERT_EQ(fit->outcome, FitOutcome::kFitted) << fit->message;
        EXPECT_NEAR(fit->values[FitParameter::kUnoz], c.unoz, 0.005);  // beyond the stepper
        dialogs.overwrite = {c.multiplyA};
        const AppliedFit applied = session.apply();
        ASSERT_TRUE(applied.applied);
        EXPECT_NE(applied.message.find(c.said), std::string::npos) << applied.message;
        EXPECT_EQ(form.fieldText(EditId{field::kunoz}), c.unozText);
        const double factor = *ParseNumber(form.fieldText(EditId{kSbFirstA})) / *ParseNumber(a);
        EXPECT_NEAR(factor, c.multiplyA ? 1.15 : 1.0, 0.005) << applied.message;
        EXPECT_TRUE(form.modified());
        EXPECT_FALSE(form.isButtonEnabled(kExportButton));
        EXPECT_EQ(form.statusText(0), kStaleResultsStatus);
        EXPECT_TRUE(session.comparisonRows().empty());
        form.calculate();
        EXPECT_FALSE(session.comparisonRows().empty());
        document.restorePropellantDefaults();
        form.setModified(false);
    }
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_TRUE(dialogs.questions[0].starts_with("Умножить коэффициенты a топлива «KN/SB"));
}

// The burn-rate factor goes to whichever propellant is selected when it is applied, the first
// of the list included.
TEST_F(StandSessionTest, MultipliesTheSelectedPropellantsA) {
    ASSERT_TRUE(session.load(OpenMotorAndLog(1.15, 0.85)));
    const std::vector<FitParameter> chosen = {FitParameter::kBurnRate};
    ASSERT_NE(session.fit(chosen), nullptr);
    ASSERT_TRUE(form.selectPropellant(0));
    dialogs.overwrite = {true};
    EXPECT_TRUE(session.apply().applied);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].starts_with("Умножить коэффициенты a топлива «KN/DX"))
        << dialogs.questions[0];
}

TEST_F(StandSessionTest, TheMotorFileRemembersTheLog) {
    ASSERT_TRUE(session.load(OpenMotorAndLog(1.0, 0.85)));
    ASSERT_TRUE(document.saveMotorFile(dir.File("motor.zel")));
    EXPECT_NE(testing::ReadBytes(dir.File("motor.zel")).find("[Test]\r\nFile=stand.csv\r\n"),
              std::string::npos);
    document.newDocument();
    EXPECT_FALSE(session.loaded());
    document.openMotorFile(dir.File("motor.zel"));
    EXPECT_EQ(session.path(), dir.File("stand.csv"));
    EXPECT_FALSE(session.comparisonRows().empty());

    std::filesystem::rename(dir.File("stand.csv"), dir.File("moved.csv"));
    document.newDocument();
    document.openMotorFile(dir.File("motor.zel"));
    EXPECT_FALSE(session.loaded());
    EXPECT_EQ(dialogs.messages.back(), "Файл испытания " + dir.File("stand.csv") + " не найден");

    ASSERT_TRUE(document.saveMotorFile(dir.File("motor.zel")));
    EXPECT_EQ(testing::ReadBytes(dir.File("motor.zel")).find("[Test]"), std::string::npos);
    EXPECT_EQ(StoredTestPath("/a/logs/x.csv", "/a/motors/m.zel"), "../logs/x.csv");
    EXPECT_EQ(ResolvedTestPath("../logs/x.csv", "/a/motors/m.zel"), "/a/logs/x.csv");
}

}  // namespace
}  // namespace tarvo
