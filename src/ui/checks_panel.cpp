#include "ui/checks_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/input_widgets.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"

namespace tarvo {
namespace {

constexpr std::string_view kNoAlertsText = "Нет расчёта или нечего сообщить";
constexpr int kValueColumnWidth = 96;
constexpr int kLimitColumnWidth = 104;
constexpr int kListRowHeight = 18;
constexpr int kListRows = 4;
constexpr int kFieldWidth = 72;
constexpr int kDialogWidth = 560;
constexpr int kHelpWidth = 640;
constexpr int kHelpHeight = 520;
constexpr std::string_view kHelpCaption = "Справка: проверка конструкции";
constexpr std::string_view kMaterialCaption = "Материал корпуса";
constexpr std::string_view kCasingGroup = "Корпус";
constexpr std::string_view kLimitsGroup = "Пределы проверок";

// The worst severity among the alerts, for the indicator's icon.
Severity Worst(const AlertCounts& counts) {
    if (counts.errors > 0) {
        return Severity::kError;
    }
    return counts.warnings > 0 ? Severity::kWarning : Severity::kNote;
}

QString Tooltip(const DesignAlert& alert) {
    QString tip = ToQString(std::string(SeverityWord(alert.severity)) + ": " + alert.text);
    if (!alert.advice.empty()) {
        tip += QStringLiteral("\n") + ToQString(alert.advice);
    }
    return tip;
}

QDialogButtonBox* HelpButtons(QDialog* dialog, QDialogButtonBox::StandardButtons buttons) {
    auto* box = new QDialogButtonBox(buttons | QDialogButtonBox::Help, dialog);
    box->button(QDialogButtonBox::Help)->setText(QStringLiteral("Справка"));
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
        ok->setText(QStringLiteral("OK"));
        ok->setDefault(true);
    }
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) {
        cancel->setText(QStringLiteral("Отмена"));
    }
    return box;
}

}  // namespace

