#include <gtest/gtest.h>

#include <vector>

#include "form/form_model.h"
#include "form_test_support.h"

namespace tarvo {
namespace {

using testing::Load;

// A chamber Lc x Dc with N cored grains of length Lo, as loaded from a file.
void LoadChamber(FormModel& form, const char* Lc, const char* N, const char* Lo, const char* Dc) {
    Load(form, 2, Lc);
    Load(form, 7, N);
    Load(form, 6, Lo);
    Load(form, 1, Dc);
}

TEST(EndGrainBox, ProposesOrResetsTheTracerSize) {
    struct Case {
        const char* name;
        const char* Lc;
        const char* Dc;
        const char* Lto;
        const char* Dto;
        const char* expectedLto;
        const char* expectedDto;
        bool staysChecked;
    };
    // N = 2 grains of 40 mm in every case.
    const Case cases[] = {
        {"fills the free chamber", "100", "30", "0", "0", "20", "30", true},
        {"keeps a size that fits", "100", "30", "10", "25", "10", "25", true},
        {"too long and too wide", "100", "30", "30", "40", "0", "0", false},
        {"cores fill the chamber", "80", "30", "15", "0", "0", "30", false},
        {"diameter not a number", "100", "1-2", "0", "0", "20", "0", true},
        {"fractional free length", "100,6", "30,4", "0", "0", "21", "30", true},
    };
    for (const Case& c : cases) {
        FormModel form;
        // The tracer texts come first, in a chamber they fit: loading runs their rules too.
        LoadChamber(form, "1000", "2", "40", "1000");
        Load(form, 95, c.Lto);
        Load(form, 96, c.Dto);
        LoadChamber(form, c.Lc, "2", "40", c.Dc);
        form.setChecked(kEndGrainBox, true);
        EXPECT_EQ(form.fieldText(EditId{95}), c.expectedLto) << c.name;
        EXPECT_EQ(form.fieldText(EditId{96}), c.expectedDto) << c.name;
        EXPECT_EQ(form.isChecked(kEndGrainBox), c.staysChecked) << c.name;
        EXPECT_EQ(form.isFieldEnabled(EditId{95}), c.staysChecked) << c.name;
        EXPECT_EQ(form.isFieldEnabled(EditId{96}), c.staysChecked) << c.name;
    }
}

// The tracer fields stay inside the chamber, and changing the chamber or the cored grains'
// length unchecks the tracer; both run while a file loads too. A negative chamber size from
// a file would make a clamp write a negative limit, which the next rule turns into "0",
// which the clamp raises again: the limit written must be "0". A typed text that is no number
// (yet) stays for the user to finish; one a file brings becomes "0".
TEST(TracerFields, FollowTheChamber) {
    struct Case {
        const char* name;
        bool cored;
        bool loaded;
        std::vector<std::pair<int, const char*>> texts;
        int edit;  // the field to look at
        const char* expected;
        bool staysChecked;
    };
    const Case cases[] = {
        {"length above the free length", true, false, {{95, "50"}}, 95, "20", true},
        {"length within the free length", true, false, {{95, "12,5"}}, 95, "12,5", true},
        {"without cores the chamber limits", false, false, {{95, "150"}}, 95, "100", true},
        {"diameter above Dc", true, false, {{96, "35"}}, 96, "30", true},
        {"zero length clears the box", true, false, {{95, "0"}}, 95, "0", false},
        {"zero diameter clears the box", false, false, {{96, "0"}}, 96, "0", false},
        {"negative diameter", true, true, {{1, "-5"}, {96, "7"}}, 96, "0", false},
        {"negative length, no cores", false, true, {{2, "-5"}, {95, "7"}}, 95, "0", false},
        {"negative length with cores", true, true, {{2, "-5"}, {95, "7"}}, 95, "0", false},
        {"Dc changed", true, true, {{1, "1"}}, 1, "1", false},
        {"Lc changed", true, true, {{2, "1"}}, 2, "1", false},
        {"Lo changed", true, true, {{6, "1"}}, 6, "1", false},
        {"N changed", true, true, {{7, "1"}}, 7, "1", false},
        {"typed length no number yet", true, false, {{95, "-"}}, 95, "-", true},
        {"length backspaced to empty", true, false, {{95, ""}}, 95, "", true},
        {"typed negative length", true, false, {{95, "-5"}}, 95, "0", false},
        {"loaded length no number", true, true, {{95, "abc"}}, 95, "0", false},
        {"typed diameter no number", true, false, {{96, "2x"}}, 96, "2x", true},
        {"loaded diameter no number", true, true, {{96, "2x"}}, 96, "0", false},
        {"Do changed", true, true, {{4, "1"}}, 4, "1", true},
        {"do changed", true, true, {{5, "1"}}, 5, "1", true},
    };
    for (const Case& c : cases) {
        FormModel form;
        LoadChamber(form, "100", "2", "40", "30");
        form.setChecked(kEndGrainBox, true);
        form.setChecked(kCoredGrainsBox, c.cored);
        form.setLoadingGuard(c.loaded);
        for (const auto& [edit, text] : c.texts) {
            form.setFieldText(EditId{edit}, text);
        }
        form.setLoadingGuard(false);
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.expected) << c.name;
        EXPECT_EQ(form.isChecked(kEndGrainBox), c.staysChecked) << c.name;
    }
}

TEST(CoredGrainsBox, EnablesTheCoredGrainControls) {
    FormModel form;
    for (const bool cored : {false, true}) {
        form.setChecked(kCoredGrainsBox, cored);
        for (const int edit : {4, 5, 6, 7, 8, 9, 10, 13}) {
            EXPECT_EQ(form.isFieldEnabled(EditId{edit}), cored) << edit;
        }
        for (const int stepper : {2, 3, 4}) {
            EXPECT_EQ(form.isStepperEnabled(StepperId{stepper}), cored) << stepper;
        }
        EXPECT_TRUE(form.isFieldEnabled(EditId{12}) && form.isStepperEnabled(StepperId{5}));
    }
}

TEST(ShowTracerBoxes, ReachTheAxisToTheWholeCurveOrTheCoredPart) {
    FormModel form;
    form.setChecked(CheckBoxId::kChk3, true);  // nothing calculated yet: the axis stays
    EXPECT_EQ(form.chart(ChartId{2}).bottomMax, 2);

    testing::TypeMotorWithEndBurner(form);
    form.calculate();
    ASSERT_EQ(form.statusText(), "Расчёт проведён успешно");
    EXPECT_TRUE(form.isChecked(CheckBoxId::kChk2));
    EXPECT_TRUE(form.isCheckBoxEnabled(CheckBoxId::kChk5));

    const double thrustTime = form.lastCalculation().figures.ThrustTime;
    for (const int chart : {2, 3, 4}) {
        const auto box = static_cast<CheckBoxId>(chart + 1);
        const double curveEnd = LargestX(form.chart(ChartId{chart}).series[0]);
        form.setChecked(box, false);
        EXPECT_DOUBLE_EQ(form.chart(ChartId{chart}).bottomMax, 1.1 * thrustTime) << chart;
        form.setChecked(box, true);
        EXPECT_DOUBLE_EQ(form.chart(ChartId{chart}).bottomMax, 1.1 * curveEnd) << chart;
        EXPECT_GT(curveEnd, thrustTime) << chart;
    }
    const ChartState& kn = form.chart(ChartId{1});
    form.setChecked(CheckBoxId::kChk2, false);
    EXPECT_DOUBLE_EQ(kn.bottomMax, 1.1 * LargestX(kn.series[1]));
    form.setChecked(CheckBoxId::kChk2, true);
    EXPECT_DOUBLE_EQ(kn.bottomMax, 1.1 * LargestX(kn.series[0]));
}

}  // namespace
}  // namespace tarvo
