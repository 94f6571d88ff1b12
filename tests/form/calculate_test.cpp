#include <gtest/gtest.h>

#include "form/form_model.h"

#include <functional>
#include <map>

#include "ballistics/motor_class.h"
#include "form_test_support.h"
#include "model/calculation.h"
#include "model/example_motor.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::Load;
using testing::Type;

constexpr std::string_view kSuccess = "Расчёт проведён успешно";

std::map<int, std::string> AllLabels(const FormModel& form) {
    std::map<int, std::string> labels;
    for (int n = 1; n <= 189; ++n) {
        if (const auto text = form.text({ControlKind::kLabel, n})) {
            labels[n] = *text;
        }
    }
    return labels;
}

// The label texts the window shows for a calculated model, in each label's own format. The
// motor is calculated twice: nothing of the first run may carry over into the second.
TEST(Calculate, ATypedMotorShowsTheCoresResults) {
    FormModel form;
    testing::TypeCoredMotor(form);
    Load(form, 87, "abc");  // a KN/SU burn-rate cell: only the selected table is read
    bool stagesRanWithButtonDisabled = false;
    form.addObserver([&](const Change& change) {
        if (change.kind == ChangeKind::kProgress && form.progressBar().visible) {
            stagesRanWithButtonDisabled = !form.isButtonEnabled(kCalculateButton);
        }
    });
    form.calculate();
    form.calculate();
    ASSERT_EQ(form.statusText(), kSuccess);
    EXPECT_TRUE(stagesRanWithButtonDisabled);
    EXPECT_FALSE(form.progressBar().visible);
    EXPECT_TRUE(form.isButtonEnabled(kCalculateButton) && form.isButtonEnabled(kExportButton));
    EXPECT_FALSE(form.motorModel().ThrustPassFlag);

    MotorModel m = ExampleCoredMotor();
    const CalculationResult core = RunCalculation(m, DefaultBurnRateTable(2));
    ASSERT_TRUE(core.succeeded);
    const double Isp = SpecificImpulse(m);
    constexpr int kInteger = -1;  // halves to even
    constexpr int kGeneral = -2;  // up to 15 significant digits
    struct Case {
        int label;
        double value;
        int decimals;
    };
    // clang-format off
    const Case cases[] = {
        {1, m.Vc, kInteger}, {2, m.Lgo, kGeneral}, {3, m.Vg, kInteger}, {4, m.Vt, 3},
        {5, m.pPrime, 3}, {6, m.p, 3}, {7, m.m, 3}, {8, m.Abeo, kInteger}, {9, m.Abco, kInteger},
        {10, m.Abso, kInteger}, {11, m.Abo, kInteger}, {122, m.Abtr, kInteger},
        {12, m.Ato, kInteger}, {13, m.Dt, 3}, {14, m.Dtf, 3}, {19, m.KnMax, kInteger},
        {20, m.KnMin, kInteger}, {21, m.KnAvg, kInteger}, {118, m.KnEnd, kInteger}, {28, m.M, 2},
        {30, m.R, 1}, {32, m.k, 3}, {35, m.To, 0}, {37, m.ToAct, 0}, {40, m.cStar, 0},
        {141, m.Pmax, 2}, {144, m.BurnTime, 2}, {142, m.ThrustTime, 2}, {129, m.AvgBurnRate, 2},
        {128, m.TracerPressure, 2}, {121, m.TracerTailTime, 2}, {119, m.TracerRate, 2},
        {148, m.Ato, 1}, {151, m.Ae, 1}, {176, m.Meo, 3}, {177, m.Mef, 3}, {157, m.De, 2},
        {159, m.AeAtOpt, 3}, {163, m.AeAtOptMid, 3}, {165, m.wf, 3}, {167, m.CfMax, 3},
        {169, m.Fmax, 0}, {155, m.Favg, 0}, {172, m.It, 0}, {173, Isp, 1}, {175, m.ThrustTime, 2},
        {179, m.m, 3}, {181, m.It, 1}, {183, m.Favg, 1}, {185, m.ThrustTime, 2}, {187, Isp, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string expected = c.decimals == kInteger   ? FormatInteger(c.value)
                                     : c.decimals == kGeneral ? FormatGeneral(c.value)
                                                              : FormatFixed(c.value, c.decimals);
        EXPECT_EQ(form.labelText(LabelId{c.label}), expected) << "Label" << c.label;
    }
    EXPECT_EQ(form.labelText(LabelId{189}), m.MotorClass + " " + FormatFixed(m.Favg, 0));
    EXPECT_EQ(form.labelText(LabelId{5}), "1,841");

    ASSERT_EQ(form.resultTable().size(), ResultRows.size());
    for (std::size_t i = 0; i < ResultRows.size(); ++i) {
        const TimePoint& point = m.timeSeries[ResultRows[i]];
        EXPECT_EQ(form.resultTable()[i].number, std::to_string(i + 1));
        EXPECT_EQ(form.resultTable()[i].time, FormatFixed(point.time, 2));
        EXPECT_EQ(form.resultTable()[i].thrust, FormatFixed(point.thrust, 1));
    }
    EXPECT_EQ(form.chart(ChartId{1}).series[0].size(), core.kn->kn.size());
    EXPECT_DOUBLE_EQ(form.chart(ChartId{2}).leftMax, core.pressure->pressureAxisMax);
    EXPECT_EQ(form.chart(ChartId{3}).series[0].size(), 882u);
    EXPECT_EQ(form.chart(ChartId{4}).series[0].size(), 23u);
    EXPECT_DOUBLE_EQ(form.chart(ChartId{4}).bottomMax, core.thrust->summaryTimeAxisMax);
    EXPECT_FALSE(form.isChecked(CheckBoxId::kChk4) || form.isCheckBoxEnabled(CheckBoxId::kChk4));
}

// How far back a failure clears the results of the previous run.
enum class Cleared {
    kNothing,       // before the stages: labels, charts and table stay as they were
    kFromKn,        // the Kn stage failed: the pressure stage never ran, tab 2 keeps its run
    kFromPressure,  // the pressure stage failed: tab 1 shows this run
};

// Every way a command can fail leaves the window ready for the next one.
TEST(Calculate, EveryFailureLeavesTheCommandReady) {
    struct Case {
        const char* name;
        std::function<void(FormModel&)> change;
        std::string status;
        Cleared cleared = Cleared::kNothing;
    };
    const std::string huge = "1" + std::string(200, '0');  // its square is not a double
    const Case cases[] = {
        {"no grain kind", [](FormModel& f) { f.setChecked(kCoredGrainsBox, false); },
         "Нечего считать"},
        {"validation", [](FormModel& f) { Type(f, 1, "0"); },
         "Должно быть больше 0 значение Dc [вкладка 1]"},
        {"not a number", [](FormModel& f) { Load(f, 12, "1,2,3"); },
         "Не число в поле Kno [вкладка 1]"},
        {"geometry", [](FormModel& f) { f.setStepperPosition(StepperId{3}, 0); },
         "Канал или внешняя поверхность должны быть не забронированы (для канального "
         "двигателя)"},
        {"no propellant", [](FormModel& f) { f.selectPropellant(-1); }, "Масса топлива = 0"},
        {"Kn stage",
         [&huge](FormModel& f) {
             Load(f, 1, huge);
             Load(f, 2, huge);
         },
         "Ошибка вычислений: Vc [вкладка 1]", Cleared::kFromKn},
        {"pressure outside the table",
         [](FormModel& f) {
             f.selectPropellant(0);
             f.setStepperPosition(StepperId{7}, 71);  // 0,091 MPa, below KN/DX's first range
         },
         std::string(kOutOfTableMessage), Cleared::kFromPressure},
        {"table cell not a number", [](FormModel& f) { Load(f, 63, "1,2,3"); },
         "Не число в таблице скорости горения KN/SB [вкладка 5]", Cleared::kFromPressure},
    };
    for (const Case& c : cases) {
        FormModel form;
        testing::TypeCoredMotor(form);
        form.calculate();
        const auto before = AllLabels(form);
        const std::size_t pressurePoints = form.chart(ChartId{2}).series[0].size();
        c.change(form);
        form.calculate();
        EXPECT_EQ(form.statusText(), c.status) << c.name;
        EXPECT_TRUE(form.isButtonEnabled(kCalculateButton)) << c.name;
        EXPECT_FALSE(form.isButtonEnabled(kExportButton)) << c.name;
        EXPECT_FALSE(form.progressBar().visible) << c.name;
        EXPECT_EQ(form.motorModel().grainKind, kNothing) << c.name;
        EXPECT_FALSE(form.motorModel().flags.Kn || form.motorModel().flags.Pressure ||
                     form.motorModel().flags.Thrust)
            << c.name;
        if (c.cleared == Cleared::kNothing) {
            EXPECT_EQ(AllLabels(form), before) << c.name;
            EXPECT_EQ(form.chart(ChartId{2}).series[0].size(), pressurePoints) << c.name;
            EXPECT_EQ(form.resultTable().size(), 23u) << c.name;
            continue;
        }
        const bool knShown = c.cleared == Cleared::kFromPressure;
        EXPECT_EQ(form.labelText(LabelId{1}) != "0", knShown) << c.name;
        EXPECT_EQ(form.chart(ChartId{1}).series[0].empty(), !knShown) << c.name;
        EXPECT_EQ(form.labelText(LabelId{141}), knShown ? "0" : before.at(141)) << c.name;
        EXPECT_EQ(form.chart(ChartId{2}).series[0].empty(), knShown) << c.name;
        EXPECT_EQ(form.labelText(LabelId{169}), "0") << c.name;
        EXPECT_EQ(form.labelText(LabelId{189}), "--") << c.name;
        EXPECT_TRUE(form.chart(ChartId{3}).series[0].empty()) << c.name;
        EXPECT_TRUE(form.chart(ChartId{4}).series[0].empty()) << c.name;
        EXPECT_TRUE(form.resultTable().empty()) << c.name;
    }
}

TEST(Calculate, ClearingRoutinesResetTheirTabs) {
    FormModel form;
    testing::TypeMotorWithEndBurner(form);
    form.calculate();
    ASSERT_EQ(form.statusText(), kSuccess);
    EXPECT_NE(form.labelText(LabelId{128}), "0");  // the tracer burns on its own
    form.clearKnResults();
    form.clearPressureResults();
    form.clearThrustResults();
    for (const auto& [label, text] : AllLabels(form)) {
        const char* expected = label == 189 ? "--" : label == 26 ? "8314" : "0";
        if (label < 92 || label > 94) {
            EXPECT_EQ(text, expected) << "Label" << label;
        }
    }
    EXPECT_TRUE(form.chart(ChartId{2}).series[0].empty());
    EXPECT_EQ(form.resultTable().size(), 23u);  // the table is emptied by the command only
}

}  // namespace
}  // namespace tarvo
