// The document state, the save prompt, New, Open, Save and the window's life.

#include "form/document.h"

#include <vector>

#include "files/checks_section.h"
#include "files/key_maps.h"
#include "files/legacy_import.h"
#include "form/form_layout.h"
#include "form/motor_file.h"
#include "form/motor_interop.h"
#include "input/steppers.h"

namespace tarvo {
namespace {

std::string UnsavedFileQuestion(const std::string& fileName) {
    return fileName.empty() ? std::string("Файл не сохранён. Сохранить?")
                            : "Файл " + fileName + " не сохранён. Сохранить?";
}

}  // namespace

std::string ChangedFileQuestion(std::string_view path) {
    return "Файл " + std::string(path) + " изменён другой программой. Перезаписать?";
}

DocumentSettings DesktopDocumentSettings() {
    return {PropellantFileLocations(), TarvoIniPath(), true};
}

std::string SavedMessage(std::string_view path) {
    return "Сохранено: " + FileNameOf(path);
}

Document::Document(FormModel& form, Dialogs& dialogs, DocumentSettings settings)
    : form_(form), dialogs_(dialogs), settings_(std::move(settings)) {
    announcedTitle_ = windowTitle();
    // Modified lives in the form, and so do the grain boxes compared with their saved states.
    formObserverToken_ = form_.addObserver([this](const Change& change) {
        if (change.kind == ChangeKind::kDocumentState || change.kind == ChangeKind::kChecked) {
            announceTitle();
        }
    });
}

Document::~Document() {
    form_.removeObserver(formObserverToken_);
}

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
    if (event == DocumentEvent::kCurrentFile) {
        announceTitle();
    }
}

std::string Document::windowTitle() const {
    const std::string name =
        motorFileOpen() ? FileNameOf(currentFileName_) : std::string(kUntitledDocument);
    return name + "[*] — " + std::string(kWindowCaption);
}

void Document::announceTitle() {
    const bool changed = isDocumentChanged();
    std::string title = windowTitle();
    if (title != announcedTitle_ || changed != announcedChanged_) {
        announcedTitle_ = std::move(title);
        announcedChanged_ = changed;
        notify(DocumentEvent::kTitle);
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
    showStartupNotices();
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
    if (askSaveChanges()) {
        resetToNewDocument();
    }
}

void Document::resetToNewDocument() {
    loadDefaultPropellantFile();
    form_.setLoadingGuard(true);
    clearResults();
    form_.clearFieldMarks();
    savedEndGrain_ = false;
    savedCoredGrains_ = true;
    form_.setChecked(kEndGrainBox, false);
    form_.setChecked(kCoredGrainsBox, true);
    form_.setButtonEnabled(kCalculateButton, true);
    form_.setButtonEnabled(kExportButton, false);
    form_.setMemoText("");
    form_.setCheckSettings({});
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
    form_.clearCalculation();
    form_.setActiveTab(0);
    form_.setLoadingGuard(false);
    encoding_ = TextEncoding::Windows1251;
    rememberFile("", std::nullopt);
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
// A field gets the text a motor file without its key would give it, a stepper its default
// position.
void Document::resetControls() {
    const auto write = [this](std::initializer_list<int> fields) {
        for (const int edit : fields) {
            const MotorKey* key = FindMotorKey("Edit" + std::to_string(edit));
            form_.setFieldText(EditId{edit}, key ? MotorKeyFallback(*key) : "0");
        }
    };
    const auto step = [this](std::initializer_list<int> steppers) {
        for (const int stepper : steppers) {
            const StepperRule* rule = FindStepperRule(stepper);
            form_.setStepperPosition(StepperId{stepper}, rule->defaultPosition);
            form_.clickStepper(StepperId{stepper});
        }
    };
    write({field::kDc, field::kLc});
    constexpr int kEndGrainKnLabel = 118;
    form_.setLabelText(LabelId{kEndGrainKnLabel}, FindLabelLayout(kEndGrainKnLabel)->defaultText);
    form_.selectPropellant(kDefaultPropellantIndex);
    write({field::kDo, field::kdo, field::kLo, field::kN});
    step({2, 3, 4, 5});
    write({field::kLto, field::kDto, field::kKno, field::ke});
    form_.setMemoText(kMemoFirstLine);
    step({6, 7, 8, 9, 10, 11});
}

// ---- Open ----

void Document::openCommand() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kOpenMotor);
    if (!chosen || chosen->empty()) {
        return;
    }
    openMotorFile(*chosen);
}

