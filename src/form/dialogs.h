#pragma once
// What the program asks the user and tells them outside the main window: message boxes and
// the file dialogs. The desktop program shows real dialogs; tests and the command-line tool
// answer from a script. Every box carries the main window's caption as its title.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

enum class Answer { kYes, kNo, kCancel };

enum class MessageIcon { kInformation, kWarning, kError, kStop };

// The question before a save in Windows-1251 of characters the code page cannot hold.
enum class EncodingAnswer {
    kSaveAsUtf8,                // keep the text: the file is written in UTF-8
    kReplaceWithQuestionMarks,  // the file stays Windows-1251 and those characters become "?"
    kCancel,                    // nothing is saved
};

// The file dialogs of the window ("od", "sd", "gopen", "gsave", "impd", "ricd", "topen",
// "swcsv" in the layout tables).
enum class FileDialog {
    kOpenMotor,
    kSaveMotor,
    kOpenPropellants,
    kSavePropellants,
    kImportMotor,
    kExportRic,
    kOpenTest,
    kExportSweep,
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A question with Yes, No and Cancel (the save prompts).
    virtual Answer askYesNoCancel(std::string_view text) = 0;
    // A question with Yes and No (overwriting a propellant file).
    virtual bool askYesNo(std::string_view text) = 0;
    // Characters Windows-1251 cannot hold are about to be saved: UTF-8, "?" or Cancel. Without
    // an override nothing is saved.
    virtual EncodingAnswer askUnencodableCharacters([[maybe_unused]] std::string_view text) {
        return EncodingAnswer::kCancel;
    }
    // Another program changed the file since this document read or wrote it: Да writes over
    // it, Нет keeps it. Without an override it is kept.
    virtual bool askOverwriteChangedFile([[maybe_unused]] std::string_view text) { return false; }
    // A message with an OK button.
    virtual void showMessage(MessageIcon icon, std::string_view text) = 0;
    // The chosen path, or nothing when the dialog was cancelled. Paths keep the user's case.
    virtual std::optional<std::string> chooseFile(FileDialog dialog) = 0;
    // The same with a name proposed in the dialog: a file name, or a path whose directory the
    // dialog opens in (a path ending in "/" proposes only the directory). When the propellants
    // are saved it is the user's configuration directory, with "GRAINS.grn" when there is no
    // default propellant file yet. Without an override the dialog proposes nothing.
    virtual std::optional<std::string> chooseFileNamed(FileDialog dialog,
                                                       [[maybe_unused]] std::string_view name) {
        return chooseFile(dialog);
    }
    // One of `items` (its index), asked with `question`; nothing when cancelled. Without an
    // override nothing is chosen.
    virtual std::optional<int> chooseItem([[maybe_unused]] std::string_view question,
                                          [[maybe_unused]] const std::vector<std::string>& items) {
        return std::nullopt;
    }
};

}  // namespace tarvo
