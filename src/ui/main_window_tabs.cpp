// The five pages of the main window, built from the layout tables: which group goes where is
// decided here, what each group holds comes from the tables.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "input/field_map.h"
#include "ui/chart_panel.h"
#include "ui/checks_panel.h"
#include "ui/input_widgets.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/stand_panel.h"

namespace tarvo {

namespace {

constexpr int kFieldWidth = 64;
constexpr int kValueWidth = 76;
constexpr int kConstantFieldWidth = 84;
constexpr int kBurnRateFieldWidth = 54;
constexpr int kMotorColumnWidth = 400;
constexpr int kInputColumnWidth = 440;
constexpr int kTableRowHeight = 18;
constexpr int kStepperColumnWidth = 16;
constexpr int kTableFrame = 22;  // frame and vertical scroll bar beside the three columns
constexpr int kClassLabel = 189;

// Texts of the layout tables use "\r\n" for line breaks.
QString DisplayText(std::string_view text) {
    QString display = ToQString(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return display;
}

// Centred multi-line headers carry leading blanks for the old font; centring does that here.
QString CentredText(std::string_view text) {
    QStringList lines = DisplayText(text).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = line.trimmed();
    }
    return lines.join(QLatin1Char('\n'));
}

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel* Centred(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

std::string_view FieldGroup(int edit) {
    const FieldLayout* layout = FindFieldLayout(edit);
    return layout != nullptr ? layout->group : std::string_view();
}

std::string_view LabelGroup(int label) {
    const LabelLayout* layout = FindLabelLayout(label);
    return layout != nullptr ? layout->group : std::string_view();
}

const ChartLayout* FindChartLayout(int chart) {
    for (const ChartLayout& layout : ChartLayouts()) {
        if (layout.chart == chart) {
            return &layout;
        }
    }
    return nullptr;
}

QVBoxLayout* Column(std::initializer_list<QWidget*> widgets) {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    for (QWidget* widget : widgets) {
        column->addWidget(widget);
    }
    return column;
}

// A column of fixed width beside the part of the page that takes the rest.
QWidget* FixedColumn(QVBoxLayout* column, int width) {
    auto* holder = new QWidget;
    column->setContentsMargins(0, 0, 0, 0);
    holder->setLayout(column);
    holder->setFixedWidth(width);
    return holder;
}

QWidget* Page(QLayout* content) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(content);
    return page;
}

}  // namespace

// ---- Rows of a group ----

QLineEdit* MainWindow::makeField(int edit, QWidget* parent) {
    auto* widget = new QLineEdit(parent);
    widget->setObjectName(ToQString(ControlName(ToControl(EditId{edit}))));
    widget->setFixedWidth(kFieldWidth);
    fields_[edit] = widget;
    connectField(edit, widget);
    return widget;
}

QCheckBox* MainWindow::makeCheckBox(const CheckBoxLayout& layout, QWidget* parent) {
    auto* box = new QCheckBox(ToQString(layout.caption), parent);
    const CheckBoxId id = layout.id;
    box->setObjectName(ToQString(ControlName(ToControl(id))));
    checkBoxes_[static_cast<std::size_t>(id)] = box;
    // clicked comes from the user only; the box then shows whatever the model made of it.
    connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
        guarded([&] { form_.setChecked(id, checked); });
        showCheckBox(id);
    });
    return box;
}

QPushButton* MainWindow::makeButton(int number, QWidget* parent) {
    QString caption;
    for (const ButtonLayout& layout : ButtonLayouts()) {
        if (layout.button == number) {
            caption = ToQString(layout.caption);
        }
    }
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(ToQString(ControlName(ToControl(ButtonId{number}))));
    buttons_[number] = button;
    connect(button, &QPushButton::clicked, this, [this, number] {
        switch (number) {
            case 1:
                guarded([this] { form_.calculate(); });
                return;
            case 2:
                exportToSpreadsheet();
                return;
            case 3:
                guarded([this] { commands().restorePropellantDefaults(); });
                return;
            case 4:
                guarded([this] { commands().loadPropellants(); });
                return;
            case 5:
                guarded([this] { commands().savePropellants(); });
                return;
            default:
                return;
        }
    });
    return button;
}