QIcon SeverityIcon(Severity severity) {
    QStyle* style = QApplication::style();
    switch (severity) {
        case Severity::kError:
            return style->standardIcon(QStyle::SP_MessageBoxCritical);
        case Severity::kWarning:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case Severity::kNote:
            break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

// ---- The list of tab 4 ----

DesignChecksPanel::DesignChecksPanel(FormModel& form, QWidget* parent)
    : QGroupBox(ToQString(kDesignChecksCaption), parent), form_(form) {
    setObjectName(QStringLiteral("DesignChecks"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("DesignCheckList"));
    list_->setColumnCount(3);
    list_->setHeaderLabels(
        {QStringLiteral("Проверка"), QStringLiteral("Значение"), QStringLiteral("Предел")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setTextElideMode(Qt::ElideRight);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    header->resizeSection(1, kValueColumnWidth);
    header->resizeSection(2, kLimitColumnWidth);
    list_->setFixedHeight(header->sizeHint().height() + kListRows * kListRowHeight + 6);

    auto* help = new QToolButton(this);
    help->setText(QStringLiteral("?"));
    help->setToolTip(ToQString(kHelpCaption));
    help->setAutoRaise(true);
    connect(help, &QToolButton::clicked, this, &DesignChecksPanel::helpRequested);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(list_, 1);
    layout->addWidget(help, 0, Qt::AlignTop);

    showAlerts();
    token_ = form_.addObserver([this](const Change& change) {
        if (change.control == kDesignCheckList && change.kind == ChangeKind::kRows) {
            showAlerts();
        }
    });
}

DesignChecksPanel::~DesignChecksPanel() {
    form_.removeObserver(token_);
}

void DesignChecksPanel::showAlerts() {
    list_->clear();
    const std::vector<DesignAlert>& alerts = form_.designAlerts();
    if (alerts.empty()) {
        auto* item = new QTreeWidgetItem(list_, {ToQString(kNoAlertsText)});
        item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
        return;
    }
    for (const DesignAlert& alert : alerts) {
        auto* item = new QTreeWidgetItem(list_, {ToQString(alert.title), ToQString(alert.valueText),
                                                 ToQString(alert.limitText)});
        item->setIcon(0, SeverityIcon(alert.severity));
        const QString tip = Tooltip(alert);
        for (int column = 0; column < 3; ++column) {
            item->setToolTip(column, tip);
        }
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

// ---- The indicator in the status bar ----

AlertIndicator::AlertIndicator(FormModel& form, QWidget* parent)
    : QToolButton(parent), form_(form) {
    setObjectName(QStringLiteral("AlertIndicator"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setToolTip(QStringLiteral("Показать проверку конструкции (вкладка 4)"));
    connect(this, &QToolButton::clicked, this, [this] { form_.setActiveTab(kDesignChecksTab); });
    showCounts();
    token_ = form_.addObserver([this](const Change& change) {
        if (change.control == kDesignCheckList && change.kind == ChangeKind::kRows) {
            showCounts();
        }
    });
}

AlertIndicator::~AlertIndicator() {
    form_.removeObserver(token_);
}

void AlertIndicator::showCounts() {
    const AlertCounts counts = CountAlerts(form_.designAlerts());
    const std::string text = AlertCountsText(counts);
    setText(ToQString(text));
    setIcon(SeverityIcon(Worst(counts)));
    setVisible(!text.empty());
}

// ---- "Корпус и пределы" ----

ChecksDialogWindow::ChecksDialogWindow(FormModel& form, QWidget* parent)
    : QDialog(parent), model_(form) {
    setObjectName(QStringLiteral("ChecksDialog"));
    setWindowTitle(ToQString(kChecksDialogCaption));
    setFixedWidth(kDialogWidth);

    materials_ = new QComboBox(this);
    materials_->setObjectName(QStringLiteral("Material"));
    for (const std::string& choice : ChecksDialog::MaterialChoices()) {
        materials_->addItem(ToQString(choice));
    }
    connect(materials_, &QComboBox::activated, this, [this](int index) {
        model_.chooseMaterial(index);
        showModel();
    });
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    burst_ = new QLabel(this);
    burst_->setWordWrap(true);

    auto* casing = new QGroupBox(ToQString(kCasingGroup), this);
    auto* casingGrid = new QGridLayout(casing);
    casingGrid->addWidget(new QLabel(ToQString(kMaterialCaption), casing), 0, 0);
    casingGrid->addWidget(materials_, 0, 1, 1, 2);
    casingGrid->addWidget(note_, 1, 0, 1, 3);
    auto* limits = new QGroupBox(ToQString(kLimitsGroup), this);
    auto* limitsGrid = new QGridLayout(limits);
    int casingRow = 2;
    int limitsRow = 0;
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        const bool ofCasing = rule.limit == nullptr;
        QGridLayout* grid = ofCasing ? casingGrid : limitsGrid;
        int& row = ofCasing ? casingRow : limitsRow;
        auto* edit = new QLineEdit(this);
        edit->setObjectName(ToQString(rule.caption));
        edit->setFixedWidth(kFieldWidth);
        const CheckField field = rule.field;
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_.setText(field, ToStdString(text));
            burst_->setText(ToQString(model_.burstPressureText()));
        });
        fields_[static_cast<std::size_t>(field)] = edit;
        auto* caption = new QLabel(ToQString(CaptionWithUnit(rule)), this);
        caption->setWordWrap(true);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(ToQString(RangeText(rule)), this), row, 2);
        ++row;
    }
    casingGrid->addWidget(burst_, casingRow, 0, 1, 3);
    casingGrid->setColumnStretch(0, 1);
    limitsGrid->setColumnStretch(0, 1);

    QDialogButtonBox* buttons = HelpButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChecksDialogWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &ChecksDialogWindow::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(casing);
    layout->addWidget(limits);
    layout->addWidget(buttons);
    showModel();
}

QLineEdit* ChecksDialogWindow::field(CheckField field) const {
    return fields_[static_cast<std::size_t>(field)];
}

void ChecksDialogWindow::showModel() {
    materials_->setCurrentIndex(model_.material());
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        QLineEdit* edit = field(rule.field);
        const QString text = ToQString(model_.text(rule.field));
        if (edit->text() != text) {
            edit->setText(text);
        }
        edit->setEnabled(model_.isEnabled(rule.field));
    }
    note_->setText(ToQString(model_.materialNote()));
    burst_->setText(ToQString(model_.burstPressureText()));
}

void ChecksDialogWindow::accept() {
    if (const std::optional<ChecksRefusal> refusal = model_.accept()) {
        ShowMessage(this, MessageIcon::kWarning, refusal->message);
        QLineEdit* edit = field(refusal->field);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    QDialog::accept();
}

// ---- The help on the checks ----

ChecksHelpWindow::ChecksHelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChecksHelp"));
    setWindowTitle(ToQString(kHelpCaption));
    resize(kHelpWidth, kHelpHeight);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setPlainText(ToQString(DesignChecksHelpText()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(buttons);
}

}  // namespace tarvo
