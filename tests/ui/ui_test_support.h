#pragma once
// Stand-ins for the document layer and the desktop, scratch directories and a typed motor for
// the window's tests.

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/spreadsheet_export.h"
#include "ui/document_commands.h"
#include "ui/eng_export.h"
#include "ui/main_window.h"

namespace tarvo::testing {

// Records which commands the window ran.
struct RecordingCommands : DocumentCommands {
    void startUp() override { calls.push_back("startUp"); }
    void newDocument() override { calls.push_back("new"); }
    void openDocument() override { calls.push_back("open"); }
    void openRecent(int index, const std::string& path) override {
        calls.push_back("openRecent " + std::to_string(index) + " " + path);
    }
    void saveDocument() override { calls.push_back("save"); }
    void saveDocumentAs() override { calls.push_back("saveAs"); }
    void restorePropellantDefaults() override { calls.push_back("restore"); }
    void loadPropellants() override { calls.push_back("loadPropellants"); }
    void savePropellants() override { calls.push_back("savePropellants"); }
    bool mayClose() override {
        calls.push_back("mayClose");
        return allowClose;
    }

    std::vector<std::string> calls;
    bool allowClose = true;
};

// A desktop with (or without) a spreadsheet application, a home and a temporary directory.
struct FakeSystem : SystemAccess {
    explicit FakeSystem(std::string directory) : home(std::move(directory)) {}
    std::optional<std::string> RunForOutput(const std::vector<std::string>& command) override {
        if (!command.empty() && command.front() == "xdg-mime" && hasSpreadsheet) {
            return std::string("calc.desktop\n");
        }
        return std::nullopt;
    }
    bool ProgramOnPath(std::string_view) override { return false; }
    std::optional<std::string> Environment(const std::string& name) override {
        if (name == "HOME" || name == "TMPDIR") {
            return home;
        }
        return std::nullopt;
    }

    std::string home;
    bool hasSpreadsheet = true;
};

struct FakeLauncher : SpreadsheetLauncher {
    ExportStatus Open(const std::filesystem::path& workbook) override {
        opened.push_back(workbook);
        return ExportStatus::Success();
    }
    std::vector<std::filesystem::path> opened;
};

struct FakeClipboard : ClipboardSink {
    void SetText(const std::string& value) override { text = value; }
    std::string text;
};

struct FakeMessages : MessageSink {
    void Warning(std::string_view text) override { warnings.emplace_back(text); }
    void Error(std::string_view text) override { errors.emplace_back(text); }
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

// Answers the .eng export's questions from a script.
struct ScriptedEngPrompts : EngExportPrompts {
    std::optional<EngOptions> askOptions(const EngOptions& defaults) override {
        offeredDefaults = defaults;
        ++asked;
        return options;
    }
    std::optional<std::filesystem::path> chooseFile(
        const std::filesystem::path& suggested) override {
        suggestedFile = suggested;
        return file;
    }
    void showError(std::string_view text) override { errors.emplace_back(text); }

    std::optional<EngOptions> options;
    std::optional<std::filesystem::path> file;
    std::optional<EngOptions> offeredDefaults;
    std::filesystem::path suggestedFile;
    std::vector<std::string> errors;
    int asked = 0;
};

// Keys typed into a field as a user types them: the whole text replaced.
inline void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// A value below 1 as a user has to type it: the entry filter turns a lone "0" or "0," into
// "0", so the digits go first and "0," in front of them.
inline void TypeFraction(QLineEdit* field, const QString& digits) {
    TypeInto(field, digits);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral("0,"));
}

// Three KN/SB grains with inhibited outer surfaces in a 40 x 200 chamber, typed into the
// window's fields.
inline void TypeCoredMotor(MainWindow& window) {
    const std::pair<int, const char*> texts[] = {{1, "40"}, {2, "200"}, {4, "38"},  {5, "14"},
                                                 {6, "60"}, {7, "3"},   {12, "250"}};
    for (const auto& [edit, text] : texts) {
        TypeInto(window.field(edit), QString::fromUtf8(text));
    }
    TypeFraction(window.field(13), QStringLiteral("5"));
    TypeInto(window.field(94), QStringLiteral("8"));
}

// Widgets on the page whose text does not fit in them.
inline QStringList ClippedTexts(QWidget* page) {
    QStringList clipped;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) {
            continue;
        }
        const QRect room = label->contentsRect();
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(room.width()) <= room.height() + 1
                              : label->fontMetrics().size(0, label->text()).width() <=
                                    room.width() - 2 * label->margin();
        if (!fits) {
            clipped << label->text();
        }
    }
    for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
        if (edit->isVisible() &&
            edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 8) {
            clipped << edit->objectName() + ": " + edit->text();
        }
    }
    return clipped;
}

inline std::filesystem::path PathOf(const QTemporaryDir& directory) {
    return std::filesystem::path(directory.path().toStdString());
}

}  // namespace tarvo::testing
