#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "files/file_io.h"
#include "ui/chart_panel.h"
#include "ui/chart_window.h"
#include "ui/checks_panel.h"
#include "ui/input_widgets.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"
#include "ui/stand_panel.h"
#include "ui/sweep_dialog.h"

namespace tarvo {

namespace {

constexpr int kLowerPanelMargin = 4;
constexpr int kCalculateButtonWidth = 130;
constexpr int kFileNamePanelMinWidth = 50;
const QColor kMarkedFieldColour(255, 214, 214);  // light red behind a text the field does not take

// Sets a flag for as long as the program, not the user, changes the widgets.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

// Tabs with less padding, so that the five captions fit side by side in the window's width.
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) {
            return kTabPadding;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    static constexpr int kTabPadding = 12;
};

// "&" marks a menu's hot key; a path shows its own "&" doubled.
QString MenuCaption(const std::string& path) {
    QString caption = ToQString(path);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

}  // namespace

MainWindow::MainWindow(FormModel& form, QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      ownSystem_(std::make_unique<HostSystem>()),
      ownMessages_(this),
      system_(ownSystem_.get()) {
    setWindowTitle(ToQString(kWindowCaption));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    UseWindowFont(this);

    tabs_ = new QTabWidget;
    tabs_->setFixedHeight(kPageControlHeight);
    auto* tabStyle = new CompactTabStyle;
    tabStyle->setParent(this);
    tabs_->tabBar()->setStyle(tabStyle);
    tabs_->addTab(buildMotorTab(), ToQString(kTabCaptions[0]));
    tabs_->addTab(buildPressureTab(), ToQString(kTabCaptions[1]));
    tabs_->addTab(buildPerformanceTab(), ToQString(kTabCaptions[2]));
    tabs_->addTab(buildResultsTab(), ToQString(kTabCaptions[3]));
    tabs_->addTab(buildPropellantTab(), ToQString(kTabCaptions[4]));
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::onTabChosen);

    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(buildLowerPanel());
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    buildMenus();
    addCalculateShortcuts();
    this->layout()->setSizeConstraint(QLayout::SetFixedSize);

    showAll();
    observerToken_ = form_.addObserver([this](const Change& change) { onChange(change); });
}

MainWindow::~MainWindow() {
    form_.removeObserver(observerToken_);
    // Children go after this body; what they announce while they go is no user action.
    showingModel_ = true;
    QObject::disconnect(tabs_, nullptr, this, nullptr);
    QObject::disconnect(memo_, nullptr, this, nullptr);
    guarded([this] { commands().windowDestroyed(); });
}

// ---- Wiring ----

void MainWindow::setDocumentCommands(DocumentCommands* commands) {
    commands_ = commands != nullptr ? commands : &noCommands_;
}

DocumentCommands& MainWindow::commands() {
    return *commands_;
}

void MainWindow::setRecentFiles(const std::vector<std::string>& paths) {
    recentMenu_->clear();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        QAction* item = recentMenu_->addAction(MenuCaption(paths[i]));
        const int index = static_cast<int>(i);
        const std::string path = paths[i];
        connect(item, &QAction::triggered, this,
                [this, index, path] { guarded([&] { commands().openRecent(index, path); }); });
    }
    recentMenu_->menuAction()->setEnabled(!paths.empty());
}

void MainWindow::setInfoWindows(QDialog* about, QDialog* help) {
    about_ = about;
    help_ = help;
}

void MainWindow::setSpreadsheetServices(SystemAccess& system, SpreadsheetLauncher& launcher,
                                        ClipboardSink& clipboard, MessageSink& messages) {
    system_ = &system;
    launcher_ = &launcher;
    clipboard_ = &clipboard;
    messages_ = &messages;
}

void MainWindow::setEngExportPrompts(EngExportPrompts& prompts) {
    curvePrompts_ = &prompts;
}

QPushButton* MainWindow::curveExportButton(const CurveExportKind& kind) const {
    const auto it = curveButtons_.find(&kind);
    return it == curveButtons_.end() ? nullptr : it->second;
}

void MainWindow::setStandSession(StandSession* session) {
    if (stand_ != nullptr) {
        stand_->removeObserver(standToken_);
    }
    stand_ = session;
    standPanel_->setSession(session);
    if (stand_ != nullptr) {
        standToken_ = stand_->addObserver([this] { showStandMenus(); });
    }
    showStandMenus();
}

void MainWindow::showStandMenus() {
    action(kLoadTestMenu)->setEnabled(stand_ != nullptr);
    action(kUnloadTestMenu)->setEnabled(stand_ != nullptr && stand_->loaded());
    action(kFitTestMenu)->setEnabled(stand_ != nullptr && stand_->canFit());
}

