#include "ui/eng_export.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ballistics/motor_class.h"
#include "model/number_text.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

constexpr std::string_view kEngExtension = ".eng";

std::filesystem::path SuggestedFile(const EngOptions& options, std::string_view sourceFile) {
    std::string name = EngToken(options.name);
    if (name.empty()) {
        name = "motor";
    }
    const std::filesystem::path file = name + std::string(kEngExtension);
    if (sourceFile.empty()) {
        return file;
    }
    return std::filesystem::path(sourceFile).parent_path() / file;
}

}  // namespace

std::vector<ResultRow> LastResultRows(const MotorModel& model) {
    std::vector<ResultRow> rows;
    if (model.timeSeries.size() < static_cast<std::size_t>(kTimeSeriesRows)) {
        return rows;
    }
    for (const int point : ResultRows) {
        const TimePoint& row = model.timeSeries[static_cast<std::size_t>(point)];
        rows.push_back({point, row.time, row.thrust});
    }
    return rows;
}

EngExportResult RunEngExport(const MotorModel& model, const std::vector<ResultRow>& rows,
                             std::string_view sourceFile, EngExportPrompts& prompts) {
    const EngOptions defaults = DefaultEngOptions(rows);
    // Refuse before asking anything when there is no curve to write.
    const EngDocument check = FormatEngDocument(model, rows, defaults, sourceFile);
    if (!check.ok()) {
        prompts.showError(check.error);
        return {EngExportOutcome::kFailed, {}};
    }
    const std::optional<EngOptions> options = prompts.askOptions(defaults);
    if (!options) {
        return {};
    }
    const std::optional<std::filesystem::path> file =
        prompts.chooseFile(SuggestedFile(*options, sourceFile));
    if (!file || file->empty()) {
        return {};
    }
    const ExportStatus written = ExportEngFile(*file, model, rows, *options, sourceFile);
    if (!written.ok()) {
        prompts.showError(written.error);
        return {EngExportOutcome::kFailed, *file};
    }
    return {EngExportOutcome::kWritten, *file};
}

std::string EngWrittenMessage(const std::filesystem::path& file) {
    return "Кривая тяги записана в файл " + file.filename().string();
}

EngOptionsDialog::EngOptionsDialog(const EngOptions& defaults, QWidget* parent)
    : QDialog(parent),
      name_(new QLineEdit(ToQString(defaults.name), this)),
      casingMass_(new QLineEdit(ToQString(FormatGeneral(defaults.casingMass)), this)),
      manufacturer_(new QLineEdit(ToQString(defaults.manufacturer), this)),
      error_(new QLabel(this)),
      options_(defaults) {
    setWindowTitle(QStringLiteral("Экспорт в RASP (.eng)"));
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
    EngOptionsDialog dialog(defaults, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.options();
}

std::optional<std::filesystem::path> DialogEngExportPrompts::chooseFile(
    const std::filesystem::path& suggested) {
    QFileDialog box(parent_, QStringLiteral("Сохранить кривую тяги"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilter(QtFileFilter(kEngFileFilter));
    box.setDefaultSuffix(DefaultSuffix(kEngExtension));
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
