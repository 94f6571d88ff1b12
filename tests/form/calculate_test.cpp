#include <gtest/gtest.h>

#include "form/form_model.h"

#include <functional>
#include <map>

#include "../support/example_motors.h"
#include "ballistics/calculation.h"
#include "form_test_support.h"
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

// The window shows what the core calculates for the typed design, and a second calculation
// changes nothing: no result of the first run carries over.
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
    const auto firstLabels = AllLabels(form);
    form.calculate();
    ASSERT_EQ(form.statusText(), kSuccess);
    EXPECT_EQ(AllLabels(form), firstLabels);
    EXPECT_TRUE(stagesRanWithButtonDisabled);
    EXPECT_FALSE(form.progressBar().visible);
    EXPECT_TRUE(form.isButtonEnabled(kCalculateButton) && form.isButtonEnabled(kExportButton));

    const CalculationResult core = Calculate(example::CoredMotor());
    ASSERT_TRUE(core.succeeded());
    const CalculationResult& shown = form.lastCalculation();
    EXPECT_EQ(shown.figures.It, core.figures.It);
    EXPECT_EQ(shown.figures.Pmax, core.figures.Pmax);
    EXPECT_EQ(shown.figures.Mef, core.figures.Mef);
    ASSERT_EQ(form.resultTable().size(), core.rows.size());
    for (std::size_t i = 0; i < core.rows.size(); ++i) {
        EXPECT_EQ(form.resultTable()[i].number, std::to_string(i + 1));
        EXPECT_EQ(ParseNumber(form.resultTable()[i].time),
                  ParseNumber(FormatFixed(core.rows[i].time, 2)));
        EXPECT_EQ(ParseNumber(form.resultTable()[i].thrust),
                  ParseNumber(FormatFixed(core.rows[i].thrust, 1)));
    }
    // The propellant's own constants, as tab 5 holds them.
    EXPECT_EQ(form.labelText(LabelId{5}), "1,841");
    EXPECT_EQ(form.labelText(LabelId{28}), "39,90");
    EXPECT_EQ(form.labelText(LabelId{35}), "1600");
    EXPECT_EQ(form.labelText(LabelId{26}), "8314");
    EXPECT_EQ(form.labelText(LabelId{189}).substr(0, 2), core.figures.MotorClass + " ");
    EXPECT_EQ(form.chart(ChartId{1}).series[0], core.knCurve);
    EXPECT_EQ(form.chart(ChartId{3}).series[0].size(), 882u);
    EXPECT_EQ(form.chart(ChartId{4}).series[0].size(), 23u);
    // The charts leave a tenth of room above and to the right of their curves.
    EXPECT_DOUBLE_EQ(form.chart(ChartId{2}).leftMax, 1.1 * core.figures.Pmax);
    EXPECT_DOUBLE_EQ(form.chart(ChartId{4}).bottomMax, 1.1 * core.rows.back().time);
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
         "Давление в двигателе [вкладка 2] вышло за пределы известных характеристик топлива.",
         Cleared::kFromPressure},
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
        EXPECT_FALSE(form.calculationSucceeded()) << c.name;
        // What a tab still shows of the earlier run is stale; a cleared tab shows nothing.
        const bool pressureKept = c.cleared != Cleared::kFromPressure;
        EXPECT_EQ(form.showsStaleResults(1), c.cleared == Cleared::kNothing) << c.name;
        EXPECT_EQ(form.showsStaleResults(2), pressureKept) << c.name;
        EXPECT_EQ(form.showsStaleResults(3), c.cleared == Cleared::kNothing) << c.name;
        EXPECT_EQ(form.showsStaleResults(4), form.showsStaleResults(3)) << c.name;
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

// Any change of an input marks the results shown as stale until the next calculation; what
// only changes how a chart shows them, or the description, does not.
TEST(StaleResults, EveryKindOfInputMarksTheShownResults) {
    struct Case {
        const char* name;
        std::function<void(FormModel&)> change;
        bool stale;
    };
    const Case cases[] = {
        {"a field", [](FormModel& f) { Type(f, 2, "210"); }, true},
        {"a stepper", [](FormModel& f) { f.stepStepper(StepperId{6}, StepDirection::kDown); },
         true},
        {"a grain-kind box", [](FormModel& f) { f.setChecked(kEndGrainBox, true); }, true},
        {"the propellant", [](FormModel& f) { f.selectPropellant(0); }, true},
        {"a burn-rate value", [](FormModel& f) { Type(f, 68, "0,6"); }, true},
        {"a text a file brings", [](FormModel& f) { Load(f, 12, "240"); }, true},
        {"the expansion ratio", [](FormModel& f) { Type(f, 94, "7,5"); }, true},
        {"\"Показать трассер\"", [](FormModel& f) { f.setChecked(CheckBoxId::kChk4, true); },
         false},
        {"the description", [](FormModel& f) { f.setMemoText("Другой"); }, false},
        {"the same text again", [](FormModel& f) { Type(f, 2, "200"); }, false},
    };
    for (const Case& c : cases) {
        FormModel form;
        testing::TypeCoredMotor(form);
        form.calculate();
        ASSERT_FALSE(form.anyResultsStale()) << c.name;
        int told = 0;
        form.addObserver(
            [&told](const Change& change) { told += change.kind == ChangeKind::kStaleResults; });
        c.change(form);
        for (int tab = 1; tab <= 4; ++tab) {
            EXPECT_EQ(form.showsStaleResults(tab), c.stale) << c.name << ", tab " << tab;
        }
        EXPECT_EQ(form.anyResultsStale(), c.stale) << c.name;
        EXPECT_EQ(told > 0, c.stale) << c.name;
        form.calculate();
        EXPECT_FALSE(form.anyResultsStale()) << c.name;
    }
    FormModel empty;  // nothing shown yet: nothing to be stale
    Type(empty, 1, "40");
    EXPECT_FALSE(empty.anyResultsStale());
}

TEST(Calculate, ClearingRoutinesResetTheirTabs) {
    FormModel form;
    testing::TypeMotorWithEndBurner(form);
    form.calculate();
    ASSERT_EQ(form.statusText(), kSuccess);
    EXPECT_NE(form.labelText(LabelId{128}), "0");  // the tracer burns on its own
    Type(form, 2, "210");
    form.clearKnResults();
    form.clearPressureResults();
    form.clearThrustResults();
    EXPECT_FALSE(form.anyResultsStale());  // nothing shown is nothing stale
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
