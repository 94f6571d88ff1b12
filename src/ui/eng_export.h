#pragma once
// The curve exports of tab 4: "Экспорт в RASP (.eng)", the thrust curve of the last calculation
// as a file that flight simulators read; "Экспорт в RockSim (.rse)", the motor with its mass and
// centre of gravity over time; "Экспорт кривых (CSV)", every curve as one table. For .eng and
// .rse the user confirms the header in a small dialog, then picks the file; the questions go
// through EngExportPrompts so that tests answer them.

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

inline constexpr std::string_view kEngExportCaption = "Экспорт в RASP (.eng)";
inline constexpr std::string_view kRseExportCaption = "Экспорт в RockSim (.rse)";
inline constexpr std::string_view kCsvExportCaption = "Экспорт кривых (CSV)";

// One kind of curve file: its button, its file and how it is made from the calculation.
struct CurveExportKind {
    std::string_view caption;  // the button's and the header dialog's
    std::string_view objectName;
    std::string_view extension;  // ".eng"
    std::string_view fileFilter;
    std::string_view fileDialogTitle;
    std::string_view written;  // the status text before the file name
    bool asksHeader;           // the name, casing mass and maker, before the file
    EngOptions (*defaults)(const CalculationResult& result);
    EngDocument (*format)(const EngSource& source, const EngOptions& options);
};

extern const CurveExportKind kEngExport;
extern const CurveExportKind kRseExport;
extern const CurveExportKind kCsvExport;
inline constexpr const CurveExportKind* kCurveExports[] = {&kEngExport, &kRseExport, &kCsvExport};

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

EngExportResult RunCurveExport(const CurveExportKind& kind, const EngSource& source,
                               EngExportPrompts& prompts);

// The status text after a successful export.
std::string CurveWrittenMessage(const CurveExportKind& kind, const std::filesystem::path& file);

// The small dialog for the motor name, the casing mass and the manufacturer. A casing mass
// that is not a mass keeps the dialog open with the reason shown.
class EngOptionsDialog : public QDialog {
    Q_OBJECT
public:
    EngOptionsDialog(const EngOptions& defaults, QWidget* parent,
                     std::string_view title = kEngExportCaption);
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
    explicit DialogEngExportPrompts(QWidget* parent, const CurveExportKind& kind = kEngExport)
        : parent_(parent), kind_(kind) {}
    std::optional<EngOptions> askOptions(const EngOptions& defaults) override;
    std::optional<std::filesystem::path> chooseFile(
        const std::filesystem::path& suggested) override;
    void showError(std::string_view text) override;

private:
    QWidget* parent_;
    const CurveExportKind& kind_;
};

}  // namespace tarvo
