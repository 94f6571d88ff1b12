#include <gtest/gtest.h>

#include <set>

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

// Keys typed one by one, as the view forwards them: each keystroke is a new text.
void TypeKeys(FormModel& form, int edit, std::string_view keys) {
    for (std::size_t length = 1; length <= keys.size(); ++length) {
        Type(form, edit, keys.substr(0, length));
    }
}

// Backspace pressed `count` times at the end of the field's text.
void Backspace(FormModel& form, int edit, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& text = form.fieldText(EditId{edit});
        Type(form, edit, std::string_view(text).substr(0, text.empty() ? 0 : text.size() - 1));
    }
}

const std::string kHint = "Допустимый ввод - цифры и разделитель целой и дробной частей: знак (,)";

// What the user types stays as typed; a text the field does not take marks the field (and
// puts the hint into the status bar) until the text becomes one it takes.
TEST(EntryFilter, KeepsTheTypedTextAndMarksWhatTheFieldDoesNotTake) {
    struct Case {
        int edit;
        const char* start;  // the field's text before the keys
        const char* keys;
        std::size_t backspaces;  // pressed after the keys
        const char* shown;
        bool marked;
    };
    const Case cases[] = {
        {13, "", "0,5", 0, "0,5", false},  // erosion: 0 is a value of its own there
        {13, "", ",5", 0, ",5", false},
        {12, "", "0.5", 0, "0.5", false},
        {39, "", "-0,314", 0, "-0,314", false},  // a burn-rate exponent may be negative
        {39, "", "-", 0, "-", true},
        {1, "", "123x", 0, "123x", true},
        {1, "", "123x", 1, "123", false},  // the mark goes with the stray key
        {1, "12", "", 2, "", true},        // backspaced to empty
        {1, "", "0", 0, "0", true},        // a diameter must be above 0
        {4, "", "ф", 0, "ф", true},        // a Russian-layout letter
        {8, "1", "", 1, "", true},         // an empty surface flag
        {33, "", "0", 0, "0", false},      // an unused burn-rate range
        {33, "", "-1", 0, "-1", true},
        {94, "", "2,54", 0, "2,54", false},
    };
    for (const Case& c : cases) {
        FormModel form;
        Load(form, c.edit, c.start);
        Announced marks(form, ChangeKind::kValidity, ToControl(EditId{c.edit}));
        TypeKeys(form, c.edit, c.keys);
        Backspace(form, c.edit, c.backspaces);
        const std::string name = std::string("Edit") + std::to_string(c.edit) + " " + c.keys;
        EXPECT_EQ(form.fieldText(EditId{c.edit}), c.shown) << name;
        EXPECT_EQ(form.isFieldMarked(EditId{c.edit}), c.marked) << name;
        EXPECT_EQ(form.fieldHint(EditId{c.edit}).empty(), !c.marked) << name;
        EXPECT_EQ(marks.count % 2 == 1, c.marked) << name;  // every change of the mark is told
        EXPECT_TRUE(form.modified()) << name;
    }
}

TEST(EntryFilter, TheHintComesWithTheMarkAndStays) {
    FormModel form;
    TypeKeys(form, 4, "1O");
    EXPECT_EQ(form.statusText(), kHint);
    TypeKeys(form, 5, "12");  // a valid entry elsewhere leaves the hint standing
    EXPECT_EQ(form.statusText(), kHint);
    EXPECT_TRUE(form.isFieldMarked(EditId{4}));
    EXPECT_FALSE(form.isFieldMarked(EditId{5}));
    // The field's own hint says what it takes.
    EXPECT_EQ(form.fieldHint(EditId{4}), kHint + "\nНужно число больше 0.");
    TypeKeys(form, 13, "-");
    EXPECT_EQ(form.fieldHint(EditId{13}), kHint + "\nНужно число не меньше 0.");
}

// The program's own writes while loading neither run the filter nor leave a mark behind.
TEST(EntryFilter, WritesWhileLoadingLeaveNoMark) {
    FormModel form;
    Load(form, 41, "-0,148");
    EXPECT_EQ(form.fieldText(EditId{41}), "-0,148");
    EXPECT_FALSE(form.modified());
    TypeKeys(form, 2, "x");
    ASSERT_TRUE(form.isFieldMarked(EditId{2}));
    Load(form, 2, "abc");  // a file's text replaces the typed one: not the user's to correct
    EXPECT_FALSE(form.isFieldMarked(EditId{2}));
    TypeKeys(form, 4, "x");
    form.clearFieldMarks();
    EXPECT_FALSE(form.isFieldMarked(EditId{4}));
    EXPECT_EQ(form.fieldText(EditId{4}), "x");
}

// "Рассчитать" reads the fields as before: a marked text that is no number is refused with
// the field's name, and the mark stays.
TEST(EntryFilter, CalculateNamesAMarkedField) {
    struct Case {
        int edit;
        const char* keys;
        const char* status;
    };
    const Case cases[] = {
        {2, "2OO", "Не число в поле Lc [вкладка 1]"},
        {68, "abc", "Не число в таблице скорости горения KN/SB [вкладка 5]"},
        {1, "0", "Должно быть больше 0 значение Dc [вкладка 1]"},
    };
    for (const Case& c : cases) {
        FormModel form;
        testing::TypeCoredMotor(form);
        TypeKeys(form, c.edit, c.keys);
        ASSERT_TRUE(form.isFieldMarked(EditId{c.edit})) << c.keys;
        form.calculate();
        EXPECT_EQ(form.statusText(), c.status) << c.keys;
        EXPECT_TRUE(form.isFieldMarked(EditId{c.edit})) << c.keys;
    }
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
        {1, "12a5", "12,5"}, {30, "0,2", "0,101"}, {11, "0,5", "0,96"},
        {31, "7", "7"},      {32, "", "0,0"},      {62, "abc", ",,,"},
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
    // New entries in the list leave nothing selected, as a combo box's new items do.
    EXPECT_TRUE(form.selectPropellant(1));
    Announced selection(form, ChangeKind::kSelection, kPropellantList);
    form.setPropellantItems({"a", "b", "c"});
    EXPECT_EQ(form.selectedPropellant(), -1);
    EXPECT_EQ(selection.count, 1);

    int told = 0;
    form.removeObserver(form.addObserver([&told](const Change&) { ++told; }));
    form.setModified(false);
    form.setMemoText("Двигатель 2");
    EXPECT_TRUE(form.modified());
    EXPECT_EQ(told, 0);
}

// The view builds one label or button per entry of its table, and the program writes each
// propellant's name into the label its row names: a number given twice, or a row naming a
// label the table lacks, leaves a name unshown.
TEST(FormLayout, EveryLabelAndButtonOnceAndEachPropellantNameShown) {
    std::set<int> labels;
    for (const LabelLayout& layout : LabelLayouts()) {
        EXPECT_TRUE(labels.insert(layout.label).second) << "Label" << layout.label;
    }
    std::set<int> buttons;
    for (const ButtonLayout& layout : ButtonLayouts()) {
        EXPECT_TRUE(buttons.insert(layout.button).second) << "Button" << layout.button;
    }
    for (std::size_t p = 0; p < PropellantRowLayouts().size(); ++p) {
        const LabelLayout* name = FindLabelLayout(PropellantRowLayouts()[p].rowLabel);
        ASSERT_NE(name, nullptr) << p;
        EXPECT_EQ(name->tab, 5) << p;
    }
}

}  // namespace
}  // namespace tarvo
