#pragma once
// The window and the designs of other motor programs: the questions an import asks through
// the dialogs, and the window's motor written as an openMotor .ric file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/dialogs.h"
#include "form/form_model.h"
#include "interop/motor_import.h"

namespace tarvo {

inline constexpr std::string_view kUntitledDocument = "Без имени";
inline constexpr std::string_view kChooseDesignQuestion =
    "В файле несколько конструкций. Какую импортировать?";

// "Топливо файла «NAME» заменит константы и таблицу скорости горения одного из топлив, пока они
// не восстановлены по умолчанию. Какое заменить?"
std::string ChooseSlotQuestion(std::string_view propellantName);

// The questions asked in the window: a design only when the file has more than one; the slot
// among the propellant list's entries.
class DialogImportQuestions final : public ImportQuestions {
public:
    DialogImportQuestions(Dialogs& dialogs, const FormModel& form)
        : dialogs_(dialogs), form_(form) {}
    std::optional<int> chooseDesign(const std::vector<std::string>& names) override;
    std::optional<int> chooseSlot(std::string_view name) override;

private:
    Dialogs& dialogs_;
    const FormModel& form_;
};

// Fixed answers (tarvo-calc's --config and --slot, from 0): a design the file lacks is refused.
class FixedImportQuestions final : public ImportQuestions {
public:
    FixedImportQuestions(int design, int slot) : design_(design), slot_(slot) {}
    std::optional<int> chooseDesign(const std::vector<std::string>&) override { return design_; }
    std::optional<int> chooseSlot(std::string_view) override { return slot_; }

private:
    int design_;
    int slot_;
};

struct RicExport {
    std::optional<std::string> error;     // names the file and the reason; nothing written
    std::vector<std::string> notWritten;  // what of the design a .ric cannot hold
};

// The motor the window shows (its fields, steppers, grain boxes and the selected propellant)
// as a .ric file, written whole or not at all.
RicExport ExportMotorAsRic(const FormModel& form, const std::string& path);

// The status text after the export, and the message that lists what was left out.
std::string RicWrittenMessage(const std::string& path);
std::string RicNotWrittenMessage(const std::vector<std::string>& notWritten);

}  // namespace tarvo
