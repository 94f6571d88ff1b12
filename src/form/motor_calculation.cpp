#include "form/motor_calculation.h"

#include "files/file_io.h"
#include "files/recent_files.h"
#include "form/document.h"

namespace tarvo {
namespace {

// Nobody to ask: no prompt is expected (the document is unchanged after New), and a message
// is kept for the caller.
class UnattendedDialogs : public Dialogs {
public:
    Answer askYesNoCancel(std::string_view) override { return Answer::kCancel; }
    bool askYesNo(std::string_view) override { return false; }
    void showMessage(MessageIcon, std::string_view text) override { message = text; }
    std::optional<std::string> chooseFile(FileDialog) override { return std::nullopt; }

    std::string message;
};

// Why the file cannot be opened, or nothing when it can.
std::optional<std::string> UnreadableReason(const std::string& path) {
    const FileContents probe = ReadFileBytes(path, 0);
    if (probe.status == ReadStatus::Missing) {
        return FileNotFoundMessage(path);
    }
    if (probe.status == ReadStatus::Failed) {
        return ReadFailureMessage(*probe.error);
    }
    return std::nullopt;
}

}  // namespace

MotorFileCalculation CalculateMotorFile(FormModel& form, const std::string& path) {
    if (auto reason = UnreadableReason(path)) {
        return {MotorFileCalculation::Outcome::kUnreadable, std::move(*reason), ""};
    }
    UnattendedDialogs dialogs;
    Document document(form, dialogs, DocumentSettings{{}, "", false});
    document.create();
    document.activate();
    document.openMotorFile(path);
    if (document.currentFileName() != path) {
        return {MotorFileCalculation::Outcome::kUnreadable, dialogs.message, ""};
    }
    const bool succeeded = form.calculationSucceeded();
    return {succeeded ? MotorFileCalculation::Outcome::kSucceeded
                      : MotorFileCalculation::Outcome::kFailed,
            "", document.currentFileName()};
}

bool CalculateMotorDocument(FormModel& form, IniDocument motor, const std::string& path) {
    UnattendedDialogs dialogs;
    Document document(form, dialogs, DocumentSettings{{}, "", false});
    document.create();
    document.activate();
    document.openMotorDocument(motor, path);
    return form.calculationSucceeded();
}

MotorFileImport ImportMotorFileUnattended(FormModel& form, const std::string& path,
                                          ImportQuestions& questions,
                                          const std::string& motorFile) {
    UnattendedDialogs dialogs;
    Document document(form, dialogs, DocumentSettings{{}, "", false});
    document.create();
    document.activate();
    MotorFileImport run;
    run.outcome = document.importMotorFile(path, questions);
    if (run.outcome.status != ImportOutcome::Status::kImported) {
        return run;
    }
    run.succeeded = form.calculationSucceeded();
    run.status = form.statusText(0);
    if (!motorFile.empty() && !document.saveMotorFile(motorFile)) {
        run.saveError = dialogs.message;
    }
    return run;
}

}  // namespace tarvo
