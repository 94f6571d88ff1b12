// The document state, the save prompt, New, Open, Save and the window's life.

#include "form/document.h"

#include <vector>

#include "files/key_maps.h"
#include "files/legacy_import.h"
#include "form/form_layout.h"
#include "form/motor_file.h"

namespace tarvo {
namespace {

std::string UnsavedFileQuestion(const std::string& fileName) {
    return fileName.empty() ? std::string("Файл не сохранён. Сохранить?")
                            : "Файл " + fileName + " не сохранён. Сохранить?";
}

}  // namespace

DocumentSettings DesktopDocumentSettings() {
    return {DefaultPropellantFilePath(), TarvoIniPath(), true};
}

Document::Document(FormModel& form, Dialogs& dialogs, DocumentSettings settings)
    : form_(form), dialogs_(dialogs), settings_(std::move(settings)) {}

int Document::addObserver(Observer observer) {
    const int token = nextObserverToken_++;
    observers_[token] = std::move(observer);
    return token;
}

void Document::removeObserver(int token) {
    observers_.erase(token);
}

void Document::addSection(MotorFileSection& section) {
    sections_.push_back(&section);
}

void Document::removeSection(MotorFileSection& section) {
    std::erase(sections_, &section);
}

void Document::notify(DocumentEvent event) {
    // An observer may add or remove observers while it is told.
    std::vector<Observer> current;
    for (const auto& [token, observer] : observers_) {
        current.push_back(observer);
    }
    for (const Observer& observer : current) {
        observer(event);
    }
}

// ---- The window's life ----

void Document::create() {
    savedEndGrain_ = false;
    savedCoredGrains_ = true;
    if (!loadDefaultPropellantFile()) {
        restorePropellantDefaults();
    }
}

void Document::activate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    form_.setLoadingGuard(true);
    loadRecentList();
    newDocument();
    if (!settings_.propellantFile || !FileExists(*settings_.propellantFile)) {
        form_.setStatusText(0, kMissingGrainsNotice);
    }
}

bool Document::closeQuery() {
    return promptToSave() != SaveAnswer::kStop;
}

void Document::destroy() {
    saveRecentList();
}

// ---- Document state ----

bool Document::isDocumentChanged() const {
    return form_.modified() || form_.isChecked(kEndGrainBox) != savedEndGrain_ ||
           form_.isChecked(kCoredGrainsBox) != savedCoredGrains_;
}

Document::SaveAnswer Document::promptToSave() {
    if (!isDocumentChanged()) {
        return SaveAnswer::kProceed;
    }
    switch (dialogs_.askYesNoCancel(UnsavedFileQuestion(currentFileName_))) {
        case Answer::kYes: {
            const bool saved =
                motorFileOpen() ? saveMotorFile(currentFileName_) : saveUnderChosenName();
            return saved ? SaveAnswer::kProceed : SaveAnswer::kStop;
        }
        case Answer::kNo:
            return SaveAnswer::kDiscard;
        case Answer::kCancel:
            break;
    }
    return SaveAnswer::kStop;
}

bool Document::askSaveChanges() {
    const SaveAnswer answer = promptToSave();
    if (answer == SaveAnswer::kDiscard) {
        form_.setModified(false);
    }
    return answer != SaveAnswer::kStop;
}

// ---- New ----

void Document::newDocument() {
    if (!askSaveChanges()) {
        return;
    }
    loadDefaultPropellantFile();
    form_.setLoadingGuard(true);
    clearResults();
    savedEndGrain_ = false;
    savedCoredGrains_ = true;
    form_.setChecked(kEndGrainBox, false);
    form_.setChecked(kCoredGrainsBox, true);
    form_.setButtonEnabled(kCalculateButton, true);
    form_.setButtonEnabled(kExportButton, false);
    form_.setMemoText("");
    form_.setModified(false);
    resetControls();
    currentFileName_.clear();
    for (int panel = 0; panel < kStatusPanelCount; ++panel) {
        form_.setStatusText(panel, "");
    }
    notify(DocumentEvent::kCurrentFile);
    for (MotorFileSection* section : sections_) {
        section->clear();
    }
    form_.refreshStepperFields();
    form_.setModified(false);
    form_.resetModel();
    form_.setActiveTab(0);
    form_.setLoadingGuard(false);
}

// The results of tabs 1 to 4 belong to the design that was shown; a file that then fails its
// checks must not show the table of another motor either.
void Document::clearResults() {
    form_.clearKnResults();
    form_.clearPressureResults();
    form_.clearThrustResults();
    form_.clearResultTable();
}

