#pragma once
// Moving the window's state to and from the key-value documents of the propellant file (.grn)
// and the motor file (.zel). These routines only move texts and control states; the document
// commands decide when to read, when to write and what the document state becomes.

#include <optional>
#include <string>

#include "files/file_io.h"
#include "files/ini_file.h"
#include "form/form_model.h"

namespace tarvo {

// The grain check boxes as a motor file left them: the states the document compares with.
struct SavedGrainBoxes {
    bool endGrain = false;
    bool coredGrains = true;
};

// The propellant list, the names on tab 5 and the 75 propellant fields from the three
// propellant sections; a missing or empty key gives its built-in default. Selects nothing:
// the list is left without a selection.
void FillPropellants(FormModel& form, const IniDocument& document);

// The built-in propellant names (the list left without a selection) and the 75 default texts
// in the restore command's order.
void FillDefaultPropellants(FormModel& form);

// The three propellant sections from the list entries and the fields ("FuelName" is skipped
// for an entry the list does not have).
void WritePropellants(const FormModel& form, IniDocument& document);

// The ten steppers of tabs 1 to 3 at their default positions, each followed by its click.
void SetDefaultSteppers(FormModel& form);

// The motor keys of an opened file into the controls: the field texts, then the guarded block
// (propellant choice and stepper positions; the first conversion error ends it), the grain
// boxes, the active tab and the description. The caller holds LoadingGuard.
SavedGrainBoxes ReadMotorKeys(FormModel& form, const IniDocument& document);

// The motor keys of the window into the document, each overwritten in place. A document in
// the older layout loses its old sections, so that the file reads back as it was saved.
void WriteMotorKeys(const FormModel& form, IniDocument& document);

// A file opened for reading. A file cut at the size limit still reads by its whole lines; a
// file that exists but cannot be read at all comes with the reason instead.
struct ReadableFile {
    IniFile file;
    std::optional<FileError> failure;
};
ReadableFile OpenForReading(const std::string& path);

// Why a file read for opening is not opened as a motor file: it is missing, cannot be read
// (a folder among others) or is no motor file of either layout. Nothing when it opens.
std::optional<std::string> MotorFileRefusal(const std::string& path, const ReadableFile& file);

// "Файл PATH не является файлом двигателя Tarvo".
std::string NotAMotorFileMessage(std::string_view path);

// The question before characters that `encoding` cannot hold are saved into the file.
std::string UnencodableCharactersQuestion(std::string_view path, std::string_view characters);

// After a save that replaced what Windows-1251 cannot hold by "?": the memo, the fields and the
// propellant names show what the file now holds. Nothing counts as a change of the document.
void ShowWindows1251Texts(FormModel& form);

}  // namespace tarvo
