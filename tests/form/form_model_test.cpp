#include <gtest/gtest.h>

#include "form/form_model.h"

#include "form/form_layout.h"
#include "form_test_support.h"
#include "input/field_text.h"

namespace tarvo {
namespace {

using testing::ChangeLog;
using testing::Load;
using testing::Type;

TEST(Controls, AreFoundByTheirNames) {
    struct Case {
        const char* name;
        ControlKind kind;
        int number;  // -1: the window has no such control
    };
    using K = ControlKind;
    const Case cases[] = {
        {"Edit1", K::kEdit, 1},      {"Edit96", K::kEdit, 96},        {"Edit3", K::kEdit, -1},
        {"Edit97", K::kEdit, -1},    {"Edit01", K::kEdit, -1},        {"edit1", K::kEdit, -1},
        {"UpDown7", K::kStepper, 7}, {"UpDown1", K::kStepper, -1},    {"chk", K::kCheckBox, 0},
        {"chk5", K::kCheckBox, 5},   {"chk6", K::kCheckBox, -1},      {"Label141", K::kLabel, 141},
        {"Label15", K::kLabel, -1},  {"GroupBox9", K::kGroupBox, 9},  {"Chart4", K::kChart, 4},
        {"Button2", K::kButton, 2},  {"fbox", K::kPropellantList, 0}, {"lv", K::kResultTable, 0},
    };
    for (const Case& c : cases) {
        const auto found = FindControl(c.name);
        EXPECT_EQ(found.has_value(), c.number >= 0) << c.name;
        if (found) {
            EXPECT_EQ(*found, (ControlId{c.kind, c.number})) << c.name;
            EXPECT_EQ(ControlName(*found), c.name);
        }
    }
}

TEST(FormModel, StartsWithTheDesignTimeWindow) {
    const FormModel form;
    struct Case {
        const char* control;
        const char* text;
    };
    // clang-format off
    const Case texts[] = {
        {"Edit1", "0"},        {"Edit7", "0"},          {"Edit9", "1"},         {"Edit11", "0,96"},
        {"Edit30", "0,101"},   {"Edit32", "0,0"},       {"Edit94", "1"},        {"Edit17", "42,39"},
        {"Edit39", "-0,009"},  {"Edit92", "0"},         {"Label26", "8314"},    {"Label189", "--"},
        {"Label141", "0"},     {"Label93", "KN/SB-65/35"}, {"GroupBox10", "KN/SU"}, {"sb", ""},
        {"Memo1", "Описание двигателя:"},
    };
    // clang-format on
    for (const Case& c : texts) {
        EXPECT_EQ(form.text(*FindControl(c.control)), c.text) << c.control;
    }
    EXPECT_FALSE(form.isFieldEnabled(EditId{95}));
    EXPECT_FALSE(form.isFieldEnabled(EditId{96}));
    EXPECT_TRUE(form.isChecked(kCoredGrainsBox));
    EXPECT_FALSE(form.isChecked(kEndGrainBox));
    EXPECT_FALSE(form.isButtonEnabled(kExportButton));
    EXPECT_EQ(form.stepperPosition(StepperId{11}), 10);
    EXPECT_EQ(form.selectedPropellant(), -1);
    EXPECT_EQ(form.activeTab(), 1);
    EXPECT_FALSE(form.progressBar().visible);
    EXPECT_EQ(form.chart(ChartId{2}).leftMax, 12);
    EXPECT_FALSE(form.modified());
}

TEST(EntryFilter, TurnsWhatIsNoPositiveNumberIntoZero) {
    struct Case {
        int edit;
        const char* typed;
        const char* shown;
        bool hint;
    };
    const Case cases[] = {
        {4, "-", "0", true},       {4, "12,5", "12,5", false}, {12, "abc", "0", true},
        {13, "1.5", "1.5", false}, {41, "-0,148", "0", true},  {5, ",", "0", true},
        {29, "", "0", true},
    };
    for (const Case& c : cases) {
        FormModel form;
        ChangeLog log(form);
        Type(form, c.edit, "7");
        Type(form, c.edit, c.typed);
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.shown) << c.typed;
        EXPECT_EQ(form.statusText() == EntryHint(), c.hint) << c.typed;
        EXPECT_EQ(log.saw(ChangeKind::kSelectAll, ToControl(EditId{c.edit})), c.hint);
        EXPECT_TRUE(form.modified());
    }
}

TEST(EntryFilter, RunsOnlyOnARealChangeAndNotWhileLoading) {
    FormModel form;
    Type(form, 4, "0");  // the design-time text again: no change, no handler
    EXPECT_FALSE(form.modified());
    EXPECT_EQ(form.statusText(), "");

    Load(form, 41, "-0,148");
    EXPECT_EQ(form.fieldText(EditId{41}), "-0,148");
    EXPECT_FALSE(form.modified());

    Type(form, 4, "-");
    Type(form, 5, "12");  // a valid entry leaves the hint standing
    EXPECT_EQ(form.statusText(), EntryHint());
}

TEST(Steppers, WriteTheirFieldsAndStayInRange) {
    FormModel form;
    form.setStepperPosition(StepperId{7}, 71);
    form.clickStepper(StepperId{7});
    EXPECT_EQ(form.fieldText(EditId{30}), "0,091");
    form.setStepperPosition(StepperId{7}, 91);
    form.stepStepper(StepperId{7}, StepDirection::kUp);  // already at the top
    EXPECT_EQ(form.stepperPosition(StepperId{7}), 91);
    EXPECT_EQ(form.fieldText(EditId{30}), "0,111");

    form.stepStepper(StepperId{9}, StepDirection::kUp);  // kv steps by 10
    EXPECT_EQ(form.fieldText(EditId{32}), "0,1");

    EXPECT_TRUE(form.setStepperPosition(StepperId{11}, 5));
    EXPECT_EQ(form.stepperPosition(StepperId{11}), 10);
    EXPECT_TRUE(form.setStepperPosition(StepperId{11}, 500));
    EXPECT_EQ(form.stepperPosition(StepperId{11}), 300);
    EXPECT_FALSE(form.setStepperPosition(StepperId{11}, 40000));
    EXPECT_EQ(form.stepperPosition(StepperId{11}), 300);
    EXPECT_EQ(form.fieldText(EditId{94}), "1");  // positions alone write nothing
}

TEST(ExpansionRatioField, MovesItsStepper) {
    struct Case {
        const char* typed;
        const char* shown;
        int position;
        const char* refreshed;
    };
    const Case cases[] = {
        {"2,54", "2,54", 25, "2,5"}, {"0", "10", 100, "10"},      {"0,5", "0,5", 10, "1"},
        {"45", "45", 300, "30"},     {"2.25", "2.25", 22, "2,2"},
    };
    for (const Case& c : cases) {
        FormModel form;
        Type(form, 94, c.typed);
        EXPECT_EQ(form.fieldText(EditId{94}), c.shown) << c.typed;
        EXPECT_EQ(form.stepperPosition(StepperId{11}), c.position) << c.typed;
        form.refreshStepperFields();
        EXPECT_EQ(form.fieldText(EditId{94}), c.refreshed) << c.typed;
    }
    FormModel loading;  // the rule runs while a file loads, too
    Load(loading, 94, "2,5");
    EXPECT_EQ(loading.stepperPosition(StepperId{11}), 25);
    Load(loading, 94, "1,2,3");  // no number: the position stays
    EXPECT_EQ(loading.stepperPosition(StepperId{11}), 25);
}

TEST(RefreshStepperFields, NormalisesTextsAndRewritesStepperFields) {
    struct Case {
        int edit;
        const char* loaded;
        const char* refreshed;
    };
    const Case cases[] = {
        {1, "12a5", "12,5"},  {2, "1e3", "1,3"},        {12, "", ""},
        {30, "0,2", "0,101"}, {11, "0,5", "0,96"},      {31, "7", "7"},
        {39, "-0.009", "0"},  {39, "-0,009", "-0,009"}, {13, "1 5", "1,5"},
    };
    for (const Case& c : cases) {
        FormModel form;
        Load(form, c.edit, c.loaded);
        form.refreshStepperFields();
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.refreshed) << c.loaded;
    }
}