void MainWindow::addFieldRow(QGridLayout* grid, int row, const FieldLayout& layout) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(Caption(DisplayText(layout.caption), parent), row, 0);
    grid->addWidget(makeField(layout.edit, parent), row, 1, Qt::AlignRight);
    if (layout.stepper == 0) {
        return;
    }
    auto* stepper = new StepperButtons(parent);
    const int number = layout.stepper;
    stepper->setObjectName(ToQString(ControlName(ToControl(StepperId{number}))));
    steppers_[number] = stepper;
    connect(stepper, &StepperButtons::steppedUp, this, [this, number] {
        guarded([&] { form_.stepStepper(StepperId{number}, StepDirection::kUp); });
    });
    connect(stepper, &StepperButtons::steppedDown, this, [this, number] {
        guarded([&] { form_.stepStepper(StepperId{number}, StepDirection::kDown); });
    });
    grid->addWidget(stepper, row, 2);
}

void MainWindow::addLabelRow(QGridLayout* grid, int row, const LabelLayout& layout) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(Caption(DisplayText(layout.caption), parent), row, 0);
    auto* value = new ValueLabel(kValueWidth, parent);
    value->setObjectName(ToQString(ControlName(ToControl(LabelId{layout.label}))));
    labels_[layout.label] = value;
    grid->addWidget(value, row, 1, Qt::AlignRight);
}

void MainWindow::addPropellantListRow(QGridLayout* grid, int row) {
    QWidget* parent = grid->parentWidget();
    propellants_ = new QComboBox(parent);
    propellants_->setObjectName(QStringLiteral("fbox"));
    propellants_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    propellants_->setMinimumContentsLength(16);
    connect(propellants_, &QComboBox::activated, this, [this](int index) {
        guarded([&] { form_.selectPropellant(index); });
        showPropellantSelection();
    });
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(ToQString(kPropellantListCaption), parent));
    line->addWidget(propellants_, 1);
    grid->addLayout(line, row, 0, 1, 3);
}

QGroupBox* MainWindow::buildGroup(int tab, std::string_view group) {
    auto* box = new QGroupBox(ToQString(group));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(2, kStepperColumnWidth);  // values line up across groups
    int row = 0;
    if (tab == 1 && group == FieldGroup(field::kDo)) {
        addPropellantListRow(grid, row++);
    }
    for (const FieldLayout& layout : FieldLayouts()) {
        if (layout.tab == tab && layout.group == group) {
            addFieldRow(grid, row++, layout);
        }
    }
    for (const LabelLayout& layout : LabelLayouts()) {
        if (layout.tab == tab && layout.group == group) {
            addLabelRow(grid, row++, layout);
        }
    }
    for (const CheckBoxLayout& layout : CheckBoxLayouts()) {
        if (layout.tab == tab && layout.group == group) {
            grid->addWidget(makeCheckBox(layout, box), row++, 0, 1, 3);
        }
    }
    return box;
}

QWidget* MainWindow::chartWithCheckBox(int chart, CheckBoxId box, QWidget* beside) {
    auto* holder = new QWidget;
    auto* panel = new ChartPanel(*FindChartLayout(chart), holder);
    panel->setObjectName(ToQString(ControlName(ToControl(ChartId{chart}))));
    charts_[chart] = panel;
    connect(panel, &ChartPanel::zoomRequested, this, [this, chart] { openChartWindow(chart); });
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel, 1);
    auto* row = new QHBoxLayout;
    for (const CheckBoxLayout& boxLayout : CheckBoxLayouts()) {
        if (boxLayout.id == box) {
            row->addWidget(makeCheckBox(boxLayout, holder));
        }
    }
    row->addStretch();
    if (beside != nullptr) {
        row->addWidget(beside);
    }
    layout->addLayout(row);
    return holder;
}

// ---- Pages ----

