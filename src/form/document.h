#pragma once
// The motor design the window shows, as a document: the file it came from, whether it changed
// since it was last opened or saved, the commands of the "Файл" menu and of tab 5, the list of
// recent files and the window's start and end. It works on the form model; every question,
// message and file choice goes through Dialogs, so that tests and tarvo-calc answer from a
// script.
//
// Paths keep the case the user chose. A save that fails is reported with a message naming the
// file and its reason, and the document then stays changed. When the user answers Yes to a
// save prompt and the save does not happen (the file dialog was cancelled, or writing failed),
// the command that asked does not go on: discarding the work would lose what the user asked
// to keep.
//
// A file that is no motor file (junk, an empty file, any other text) is refused before
// anything changes. A file is saved in the encoding it was read in; characters Windows-1251
// cannot hold are not saved before the user chose UTF-8 or "?". A file that another program
// changed since this document read or wrote it is not written over without asking.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "files/encoding.h"
#include "files/ini_document.h"
#include "files/recent_files.h"
#include "form/dialogs.h"
#include "form/form_model.h"
#include "form/motor_file.h"
#include "interop/motor_import.h"

namespace tarvo {

struct DocumentSettings {
    // Where the default propellant file GRAINS.grn is looked for, in order: the first that
    // exists is loaded (PropellantFileLocations). Empty: there is none to look for (the
    // built-in propellants are used, and the start-up notice says the file is missing).
    std::vector<std::string> propellantFiles;
    // Tarvo.ini with the recent list; empty: the list is neither read nor written.
    std::string recentListFile;
    // False: nothing is ever written to disk (tarvo-calc). A motor file of the older layout is
    // then converted in memory only, and the recent list stays in memory.
    bool writeFiles = true;
};

// The desktop program's files: GRAINS.grn where PropellantFileLocations says, Tarvo.ini in the
// user's configuration directory.
DocumentSettings DesktopDocumentSettings();

// What a view shows outside the form model: the "Открыть из списка" submenu, the current
// file (status panels 1 and 2 change with it, and the form announces those texts as well), and
// the window title with its changed mark.
enum class DocumentEvent { kRecentMenu, kCurrentFile, kTitle };

struct RecentMenuState {
    bool enabled = false;  // "Открыть из списка"
    std::vector<RecentMenuItem> items;
};

inline constexpr std::string_view kMissingGrainsNotice =
    "Файл GRAINS.grn не найден. Параметры топлив установлены по умолчанию. См. справку";
// The same naming the places looked in: "... См. справку. Искали: A, B".
std::string MissingGrainsNotice(const std::vector<std::string>& lookedIn);
inline constexpr std::string_view kRecentListNotSaved = "Список последних файлов не сохраняется.";
// "Файл PATH изменён другой программой. Перезаписать?"
std::string ChangedFileQuestion(std::string_view path);
inline constexpr std::string_view kPropellantDefaultsRestored =
    "Параметры топлив установлены по умолчанию";
inline constexpr std::string_view kPropellantFileMissing = "Файл параметров топлив не найден";
inline constexpr std::string_view kPropellantFileLoaded = "Файл параметров топлив загружен";
inline constexpr std::string_view kPropellantFileNotLoaded = "Файл параметров топлив не загружен";

// Whether a path names a propellant file (.grn, in any letter case) rather than a motor.
bool IsPropellantFileName(std::string_view path);
// What a motor file keeps beside the window's fields (the static test's stand log): written
// with every save, read after every open, cleared by New.
class MotorFileSection {
public:
    virtual ~MotorFileSection() = default;
    virtual void writeTo(IniDocument& document, const std::string& motorPath) = 0;
    virtual void readFrom(const IniDocument& document, const std::string& motorPath) = 0;
    virtual void clear() = 0;
};

class Document {
public:
    using Observer = std::function<void(DocumentEvent)>;

    Document(FormModel& form, Dialogs& dialogs, DocumentSettings settings);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    int addObserver(Observer observer);  // returns a token for removeObserver
    void removeObserver(int token);
    // The section outlives the document or is removed before it goes.
    void addSection(MotorFileSection& section);
    void removeSection(MotorFileSection& section);

    // ---- The window's life ----
    // Window creation: the propellants from GRAINS.grn, or the built-in defaults.
    void create();
    // The first activation: the recent list, New, and the notices in the status bar when
    // GRAINS.grn is missing or cannot be read, or Tarvo.ini cannot be read. Later activations
    // (after a modal window closed) change nothing.
    void activate();
    // A request to close the window: asks to save a changed document. True: it may close.
    bool closeQuery();
    // The window goes away: the recent list is written.
    void destroy();