void MainWindow::openFitDialog() {
    if (stand_ == nullptr || !stand_->canFit()) {
        return;
    }
    StandFitDialog dialog(*stand_, this);
    dialog.exec();
}

void MainWindow::openChecksDialog() {
    ChecksDialogWindow dialog(form_, this);
    connect(&dialog, &ChecksDialogWindow::helpRequested, this, &MainWindow::openChecksHelp);
    guarded([&dialog] { dialog.exec(); });
}

void MainWindow::openChecksHelp() {
    ChecksHelpWindow help(this);
    help.exec();
}

void MainWindow::openSweepDialog() {
    QtDialogs dialogs(this);
    SweepDialog dialog(form_, dialogs, this);
    dialog.exec();
}

void MainWindow::centreOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

// ---- Building ----

void MainWindow::buildMenus() {
    std::map<std::string_view, QMenu*> menus;
    for (const MenuItemLayout& item : MenuLayouts()) {
        QMenu*& menu = menus[item.menu];
        if (menu == nullptr) {
            menu = menuBar()->addMenu(ToQString(item.menu));
        }
        if (item.caption == "-") {
            menu->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (item.control == "OpenFromList_menu") {
            recentMenu_ = menu->addMenu(ToQString(item.caption));
            action = recentMenu_->menuAction();
        } else {
            action = menu->addAction(ToQString(item.caption));
            action->setShortcuts(QKeySequence::listFromString(ToQString(item.shortcut)));
        }
        action->setObjectName(ToQString(item.control));
        action->setEnabled(item.enabled);
        actions_.emplace(std::string(item.control), action);
    }
    const std::pair<const char*, void (DocumentCommands::*)()> documentItems[] = {
        {"N10", &DocumentCommands::newDocument},
        {"OpenFile_menu", &DocumentCommands::openDocument},
        {"Save_menu", &DocumentCommands::saveDocument},
        {"SaveAs_menu", &DocumentCommands::saveDocumentAs},
        {"Import_menu", &DocumentCommands::importDesign},
        {"ExportRic_menu", &DocumentCommands::exportRic},
    };
    for (const auto& [control, command] : documentItems) {
        connect(action(control), &QAction::triggered, this,
                [this, command = command] { guarded([&] { (commands().*command)(); }); });
    }
    connect(action(kLoadTestMenu), &QAction::triggered, this, [this] {
        guarded([this] {
            if (stand_ != nullptr) {
                stand_->loadCommand();
            }
        });
    });
    connect(action(kUnloadTestMenu), &QAction::triggered, this, [this] {
        guarded([this] {
            if (stand_ != nullptr) {
                stand_->unloadCommand();
            }
        });
    });
    connect(action(kFitTestMenu), &QAction::triggered, this, &MainWindow::openFitDialog);
    connect(action(kChecksMenu), &QAction::triggered, this, &MainWindow::openChecksDialog);
    connect(action(kChecksHelpMenu), &QAction::triggered, this, &MainWindow::openChecksHelp);
    connect(action(kSweepMenu), &QAction::triggered, this, &MainWindow::openSweepDialog);
    connect(action("Exit_menu"), &QAction::triggered, this, &MainWindow::close);
    connect(action("Help_menu"), &QAction::triggered, this, [this] { showInfoWindow(help_); });
    connect(action("About_menu"), &QAction::triggered, this, [this] { showInfoWindow(about_); });
}

QWidget* MainWindow::buildLowerPanel() {
    auto* panel = new QWidget;
    panel->setFixedHeight(kLowerPanelHeight);

    memo_ = new DescriptionMemo(kMemoMaxLength, panel);
    QFont memoFont = font();
    memoFont.setBold(false);
    memo_->setFont(memoFont);
    connect(memo_, &QPlainTextEdit::textChanged, this, &MainWindow::onMemoEdited);

    QPushButton* calculate = makeButton(kCalculateButton.number, panel);
    calculate->setFixedWidth(kCalculateButtonWidth);
    progress_ = new QProgressBar(panel);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(kCalculateButtonWidth);
    progress_->setMaximumHeight(12);

    auto* side = new QVBoxLayout;
    side->addWidget(calculate);
    side->addWidget(progress_);
    side->addStretch();
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kLowerPanelMargin, kLowerPanelMargin, kLowerPanelMargin, 0);
    row->addWidget(memo_, 1);
    row->addLayout(side);

    auto* status = new QStatusBar(panel);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* label = new QLabel(status);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusPanels_[i] = label;
    }
    // The status text takes what the counter and the file name leave; a text longer than that
    // can be read in full in its tooltip.
    statusPanels_[0]->setMinimumWidth(kStatusPanelWidths[0] / 2);
    statusPanels_[1]->setFixedWidth(kStatusPanelWidths[1]);  // the full path: its tooltip
    statusPanels_[2]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    statusPanels_[2]->setMinimumWidth(kFileNamePanelMinWidth);
    status->addWidget(statusPanels_[0], 1);
    alertIndicator_ = new AlertIndicator(form_, status);
    status->addWidget(alertIndicator_);
    status->addWidget(statusPanels_[1]);
    status->addWidget(statusPanels_[2]);
    // A panel one pixel wide would show a sliver of the path and its separator: the path is
    // the file name panel's tooltip instead.
    statusPanels_[1]->hide();

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(row, 1);
    layout->addWidget(status);
    return panel;
}

