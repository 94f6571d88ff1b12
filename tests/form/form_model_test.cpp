#include <gtest/gtest.h>

#include "form/form_model.h"

#include "form/form_layout.h"
#include "form_test_support.h"

namespace tarvo {
namespace {

using testing::Load;
using testing::Type;

// Counts the changes of one kind the form announces for one control.
struct Announced {
    Announced(FormModel& form, ChangeKind kind, ControlId control) {
        form.addObserver([=, this](const Change& change) {
            count += change.kind == kind && change.control == control;
        });
    }
    int count = 0;
};

TEST(EntryFilter, TurnsWhatIsNoPositiveNumberIntoZeroButNotWhileLoading) {
    const std::string hint =
        "Допустимый ввод - цифры и разделитель целой и дробной частей: знак (,)";
    struct Case {
        int edit;
        const char* text;
        bool loading;
        const char* shown;
        bool rejected;
        bool modified;
    };
    const Case cases[] = {
        {4, "-", false, "0", true, true},
        {4, "0", false, "0", true, true},
        {4, "12,5", false, "12,5", false, true},
        {12, "abc", false, "0", true, true},
        {13, "1.5", false, "1.5", false, true},
        {41, "-0,148", false, "0", true, true},
        {5, ",", false, "0", true, true},
        {29, "", false, "0", true, true},
        {41, "-0,148", true, "-0,148", false, false},
        {4, "7", false, "7", false, false},  // the same text again: no change, no handler
    };
    for (const Case& c : cases) {
        FormModel form;
        Load(form, c.edit, "7");
        Announced selectAll(form, ChangeKind::kSelectAll, ToControl(EditId{c.edit}));
        (c.loading ? Load : Type)(form, c.edit, c.text);
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.shown) << c.text;
        EXPECT_EQ(form.statusText(), c.rejected ? hint : "") << c.text;
        EXPECT_EQ(selectAll.count > 0, c.rejected) << c.text;
        EXPECT_EQ(form.modified(), c.modified) << c.text;
    }
    FormModel form;
    Type(form, 4, "-");
    Type(form, 5, "12");  // a valid entry leaves the hint standing
    EXPECT_EQ(form.statusText(), hint);
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
        {1, "12a5", "12,5"}, {2, "1e3", "1,3"}, {12, "", ""},        {30, "0,2", "0,101"},
        {11, "0,5", "0,96"}, {31, "7", "7"},    {39, "-0.009", "0"}, {39, "-0,009", "-0,009"},
    };
    for (const Case& c : cases) {
        FormModel form;
        Load(form, c.edit, c.loaded);
        form.refreshStepperFields();
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.refreshed) << c.loaded;
    }
}

TEST(FormModel, MarksUserChangesOnlyAndTellsObserversUntilRemoved) {
    FormModel form;
    testing::TypeMotor(form, 1, {});
    form.setLoadingGuard(true);
    form.setMemoText("Двигатель");
    form.setLoadingGuard(false);
    EXPECT_FALSE(form.modified());
    Announced focus(form, ChangeKind::kFocus, ToControl(kCalculateButton));
    EXPECT_TRUE(form.selectPropellant(2));
    EXPECT_TRUE(form.modified());
    EXPECT_EQ(focus.count, 1);
    EXPECT_FALSE(form.selectPropellant(3));  // no fourth entry: no selection at all
    EXPECT_EQ(form.selectedPropellant(), -1);

    int told = 0;
    form.removeObserver(form.addObserver([&told](const Change&) { ++told; }));
    form.setModified(false);
    form.setMemoText("Двигатель 2");
    EXPECT_TRUE(form.modified());
    EXPECT_EQ(told, 0);
}

}  // namespace
}  // namespace tarvo
