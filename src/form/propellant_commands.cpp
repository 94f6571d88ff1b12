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

std::string Joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "" : std::string(separator)) + text;
    }
    return joined;
}

}  // namespace

bool IsPropellantFileName(std::string_view path) {
    const std::string_view extension = kPropellantFileExtension;
    return path.size() > extension.size() &&
           std::equal(
               extension.begin(), extension.end(), path.end() - extension.size(),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

std::string MissingGrainsNotice(const std::vector<std::string>& lookedIn) {
    if (lookedIn.empty()) {
        return std::string(kMissingGrainsNotice);
    }
    return std::string(kMissingGrainsNotice) + ". Искали: " + Joined(lookedIn, ", ");
}

bool Document::loadPropellantFile(const std::string& path) {
    return !path.empty() && !readPropellantFile(path);
}

// The read failure of the file, or nothing when its propellants are in the fields.
std::optional<FileError> Document::readPropellantFile(const std::string& path) {
    const ReadableFile readable = OpenForReading(path);
    if (readable.failure) {
        return readable.failure;
    }
    form_.setLoadingGuard(true);
    FillPropellants(form_, readable.file.document());
    form_.selectPropellant(kDefaultPropellantIndex);
    form_.setLoadingGuard(false);
    return std::nullopt;
}

// A folder or an unreadable file in one of the places still counts as found: it is reported,
// not passed over for a file the user did not mean.
std::optional<std::string> Document::defaultPropellantFile() const {
    for (const std::string& path : settings_.propellantFiles) {
        if (ReadFileBytes(path, 0).status != ReadStatus::Missing) {
            return path;
        }
    }
    return std::nullopt;
}

// Every key at its default, as when the file is missing.
void Document::fillBuiltInPropellants() {
    form_.setLoadingGuard(true);
    FillPropellants(form_, IniDocument());
    form_.selectPropellant(kDefaultPropellantIndex);
    form_.setLoadingGuard(false);
}

// A default propellant file that cannot be read leaves the built-in propellants, never the
// previous document's; false then, and activate() tells why.
bool Document::loadDefaultPropellantFile() {
    const std::optional<std::string> path = defaultPropellantFile();
    propellantFileError_ = path ? readPropellantFile(*path) : std::nullopt;
    if (!path || propellantFileError_) {
        fillBuiltInPropellants();
    }
    return !propellantFileError_;
}

// The recent list first: the notice about GRAINS.grn may end in a long list of places, which
// only the status bar's tooltip shows in full.
void Document::showStartupNotices() {
    std::vector<std::string> notices;
    if (recentListError_) {
        notices.push_back(ReadFailureMessage(*recentListError_) + " " +
                          std::string(kRecentListNotSaved));
    }
    if (propellantFileError_) {
        notices.push_back(ReadFailureMessage(*propellantFileError_) + " " +
                          std::string(kPropellantDefaultsRestored));
    } else if (!defaultPropellantFile()) {
        notices.push_back(MissingGrainsNotice(settings_.propellantFiles));
    }
    if (!notices.empty()) {
        form_.setStatusText(0, Joined(notices, " "));
    }
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
    const std::optional<std::string> chosen =
        dialogs_.chooseFileNamed(FileDialog::kSavePropellants, proposedPropellantFile());
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string target = ReplaceExtension(*chosen, kPropellantFileExtension);
    if (FileExists(target) && !dialogs_.askYesNo(OverwriteQuestion(target))) {
        return;
    }
    IniFile file = IniFile::Create(target);
    WritePropellants(form_, file.document());
    if (writeFile(file)) {
        form_.setStatusText(0, PropellantsSavedText(target));
    }
}

// The user's configuration directory, where the default propellant file is looked for first,
// with "GRAINS.grn" when there is none anywhere yet. The directory is made so that the dialog
// can open in it; without one the dialog proposes the bare name.
std::string Document::proposedPropellantFile() const {
    const std::string name = defaultPropellantFile() ? "" : std::string(kDefaultPropellantFileName);
    if (settings_.propellantFiles.empty()) {
        return name;
    }
    const std::string directory = DirectoryOf(settings_.propellantFiles.front());
    if (!settings_.writeFiles || CreateDirectories(directory)) {
        return name;
    }
    return directory + "/" + name;
}

}  // namespace tarvo