// ---- Model -> widgets ----

void MainWindow::onChange(const Change& change) {
    const ScopedFlag showing(showingModel_);
    const ControlId control = change.control;
    switch (change.kind) {
        case ChangeKind::kText:
            showText(control);
            return;
        case ChangeKind::kEnabled:
            showEnabled(control);
            return;
        case ChangeKind::kChecked:
            showCheckBox(static_cast<CheckBoxId>(control.number));
            return;
        case ChangeKind::kValidity:
            showFieldMark(control.number);
            return;
        case ChangeKind::kStaleResults:
            showStaleResults();
            return;
        case ChangeKind::kItems:
            showPropellantItems();
            return;
        case ChangeKind::kSelection:
            showPropellantSelection();
            return;
        case ChangeKind::kSeries:
        case ChangeKind::kAxes:
            showChart(control.number, change.kind);
            return;
        case ChangeKind::kRows:
            if (control == kResultTable) {
                showRows();
            }
            return;
        case ChangeKind::kProgress:
            showProgress();
            return;
        case ChangeKind::kFocus:
            focus(control);
            return;
        case ChangeKind::kActiveTab:
            showActiveTab();
            return;
        case ChangeKind::kPosition:
        case ChangeKind::kDocumentState:
            return;  // nothing on screen shows them
    }
}

void MainWindow::showAll() {
    const ScopedFlag showing(showingModel_);
    for (const auto& [number, edit] : fields_) {
        showField(number);
    }
    for (const auto& [number, stepper] : steppers_) {
        showEnabled(ToControl(StepperId{number}));
    }
    for (const auto& [number, label] : labels_) {
        showText(ToControl(LabelId{number}));
    }
    for (const auto& [number, group] : groups_) {
        showText({ControlKind::kGroupBox, number});
    }
    for (int box = 0; box < static_cast<int>(checkBoxes_.size()); ++box) {
        showCheckBox(static_cast<CheckBoxId>(box));
    }
    for (const auto& [number, button] : buttons_) {
        showEnabled(ToControl(ButtonId{number}));
    }
    for (const auto& [number, chart] : charts_) {
        showChart(number, ChangeKind::kSeries);
        showChart(number, ChangeKind::kAxes);
    }
    for (int panel = 0; panel < kStatusPanelCount; ++panel) {
        showText(StatusPanel(panel));
    }
    showPropellantItems();
    showMemo();
    showActiveTab();
    showRows();
    showProgress();
    showStaleResults();
}

void MainWindow::showText(ControlId control) {
    switch (control.kind) {
        case ControlKind::kEdit:
            showField(control.number);
            return;
        case ControlKind::kLabel:
            if (QLabel* label = valueLabel(control.number)) {
                label->setText(ToQString(form_.labelText(LabelId{control.number})));
            }
            return;
        case ControlKind::kGroupBox:
            if (QGroupBox* group = groupBox(control.number)) {
                group->setTitle(ToQString(form_.groupCaption(control.number)));
            }
            return;
        case ControlKind::kMemo:
            showMemo();
            return;
        case ControlKind::kStatusBar:
            if (QLabel* panel = statusPanel(control.number)) {
                const QString text = ToQString(form_.statusText(control.number));
                panel->setText(text);
                panel->setToolTip(text);
                if (control.number == 1) {
                    statusPanels_[2]->setToolTip(text);  // the file name panel shows the path
                }
            }
            return;
        default:
            return;
    }
}

