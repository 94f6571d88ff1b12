#include "form/motor_interop.h"

#include "files/file_io.h"
#include "files/ini_document.h"
#include "form/motor_file.h"
#include "interop/openmotor_ric.h"

namespace tarvo {

std::string ChooseSlotQuestion(std::string_view propellantName) {
    return "Топливо файла «" + std::string(propellantName) +
           "» заменит константы и таблицу скорости горения одного из топлив, пока они не "
           "восстановлены по умолчанию. Какое заменить?";
}

std::optional<int> DialogImportQuestions::chooseDesign(const std::vector<std::string>& names) {
    if (names.size() == 1) {
        return 0;
    }
    return dialogs_.chooseItem(kChooseDesignQuestion, names);
}

std::optional<int> DialogImportQuestions::chooseSlot(std::string_view name) {
    std::vector<std::string> slots;
    for (const std::string& item : form_.propellantItems()) {
        slots.push_back(std::to_string(slots.size() + 1) + ": " + item);
    }
    return dialogs_.chooseItem(ChooseSlotQuestion(name), slots);
}

RicExport ExportMotorAsRic(const FormModel& form, const std::string& path) {
    IniDocument document;
    WritePropellants(form, document);
    WriteMotorKeys(form, document);
    RicText ric;
    try {
        ric = FormatRic(DraftFromMotorDocument(document));
    } catch (const ImportRefusal& refusal) {
        return {"Файл " + path + " не записан: " + refusal.what() + ".", {}};
    }
    if (const std::optional<FileError> failure = WriteFileAtomically(path, ric.text)) {
        return {SaveFailureMessage(*failure), {}};
    }
    return {std::nullopt, std::move(ric.notWritten)};
}

std::string RicWrittenMessage(const std::string& path) {
    return "Двигатель записан в файл " + FileNameOf(path);
}

std::string RicNotWrittenMessage(const std::vector<std::string>& notWritten) {
    std::string text = "В файл .ric не вошло:\n";
    for (const std::string& line : notWritten) {
        text += "  - " + line + "\n";
    }
    return text;
}

}  // namespace tarvo
