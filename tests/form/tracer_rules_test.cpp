#include <gtest/gtest.h>

#include "form/form_model.h"
#include "form_test_support.h"

namespace tarvo {
namespace {

using testing::Load;
using testing::Type;

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

TEST(TracerFields, StayInsideTheChamber) {
    struct Case {
        const char* name;
        bool cored;
        int edit;
        const char* typed;
        const char* expected;
        bool staysChecked;
    };
    const Case cases[] = {
        {"length above the free length", true, 95, "50", "20", true},
        {"length within the free length", true, 95, "12,5", "12,5", true},
        {"without cores the chamber length limits", false, 95, "150", "100", true},
        {"diameter above Dc", true, 96, "35", "30", true},
        {"zero length clears the box", true, 95, "0", "0", false},
        {"zero diameter clears the box", false, 96, "0", "0", false},
    };
    for (const Case& c : cases) {
        FormModel form;
        LoadChamber(form, "100", "2", "40", "30");
        form.setChecked(kEndGrainBox, true);
        form.setChecked(kCoredGrainsBox, c.cored);
        Type(form, c.edit, c.typed);
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.expected) << c.name;
        EXPECT_EQ(form.isChecked(kEndGrainBox), c.staysChecked) << c.name;
    }
}

// A negative chamber size from a file would make a clamp write a negative limit, which the
// next rule turns into "0", which the clamp raises again: the limit written must be "0".
TEST(TracerFields, NegativeChamberSizesFromAFileEndInZero) {
    struct Case {
        const char* name;
        bool cored;
        int limitField;
        int tracerField;
    };
    const Case cases[] = {
        {"diameter", true, 1, 96},
        {"length without cores", false, 2, 95},
        {"length with cores", true, 2, 95},
    };
    for (const Case& c : cases) {
        FormModel form;
        LoadChamber(form, "100", "2", "40", "30");
        form.setChecked(kEndGrainBox, true);
        form.setChecked(kCoredGrainsBox, c.cored);
        form.setLoadingGuard(true);
        form.setFieldText(EditId{c.limitField}, "-5");
        form.setFieldText(EditId{c.tracerField}, "7");
        form.setLoadingGuard(false);
        EXPECT_EQ(form.fieldText(EditId{c.tracerField}), "0") << c.name;
        EXPECT_FALSE(form.isChecked(kEndGrainBox)) << c.name;
    }
}

TEST(TracerFields, ChangingTheChamberOrCoredLengthUnchecksTheTracer) {
    struct Case {
        int edit;
        bool unchecks;
    };
    const Case cases[] = {{1, true}, {2, true}, {6, true}, {7, true}, {4, false}, {5, false}};
    for (const Case& c : cases) {
        FormModel form;
        LoadChamber(form, "100", "2", "40", "30");
        form.setChecked(kEndGrainBox, true);
        form.setLoadingGuard(true);  // the rule runs while a file loads too
        form.setFieldText(EditId{c.edit}, "1");
        form.setLoadingGuard(false);
        EXPECT_EQ(form.isChecked(kEndGrainBox), !c.unchecks) << "Edit" << c.edit;
    }
}

TEST(CoredGrainsBox, EnablesTheCoredGrainControls) {
    FormModel form;
    form.setChecked(kCoredGrainsBox, false);
    for (const int edit : {4, 5, 6, 7, 8, 9, 10, 13}) {
        EXPECT_FALSE(form.isFieldEnabled(EditId{edit})) << edit;
    }
    for (const int stepper : {2, 3, 4}) {
        EXPECT_FALSE(form.isStepperEnabled(StepperId{stepper})) << stepper;
    }
    EXPECT_TRUE(form.isFieldEnabled(EditId{12}));
    EXPECT_TRUE(form.isStepperEnabled(StepperId{5}));
    form.setChecked(kCoredGrainsBox, true);
    EXPECT_TRUE(form.isFieldEnabled(EditId{13}));
    EXPECT_TRUE(form.isStepperEnabled(StepperId{4}));
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

    const double thrustTime = form.motorModel().ThrustTime;
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
