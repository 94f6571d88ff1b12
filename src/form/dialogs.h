#pragma once
// What the program asks the user and tells them outside the main window: message boxes and
// the file dialogs. The desktop program shows real dialogs; tests and the command-line tool
// answer from a script. Every box carries the main window's caption as its title.

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

enum class Answer { kYes, kNo, kCancel };

enum class MessageIcon { kInformation, kWarning, kError, kStop };

// The file dialogs of the window ("od", "sd", "gopen", "gsave", "topen" in the layout tables).
enum class FileDialog { kOpenMotor, kSaveMotor, kOpenPropellants, kSavePropellants, kOpenTest };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A question with Yes, No and Cancel (the save prompts).
    virtual Answer askYesNoCancel(std::string_view text) = 0;
    // A question with Yes and No (overwriting a propellant file).
    virtual bool askYesNo(std::string_view text) = 0;
    // A message with an OK button.
    virtual void showMessage(MessageIcon icon, std::string_view text) = 0;
    // The chosen path, or nothing when the dialog was cancelled. Paths keep the user's case.
    virtual std::optional<std::string> chooseFile(FileDialog dialog) = 0;
    // The same with a file name proposed in the dialog ("GRAINS.grn" when the propellants are
    // saved and there is no default propellant file yet). Without an override the dialog
    // proposes nothing.
    virtual std::optional<std::string> chooseFileNamed(FileDialog dialog,
                                                       [[maybe_unused]] std::string_view name) {
        return chooseFile(dialog);
    }
};

}  // namespace tarvo
