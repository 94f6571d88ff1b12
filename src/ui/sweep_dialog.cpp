#include "ui/sweep_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/file_io.h"
#include "form/design_alerts.h"
#include "sweep/sweep_output.h"
#include "ui/qt_text.h"
#include "ui/sweep_views.h"

namespace tarvo {
namespace {

constexpr std::string_view kTitle = "Подбор";
constexpr std::string_view kClassColumn = "Класс";
constexpr std::string_view kAlertsColumn = "Замечания";
constexpr std::string_view kStatusColumn = "Состояние";
constexpr int kRowHeight = 18;
constexpr std::string_view kDefaultSweepKey = "Kno";
constexpr std::string_view kDefaultSecondKey = "N";

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(70);
    return edit;
}

QTableWidgetItem* Cell(const std::string& text, bool number) {
    auto* item = new QTableWidgetItem(ToQString(text));
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

// The alerts' codes, and as the cell's tooltip what each of them means, one per line.
QTableWidgetItem* AlertCell(const DesignOutcome& outcome) {
    QTableWidgetItem* item = Cell(AlertText(outcome), false);
    QStringList titles;
    for (const DiagnosticCode code : outcome.alerts) {
        if (const DesignCheckInfo* check = FindDesignCheck(code)) {
            titles << ToQString(check->title);
        }
    }
    item->setToolTip(titles.join(QLatin1Char('\n')));
    return item;
}

void Choose(QComboBox* box, std::string_view text) {
    const int index = box->findText(ToQString(text));
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

}  // namespace

SweepDialog::SweepDialog(FormModel& form, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), form_(form), dialogs_(dialogs) {
    qRegisterMetaType<std::shared_ptr<tarvo::SweepRunOutput>>();
    setObjectName(QStringLiteral("SweepDialog"));
    setWindowTitle(ToQString(kTitle));
    session_.emplace(form_);

    modes_ = new QTabWidget(this);
    modes_->addTab(buildSweepPage(), QStringLiteral("Перебор"));
    modes_->addTab(buildTargetPage(), QStringLiteral("Цель"));
    modes_->setMaximumHeight(170);

    runButton_ = new QPushButton(QStringLiteral("Рассчитать"), this);
    runButton_->setObjectName(QStringLiteral("SweepRun"));
    runButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("SweepCancel"));
    applyButton_ = new QPushButton(QStringLiteral("Внести в поля"), this);
    applyButton_->setObjectName(QStringLiteral("SweepApply"));
    applyButton_->setToolTip(
        QStringLiteral("Значения выбранной строки - в поля окна (или двойной щелчок по строке)"));
    exportButton_ = new QPushButton(QStringLiteral("Экспорт CSV…"), this);
    exportButton_->setObjectName(QStringLiteral("SweepExport"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("SweepProgress"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("SweepMessage"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    table_ = new QTableWidget(0, 0, this);
    table_->setObjectName(QStringLiteral("SweepTable"));
    table_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    chart_ = new SweepChart(this);
    map_ = new SweepMap(this);
    views_ = new QStackedWidget(this);
    views_->addWidget(chart_);
    views_->addWidget(map_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(runButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(applyButton_);
    buttons->addWidget(exportButton_);
    buttons->addWidget(close);
    auto* legend = new QLabel(QStringLiteral("Красная точка, × - есть замечания проверки "
                                             "конструкции; серый - вариант не рассчитывается."),
                              this);
    legend->setWordWrap(true);
    auto* viewColumn = new QVBoxLayout;
    viewColumn->addWidget(views_, 1);
    viewColumn->addWidget(legend);
    auto* results = new QHBoxLayout;
    results->addWidget(table_, 3);
    results->addLayout(viewColumn, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes_);
    layout->addLayout(buttons);
    layout->addWidget(message_);
    layout->addLayout(results, 1);
    resize(1080, 680);

    connect(runButton_, &QPushButton::clicked, this, &SweepDialog::run);
    connect(cancelButton_, &QPushButton::clicked, this, &SweepDialog::cancel);
    connect(applyButton_, &QPushButton::clicked, this, [this] { applyRow(table_->currentRow()); });
    connect(exportButton_, &QPushButton::clicked, this, &SweepDialog::exportCsv);
    connect(close, &QPushButton::clicked, this, &SweepDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { applyRow(row); });
    connect(map_, &SweepMap::rowChosen, table_, &QTableWidget::selectRow);
    connect(map_, &SweepMap::rowActivated, this, &SweepDialog::applyRow);
    connect(modes_, &QTabWidget::currentChanged, this, [this](int page) {
        runButton_->setText(page == kTargetPage ? QStringLiteral("Найти")
                                                : QStringLiteral("Рассчитать"));
    });
    connect(this, &SweepDialog::progressed, this, &SweepDialog::showProgress, Qt::QueuedConnection);
    connect(this, &SweepDialog::runFinished, this, &SweepDialog::finish, Qt::QueuedConnection);
    setRunning(false);
}

SweepDialog::~SweepDialog() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
}

QWidget* SweepDialog::chart() const {
    return chart_;
}

QComboBox* SweepDialog::keyChooser(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const SweepKey& key : SweepKeys()) {
        box->addItem(ToQString(key.name()));
    }
    return box;
}

QComboBox* SweepDialog::figureChooser(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        box->addItem(ToQString(FigureCaption(i)));
    }
    return box;
}

const SweepKey* SweepDialog::chosenKey(QComboBox* box) const {
    return FindSweepKey(ToStdString(box->currentText()));
}

QWidget* SweepDialog::buildSweepPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Поле"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("от"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("до"), page), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("шаг"), page), 0, 4);
    secondKey_ = new QCheckBox(QStringLiteral("второе (карта)"), page);
    secondKey_->setObjectName(QStringLiteral("SweepSecondKey"));
    grid->addWidget(new QLabel(QStringLiteral("первое"), page), 1, 0);
    grid->addWidget(secondKey_, 2, 0);
    const char* names[2][4] = {{"SweepKey1", "SweepFrom1", "SweepTo1", "SweepStep1"},
                               {"SweepKey2", "SweepFrom2", "SweepTo2", "SweepStep2"}};
    for (int axis = 0; axis < 2; ++axis) {
        AxisWidgets& widgets = axes_[axis];
        widgets.key = keyChooser(page);
        widgets.key->setObjectName(QString::fromLatin1(names[axis][0]));
        widgets.from = NumberEdit(page, names[axis][1]);
        widgets.to = NumberEdit(page, names[axis][2]);
        widgets.step = NumberEdit(page, names[axis][3]);
        grid->addWidget(widgets.key, axis + 1, 1);
        grid->addWidget(widgets.from, axis + 1, 2);
        grid->addWidget(widgets.to, axis + 1, 3);
        grid->addWidget(widgets.step, axis + 1, 4);
        connect(widgets.key, &QComboBox::currentTextChanged, this,
                [this, axis] { proposeRange(axis); });
    }
    Choose(axes_[0].key, kDefaultSweepKey);
    Choose(axes_[1].key, kDefaultSecondKey);
    proposeRange(0);
    proposeRange(1);
    const auto enableSecond = [this](bool on) {
        for (QWidget* widget :
             {static_cast<QWidget*>(axes_[1].key), static_cast<QWidget*>(axes_[1].from),
              static_cast<QWidget*>(axes_[1].to), static_cast<QWidget*>(axes_[1].step)}) {
            widget->setEnabled(on);
        }
    };
    enableSecond(false);
    connect(secondKey_, &QCheckBox::toggled, this, enableSecond);

    auto* shown = new QGroupBox(QStringLiteral("Показать в таблице"), page);
    auto* shownLayout = new QGridLayout(shown);
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        shown_[i] = new QCheckBox(ToQString(kSweepFigures[i]), shown);
        shown_[i]->setToolTip(ToQString(FigureCaption(i)));
        shown_[i]->setChecked(true);
        shownLayout->addWidget(shown_[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
        connect(shown_[i], &QCheckBox::toggled, this, &SweepDialog::showRows);
    }
    chartFigure_ = figureChooser(page);
    chartFigure_->setObjectName(QStringLiteral("SweepChartFigure"));
    connect(chartFigure_, &QComboBox::currentIndexChanged, this, &SweepDialog::showChart);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(new QLabel(QStringLiteral("На графике и карте:"), page));
    chartRow->addWidget(chartFigure_, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(shown);
    right->addLayout(chartRow);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(16);
    layout->addLayout(right, 1);
    return page;
}

QWidget* SweepDialog::buildTargetPage() {
    auto* page = new QWidget;
    targetKey_ = keyChooser(page);
    targetKey_->setObjectName(QStringLiteral("TargetKey"));
    targetFrom_ = NumberEdit(page, "TargetFrom");
    targetTo_ = NumberEdit(page, "TargetTo");
    targetFigure_ = figureChooser(page);
    targetFigure_->setObjectName(QStringLiteral("TargetFigure"));
    targetValue_ = NumberEdit(page, "TargetValue");
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(targetKey_);
    keyRow->addWidget(new QLabel(QStringLiteral("от"), page));
    keyRow->addWidget(targetFrom_);
    keyRow->addWidget(new QLabel(QStringLiteral("до"), page));
    keyRow->addWidget(targetTo_);
    keyRow->addStretch();
    auto* figureRow = new QHBoxLayout;
    figureRow->addWidget(targetFigure_);
    figureRow->addWidget(new QLabel(QStringLiteral("="), page));
    figureRow->addWidget(targetValue_);
    figureRow->addStretch();
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Подобрать поле"), keyRow);
    form->addRow(QStringLiteral("чтобы"), figureRow);
    form->addRow(new QLabel(QStringLiteral("Значение ищется с точностью 0,5 %; для полей со "
                                           "счётчиком и N - два соседних значения."),
                            page));
    connect(targetKey_, &QComboBox::currentTextChanged, this, &SweepDialog::proposeTargetRange);
    connect(targetFigure_, &QComboBox::currentIndexChanged, this, &SweepDialog::proposeTargetValue);
    Choose(targetKey_, kDefaultSweepKey);
    proposeTargetRange();
    proposeTargetValue();
    return page;
}

void SweepDialog::proposeRange(int axis) {
    if (const SweepKey* key = chosenKey(axes_[axis].key)) {
        const ProposedRange range = session_->proposeRange(*key);
        axes_[axis].from->setText(ToQString(range.from));
        axes_[axis].to->setText(ToQString(range.to));
        axes_[axis].step->setText(ToQString(range.step));
    }
}

void SweepDialog::proposeTargetRange() {
    if (const SweepKey* key = chosenKey(targetKey_)) {
        const ProposedRange range = session_->proposeRange(*key);
        targetFrom_->setText(ToQString(range.from));
        targetTo_->setText(ToQString(range.to));
    }
}

// The figure of the window's last calculation, as a start for the target.
void SweepDialog::proposeTargetValue() {
    const auto figure = static_cast<std::size_t>(targetFigure_->currentIndex());
    const CalculationResult& last = form_.lastCalculation();
    const DesignOutcome outcome = OutcomeOf(last, form_.calculationSucceeded(), "");
    const std::optional<double>& value = outcome.figures[figure];
    targetValue_->setText(outcome.success && value ? ToQString(FigureText(figure, *value))
                                                   : QString());
}

void SweepDialog::say(const std::string& text) {
    message_->setText(ToQString(text));
}

void SweepDialog::setRunning(bool running) {
    runButton_->setEnabled(!running);
    cancelButton_->setEnabled(running);
    modes_->setEnabled(!running);
    applyButton_->setEnabled(!running && output_ && !output_->rows.empty());
    exportButton_->setEnabled(!running && output_ && !output_->rows.empty());
    table_->setEnabled(!running);
}

void SweepDialog::run() {
    if (running()) {
        return;
    }
    session_.emplace(form_);  // the design as the window shows it now
    if (modes_->currentIndex() == kTargetPage) {
        const SweepKey* key = chosenKey(targetKey_);
        SweepSession::Search search =
            session_->search(*key, ToStdString(targetFrom_->text()), ToStdString(targetTo_->text()),
                             static_cast<std::size_t>(targetFigure_->currentIndex()),
                             ToStdString(targetValue_->text()));
        if (!search.request) {
            say(search.error);
            return;
        }
        start([request = std::move(*search.request)](SweepRunOutput& output,
                                                     const RunControl& control) {
            output.keys = {request.key};
            output.answer = Solve(request, control);
            output.rows = output.answer->rows;
            output.request = request;
        });
        return;
    }
    std::vector<AxisTexts> texts;
    for (int axis = 0; axis < (secondKey_->isChecked() ? 2 : 1); ++axis) {
        texts.push_back({chosenKey(axes_[axis].key), ToStdString(axes_[axis].from->text()),
                         ToStdString(axes_[axis].to->text()),
                         ToStdString(axes_[axis].step->text())});
    }
    SweepSession::Plan plan = session_->plan(texts);
    if (!plan.plan) {
        say(plan.error);
        return;
    }
    auto shared = std::make_shared<const SweepPlan>(std::move(*plan.plan));
    start([shared](SweepRunOutput& output, const RunControl& control) {
        output.keys = AxisKeys(*shared);
        output.across = shared->axes()[0].values.size();
        SweepResult result = RunSweep(*shared, control);
        output.cancelled = !result.complete;
        for (SweepRow& row : result.rows) {
            if (row.calculated) {
                output.rows.push_back(std::move(row));
            }
        }
    });
}

// The work runs on the worker thread; what it hands back arrives by the queued signal.
void SweepDialog::start(std::function<void(SweepRunOutput&, const RunControl&)> work) {
    cancel_ = false;
    reportedPercent_ = -1;
    progress_->setRange(0, 100);
    progress_->setValue(0);
    say("Идёт расчёт…");
    setRunning(true);
    worker_ = std::thread([this, work = std::move(work)] {
        auto output = std::make_shared<SweepRunOutput>();
        RunControl control;
        control.cancel = &cancel_;
        control.progress = [this](std::size_t done, std::size_t total) {
            const int percent = static_cast<int>(100 * done / std::max<std::size_t>(total, 1));
            if (reportedPercent_.exchange(percent) != percent) {
                emit progressed(percent, 100);
            }
        };
        try {
            work(*output, control);
        } catch (const std::exception& error) {
            output->error = error.what();
        }
        output->cancelled = output->cancelled || cancel_;
        emit runFinished(output);
    });
}

void SweepDialog::showProgress(int done, int total) {
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void SweepDialog::finish(std::shared_ptr<SweepRunOutput> output) {
    if (worker_.joinable()) {
        worker_.join();
    }
    output_ = std::move(output);
    progress_->setValue(progress_->maximum());
    std::string text;
    if (!output_->error.empty()) {
        text = "Расчёт не удался: " + output_->error;
    } else if (output_->answer && output_->request) {
        text = AnswerText(*output_->request, *output_->answer);
    } else {
        text = "Рассчитано вариантов: " + std::to_string(output_->rows.size()) +
               (output_->cancelled ? " (расчёт прерван)" : "") +
               ". Двойной щелчок по строке вносит её значения в поля окна.";
    }
    say(text);
    showRows();
    showChart();
    setRunning(false);
}

void SweepDialog::cancel() {
    cancel_ = true;
}

void SweepDialog::reject() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
    QDialog::reject();
}

void SweepDialog::showRows() {
    table_->clear();
    table_->setRowCount(0);
    if (!output_) {
        return;
    }
    QStringList headers;
    for (const SweepKey* key : output_->keys) {
        headers << ToQString(key->name());
    }
    std::vector<std::size_t> figures;
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        if (shown_[i]->isChecked()) {
            figures.push_back(i);
            headers << ToQString(kSweepFigures[i]);
        }
    }
    headers << ToQString(kClassColumn) << ToQString(kAlertsColumn) << ToQString(kStatusColumn);
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(output_->rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const SweepRow& row = output_->rows[static_cast<std::size_t>(r)];
        int c = 0;
        for (const KeyValue& value : row.values) {
            table_->setItem(r, c++, Cell(value.fieldText, true));
        }
        for (const std::size_t figure : figures) {
            const std::optional<double>& value = row.outcome.figures[figure];
            table_->setItem(r, c++, Cell(value ? FigureText(figure, *value) : "", true));
        }
        table_->setItem(r, c++, Cell(row.outcome.motorClass, false));
        table_->setItem(r, c++, AlertCell(row.outcome));
        table_->setItem(r, c++, Cell(row.outcome.status, false));
        if (!row.outcome.alerts.empty()) {
            table_->item(r, c - 2)->setForeground(Qt::darkRed);
        }
    }
    table_->resizeColumnsToContents();
}

void SweepDialog::showChart() {
    chart_->clear();
    map_->clear();
    if (!output_ || output_->rows.empty()) {
        return;
    }
    const auto figure = output_->request ? output_->request->figure
                                         : static_cast<std::size_t>(chartFigure_->currentIndex());
    const std::string figureName = FigureCaption(figure);
    if (output_->keys.size() == 2 && output_->cancelled) {
        return;  // a map needs every design
    }
    if (output_->keys.size() == 2 && output_->across > 0) {
        const std::size_t across = output_->across;
        const std::size_t up = output_->rows.size() / across;
        std::vector<std::vector<MapCell>> cells(across, std::vector<MapCell>(up));
        std::vector<std::string> acrossTexts(across);
        std::vector<std::string> upTexts(up);
        for (std::size_t index = 0; index < output_->rows.size(); ++index) {
            const SweepRow& row = output_->rows[index];
            const std::size_t i = index / up;
            const std::size_t j = index % up;
            const std::optional<double>& value = row.outcome.figures[figure];
            cells[i][j] = {row.outcome.success ? value : std::nullopt, !row.outcome.alerts.empty(),
                           static_cast<int>(index)};
            acrossTexts[i] = row.values[0].fieldText;
            upTexts[j] = row.values[1].fieldText;
        }
        map_->setCells(std::move(cells), std::move(acrossTexts), std::move(upTexts),
                       std::string(output_->keys[0]->name()), std::string(output_->keys[1]->name()),
                       figureName, [figure](double value) { return FigureText(figure, value); });
        views_->setCurrentWidget(map_);
        return;
    }
    std::vector<ChartDesign> designs;
    // The target search draws every design it calculated, the found one among them.
    const std::vector<SweepRow>& drawn =
        output_->answer ? output_->answer->searched : output_->rows;
    for (const SweepRow& row : drawn) {
        const std::optional<double>& value = row.outcome.figures[figure];
        if (row.outcome.success && value && !row.values.empty()) {
            designs.push_back({row.values[0].value, *value, !row.outcome.alerts.empty()});
        }
    }
    std::sort(designs.begin(), designs.end(),
              [](const ChartDesign& a, const ChartDesign& b) { return a.x < b.x; });
    chart_->setDesigns(designs, std::string(output_->keys[0]->name()), figureName);
    views_->setCurrentWidget(chart_);
}

void SweepDialog::applyRow(int row) {
    if (running() || !output_ || row < 0 || row >= static_cast<int>(output_->rows.size())) {
        return;
    }
    const SweepRow& chosen = output_->rows[static_cast<std::size_t>(row)];
    session_->apply(output_->keys, chosen.values);
    std::string text = "В поля внесено:";
    for (std::size_t i = 0; i < output_->keys.size(); ++i) {
        text += " " + KeyValueText(*output_->keys[i], chosen.values[i]);
    }
    say(text + ". Результаты в окне устарели: нажмите «Рассчитать».");
}

void SweepDialog::exportCsv() {
    if (!output_ || output_->rows.empty()) {
        return;
    }
    const std::optional<std::string> path = dialogs_.chooseFile(FileDialog::kExportSweep);
    if (!path || path->empty()) {
        return;
    }
    if (const std::optional<FileError> failure =
            WriteFileAtomically(*path, SweepCsv(output_->keys, output_->rows))) {
        dialogs_.showMessage(MessageIcon::kError, SaveFailureMessage(*failure));
        return;
    }
    say("Таблица сохранена: " + *path);
}

}  // namespace tarvo
