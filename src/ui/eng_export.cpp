#include "ui/eng_export.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/curves_csv.h"
#include "export/rocksim_rse.h"
#include "model/number_text.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

EngDocument FormatCsv(const EngSource& source, const EngOptions&) {
    return FormatCurvesCsv(source.result);
}

// The motor's name for the files with a header ("I237.eng"), the motor file's otherwise.
std::filesystem::path SuggestedFile(const CurveExportKind& kind, const EngOptions& options,
                                    std::string_view sourceFile) {
    const std::filesystem::path source(sourceFile);
    std::string name = kind.asksHeader ? EngToken(options.name) : source.stem().string();
    if (name.empty()) {
        name = "motor";
    }
    return source.parent_path() / (name + std::string(kind.extension));
}

}  // namespace

const CurveExportKind kEngExport{kEngExportCaption,
                                 "EngExportButton",
                                 ".eng",
                                 kEngFileFilter,
                                 "Сохранить кривую тяги",
                                 "Кривая тяги записана в файл ",
                                 true,
                                 &DefaultEngOptions,
                                 &FormatEngDocument};
const CurveExportKind kRseExport{kRseExportCaption,
                                 "RseExportButton",
                                 ".rse",
                                 kRseFileFilter,
                                 "Сохранить двигатель для RockSim",
                                 "Двигатель для RockSim записан в файл ",
                                 true,
                                 &DefaultRseOptions,
                                 &FormatRseDocument};
const CurveExportKind kCsvExport{
    kCsvExportCaption,  "CsvExportButton",         ".csv", kCsvFileFilter,
    "Сохранить кривые", "Кривые записаны в файл ", false,  &DefaultEngOptions,
    &FormatCsv};

EngExportResult RunCurveExport(const CurveExportKind& kind, const EngSource& source,
                               EngExportPrompts& prompts) {
    const EngOptions defaults = kind.defaults(source.result);
    // Refuse before asking anything when there is nothing to write.
    const EngDocument check = kind.format(source, defaults);
    if (!check.ok()) {
        prompts.showError(check.error);
        return {EngExportOutcome::kFailed, {}};
    }
    const std::optional<EngOptions> options =
        kind.asksHeader ? prompts.askOptions(defaults) : defaults;
    if (!options) {
        return {};
    }
    const std::optional<std::filesystem::path> file =
        prompts.chooseFile(SuggestedFile(kind, *options, source.sourceFile));
    if (!file || file->empty()) {
        return {};
    }
    const ExportStatus written = WriteExportDocument(*file, kind.format(source, *options));
    if (!written.ok()) {
        prompts.showError(written.error);
        return {EngExportOutcome::kFailed, *file};
    }
    return {EngExportOutcome::kWritten, *file};
}

std::string CurveWrittenMessage(const CurveExportKind& kind, const std::filesystem::path& file) {
    return std::string(kind.written) + file.filename().string();
}

EngOptionsDialog::EngOptionsDialog(const EngOptions& defaults, QWidget* parent,
                                   std::string_view title)
    : QDialog(parent),
      name_(new QLineEdit(ToQString(defaults.name), this)),
      casingMass_(new QLineEdit(ToQString(FormatGeneral(defaults.casingMass)), this)),
      manufacturer_(new QLineEdit(ToQString(defaults.manufacturer), this)),
      error_(new QLabel(this)),
      options_(defaults) {
    setWindowTitle(ToQString(title));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Название двигателя"), name_);
    form->addRow(ToQString(kCasingMassField), casingMass_);
    form->addRow(QStringLiteral("Производитель"), manufacturer_);
    error_->setStyleSheet(QStringLiteral("color: #b00000"));
    error_->setWordWrap(true);
    error_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &EngOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EngOptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(error_);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void EngOptionsDialog::accept() {
    const CasingMassInput mass = ParseCasingMass(ToStdString(casingMass_->text()));
    if (!mass.ok()) {
        error_->setText(ToQString(mass.error));
        error_->show();
        casingMass_->setFocus();
        casingMass_->selectAll();
        return;
    }
    options_ = {ToStdString(name_->text()), mass.value, ToStdString(manufacturer_->text())};
    QDialog::accept();
}

std::optional<EngOptions> DialogEngExportPrompts::askOptions(const EngOptions& defaults) {
    EngOptionsDialog dialog(defaults, parent_, kind_.caption);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.options();
}

std::optional<std::filesystem::path> DialogEngExportPrompts::chooseFile(
    const std::filesystem::path& suggested) {
    QFileDialog box(parent_, ToQString(kind_.fileDialogTitle));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilter(QtFileFilter(kind_.fileFilter));
    box.setDefaultSuffix(DefaultSuffix(kind_.extension));
    box.selectFile(ToQString(suggested.string()));
    box.setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
    box.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(ToStdString(box.selectedFiles().front()));
}

void DialogEngExportPrompts::showError(std::string_view text) {
    ShowMessage(parent_, MessageIcon::kError, text);
}

}  // namespace tarvo
