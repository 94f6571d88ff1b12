#include "ui/stand_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace tarvo {
namespace {

constexpr std::string_view kPanelCaption = "Испытание на стенде";
constexpr std::string_view kFitCaption = "Подобрать…";
constexpr std::string_view kStaleText = "Нет расчёта для сравнения: нажмите «Рассчитать»";
constexpr int kRowHeight = 17;
constexpr int kCaptionColumnWidth = 80;
constexpr int kValueColumnWidth = 72;
QTableWidgetItem* Cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

QTableWidget* ComparisonTable(QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(kComparisonColumns.size()), parent);
    table->setObjectName(QStringLiteral("StandComparison"));
    QStringList headers;
    for (const std::string_view column : kComparisonColumns) {
        headers << ToQString(column);
    }
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setColumnWidth(0, kCaptionColumnWidth);
    for (int c = 1; c < table->columnCount(); ++c) {
        table->setColumnWidth(c, kValueColumnWidth);
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rows = static_cast<int>(kFigureLayouts.size());
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + rows * kRowHeight + 8);
    return table;
}

}  // namespace

StandPanel::StandPanel(QWidget* parent) : QGroupBox(ToQString(kPanelCaption), parent) {
    setObjectName(QStringLiteral("StandPanel"));
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    table_ = ComparisonTable(this);
    stale_ = new QLabel(ToQString(kStaleText), this);
    stale_->setWordWrap(true);
    fitButton_ = new QPushButton(ToQString(kFitCaption), this);
    fitButton_->setObjectName(QStringLiteral("StandFitButton"));
    connect(fitButton_, &QPushButton::clicked, this, &StandPanel::fitRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stale_, 1);
    buttons->addWidget(fitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    setVisible(false);
}

StandPanel::~StandPanel() {
    setSession(nullptr);
}

void StandPanel::setSession(StandSession* session) {
    if (session_ != nullptr) {
        session_->removeObserver(token_);
    }
    session_ = session;
    if (session_ != nullptr) {
        token_ = session_->addObserver([this] { showSession(); });
    }
    showSession();
}

void StandPanel::showSession() {
    const bool loaded = session_ != nullptr && session_->loaded();
    setVisible(loaded);
    if (!loaded) {
        return;
    }
    summary_->setText(ToQString(session_->summary()));
    const std::vector<ComparisonRow> rows = session_->comparisonRows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ComparisonRow& row = rows[r];
        table_->setItem(r, 0, Cell(ToQString(row.shortCaption), false));
        table_->item(r, 0)->setToolTip(ToQString(row.caption));
        table_->setItem(r, 1, Cell(ToQString(row.measured), true));
        table_->setItem(r, 2, Cell(ToQString(row.calculated), true));
        table_->setItem(r, 3, Cell(ToQString(row.difference), true));
    }
    stale_->setVisible(!session_->current());
    fitButton_->setEnabled(session_->canFit());
}

// ---- The fit dialog ----

StandFitDialog::StandFitDialog(StandSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setWindowTitle(ToQString(kFitCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Подобрать к испытанию:"), this));
    for (const FitParameterLayout& parameter : kFitParameterLayouts) {
        auto* box = new QCheckBox(ToQString(FitParameterCaption(parameter.parameter)), this);
        box->setChecked(parameter.parameter == FitParameter::kBurnRate ||
                        parameter.parameter == FitParameter::kUnoz);
        boxes_[static_cast<std::size_t>(parameter.parameter)] = box;
        layout->addWidget(box);
    }
    report_ = new QPlainTextEdit(this);
    report_->setReadOnly(true);
    report_->setMinimumSize(460, 200);
    layout->addWidget(report_, 1);
    fitButton_ = new QPushButton(QStringLiteral("Подобрать"), this);
    applyButton_ = new QPushButton(QStringLiteral("Применить"), this);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(fitButton_, &QPushButton::clicked, this, &StandFitDialog::runFit);
    connect(applyButton_, &QPushButton::clicked, this, &StandFitDialog::applyFit);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fitButton_);
    buttons->addStretch();
    buttons->addWidget(applyButton_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    showFit();
}

QCheckBox* StandFitDialog::parameterBox(FitParameter parameter) const {
    return boxes_[static_cast<std::size_t>(parameter)];
}

void StandFitDialog::runFit() {
    std::vector<FitParameter> chosen;
    for (const FitParameterLayout& parameter : kFitParameterLayouts) {
        if (parameterBox(parameter.parameter)->isChecked()) {
            chosen.push_back(parameter.parameter);
        }
    }
    if (chosen.empty()) {
        report_->setPlainText(QStringLiteral("Выберите хотя бы один параметр."));
        applyButton_->setEnabled(false);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.fit(chosen);
    QApplication::restoreOverrideCursor();
    showFit();
}

void StandFitDialog::applyFit() {
    if (session_.apply().applied) {
        accept();
    }
}

void StandFitDialog::showFit() {
    const CurveFit* fit = session_.lastFit();
    report_->setPlainText(ToQString(session_.fitReport()));
    fitButton_->setEnabled(session_.canFit());
    applyButton_->setEnabled(fit != nullptr && fit->outcome == FitOutcome::kFitted);
}

}  // namespace tarvo