    // ---- Document state ----
    const std::string& currentFileName() const { return currentFileName_; }
    bool savedEndGrain() const { return savedEndGrain_; }
    bool savedCoredGrains() const { return savedCoredGrains_; }
    // Modified, or a grain box that differs from its state at the last open, save or New.
    bool isDocumentChanged() const;
    // The save prompt of New and Open. True when the caller may go on.
    bool askSaveChanges();
    // The window title, with Qt's "[*]" where the changed mark (isDocumentChanged) goes:
    // "мотор.zel[*] — Tarvo+ [Версия 2.21]", "Без имени[*] — ..." before the first save.
    std::string windowTitle() const;

    // ---- "Файл" ----
    void newDocument();  // "Новый"
    void openCommand();  // "Открыть": the open dialog, then openMotorFile
    // Asks to save a changed document, then fills the window from the file and calculates.
    void openMotorFile(const std::string& path);
    // The end of opening, for a motor document already read (and converted, if of the older
    // layout): fills the window from it as from the file at `path` and calculates. No prompt.
    void openMotorDocument(IniDocument& document, const std::string& path);
    // Writes the window into the file (its extension made ".zel"). False when nothing was
    // saved; the user has then seen why.
    bool saveMotorFile(const std::string& path);
    bool save();    // "Сохранить": the current file, or Save as when there is none
    bool saveAs();  // "Сохранить как ..."

    // ---- Tab 5: the propellants ----
    // The list, the names and the 75 fields from a propellant file; a missing file or key
    // gives the defaults. False for an empty path or a file that cannot be read.
    bool loadPropellantFile(const std::string& path);
    // The GRAINS.grn that New and start-up load: the first of the settings' places where a
    // file (readable or not) exists.
    std::optional<std::string> defaultPropellantFile() const;
    void restorePropellantDefaults();  // "Восстановить по умолчанию"
    void loadPropellantsCommand();     // "Загрузить топлива из файла"
    // The same command for a file already chosen (one named on the command line).
    void loadPropellantsFrom(const std::string& path);
    void savePropellantsCommand();  // "Сохранить топлива в файл"

    // ---- Designs of other programs ----
    // "Импорт…": the file dialog, the questions in dialogs, then the report or the refusal.
    void importCommand();
    // A Meteor JSON or openMotor .ric design as a new document: unsaved ("Без имени") and
    // changed. A refused or cancelled import, or Cancel at the save prompt, changes nothing.
    ImportOutcome importMotorFile(const std::string& path, ImportQuestions& questions);
    // "Экспорт в openMotor (.ric)…": the window's motor as a .ric file.
    void exportRicCommand();

    // ---- The recent files ----
    const RecentFiles& recentFiles() const { return recent_; }
    RecentMenuState recentMenu() const;
    // A click on item `index` of "Открыть из списка".
    void recentItemClick(std::size_t index);
    void loadRecentList();
    void saveRecentList() const;
    // Writes the list and shows the current file in status panels 1 and 2.
    void rebuildRecentMenu();

private:
    enum class SaveAnswer { kProceed, kDiscard, kStop };

    void notify(DocumentEvent event);
    void announceTitle();
    bool motorFileOpen() const { return !currentFileName_.empty(); }
    bool loadDefaultPropellantFile();
    std::optional<FileError> readPropellantFile(const std::string& path);
    void fillBuiltInPropellants();
    void showStartupNotices();
    std::string proposedPropellantFile() const;
    SaveAnswer promptToSave();
    bool refuseToOpen(const std::string& path, const ReadableFile& file);
    void rememberFile(const std::string& path, std::optional<FileStamp> stamp);
    bool mayWriteOver(const std::string& path);
    bool writeFile(IniFile& file);
    bool storeMotorFile(const std::string& path, const std::string& documentName);
    bool saveUnderChosenName();
    void readMotorDocument(IniDocument& document);
    void resetToNewDocument();
    void useOptimalNozzle(ImportReport& report);
    void resetControls();
    void clearResults();

    FormModel& form_;
    Dialogs& dialogs_;
    DocumentSettings settings_;
    std::string currentFileName_;
    bool savedEndGrain_ = false;
    bool savedCoredGrains_ = true;
    bool activated_ = false;
    // The encoding of the file the document came from; New starts in Windows-1251.
    TextEncoding encoding_ = TextEncoding::Windows1251;
    // The motor file this document last read or wrote, as it was then.
    std::string stampedPath_;
    std::optional<FileStamp> stamp_;
    // Start-up problems, told once by activate().
    std::optional<FileError> propellantFileError_;
    std::optional<FileError> recentListError_;
    RecentFiles recent_;
    std::map<int, Observer> observers_;
    int nextObserverToken_ = 1;
    std::vector<MotorFileSection*> sections_;
    int formObserverToken_ = 0;
    std::string announcedTitle_;
    bool announcedChanged_ = false;
};

// "Сохранено: мотор.zel".
std::string SavedMessage(std::string_view path);

}  // namespace tarvo