TEST(PropellantList, SelectionMarksTheDocumentUnlessLoading) {
    FormModel form;
    testing::ListPropellants(form, 1);
    EXPECT_FALSE(form.modified());
    ChangeLog log(form);
    EXPECT_TRUE(form.selectPropellant(2));
    EXPECT_TRUE(form.modified());
    EXPECT_TRUE(log.saw(ChangeKind::kFocus, ToControl(kCalculateButton)));

    EXPECT_FALSE(form.selectPropellant(3));  // no fourth entry: no selection at all
    EXPECT_EQ(form.selectedPropellant(), -1);
    form.setPropellantItems({"a"});
    EXPECT_EQ(form.selectedPropellant(), -1);
}

TEST(FormModel, TellsObserversUntilRemovedAndMarksMemoEdits) {
    FormModel form;
    int told = 0;
    const int token = form.addObserver([&told](const Change&) { ++told; });
    form.setLoadingGuard(true);
    form.setMemoText("Двигатель");
    form.setLoadingGuard(false);
    EXPECT_FALSE(form.modified());
    EXPECT_GT(told, 0);
    form.removeObserver(token);
    const int before = told;
    form.setMemoText("Двигатель 2");
    EXPECT_TRUE(form.modified());
    EXPECT_EQ(told, before);
}

}  // namespace
}  // namespace tarvo