QWidget* MainWindow::buildMotorTab() {
    QVBoxLayout* left =
        Column({buildGroup(1, FieldGroup(field::kDc)), buildGroup(1, FieldGroup(field::kDo))});
    left->addStretch();
    auto* tracerRow = new QHBoxLayout;
    tracerRow->addWidget(buildGroup(1, FieldGroup(field::kLto)), 3);
    tracerRow->addWidget(buildGroup(1, CheckBoxLayouts()[0].group), 2);
    QVBoxLayout* right =
        Column({buildGroup(1, FieldGroup(field::kKno)), buildGroup(1, LabelGroup(19))});
    right->addLayout(tracerRow);
    checksButton_ = new QPushButton(ToQString(kChecksButtonCaption));
    checksButton_->setObjectName(QStringLiteral("ChecksButton"));
    connect(checksButton_, &QPushButton::clicked, this, &MainWindow::openChecksDialog);
    sweepButton_ = new QPushButton(ToQString(kSweepButtonCaption));
    sweepButton_->setObjectName(QStringLiteral("SweepButton"));
    connect(sweepButton_, &QPushButton::clicked, this, &MainWindow::openSweepDialog);
    auto* besideChart = new QWidget;
    auto* buttons = new QHBoxLayout(besideChart);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(checksButton_);
    buttons->addWidget(sweepButton_);
    right->addWidget(chartWithCheckBox(1, CheckBoxId::kChk2, besideChart), 1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(FixedColumn(left, kMotorColumnWidth));
    columns->addLayout(right, 1);
    return Page(columns);
}

QWidget* MainWindow::buildPressureTab() {
    QVBoxLayout* left =
        Column({buildGroup(2, FieldGroup(field::kuc)), buildGroup(2, LabelGroup(141))});
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(FixedColumn(left, kInputColumnWidth));
    columns->addWidget(chartWithCheckBox(2, CheckBoxId::kChk3), 1);
    return Page(columns);
}

QWidget* MainWindow::buildPerformanceTab() {
    QVBoxLayout* left =
        Column({buildGroup(3, FieldGroup(field::kunoz)), buildGroup(3, LabelGroup(169))});
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(FixedColumn(left, kInputColumnWidth));
    columns->addWidget(chartWithCheckBox(3, CheckBoxId::kChk4), 1);
    return Page(columns);
}

QTableWidget* MainWindow::makeResultTable(QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(kResultTableColumns.size()), parent);
    table->setObjectName(QStringLiteral("lv"));
    int width = kTableFrame;
    for (std::size_t c = 0; c < kResultTableColumns.size(); ++c) {
        const ColumnLayout& column = kResultTableColumns[c];
        auto* header = new QTableWidgetItem(ToQString(column.title));
        header->setTextAlignment(column.centred ? Qt::AlignCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
        table->setHorizontalHeaderItem(static_cast<int>(c), header);
        table->setColumnWidth(static_cast<int>(c), column.width);
        width += column.width;
    }
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    table->setShowGrid(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedWidth(width);
    return table;
}

QWidget* MainWindow::buildResultsTab() {
    table_ = makeResultTable(nullptr);
    QGroupBox* motor = buildGroup(4, LabelGroup(kClassLabel));
    // Two columns of export buttons: the workbook and the curve files.
    auto* buttons = new QGridLayout;
    buttons->addWidget(makeButton(kExportButton.number, nullptr), 0, 0);
    int place = 1;
    for (const CurveExportKind* kind : kCurveExports) {
        auto* button = new QPushButton(ToQString(kind->caption));
        button->setObjectName(ToQString(kind->objectName));
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, [this, kind] { exportCurveFile(*kind); });
        buttons->addWidget(button, place / 2, place % 2);
        curveButtons_[kind] = button;
        ++place;
    }
    buttons->setColumnStretch(2, 1);
    auto* right = Column({motor});
    right->addLayout(buttons);
    checksPanel_ = new DesignChecksPanel(form_);
    connect(checksPanel_, &DesignChecksPanel::helpRequested, this, &MainWindow::openChecksHelp);
    right->addWidget(checksPanel_);
    right->addWidget(chartWithCheckBox(4, CheckBoxId::kChk5), 1);
    standPanel_ = new StandPanel;
    standPanel_->setFixedWidth(table_->width());
    connect(standPanel_, &StandPanel::fitRequested, this, &MainWindow::openFitDialog);
    auto* left = new QVBoxLayout;
    left->addWidget(table_, 1);
    left->addWidget(standPanel_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    return Page(columns);
}

QWidget* MainWindow::buildPropellantConstants() {
    auto* box = new QGroupBox(ToQString(kPropellantGridGroup));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    constexpr int kFirstFieldRow = 3;
    grid->addWidget(new QLabel(ToQString(kUnitRowCaption), box), 1, 0);
    grid->addWidget(new QLabel(ToQString(kNoteRowCaption), box), 2, 0);
    for (int c = 0; c < static_cast<int>(kPropellantColumnHeaders.size()); ++c) {
        grid->addWidget(Centred(CentredText(kPropellantColumnHeaders[c]), box), 0, c + 1);
        grid->addWidget(Centred(ToQString(kPropellantColumnUnits[c]), box), 1, c + 1);
        const QString note = c == 0 ? QString() : QStringLiteral("[%1]").arg(c);
        grid->addWidget(Centred(note, box), 2, c + 1);
    }
    auto notes = new QVBoxLayout;
    auto legends = new QVBoxLayout;
    for (const std::string_view note : kPropellantNotes) {
        notes->addWidget(new QLabel(DisplayText(note), box));
    }
    int row = kFirstFieldRow;
    for (const PropellantRowLayout& propellant : PropellantRowLayouts()) {
        auto* name = new QLabel(box);
        name->setObjectName(ToQString(ControlName(ToControl(LabelId{propellant.rowLabel}))));
        labels_[propellant.rowLabel] = name;
        grid->addWidget(name, row, 0);
        const PropellantFields& fields = kPropellantFields[propellant.ftype - 1];
        const int columns[] = {fields.pPrime, fields.k2ph, fields.k, fields.M, fields.To};
        for (int c = 0; c < 5; ++c) {
            QLineEdit* edit = makeField(columns[c], box);
            edit->setFixedWidth(kConstantFieldWidth);
            grid->addWidget(edit, row, c + 1, Qt::AlignCenter);
        }
        legends->addWidget(new QLabel(DisplayText(propellant.legend), box));
        ++row;
    }
    grid->setColumnStretch(0, 1);
    auto* buttons = new QVBoxLayout;
    for (const int number : {3, 4, 5}) {
        buttons->addWidget(makeButton(number, box));
    }
    buttons->addStretch();
    auto* below = new QHBoxLayout;
    below->addLayout(notes);
    below->addLayout(legends);
    below->addStretch();
    below->addLayout(buttons);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->addLayout(grid);
    layout->addLayout(below);
    return box;
}

QWidget* MainWindow::buildBurnRateGroup(int propellant) {
    const PropellantRowLayout& layout =
        PropellantRowLayouts()[static_cast<std::size_t>(propellant)];
    auto* box = new QGroupBox;
    box->setObjectName(ToQString(ControlName({ControlKind::kGroupBox, layout.burnRateGroup})));
    groups_[layout.burnRateGroup] = box;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(Centred(ToQString(kBurnRateHeaders[0]), box), 0, 0, 1, 3);
    grid->addWidget(Centred(ToQString(kBurnRateHeaders[1]), box), 1, 0, 1, 3);
    grid->addWidget(Centred(ToQString(kBurnRateHeaders[2]), box), 0, 3, 1, 2);
    grid->addWidget(Centred(ToQString(kBurnRateHeaders[3]), box), 1, 3);
    grid->addWidget(Centred(ToQString(kBurnRateHeaders[4]), box), 1, 4);
    const BurnRateFields& fields = kBurnRateFields[static_cast<std::size_t>(propellant)];
    for (int range = 0; range < kBurnRateRanges; ++range) {
        const int columns[] = {fields.lower + range, 0, fields.upper + range, fields.a + range,
                               fields.n + range};
        for (int c = 0; c < 5; ++c) {
            if (columns[c] == 0) {
                grid->addWidget(Centred(ToQString(kBurnRateRangeWord), box), range + 2, c);
                continue;
            }
            QLineEdit* edit = makeField(columns[c], box);
            edit->setFixedWidth(kBurnRateFieldWidth);
            grid->addWidget(edit, range + 2, c);
        }
    }
    return box;
}

QWidget* MainWindow::buildPropellantTab() {
    auto* groups = new QHBoxLayout;
    for (int propellant = 0; propellant < kPropellantCount; ++propellant) {
        groups->addWidget(buildBurnRateGroup(propellant));
    }
    auto* layout = new QVBoxLayout;
    layout->addWidget(buildPropellantConstants());
    layout->addLayout(groups);
    layout->addStretch();
    return Page(layout);
}

}  // namespace tarvo
