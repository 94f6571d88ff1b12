#pragma once
// One motor file calculated the way the freshly started desktop program calculates it when the
// user opens that file: the built-in propellants (no GRAINS.grn), no recent list, after New;
// then the whole open sequence with its field rules and the Calculate command. A file of the
// older layout is converted in memory only: nothing is ever written.

#include <string>
#include <vector>

#include "form/form_model.h"
#include "interop/motor_import.h"

namespace tarvo {

struct MotorFileCalculation {
    enum class Outcome {
        kSucceeded,   // all three stages succeeded
        kFailed,      // the status bar holds the failure message
        kUnreadable,  // no such file, or it cannot be read: nothing was calculated
    };
    Outcome outcome = Outcome::kUnreadable;
    std::string message;   // for kUnreadable: names the file and the reason
    std::string fileName;  // the document's file once it is open
};

// `form` must be freshly constructed: it ends up showing what the window would show.
MotorFileCalculation CalculateMotorFile(FormModel& form, const std::string& path);

// The same for a motor document `motor` held in memory, as if the file `path` held it: a changed
// copy of a file calculates exactly as that file would. The document must be a motor document of
// the current layout (a file of the older layout converted with ConvertLegacyMotorFile).
// True when all three stages succeeded.
bool CalculateMotorDocument(FormModel& form, IniDocument motor, const std::string& path);

struct MotorFileImport {
    ImportOutcome outcome;
    bool succeeded = false;                // the design calculated with all three stages
    std::string status;                    // the calculation's status text, before any save
    std::optional<std::string> saveError;  // the motor file could not be written
};

// As CalculateMotorFile, with a design of another program imported instead of a file opened.
// With a non-empty `motorFile` the imported document is then saved there (as ".zel").
MotorFileImport ImportMotorFileUnattended(FormModel& form, const std::string& path,
                                          ImportQuestions& questions, const std::string& motorFile);

}  // namespace tarvo
