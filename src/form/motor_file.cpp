#include "form/motor_file.h"

#include <vector>

#include "files/encoding.h"
#include "files/file_values.h"
#include "files/key_maps.h"
#include "files/legacy_import.h"
#include "files/recent_files.h"
#include "form/form_layout.h"
#include "input/steppers.h"

namespace tarvo {
namespace {

// The sections of the older layout that the legacy conversion reads and then removes.
constexpr std::string_view kLegacyValuesSection = "Const&Vars";
constexpr std::string_view kLegacyTabsSection = "Tabs";

// The number of a control the key maps name ("Edit14" -> 14, "GroupBox8" -> 8). The maps name
// only controls the window has; 0 would name none and every setter ignores it.
int ControlNumber(std::string_view name) {
    const auto id = FindControl(name);
    return id ? id->number : 0;
}

EditId EditNamed(std::string_view name) {
    return EditId{ControlNumber(name)};
}

StepperId StepperNamed(std::string_view name) {
    return StepperId{ControlNumber(name)};
}

CheckBoxId CheckBoxNamed(std::string_view name) {
    return static_cast<CheckBoxId>(ControlNumber(name));
}

void ShowPropellantName(FormModel& form, int propellant, std::string_view name) {
    const PropellantRowLayout& row = PropellantRowLayouts()[propellant];
    form.setGroupCaption(row.burnRateGroup, name);
    form.setLabelText(LabelId{row.rowLabel}, name);
}

void ShowPropellantNames(FormModel& form, const std::vector<std::string>& names) {
    form.setPropellantItems(names);
    for (int p = 0; p < kPropellantCount; ++p) {
        ShowPropellantName(form, p, names[p]);
    }
}

// One key of the guarded block. False when its text is no valid value: the block ends there.
bool ReadGuardedKey(FormModel& form, const MotorKey& key, const std::string& text) {
    if (key.kind == MotorValueKind::PropellantChoice) {
        const auto index = ParsePropellantChoice(text);
        if (index) {
            form.selectPropellant(*index);
        }
        return index.has_value();
    }
    const auto position = ParseStepperPosition(text);
    if (!position) {
        return false;
    }
    const StepperId stepper = StepperNamed(key.control);
    form.setStepperPosition(stepper, *position);
    form.clickStepper(stepper);
    return true;
}

void ReadGuardedBlock(FormModel& form, const IniDocument& document) {
    form.selectPropellant(kDefaultPropellantIndex);
    SetDefaultSteppers(form);
    for (const MotorKey& key : kMotorKeys) {
        if (key.guarded &&
            !ReadGuardedKey(form, key,
                            document.ReadIniStr(key.section, key.key, MotorKeyFallback(key)))) {
            return;
        }
    }
}

std::string StoredText(const FormModel& form, const MotorKey& key) {
    switch (key.kind) {
        case MotorValueKind::FieldText:
            return form.fieldText(EditNamed(key.control));
        case MotorValueKind::PropellantChoice:
            return FormatFileInteger(form.selectedPropellant() + 1);
        case MotorValueKind::StepperPosition:
            return FormatFileInteger(form.stepperPosition(StepperNamed(key.control)));
        case MotorValueKind::GrainFlag:
            return FormatFileBoolean(form.isChecked(CheckBoxNamed(key.control)));
        case MotorValueKind::TabIndex:
            return FormatFileInteger(form.activeTab());
        case MotorValueKind::Description:
            return form.memoText();
    }
    return "";
}

}  // namespace

void FillPropellants(FormModel& form, const IniDocument& document) {
    std::vector<std::string> names;
    for (int p = 0; p < kPropellantCount; ++p) {
        names.push_back(
            document.ReadIniStr(kPropellantSections[p], kFuelNameKey, kDefaultFuelNames[p]));
    }
    ShowPropellantNames(form, names);
    for (int p = 0; p < kPropellantCount; ++p) {
        for (const PropellantValueKey& row : kPropellantValueKeys) {
            form.setFieldText(EditId{PropellantValueField(row, p)},
                              document.ReadIniStr(kPropellantSections[p], row.key,
                                                  PropellantValueDefault(row, p)));
        }
    }
}

void FillDefaultPropellants(FormModel& form) {
    ShowPropellantNames(form, {kDefaultFuelNames.begin(), kDefaultFuelNames.end()});
    for (const FieldDefault& field : PropellantFieldDefaults()) {
        form.setFieldText(EditId{field.field}, field.text);
    }
}

void WritePropellants(const FormModel& form, IniDocument& document) {
    const std::vector<std::string>& names = form.propellantItems();
    for (int p = 0; p < kPropellantCount; ++p) {
        const std::string_view section = kPropellantSections[p];
        if (p < static_cast<int>(names.size())) {
            document.WriteIniStr(section, kFuelNameKey, names[p]);
        }
        for (const PropellantValueKey& row : kPropellantValueKeys) {
            document.WriteIniStr(section, row.key,
                                 form.fieldText(EditId{PropellantValueField(row, p)}));
        }
    }
}

void SetDefaultSteppers(FormModel& form) {
    for (const StepperRule& rule : kStepperRules) {
        const StepperId id{rule.stepper};
        form.setStepperPosition(id, rule.defaultPosition);
        form.clickStepper(id);
    }
}

SavedGrainBoxes ReadMotorKeys(FormModel& form, const IniDocument& document) {
    const auto read = [&document](const MotorKey& key) {
        return document.ReadIniStr(key.section, key.key, MotorKeyFallback(key));
    };
    for (const MotorKey& key : kMotorKeys) {
        if (key.kind == MotorValueKind::FieldText) {
            form.setFieldText(EditNamed(key.control), read(key));
        }
    }
    ReadGuardedBlock(form, document);
    SavedGrainBoxes saved;
    for (const MotorKey& key : kMotorKeys) {
        if (key.kind == MotorValueKind::GrainFlag) {
            const bool checked = ParseGrainFlag(read(key));
            const CheckBoxId box = CheckBoxNamed(key.control);
            form.setChecked(box, checked);
            (box == kEndGrainBox ? saved.endGrain : saved.coredGrains) = checked;
        } else if (key.kind == MotorValueKind::TabIndex) {
            form.setActiveTab(ParseTabIndex(read(key)));
        } else if (key.kind == MotorValueKind::Description) {
            form.setMemoText(read(key));
        }
    }
    return saved;
}

void WriteMotorKeys(const FormModel& form, IniDocument& document) {
    for (const MotorKey& key : kMotorKeys) {
        document.WriteIniStr(key.section, key.key, StoredText(form, key));
    }
    if (IsLegacyMotorDocument(document)) {
        // Left in place, the old sections would be converted again at the next opening and
        // overwrite what was just saved.
        document.EraseIniSection(kLegacyValuesSection);
        document.EraseIniSection(kLegacyTabsSection);
    }
}

ReadableFile OpenForReading(const std::string& path) {
    ReadableFile readable{IniFile::Open(path), std::nullopt};
    if (readable.file.readError() && ReadFileBytes(path, 0).status == ReadStatus::Failed) {
        readable.failure = readable.file.readError();
    }
    return readable;
}

std::optional<std::string> MotorFileRefusal(const std::string& path, const ReadableFile& file) {
    if (file.failure) {
        return ReadFailureMessage(*file.failure);
    }
    if (!file.file.existed()) {
        return FileNotFoundMessage(path);
    }
    if (!IsMotorDocument(file.file.document())) {
        return NotAMotorFileMessage(path);
    }
    return std::nullopt;
}

std::string NotAMotorFileMessage(std::string_view path) {
    return "Файл " + std::string(path) + " не является файлом двигателя Tarvo";
}

std::string UnencodableCharactersQuestion(std::string_view path, std::string_view characters) {
    return "В тексте для файла " + std::string(path) +
           " есть символы, которых нет в кодировке Windows-1251: " + std::string(characters) +
           ".\n\nСохранить файл в UTF-8? Текст сохранится, но старая программа для Windows не "
           "сможет прочитать описание.\nИли заменить эти символы на «?»?";
}

void ShowWindows1251Texts(FormModel& form) {
    const auto stored = [](const std::string& text) {
        return Windows1251ToUtf8(Utf8ToWindows1251(text));
    };
    const auto store = [&form, &stored](EditId field) {
        form.setFieldText(field, stored(form.fieldText(field)));
    };
    form.setLoadingGuard(true);
    for (const PropellantValueKey& row : kPropellantValueKeys) {
        for (int p = 0; p < kPropellantCount; ++p) {
            store(EditId{PropellantValueField(row, p)});
        }
    }
    for (const MotorKey& key : kMotorKeys) {
        if (key.kind == MotorValueKind::FieldText) {
            store(EditNamed(key.control));
        }
    }
    std::vector<std::string> names;
    for (const std::string& name : form.propellantItems()) {
        names.push_back(stored(name));
    }
    if (names != form.propellantItems() && names.size() == kPropellantCount) {
        const int selected = form.selectedPropellant();
        ShowPropellantNames(form, names);
        form.selectPropellant(selected);
    }
    form.setMemoText(stored(form.memoText()));
    form.setLoadingGuard(false);
}

}  // namespace tarvo