// The default design, in the order New writes it: each write may run the rules of its field.
void Document::resetControls() {
    struct FieldText {
        int edit;
        std::string_view text;
    };
    struct StepperPosition {
        int stepper;
        int position;
    };
    const auto write = [this](std::initializer_list<FieldText> fields) {
        for (const FieldText& field : fields) {
            form_.setFieldText(EditId{field.edit}, field.text);
        }
    };
    const auto step = [this](std::initializer_list<StepperPosition> steppers) {
        for (const StepperPosition& stepper : steppers) {
            form_.setStepperPosition(StepperId{stepper.stepper}, stepper.position);
            form_.clickStepper(StepperId{stepper.stepper});
        }
    };
    write({{1, "0"}, {2, "0"}});
    form_.setLabelText(LabelId{118}, "0");
    form_.selectPropellant(kDefaultPropellantIndex);
    write({{4, "0"}, {5, "0"}, {6, "0"}, {7, "1"}});
    step({{2, 0}, {3, 1}, {4, 1}, {5, 96}});
    write({{95, "0"}, {96, "0"}, {12, "0"}, {13, "0"}});
    form_.setMemoText(kMemoFirstLine);
    step({{6, 95}, {7, 81}, {8, 6}, {9, 0}, {10, 85}, {11, 10}});
}

// ---- Open ----

void Document::openCommand() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kOpenMotor);
    if (!chosen || chosen->empty()) {
        return;
    }
    if (!FileExists(*chosen)) {
        dialogs_.showMessage(MessageIcon::kError, FileNotFoundMessage(*chosen));
        return;
    }
    openMotorFile(*chosen);
}

void Document::openMotorFile(const std::string& path) {
    if (!askSaveChanges()) {
        return;
    }
    // Read after the prompt: its save may have written this very file.
    ReadableFile readable = OpenForReading(path);
    if (readable.failure) {
        dialogs_.showMessage(MessageIcon::kError, ReadFailureMessage(*readable.failure));
        return;
    }
    currentFileName_ = path;
    clearResults();
    IniDocument& document = readable.file.document();
    if (ConvertLegacyMotorFile(document) == LegacyConversion::Converted && settings_.writeFiles) {
        // A file that cannot be rewritten is simply converted again at its next opening.
        (void)readable.file.Commit();
    }
    readMotorDocument(document);
    for (MotorFileSection* section : sections_) {
        section->readFrom(document, path);
    }
    recent_.Add(path);
    rebuildRecentMenu();
    form_.setModified(false);
}

void Document::readMotorDocument(IniDocument& document) {
    form_.setLoadingGuard(true);
    FillPropellants(form_, document);
    const SavedGrainBoxes saved = ReadMotorKeys(form_, document);
    savedEndGrain_ = saved.endGrain;
    savedCoredGrains_ = saved.coredGrains;
    form_.setLoadingGuard(false);
    form_.refreshStepperFields();
    form_.calculate();
}

// ---- Save ----

bool Document::saveMotorFile(const std::string& path) {
    return storeMotorFile(path, currentFileName_);
}

bool Document::storeMotorFile(const std::string& path, const std::string& documentName) {
    const std::string written = ReplaceExtension(path, kMotorFileExtension);
    form_.refreshStepperFields();
    IniFile file = IniFile::Open(written);
    WritePropellants(form_, file.document());
    WriteMotorKeys(form_, file.document());
    for (MotorFileSection* section : sections_) {
        section->writeTo(file.document(), written);
    }
    if (const std::optional<FileError> failure = file.Commit()) {
        dialogs_.showMessage(MessageIcon::kError, SaveFailureMessage(*failure));
        return false;
    }
    currentFileName_ = documentName;
    savedEndGrain_ = form_.isChecked(kEndGrainBox);
    savedCoredGrains_ = form_.isChecked(kCoredGrainsBox);
    form_.setModified(false);
    recent_.Add(written);
    rebuildRecentMenu();
    return true;
}

bool Document::save() {
    return motorFileOpen() ? saveMotorFile(currentFileName_) : saveUnderChosenName();
}

bool Document::saveAs() {
    return saveUnderChosenName();
}

// The chosen name becomes the document's only once the file is written: a failed save keeps
// the document where it was.
bool Document::saveUnderChosenName() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kSaveMotor);
    if (!chosen || chosen->empty()) {
        return false;
    }
    return storeMotorFile(*chosen, *chosen);
}

}  // namespace tarvo
