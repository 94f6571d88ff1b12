// "Импорт…" and "Экспорт в openMotor (.ric)…" in the window: an import is a new, unsaved and
// changed document; a refused or cancelled one leaves the window as it was; a motor exported
// and imported again shows the same fields.

#include <filesystem>

#include "../interop/interop_test_support.h"
#include "document_test_support.h"
#include "form/diagnostic_text.h"
#include "form/form_layout.h"
#include "form/motor_interop.h"
#include "input/steppers.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::WriteBytes;

class ImportTest : public DocumentTest {
protected:
    std::string File(const std::string& name, std::string_view text) const {
        WriteBytes(dir.File(name), text);
        return dir.File(name);
    }
    std::vector<std::string> Fields() const {
        std::vector<std::string> texts;
        for (const FieldLayout& field : FieldLayouts()) {
            texts.push_back(form.fieldText(EditId{field.edit}));
        }
        for (const StepperRule& rule : kStepperRules) {
            texts.push_back(std::to_string(form.stepperPosition(StepperId{rule.stepper})));
        }
        return texts;
    }
};

TEST_F(ImportTest, AnImportIsANewUnsavedChangedDocument) {
    document.openMotorFile(MotorFile("old.zel", "[Params]\r\nDc=99\r\n"));
    dialogs.files = {File("motor.ric", testing::kRic)};
    dialogs.items = {2};
    document.importCommand();
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{ChooseSlotQuestion("Sorbitol")});
    EXPECT_EQ(dialogs.offeredItems[2], "3: KN/SU - Нитрат калия - сахар");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].rfind("Импорт из openMotor: motor.ric\n", 0), 0u)
        << dialogs.messages[0];
    EXPECT_EQ(document.currentFileName(), "");
    EXPECT_EQ(form.statusText(1), "");
    EXPECT_EQ(form.statusText(2), kUntitledDocument);
    EXPECT_TRUE(document.isDocumentChanged());
    // The motor as the import gave it, its propellant in the chosen slot; KN/DX keeps its own.
    const std::pair<int, const char*> texts[] = {
        {1, "30"}, {24, "1,8"}, {28, "1600"}, {73, "8"}, {14, "1,879"}};
    for (const auto& [edit, text] : texts) {
        EXPECT_EQ(form.fieldText(EditId{edit}), text) << "Edit" << edit;
    }
    EXPECT_EQ(form.selectedPropellant(), 2);
    EXPECT_EQ(form.groupCaption(10), "Sorbitol");
}

// Nothing changes when the import does not happen: a refused file, a cancelled question, or
// Cancel at the prompt to save the changed document.
TEST_F(ImportTest, ARefusedOrCancelledImportLeavesTheWindowAsItWas) {
    const struct {
        std::string_view text;
        std::optional<int> slot;
        std::optional<Answer> savePrompt;
        const char* message;  // part of the one message shown, "" for none
    } cases[] = {
        {"data: {grains: []}", 0, std::nullopt, "не импортирован: data.grains: нет списка"},
        {testing::kRic, std::nullopt, std::nullopt, ""},
        {testing::kRic, 0, Answer::kCancel, ""},
    };
    for (const auto& c : cases) {
        form.setFieldText(EditId{1}, "77");
        dialogs.messages.clear();
        dialogs.files = {File("m.ric", c.text)};
        dialogs.items = {c.slot};
        if (c.savePrompt) {
            dialogs.answers = {*c.savePrompt};
        }
        document.importCommand();
        EXPECT_EQ(form.fieldText(EditId{1}), "77") << c.message;
        EXPECT_EQ(form.statusText(2), "") << c.message;
        if (*c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_NE(dialogs.messages[0].find(c.message), std::string::npos)
                << dialogs.messages[0];
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
        }
    }
}

TEST_F(ImportTest, TheOptimalNozzleIsTheCalculatedOptimum) {
    FixedImportQuestions questions(0, 0);
    const std::string optimal =
        testing::Replaced(testing::kMeteorSi,
                          {{"CUSTOM_KNSB", "KNSB_COARSE"},
                           {R"("nozzleExpansionRatio": 8)", R"("nozzleExpansionRatio": null)"},
                           {R"("optimalNozzleDesign": false)", R"("optimalNozzleDesign": true)"}});
    const ImportOutcome outcome = document.importMotorFile(File("opt.json", optimal), questions);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported) << outcome.message;
    ASSERT_TRUE(form.isButtonEnabled(kExportButton)) << form.statusText(0);
    const double optimum = form.lastCalculation().figures.AeAtOptMid;
    const double shown = ParseNumber(form.fieldText(EditId{94})).value_or(0);
    EXPECT_NEAR(shown, optimum, 0.05 + 1e-9);
    EXPECT_GT(shown, 1);
    EXPECT_TRUE(testing::Mentions(outcome.motor.report.converted,
                                  "optimalNozzleDesign: Ae/At = " + form.fieldText(EditId{94})));
    EXPECT_EQ(form.statusText(0), kSuccessMessage);
}

// Export, import: the same fields.
TEST_F(ImportTest, AMotorExportedAndImportedAgainShowsTheSameFields) {
    FixedImportQuestions questions(0, 1);
    ASSERT_EQ(document.importMotorFile(File("m.ric", testing::kRic), questions).status,
              ImportOutcome::Status::kImported);
    const std::vector<std::string> before = Fields();
    const std::string exported = dir.File("out.ric");
    dialogs.files = {exported};
    document.exportRicCommand();
    EXPECT_EQ(form.statusText(0), "Двигатель записан в файл out.ric");
    ASSERT_EQ(dialogs.messages.size(), 1u);  // the chamber and k2ph are not in a .ric
    EXPECT_NE(dialogs.messages[0].find("k2ph"), std::string::npos);

    dialogs.answers = {Answer::kNo};  // discard the imported document
    ASSERT_EQ(document.importMotorFile(exported, questions).status,
              ImportOutcome::Status::kImported);
    EXPECT_EQ(Fields(), before);

    form.setFieldText(EditId{12}, "0");  // no throat: nothing is written
    dialogs.messages.clear();
    dialogs.files = {dir.File("bad.ric")};
    document.exportRicCommand();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("bad.ric не записан: поле Kno"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.ric")));
}

}  // namespace
}  // namespace tarvo
