#pragma once
// "Экспорт в RASP (.eng)": the thrust curve of the last calculation as a file that flight
// simulators read. The user confirms the header in a small dialog, then picks the file; the
// questions go through EngExportPrompts so that tests answer them.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/rasp_eng.h"

class QLabel;
class QLineEdit;

namespace tarvo {

class EngExportPrompts {
public:
    virtual ~EngExportPrompts() = default;
    // The header fields, starting from the defaults; nothing when the user cancels.
    virtual std::optional<EngOptions> askOptions(const EngOptions& defaults) = 0;
    // The file to write, proposing `suggested`; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> chooseFile(
        const std::filesystem::path& suggested) = 0;
    virtual void showError(std::string_view text) = 0;
};

enum class EngExportOutcome { kCancelled, kFailed, kWritten };

struct EngExportResult {
    EngExportOutcome outcome = EngExportOutcome::kCancelled;
    std::filesystem::path file;  // the file written
};

EngExportResult RunEngExport(const EngSource& source, EngExportPrompts& prompts);

// The status text after a successful export.
std::string EngWrittenMessage(const std::filesystem::path& file);

// The small dialog for the motor name, the casing mass and the manufacturer. A casing mass
// that is not a mass keeps the dialog open with the reason shown.
class EngOptionsDialog : public QDialog {
    Q_OBJECT
public:
    EngOptionsDialog(const EngOptions& defaults, QWidget* parent);
    EngOptions options() const { return options_; }
    void accept() override;

private:
    QLineEdit* name_;
    QLineEdit* casingMass_;
    QLineEdit* manufacturer_;
    QLabel* error_;
    EngOptions options_;
};

class DialogEngExportPrompts final : public EngExportPrompts {
public:
    explicit DialogEngExportPrompts(QWidget* parent) : parent_(parent) {}
    std::optional<EngOptions> askOptions(const EngOptions& defaults) override;
    std::optional<std::filesystem::path> chooseFile(
        const std::filesystem::path& suggested) override;
    void showError(std::string_view text) override;

private:
    QWidget* parent_;
};

}  // namespace tarvo