void MainWindow::showEnabled(ControlId control) {
    const std::optional<bool> enabled = form_.enabled(control);
    if (!enabled) {
        return;
    }
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::kEdit:
            widget = field(control.number);
            break;
        case ControlKind::kStepper:
            widget = stepper(control.number);
            break;
        case ControlKind::kCheckBox:
            widget = checkBox(static_cast<CheckBoxId>(control.number));
            break;
        case ControlKind::kButton:
            widget = button(control.number);
            if (control.number == kExportButton.number) {
                for (const auto& [kind, curveButton] : curveButtons_) {
                    curveButton->setEnabled(
                        *enabled);  // the curve exports follow "Экспорт в Excel"
                }
            }
            break;
        default:
            break;
    }
    if (widget != nullptr) {
        widget->setEnabled(*enabled);
    }
}

void MainWindow::showField(int edit) {
    QLineEdit* widget = field(edit);
    if (widget == nullptr) {
        return;
    }
    const QString text = ToQString(form_.fieldText(EditId{edit}));
    // An unchanged text is left alone so that the caret stays where the user types.
    if (widget->text() != text) {
        widget->setText(text);
    }
    widget->setEnabled(form_.isFieldEnabled(EditId{edit}));
    showFieldMark(edit);
}

void MainWindow::showFieldMark(int edit) {
    QLineEdit* widget = field(edit);
    if (widget == nullptr) {
        return;
    }
    const bool marked = form_.isFieldMarked(EditId{edit});
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, marked ? kMarkedFieldColour
                                            : QApplication::palette(widget).color(QPalette::Base));
    widget->setPalette(colours);
    widget->setToolTip(ToQString(form_.fieldHint(EditId{edit})));
}

// Results of an earlier calculation are greyed, and their chart says why.
void MainWindow::showStaleResults() {
    const auto greyed = [](QWidget* widget, bool stale) {
        QPalette colours = widget->palette();
        const QPalette normal = QApplication::palette(widget);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
            colours.setColor(role,
                             normal.color(stale ? QPalette::Disabled : QPalette::Active, role));
        }
        widget->setPalette(colours);
    };
    for (const LabelLayout& layout : LabelLayouts()) {
        QLabel* label = valueLabel(layout.label);
        if (label != nullptr && layout.tab >= 1 && layout.tab <= 4 &&
            layout.format != LabelFormat::kConstant) {
            greyed(label, form_.showsStaleResults(layout.tab));
        }
    }
    for (const auto& [number, chart] : charts_) {
        chart->showStale(form_.showsStaleResults(number) ? ToQString(kStaleResultsNotice)
                                                         : QString());
    }
    greyed(table_, form_.showsStaleResults(4));
}

void MainWindow::showCheckBox(CheckBoxId id) {
    if (QCheckBox* box = checkBox(id)) {
        box->setChecked(form_.isChecked(id));
        box->setEnabled(form_.isCheckBoxEnabled(id));
    }
}

void MainWindow::showPropellantItems() {
    const QSignalBlocker quiet(propellants_);
    propellants_->clear();
    for (const std::string& item : form_.propellantItems()) {
        propellants_->addItem(ToQString(item));
    }
    propellants_->setCurrentIndex(form_.selectedPropellant());
}

void MainWindow::showPropellantSelection() {
    const QSignalBlocker quiet(propellants_);
    propellants_->setCurrentIndex(form_.selectedPropellant());
}

void MainWindow::showMemo() {
    const QString text = ToQString(form_.memoText());
    if (memo_->toPlainText() != text) {
        memo_->setPlainText(text);
    }
}

void MainWindow::showActiveTab() {
    const int tab = form_.activeTab();
    if (tab >= 0 && tab < tabs_->count()) {
        tabs_->setCurrentIndex(tab);
    }
}

void MainWindow::showRows() {
    const std::vector<ResultTableRow>& rows = form_.resultTable();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ResultTableRow& row = rows[static_cast<std::size_t>(r)];
        const std::string* cells[] = {&row.number, &row.time, &row.thrust};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(ToQString(*cells[c]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            const bool centred = kResultTableColumns[static_cast<std::size_t>(c)].centred;
            item->setTextAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
}

void MainWindow::showProgress() {
    const ProgressBarState& state = form_.progressBar();
    progress_->setRange(state.min, std::max(state.min, state.max));
    progress_->setValue(state.position);
    progress_->setVisible(state.visible);
    if (state.visible) {
        progress_->repaint();  // the calculation runs on this thread: paint it now
    }
}

void MainWindow::showChart(int chart, ChangeKind kind) {
    ChartPanel* panel = chartPanel(chart);
    if (panel == nullptr) {
        return;
    }
    if (kind == ChangeKind::kSeries) {
        panel->showSeries(form_.chart(ChartId{chart}));
    } else {
        panel->showAxes(form_.chart(ChartId{chart}));
    }
}

void MainWindow::focus(ControlId control) {
    QWidget* widget = nullptr;
    if (control.kind == ControlKind::kButton) {
        widget = button(control.number);
    } else if (control.kind == ControlKind::kEdit) {
        widget = field(control.number);
    }
    if (widget != nullptr && widget->isEnabled()) {
        widget->setFocus();
    }
}

// ---- Widgets -> model ----

void MainWindow::addCalculateShortcuts() {
    for (const QKeySequence& keys : QKeySequence::listFromString(ToQString(kCalculateShortcuts))) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this] { guarded([this] { form_.calculate(); }); });
    }
}

