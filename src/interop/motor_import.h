#pragma once
// Bringing a design of another motor program in: Meteor's JSON export or an openMotor .ric
// file becomes a motor document with a report. A file holding more than one design asks which
// to take; a file with a propellant of its own asks which of the three propellant slots it
// replaces. Whatever Tarvo's model cannot represent is refused with a message naming it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interop/motor_draft.h"

namespace tarvo {

enum class ImportFormat { kMeteorJson, kOpenMotorRic };

// By the extension (".json", ".ric" in any case); otherwise a text starting with "{" is JSON.
ImportFormat DetectImportFormat(std::string_view fileName, std::string_view text);

// The questions an import may ask; nothing for an answer cancels the import.
class ImportQuestions {
public:
    virtual ~ImportQuestions() = default;
    // Which design (index into `names`) to take. Asked whenever the file holds designs, even
    // one, so that a fixed choice can be refused when the file lacks it.
    virtual std::optional<int> chooseDesign(const std::vector<std::string>& names) = 0;
    // Which propellant slot (0..2) the file's own propellant `name` replaces.
    virtual std::optional<int> chooseSlot(std::string_view name) = 0;
};

struct ImportOutcome {
    enum class Status { kImported, kRefused, kCancelled };
    Status status = Status::kCancelled;
    ImportedMotor motor;
    std::string heading;  // kImported: the report's first line, naming the file and design
    std::string message;  // kRefused: names the file and what was refused

    // The report as it is shown and printed.
    std::string reportText() const { return FormatImportReport(heading, motor.report); }
};

ImportOutcome ImportMotorText(std::string_view fileName, std::string_view text,
                              ImportQuestions& questions);

// Reads the file first; a file that cannot be read is refused with the reason.
ImportOutcome ImportMotorFile(const std::string& path, ImportQuestions& questions);

// "Файл PATH не импортирован: REASON."
std::string ImportRefusedMessage(std::string_view path, std::string_view reason);

}  // namespace tarvo
