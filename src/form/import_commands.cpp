// Designs of other motor programs: "Импорт…" opens one as a new, unsaved document, and
// "Экспорт в openMotor (.ric)…" writes the window's motor for openMotor.

#include <cmath>

#include "files/key_maps.h"
#include "form/calculated_figures.h"
#include "form/document.h"
#include "form/form_layout.h"
#include "form/motor_file.h"
#include "form/motor_interop.h"
#include "input/steppers.h"
#include "model/number_text.h"

namespace tarvo {

void Document::importCommand() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kImportMotor);
    if (!chosen || chosen->empty()) {
        return;
    }
    DialogImportQuestions questions(dialogs_, form_);
    const ImportOutcome outcome = importMotorFile(*chosen, questions);
    if (outcome.status == ImportOutcome::Status::kRefused) {
        dialogs_.showMessage(MessageIcon::kError, outcome.message);
    } else if (outcome.status == ImportOutcome::Status::kImported) {
        dialogs_.showMessage(MessageIcon::kInformation, outcome.reportText());
    }
}

ImportOutcome Document::importMotorFile(const std::string& path, ImportQuestions& questions) {
    ImportOutcome outcome = ImportMotorFile(path, questions);
    if (outcome.status != ImportOutcome::Status::kImported) {
        return outcome;
    }
    if (!askSaveChanges()) {
        outcome.status = ImportOutcome::Status::kCancelled;
        return outcome;
    }
    resetToNewDocument();
    IniDocument& document = outcome.motor.motor;
    WritePropellants(form_, document);
    if (outcome.motor.propellant) {
        outcome.motor.propellant->WriteTo(document);
    }
    readMotorDocument(document);
    if (outcome.motor.optimalNozzle) {
        useOptimalNozzle(outcome.motor.report);
    }
    form_.setStatusText(1, "");
    form_.setStatusText(2, kUntitledDocument);
    notify(DocumentEvent::kCurrentFile);
    form_.setModified(true);
    return outcome;
}

// Ae/At set to the optimum of the calculated design, within the stepper's resolution.
void Document::useOptimalNozzle(ImportReport& report) {
    const std::optional<double> optimum = OptimalExpansionRatio(form_);
    if (!optimum) {
        report.notTaken.push_back("optimalNozzleDesign: расчёт не удался (" + form_.statusText(0) +
                                  "), Ae/At оставлено " + form_.fieldText(EditId{field::kAeAt}));
        return;
    }
    const StepperId stepper{kExpansionRatioStepper};
    form_.setStepperPosition(
        stepper, StepperPositionFor(*FindStepperRule(kExpansionRatioStepper), *optimum));
    form_.clickStepper(stepper);
    form_.calculate();
    report.converted.push_back(
        "optimalNozzleDesign: Ae/At = " + form_.fieldText(EditId{field::kAeAt}) +
        " по оптимуму Tarvo «Ae/At opt mid» " + FormatFixed(*optimum, 2));
}

void Document::exportRicCommand() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kExportRic);
    if (!chosen || chosen->empty()) {
        return;
    }
    const RicExport exported = ExportMotorAsRic(form_, *chosen);
    if (exported.error) {
        dialogs_.showMessage(MessageIcon::kError, *exported.error);
        return;
    }
    form_.setStatusText(0, RicWrittenMessage(*chosen));
    if (!exported.notWritten.empty()) {
        dialogs_.showMessage(MessageIcon::kInformation, RicNotWrittenMessage(exported.notWritten));
    }
}

}  // namespace tarvo
