// "Корпус и пределы" and the list "Проверка конструкции": the values in the document and its
// motor file, the dialog's refusals, and the lines the window shows after a calculation.

#include <gtest/gtest.h>

#include <algorithm>

#include "document_test_support.h"
#include "files/key_maps.h"
#include "form/checks_dialog.h"
#include "form_test_support.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

CheckSettings ChecksOf(std::initializer_list<std::pair<CheckField, const char*>> texts) {
    CheckSettings settings;
    for (const auto& [field, text] : texts) {
        settings[field] = text;
    }
    return settings;
}

const DesignAlert* FindAlert(const FormModel& form, DiagnosticCode code) {
    const std::vector<DesignAlert>& alerts = form.designAlerts();
    const auto found = std::find_if(alerts.begin(), alerts.end(),
                                    [code](const DesignAlert& a) { return a.code == code; });
    return found == alerts.end() ? nullptr : &*found;
}

// Values set in the dialog are saved in [Checks]; the file opens and saves again unchanged,
// also when written by hand in another spelling or without the section; New forgets them.
TEST_F(DocumentTest, TheChecksSectionRoundTripsByteForByte) {
    testing::TypeCoredMotor(form);
    ChecksDialog dialog(form);
    dialog.chooseMaterial(1);  // steel 20
    dialog.setText(CheckField::kWall, "1.5");
    dialog.setText(CheckField::kMaxPressure, " 8 ");
    ASSERT_FALSE(dialog.accept());
    const std::string path = dir.File("motor.zel");
    dialogs.files = {path};
    ASSERT_TRUE(document.saveAs());
    const std::string saved = ReadBytes(path);
    EXPECT_NE(saved.find("[Checks]\r\nMaterial=steel20\r\nStrength=245\r\nWall=1,5\r\n"
                         "SafetyFactor=2,0\r\nMinPortThroat=2,0\r\nMaxMassFlux=1406\r\n"
                         "MaxPressure=8\r\n"),
              std::string::npos)
        << saved;

    document.newDocument();
    EXPECT_EQ(form.checkSettings(), CheckSettings{});
    const std::string without = saved.substr(0, saved.find("[Checks]"));
    const std::string byHand = without + "[Checks]\r\nWall=2.5\r\nMaterial=D16T\r\n";
    for (const std::string& bytes : {without, saved, byHand}) {  // none is saved without
        WriteBytes(path, bytes);
        document.openMotorFile(path);
        EXPECT_FALSE(document.isDocumentChanged());
        EXPECT_EQ(form.lastCalculation().design.limits.casing.has_value(), bytes != without);
        ASSERT_TRUE(document.save());
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    EXPECT_EQ(form.checkSettings()[CheckField::kWall], "2.5");
    const std::optional<CasingSpec>& casing = form.lastCalculation().design.limits.casing;
    ASSERT_TRUE(casing);
    EXPECT_EQ(casing->strength, 255);  // D16T's, as the file gives none
    EXPECT_EQ(casing->wall, 2.5);
}

TEST_F(DocumentTest, TheOlderLayoutsConversionKeepsTheSection) {
    const std::string path =
        MotorFile("old.zel", "[Tabs]\r\nActive=3\r\n[Checks]\r\nMaterial=PVC-U\r\nWall=3\r\n");
    document.openMotorFile(path);
    const std::string converted = ReadBytes(path);
    EXPECT_EQ(converted.find("[Tabs]"), std::string::npos);
    EXPECT_NE(converted.find("[Checks]\r\nMaterial=PVC-U\r\nWall=3\r\n"), std::string::npos);
    EXPECT_EQ(form.checkSettings(),
              ChecksOf({{CheckField::kMaterial, "PVC-U"}, {CheckField::kWall, "3"}}));
}

// A wrong value in a file stops the calculation with a message naming it, as a wrong field
// does; what the file held stays in the document.
TEST_F(DocumentTest, AWrongValueInTheFileIsNamed) {
    testing::TypeCoredMotor(form);
    const std::string path = dir.File("wrong.zel");
    dialogs.files = {path};
    ASSERT_TRUE(document.saveAs());
    WriteBytes(path, ReadBytes(path) + "[Checks]\r\nMaterial=other\r\nWall=0,5\r\n");
    document.openMotorFile(path);
    EXPECT_EQ(form.statusText(0),
              "Не задано значение «Прочность материала σ, МПа» [Корпус и пределы]");
    EXPECT_TRUE(form.designAlerts().empty());
    EXPECT_EQ(form.checkSettings()[CheckField::kWall], "0,5");
}

TEST(ChecksDialog, RefusesWhatIsNotANumberInItsRangeAndNamesIt) {
    struct Case {
        int material;
        CheckField field;
        const char* text;
        const char* named;
    };
    const Case cases[] = {
        {ChecksDialog::OtherMaterial(), CheckField::kStrength, "", "Прочность материала σ, МПа"},
        {1, CheckField::kWall, "0",
         "Толщина стенки t, мм» [Корпус и пределы]: нужно число от "
         "0,1 до 50"},
        {0, CheckField::kMinPortThroat, "4,5",
         "площади канала к критическому сечению» [Корпус "
         "и пределы]: нужно число от 1 до 4"},
        {0, CheckField::kMaxPressure, "abc", "Наибольшее давление в камере, МПа"},
        {0, CheckField::kSafetyFactor, "0,9", "Требуемый запас прочности"},
    };
    for (const Case& c : cases) {
        FormModel form;
        ChecksDialog dialog(form);
        dialog.chooseMaterial(c.material);
        dialog.setText(CheckField::kWall, "2");
        dialog.setText(c.field, c.text);
        const std::optional<ChecksRefusal> refusal = dialog.accept();
        ASSERT_TRUE(refusal) << c.text;
        EXPECT_EQ(refusal->field, c.field) << c.text;
        EXPECT_NE(refusal->message.find(c.named), std::string::npos) << refusal->message;
        EXPECT_EQ(form.checkSettings(), CheckSettings{}) << c.text;
        EXPECT_FALSE(form.modified()) << c.text;
    }
}

TEST(ChecksDialog, ChangesTheDocumentOnlyWhenAValueChanges) {
    FormModel form;
    ChecksDialog unchanged(form);
    EXPECT_FALSE(unchanged.isEnabled(CheckField::kWall));  // no casing yet
    EXPECT_EQ(unchanged.text(CheckField::kMaxPressure), "10,34");
    ASSERT_FALSE(unchanged.accept());
    EXPECT_FALSE(form.modified());

    ChecksDialog preset(form);
    preset.chooseMaterial(4);  // PVC-U: its strength, which cannot be typed over
    preset.setText(CheckField::kStrength, "100");
    EXPECT_EQ(preset.text(CheckField::kStrength), "45");
    preset.setText(CheckField::kWall, "3");
    EXPECT_NE(preset.materialNote().find("не менее 45 МПа"), std::string::npos);
    ASSERT_FALSE(preset.accept());
    EXPECT_TRUE(form.modified());
    form.setModified(false);

    ChecksDialog again(form);
    EXPECT_EQ(again.material(), 4);
    again.setText(CheckField::kSafetyFactor, "2");  // the same number, written otherwise
    ASSERT_FALSE(again.accept());
    EXPECT_FALSE(form.modified());
    again.chooseMaterial(ChecksDialog::kNoCasing);
    ASSERT_FALSE(again.accept());
    EXPECT_TRUE(form.modified());
    EXPECT_EQ(form.checkSettings()[CheckField::kMaterial], "");
}

// The dialog gives the casing's burst pressure as typed and, once a calculation reached the
// peak pressure, the safety factor it had there: the one the list's casing line shows.
TEST(ChecksDialog, GivesTheLastCalculationsSafetyFactor) {
    FormModel form;
    testing::TypeCoredMotor(form);
    ChecksDialog dialog(form);
    dialog.chooseMaterial(4);
    dialog.setText(CheckField::kWall, "1");
    EXPECT_NE(dialog.burstPressureText().find("МПа"), std::string::npos);
    EXPECT_EQ(dialog.burstPressureText().find("Последний расчёт"), std::string::npos);
    form.setCheckSettings(ChecksOf({{CheckField::kMaterial, "PVC-U"}, {CheckField::kWall, "1"}}));
    form.calculate();
    const DesignAlert* casing = FindAlert(form, DiagnosticCode::kCasing);
    ASSERT_NE(casing, nullptr);
    EXPECT_NE(dialog.burstPressureText().find("запас прочности " + casing->valueText),
              std::string::npos)
        << dialog.burstPressureText() << " / " << casing->text;
}

// The list's lines after "Рассчитать": each check that the values trigger, errors first, with
// the value and limit in the motor's units; none when the calculation could not read its
// inputs, and none after New.
TEST(DesignCheckList, ShowsTheLinesTheValuesTrigger) {
    struct Case {
        CheckSettings settings;
        DiagnosticCode code;
        Severity severity;
        const char* limitText;
    };
    const Case cases[] = {
        {{}, DiagnosticCode::kCasingMissing, Severity::kNote, ""},
        {ChecksOf({{CheckField::kMaxPressure, "1"}}), DiagnosticCode::kMaxPressure,
         Severity::kWarning, "≤ 1,00 МПа"},
        {ChecksOf({{CheckField::kMaxMassFlux, "100"}}), DiagnosticCode::kMassFlux,
         Severity::kWarning, "≤ 100 кг/(м²·с)"},
        {ChecksOf({{CheckField::kMaterial, "PVC-U"}, {CheckField::kWall, "1"}}),
         DiagnosticCode::kCasing, Severity::kError, "≥ 2,00"},
    };
    for (const Case& c : cases) {
        FormModel form;
        testing::TypeCoredMotor(form);
        form.setCheckSettings(c.settings);
        form.calculate();
        const DesignAlert* alert = FindAlert(form, c.code);
        ASSERT_NE(alert, nullptr) << CodeName(c.code);
        EXPECT_EQ(alert->severity, c.severity) << CodeName(c.code);
        EXPECT_EQ(alert->limitText, c.limitText);
        EXPECT_NE(alert->text.find(alert->valueText), std::string::npos) << alert->text;
        EXPECT_EQ(form.designAlerts().front().severity == Severity::kError,
                  c.severity == Severity::kError);
        EXPECT_EQ(FindAlert(form, DiagnosticCode::kCasingMissing) != nullptr,
                  c.settings[CheckField::kMaterial].empty());
        EXPECT_EQ(form.statusText(0), "Расчёт проведён успешно");
    }

    FormModel form;
    testing::TypeCoredMotor(form);
    form.calculate();
    ASSERT_FALSE(form.designAlerts().empty());
    testing::Type(form, 1, "30");  // the grains no longer fit: nothing is calculated
    form.calculate();
    EXPECT_TRUE(form.designAlerts().empty());
    form.calculate();
    form.clearCalculation();
    EXPECT_TRUE(form.designAlerts().empty());
}

// A pressure beyond the burn-rate table keeps its status text, and the list says how far it
// went and where the table ends.
TEST(DesignCheckList, AfterAFailedCalculationShowsThePressureOutOfTheTable) {
    FormModel form;
    testing::TypeCoredMotor(form);
    testing::Type(form, 12, "900");
    form.calculate();
    EXPECT_EQ(form.statusText(0),
              "Давление в двигателе [вкладка 2] вышло за пределы известных характеристик "
              "топлива.");
    const DesignAlert* alert = FindAlert(form, DiagnosticCode::kPressureOutOfTable);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->severity, Severity::kError);
    EXPECT_EQ(alert->limitText, "≤ 10,67 МПа");  // KN/SB's top range
    EXPECT_NE(alert->text.find(" при t = "), std::string::npos) << alert->text;
    EXPECT_NE(alert->text.find("(таблица до 10,67 МПа)"), std::string::npos) << alert->text;
    EXPECT_GT(*alert->value, *alert->limit);
}

}  // namespace
}  // namespace tarvo