void MainWindow::connectField(int edit, QLineEdit* widget) {
    // textEdited comes from the user only, never from setText: no echo of the model's writes.
    connect(widget, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
        guarded([&] { form_.setFieldText(EditId{edit}, ToStdString(text)); });
    });
    connect(widget, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { form_.calculate(); }); });
}

void MainWindow::onMemoEdited() {
    if (showingModel_) {
        return;
    }
    guarded([this] { form_.setMemoText(ToStdString(memo_->toPlainText())); });
}

void MainWindow::onTabChosen(int index) {
    if (showingModel_) {
        return;
    }
    guarded([this, index] { form_.setActiveTab(index); });
}

void MainWindow::exportToSpreadsheet() {
    guarded([this] {
        const SpreadsheetServices services{*system_, *launcher_, *clipboard_, *messages_};
        ExportToSpreadsheet(form_.lastCalculation().rows, services);
    });
}

void MainWindow::exportCurveFile(const CurveExportKind& kind) {
    guarded([this, &kind] {
        const CalculationResult& calculation = form_.lastCalculation();
        const std::string sourceFile = commands().currentFileName();
        DialogEngExportPrompts dialogs(this, kind);
        const EngExportResult result =
            RunCurveExport(kind, {calculation, calculation.design.propellantName, sourceFile},
                           curvePrompts_ != nullptr ? *curvePrompts_ : dialogs);
        if (result.outcome == EngExportOutcome::kWritten) {
            form_.setStatusText(0, CurveWrittenMessage(kind, result.file));
        }
    });
}

void MainWindow::showInfoWindow(QDialog* window) {
    if (window != nullptr) {
        window->exec();
    }
}

// One window per chart, opened again where it was; it follows its chart while it is open.
void MainWindow::openChartWindow(int chart) {
    ChartPanel* panel = chartPanel(chart);
    if (panel == nullptr) {
        return;
    }
    ChartWindow*& window = chartWindows_[chart];
    if (window == nullptr) {
        window = new ChartWindow(*panel, this);
    }
    window->showFollowing();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    guarded([&] { mayClose = commands().mayClose(); });
    if (mayClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (startedUp_) {
        return;
    }
    startedUp_ = true;
    // After the window is on screen and the event loop runs, as a first activation would.
    QTimer::singleShot(0, this, [this] { guarded([this] { commands().startUp(); }); });
}

// A failure inside a handler ends that action with a message; the window stays usable.
void MainWindow::guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        ShowMessage(this, MessageIcon::kError,
                    "Действие не выполнено: " + ReasonForFailure(error) + ".");
    }
}

// ---- Lookups ----

template <typename Map>
static auto FindIn(const Map& map, int key) -> typename Map::mapped_type {
    const auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

QAction* MainWindow::action(std::string_view control) const {
    const auto it = actions_.find(control);
    return it == actions_.end() ? nullptr : it->second;
}

QLineEdit* MainWindow::field(int edit) const {
    return FindIn(fields_, edit);
}

StepperButtons* MainWindow::stepper(int number) const {
    return FindIn(steppers_, number);
}

QLabel* MainWindow::valueLabel(int label) const {
    return FindIn(labels_, label);
}

QGroupBox* MainWindow::groupBox(int number) const {
    return FindIn(groups_, number);
}

QCheckBox* MainWindow::checkBox(CheckBoxId id) const {
    const int index = static_cast<int>(id);
    return index >= 0 && index < static_cast<int>(checkBoxes_.size()) ? checkBoxes_[index]
                                                                      : nullptr;
}

QPushButton* MainWindow::button(int number) const {
    return FindIn(buttons_, number);
}

ChartPanel* MainWindow::chartPanel(int chart) const {
    return FindIn(charts_, chart);
}

ChartWindow* MainWindow::chartWindow(int chart) const {
    return FindIn(chartWindows_, chart);
}

QLabel* MainWindow::statusPanel(int panel) const {
    return panel >= 0 && panel < kStatusPanelCount ? statusPanels_[panel] : nullptr;
}

}  // namespace tarvo
