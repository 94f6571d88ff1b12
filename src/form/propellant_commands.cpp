// The propellants of tab 5: loading a propellant file, restoring the built-in values and
// saving them into a file of their own.

#include <algorithm>
#include <cctype>

#include "files/key_maps.h"
#include "form/document.h"
#include "form/motor_file.h"

namespace tarvo {
namespace {

std::string OverwriteQuestion(const std::string& path) {
    return "Файл " + path + " существует. Переписать?";
}

std::string PropellantsSavedText(const std::string& path) {
    return "Файл параметров топлив " + FileNameOf(path) + " сохранён";
}

}  // namespace

bool IsPropellantFileName(std::string_view path) {
    const std::string_view extension = kPropellantFileExtension;
    return path.size() > extension.size() &&
           std::equal(
               extension.begin(), extension.end(), path.end() - extension.size(),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool Document::loadPropellantFile(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const ReadableFile readable = OpenForReading(path);
    if (readable.failure) {
        return false;
    }
    form_.setLoadingGuard(true);
    FillPropellants(form_, readable.file.document());
    form_.selectPropellant(kDefaultPropellantIndex);
    form_.setLoadingGuard(false);
    return true;
}

// Without a default propellant file to look for, the program starts as it does when the file
// is missing: every key at its default.
bool Document::loadDefaultPropellantFile() {
    if (settings_.propellantFile) {
        return loadPropellantFile(*settings_.propellantFile);
    }
    form_.setLoadingGuard(true);
    FillPropellants(form_, IniDocument());
    form_.selectPropellant(kDefaultPropellantIndex);
    form_.setLoadingGuard(false);
    return true;
}

void Document::restorePropellantDefaults() {
    form_.setStatusText(0, "");
    form_.setLoadingGuard(true);
    FillDefaultPropellants(form_);
    form_.selectPropellant(kDefaultPropellantIndex);
    SetDefaultSteppers(form_);
    form_.setLoadingGuard(false);
    form_.refreshStepperFields();
    if (motorFileOpen()) {
        form_.setModified(true);
    }
    form_.setStatusText(0, kPropellantDefaultsRestored);
}

void Document::loadPropellantsCommand() {
    form_.setStatusText(0, "");
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kOpenPropellants);
    if (!chosen || chosen->empty()) {
        return;
    }
    loadPropellantsFrom(*chosen);
}

void Document::loadPropellantsFrom(const std::string& path) {
    form_.setStatusText(0, "");
    if (!FileExists(path)) {
        form_.setStatusText(0, kPropellantFileMissing);
        return;
    }
    if (!loadPropellantFile(path)) {
        form_.setStatusText(0, kPropellantFileNotLoaded);
        if (const auto failure = OpenForReading(path).failure) {
            dialogs_.showMessage(MessageIcon::kError, ReadFailureMessage(*failure));
        }
        return;
    }
    form_.setStatusText(0, kPropellantFileLoaded);
    if (motorFileOpen()) {
        form_.setModified(true);
    }
}

// The file is written whole, replacing any old one only once the new one is complete: keys
// the program does not write vanish, and a failed save leaves the old file as it was.
void Document::savePropellantsCommand() {
    form_.setStatusText(0, "");
    const bool haveDefaultFile = settings_.propellantFile && FileExists(*settings_.propellantFile);
    const std::optional<std::string> chosen = dialogs_.chooseFileNamed(
        FileDialog::kSavePropellants, haveDefaultFile ? "" : kDefaultPropellantFileName);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string target = ReplaceExtension(*chosen, kPropellantFileExtension);
    if (FileExists(target) && !dialogs_.askYesNo(OverwriteQuestion(target))) {
        return;
    }
    IniFile file = IniFile::Create(target);
    WritePropellants(form_, file.document());
    if (const std::optional<FileError> failure = file.Commit()) {
        dialogs_.showMessage(MessageIcon::kError, SaveFailureMessage(*failure));
        return;
    }
    form_.setStatusText(0, PropellantsSavedText(target));
}

}  // namespace tarvo