bool Document::refuseToOpen(const std::string& path, const ReadableFile& file) {
    const std::optional<std::string> refusal = MotorFileRefusal(path, file);
    if (refusal) {
        dialogs_.showMessage(MessageIcon::kError, *refusal);
    }
    return refusal.has_value();
}

// A file that is not opened is refused before the save prompt, so that nothing the user had
// changes; it is read again after the prompt, whose save may have written this very file.
void Document::openMotorFile(const std::string& path) {
    if (refuseToOpen(path, OpenForReading(path)) || !askSaveChanges()) {
        return;
    }
    ReadableFile readable = OpenForReading(path);
    if (refuseToOpen(path, readable)) {
        return;
    }
    IniDocument& document = readable.file.document();
    rememberFile(path, readable.file.stamp());
    if (ConvertLegacyMotorFile(document) == LegacyConversion::Converted && settings_.writeFiles) {
        // A file that cannot be rewritten is simply converted again at its next opening.
        if (!readable.file.Commit()) {
            rememberFile(path, StampOf(path));
        }
    }
    openMotorDocument(document, path);
}

void Document::openMotorDocument(IniDocument& document, const std::string& path) {
    currentFileName_ = path;
    clearResults();
    encoding_ = document.encoding();
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
    form_.clearFieldMarks();
    FillPropellants(form_, document);
    const SavedGrainBoxes saved = ReadMotorKeys(form_, document);
    form_.setCheckSettings(ReadChecksSection(document));
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

void Document::rememberFile(const std::string& path, std::optional<FileStamp> stamp) {
    stampedPath_ = path;
    stamp_ = stamp;
}

// Only the file this document read or wrote is compared: another file chosen in the save
// dialog was confirmed there.
bool Document::mayWriteOver(const std::string& path) {
    if (path != stampedPath_ || !stamp_) {
        return true;
    }
    const std::optional<FileStamp> now = StampOf(path);
    return !now || *now == *stamp_ || dialogs_.askOverwriteChangedFile(ChangedFileQuestion(path));
}

// Writes the file in its encoding, or in UTF-8 or with "?" as the user chose when the text has
// characters Windows-1251 cannot hold. False when nothing was written; the user knows why.
bool Document::writeFile(IniFile& file) {
    IniDocument& document = file.document();
    const std::string lost = UnencodableCharacters(document.Text(), document.encoding());
    if (!lost.empty()) {
        switch (
            dialogs_.askUnencodableCharacters(UnencodableCharactersQuestion(file.path(), lost))) {
            case EncodingAnswer::kSaveAsUtf8:
                document.setEncoding(TextEncoding::Utf8);
                break;
            case EncodingAnswer::kReplaceWithQuestionMarks:
                break;
            case EncodingAnswer::kCancel:
                return false;
        }
    }
    if (const std::optional<FileError> failure = file.Commit()) {
        dialogs_.showMessage(MessageIcon::kError, SaveFailureMessage(*failure));
        return false;
    }
    if (!lost.empty() && document.encoding() == TextEncoding::Windows1251) {
        ShowWindows1251Texts(form_);
    }
    return true;
}

bool Document::storeMotorFile(const std::string& path, const std::string& documentName) {
    const std::string written = ReplaceExtension(path, kMotorFileExtension);
    form_.refreshStepperFields();
    if (!mayWriteOver(written)) {
        return false;
    }
    IniFile file = IniFile::Open(written);
    file.document().setEncoding(encoding_);
    WritePropellants(form_, file.document());
    WriteMotorKeys(form_, file.document());
    WriteChecksSection(form_.checkSettings(), file.document());
    for (MotorFileSection* section : sections_) {
        section->writeTo(file.document(), written);
    }
    if (!writeFile(file)) {
        return false;
    }
    encoding_ = file.document().encoding();
    rememberFile(written, StampOf(written));
    currentFileName_ = documentName;
    savedEndGrain_ = form_.isChecked(kEndGrainBox);
    savedCoredGrains_ = form_.isChecked(kCoredGrainsBox);
    form_.setModified(false);
    recent_.Add(written);
    rebuildRecentMenu();
    form_.setStatusText(0, SavedMessage(written));
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
