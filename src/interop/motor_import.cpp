#include "interop/motor_import.h"

#include <algorithm>
#include <cctype>

#include "files/file_io.h"
#include "files/key_maps.h"
#include "interop/meteor_json.h"
#include "interop/openmotor_ric.h"

namespace tarvo {
namespace {

std::string LowerExtension(std::string_view fileName) {
    const std::string name = FileNameOf(fileName);
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

ImportOutcome Refused(std::string_view fileName, std::string_view reason) {
    ImportOutcome outcome;
    outcome.status = ImportOutcome::Status::kRefused;
    outcome.message = ImportRefusedMessage(fileName, reason);
    return outcome;
}

struct ChosenDraft {
    std::optional<MotorDraft> draft;  // nothing: cancelled
    std::string heading;
};

ChosenDraft ReadDraft(std::string_view fileName, std::string_view text,
                      ImportQuestions& questions) {
    const std::string file = FileNameOf(fileName);
    if (DetectImportFormat(fileName, text) == ImportFormat::kOpenMotorRic) {
        return {RicDesign(text), "Импорт из openMotor: " + file};
    }
    const std::vector<std::string> names = MeteorDesignNames(text);
    const std::optional<int> index = questions.chooseDesign(names);
    if (!index) {
        return {};
    }
    if (*index < 0 || *index >= static_cast<int>(names.size())) {
        throw ImportRefusal("конструкции " + std::to_string(*index + 1) + " нет: в файле их " +
                            std::to_string(names.size()));
    }
    return {MeteorDesign(text, static_cast<std::size_t>(*index)),
            "Импорт из Meteor: " + file + ", конструкция «" + names[*index] + "»"};
}

}  // namespace

ImportFormat DetectImportFormat(std::string_view fileName, std::string_view text) {
    const std::string extension = LowerExtension(fileName);
    if (extension == ".json") {
        return ImportFormat::kMeteorJson;
    }
    if (extension == ".ric") {
        return ImportFormat::kOpenMotorRic;
    }
    const std::size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    return first != std::string_view::npos && text[first] == '{' ? ImportFormat::kMeteorJson
                                                                 : ImportFormat::kOpenMotorRic;
}

std::string ImportRefusedMessage(std::string_view path, std::string_view reason) {
    return "Файл " + std::string(path) + " не импортирован: " + std::string(reason) + ".";
}

ImportOutcome ImportMotorText(std::string_view fileName, std::string_view text,
                              ImportQuestions& questions) {
    try {
        ChosenDraft chosen = ReadDraft(fileName, text, questions);
        if (!chosen.draft) {
            return {};
        }
        int slot = 0;
        if (chosen.draft->propellant) {
            const std::optional<int> answer = questions.chooseSlot(chosen.draft->propellant->name);
            if (!answer) {
                return {};
            }
            if (*answer < 0 || *answer >= kPropellantCount) {
                throw ImportRefusal("ячейки топлива " + std::to_string(*answer + 1) + " нет: их " +
                                    std::to_string(kPropellantCount));
            }
            slot = *answer;
            chosen.draft->report.converted.push_back("топливо файла заменяет топливо " +
                                                     std::to_string(slot + 1) +
                                                     " списка (до восстановления по умолчанию)");
        }
        ImportOutcome outcome;
        outcome.status = ImportOutcome::Status::kImported;
        outcome.motor = BuildImportedMotor(*chosen.draft, slot);
        outcome.heading = std::move(chosen.heading);
        return outcome;
    } catch (const ImportRefusal& refusal) {
        return Refused(fileName, refusal.what());
    } catch (const std::exception& error) {
        // A parser's own complaint about a damaged file ends the import all the same.
        return Refused(fileName, std::string("файл не разобран: ") + error.what());
    }
}

ImportOutcome ImportMotorFile(const std::string& path, ImportQuestions& questions) {
    const FileContents contents = ReadFileBytes(path);
    if (contents.status == ReadStatus::Missing) {
        return Refused(path, "файл не найден");
    }
    if (contents.status == ReadStatus::Failed) {
        return Refused(path, contents.error ? contents.error->reason : "файл не читается");
    }
    if (contents.truncated) {
        return Refused(path, "файл больше " + std::to_string(kMaxReadableFileBytes / 1024) + " КБ");
    }
    return ImportMotorText(path, contents.bytes, questions);
}

}  // namespace tarvo
