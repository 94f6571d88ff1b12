// The main window as a view of the form model: what the user does reaches the model, what the
// model holds reaches the widgets, nothing echoes back, and every tab stays readable. The two
// exports of tab 4 go to a fake desktop and a script answers the .eng export's questions.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "../export/fake_desktop.h"
#include "export/rocksim_rse.h"
#include "form/diagnostic_text.h"
#include "input/field_text.h"
#include "ui/chart_panel.h"
#include "ui/chart_window.h"
#include "ui/document_commands.h"
#include "ui/eng_export.h"
#include "ui/info_windows.h"
#include "ui/input_widgets.h"
#include "ui/startup.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

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
    void importDesign() override { calls.push_back("import"); }
    void exportRic() override { calls.push_back("exportRic"); }
    void restorePropellantDefaults() override { calls.push_back("restore"); }
    void loadPropellants() override { calls.push_back("loadPropellants"); }
    void savePropellants() override { calls.push_back("savePropellants"); }
    bool mayClose() override {
        calls.push_back("mayClose");
        return true;
    }

    std::vector<std::string> calls;
};

// Answers the .eng export's questions from a script.
struct ScriptedEngPrompts : EngExportPrompts {
    std::optional<EngOptions> askOptions(const EngOptions& defaults) override {
        offeredDefaults = defaults;
        return options;
    }
    std::optional<std::filesystem::path> chooseFile(
        const std::filesystem::path& suggested) override {
        suggestedFile = suggested;
        return file;
    }
    void showError(std::string_view text) override { errors.emplace_back(text); }

    std::optional<EngOptions> options, offeredDefaults;
    std::optional<std::filesystem::path> file;
    std::filesystem::path suggestedFile;
    std::vector<std::string> errors;
};

std::vector<std::string> Lines(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        form_ = std::make_unique<FormModel>();
        PutBuiltInPropellants(*form_);
        window_ = std::make_unique<MainWindow>(*form_);
        commands_ = RecordingCommands();
        window_->setDocumentCommands(&commands_);
        desktop_ = std::make_unique<FakeDesktop>();
        prompts_ = {};
        window_->setSpreadsheetServices(*desktop_, *desktop_, *desktop_, *desktop_);
        window_->setEngExportPrompts(prompts_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        form_.reset();
    }

    void windowAsLaidOut() {
        QCOMPARE(window_->centralWidget()->size(), QSize(kClientWidth, kClientHeight));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        // Every tab caption in full, without scroll arrows.
        QVERIFY(window_->tabs()->tabBar()->sizeHint().width() <= window_->tabs()->width());
        QCOMPARE(window_->tabs()->currentIndex(), kDesignActiveTab);
        QVERIFY(!window_->recentMenu()->menuAction()->isEnabled());
        QVERIFY(!window_->progressBar()->isVisible());
        QVERIFY(!window_->field(95)->isEnabled());
        QCOMPARE(window_->valueLabel(189)->text(), QStringLiteral("--"));
    }

    // What is typed stays in the field; a text the field does not take is marked light red,
    // with the hint as its tooltip.
    void typingReachesTheModel_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("marked");
        // clang-format off
        QTest::newRow("chamber diameter") << 1 << "40" << "40" << false;
        QTest::newRow("letters") << 6 << "12x" << "12x" << true;
        QTest::newRow("negative exponent") << 70 << "-0,314" << "-0,314" << false;
        QTest::newRow("expansion ratio 0 becomes 10") << 94 << "0" << "10" << false;
        // clang-format on
    }
    void typingReachesTheModel() {
        QFETCH(int, edit);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(bool, marked);
        QLineEdit* field = window_->field(edit);
        const QColor normal = field->palette().color(QPalette::Base);
        TypeInto(field, keys);
        QCOMPARE(Text(form_->fieldText(EditId{edit})), shown);
        QCOMPARE(field->text(), shown);
        QVERIFY(form_->modified());
        QCOMPARE(field->palette().color(QPalette::Base) != normal, marked);
        QCOMPARE(field->toolTip(), Text(form_->fieldHint(EditId{edit})));
        QVERIFY(field->toolTip().startsWith(Text(EntryHint())) == marked);
        QCOMPARE(window_->statusPanel(0)->text(), Text(form_->statusText(0)));
        TypeInto(field, QStringLiteral("7"));  // a number clears the mark
        QCOMPARE(field->palette().color(QPalette::Base), normal);
        QVERIFY(field->toolTip().isEmpty());
    }

    // Every shortcut of the menus and of "Рассчитать" reaches its command, wherever the focus is.
    void shortcutsReachTheirCommands_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("call");
        const int ctrl = int(Qt::ControlModifier);
        // clang-format off
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << "new";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << "open";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << "save";
        QTest::newRow("F2") << int(Qt::Key_F2) << 0 << "save";
        QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << int(ctrl | Qt::ShiftModifier) << "saveAs";
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << "mayClose";
        // clang-format on
    }
    void shortcutsReachTheirCommands() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, call);
        for (QWidget* focus :
             {static_cast<QWidget*>(window_->field(1)), static_cast<QWidget*>(window_->memo())}) {
            commands_.calls.clear();
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(commands_.calls, std::vector<std::string>{call.toStdString()});
            window_->show();  // after Ctrl+Q, which closed it
            QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        }
    }

    void keysCalculate() {
        TypeCoredMotor(*window_);
        const auto calculatedBy = [this](QWidget* focus, Qt::Key key, Qt::KeyboardModifiers with) {
            int runs = 0;
            const int token = form_->addObserver(
                [&runs](const Change& change) { runs += change.kind == ChangeKind::kProgress; });
            form_->setStatusText(0, "");
            focus->setFocus();
            QTest::keyClick(focus, key, with);
            form_->removeObserver(token);
            return runs > 0 && form_->statusText(0) == kSuccessMessage;
        };
        QVERIFY(calculatedBy(window_->field(12), Qt::Key_Return, Qt::NoModifier));
        QVERIFY(calculatedBy(window_->field(68), Qt::Key_Enter, Qt::KeypadModifier));
        QVERIFY(calculatedBy(window_->field(2), Qt::Key_Return, Qt::ControlModifier));
        QVERIFY(calculatedBy(window_->memo(), Qt::Key_Return, Qt::ControlModifier));
        QVERIFY(calculatedBy(window_->propellantList(), Qt::Key_Return, Qt::ControlModifier));
        QVERIFY(!calculatedBy(window_->memo(), Qt::Key_Return, Qt::NoModifier));
    }

    // Results of an earlier calculation are greyed, and each chart says why, until the next
    // "Рассчитать".
    void staleResultsAreGreyedWithANotice() {
        calculateTypedMotor();
        QLabel* pmax = window_->valueLabel(141);
        const QColor current = pmax->palette().color(QPalette::WindowText);
        for (int chart = 1; chart <= 4; ++chart) {
            QVERIFY(window_->chartPanel(chart)->staleNotice().isEmpty());
        }
        TypeInto(window_->field(2), QStringLiteral("210"));
        QVERIFY(pmax->palette().color(QPalette::WindowText) != current);
        QCOMPARE(window_->valueLabel(26)->palette().color(QPalette::WindowText), current);
        for (int chart = 1; chart <= 4; ++chart) {
            ChartPanel* panel = window_->chartPanel(chart);
            QCOMPARE(panel->staleNotice(), Text(kStaleResultsNotice));
            QVERIFY(panel->series(0)->opacity() < 1.0);
        }
        QCOMPARE(window_->statusPanel(0)->text(), Text(kSuccessMessage));  // status stays
        window_->tabs()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        QVERIFY(SaveScreenshot(window_.get(), "stale"));
        QCOMPARE(ClippedTexts(window_->tabs()->currentWidget()), QString());
        calculate();
        QCOMPARE(pmax->palette().color(QPalette::WindowText), current);
        QVERIFY(window_->chartPanel(3)->staleNotice().isEmpty());
        QCOMPARE(window_->chartPanel(3)->series(0)->opacity(), 1.0);
    }

    // A double click or the corner button opens the chart in a window of its own, with every
    // series of the chart (a curve drawn over it too); the wheel zooms, and the picture is saved
    // as PNG whole or not at all.
    void chartOpensInAWindowOfItsOwn() {
        calculateTypedMotor();
        ChartPanel* panel = window_->chartPanel(2);
        auto* overlay = new QLineSeries;
        overlay->append({{0.1, 1.0}, {0.5, 2.0}, {0.9, 1.5}});
        panel->chart()->addSeries(overlay);
        overlay->attachAxis(panel->axis(ChartAxis::kBottom));
        overlay->attachAxis(panel->axis(ChartAxis::kLeft));
        QTest::mouseDClick(panel->viewport(), Qt::LeftButton, {},
                           panel->viewport()->rect().center());
        ChartWindow* window = window_->chartWindow(2);
        QVERIFY(window != nullptr && window->isVisible());
        QTest::mouseClick(panel->zoomButton(), Qt::LeftButton);
        QCOMPARE(window_->chartWindow(2), window);  // the same window again
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QList<QAbstractSeries*> copies = window->view()->chart()->series();
        QCOMPARE(copies.size(), panel->chart()->series().size());
        QCOMPARE(qobject_cast<QXYSeries*>(copies.front())->count(), panel->series(0)->count());
        QCOMPARE(qobject_cast<QXYSeries*>(copies.back())->points(), overlay->points());
        window->resize(1000, 700);  // the window can be resized
        QCOMPARE(window->size(), QSize(1000, 700));

        auto* bottom =
            qobject_cast<QValueAxis*>(window->view()->chart()->axes(Qt::Horizontal).front());
        const double fullRange = bottom->max() - bottom->min();
        QWheelEvent wheel(QPointF(window->view()->rect().center()),
                          window->view()->mapToGlobal(window->view()->rect().center()), {},
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->view()->viewport(), &wheel);
        QVERIFY(bottom->max() - bottom->min() < 0.9 * fullRange);
        window->resetZoom();
        QCOMPARE(bottom->max() - bottom->min(), fullRange);

        TypeInto(window_->field(12), QStringLiteral("260"));
        calculate();  // the window follows its chart
        QTRY_COMPARE(qobject_cast<QXYSeries*>(window->view()->chart()->series().front())->count(),
                     panel->series(0)->count());

        QTemporaryDir directory;
        const std::string png = (PathOf(directory) / "давление.png").string();
        QVERIFY(!window->saveImage(png));
        std::ifstream written(png, std::ios::binary);
        std::string signature(8, '\0');
        written.read(signature.data(), 8);
        QCOMPARE(signature, std::string("\x89PNG\r\n\x1a\n", 8));
        const std::optional<std::string> failure =
            window->saveImage((PathOf(directory) / "нет/давление.png").string());
        QVERIFY(failure && failure->find("папка не существует") != std::string::npos);
        QVERIFY(SaveScreenshot(window, "chart-window"));
    }

    void modelChangesReachTheWidgets() {
        form_->setLoadingGuard(true);
        form_->setFieldText(EditId{2}, "123");
        form_->setMemoText("Мотор из файла");
        form_->setPropellantItems({"a", "b", "c"});  // a combo box would select its first entry
        form_->selectPropellant(2);
        form_->setLoadingGuard(false);
        form_->setModified(false);
        form_->setActiveTab(-1);  // a tab widget always shows some page
        form_->setLabelText(LabelId{141}, "7,25");
        form_->setGroupCaption(8, "Моё топливо");
        form_->setStatusText(1, "/home/u/M.ZEL");
        QCOMPARE(window_->field(2)->text(), QStringLiteral("123"));
        QCOMPARE(window_->memo()->toPlainText(), QStringLiteral("Мотор из файла"));
        QCOMPARE(window_->propellantList()->currentIndex(), 2);
        QCOMPARE(window_->valueLabel(141)->text(), QStringLiteral("7,25"));
        QCOMPARE(window_->groupBox(8)->title(), QStringLiteral("Моё топливо"));
        QCOMPARE(window_->statusPanel(1)->toolTip(), QStringLiteral("/home/u/M.ZEL"));
        // Nothing the program put into the widgets came back as a user's change.
        QCOMPARE(form_->selectedPropellant(), 2);
        QCOMPARE(form_->activeTab(), -1);
        QVERIFY(!form_->modified());
    }

    void stepperClickWritesItsField_data() {
        QTest::addColumn<int>("stepper");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("Patm up") << 7 << true << 1 << 30 << "0,102";
        QTest::newRow("kv up twice") << 9 << true << 2 << 32 << "0,2";
        QTest::newRow("Os down at its minimum") << 2 << false << 1 << 8 << "0";
        QTest::newRow("density ratio up to its maximum") << 5 << true << 5 << 11 << "0,98";
        QTest::newRow("expansion ratio down") << 11 << false << 1 << 94 << "1";
        // clang-format on
    }
    void stepperClickWritesItsField() {
        QFETCH(int, stepper);
        QFETCH(bool, up);
        QFETCH(int, clicks);
        QFETCH(int, edit);
        QFETCH(QString, text);
        StepperButtons* buttons = window_->stepper(stepper);
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(up ? buttons->upButton() : buttons->downButton(), Qt::LeftButton);
        }
        QCOMPARE(Text(form_->fieldText(EditId{edit})), text);
        QCOMPARE(window_->field(edit)->text(), text);
    }

    void grainBoxesDriveTheirFields() {
        QTest::mouseClick(window_->checkBox(kCoredGrainsBox), Qt::LeftButton);
        QVERIFY(!form_->isChecked(kCoredGrainsBox));
        QVERIFY(!window_->stepper(2)->isEnabled());
        QVERIFY(!window_->field(4)->isEnabled());
        QTest::mouseClick(window_->checkBox(kEndGrainBox), Qt::LeftButton);
        QVERIFY(window_->field(95)->isEnabled());
    }

    void propellantChosenByKeyboard() {
        form_->setModified(false);
        QComboBox* list = window_->propellantList();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(form_->selectedPropellant(), 0);
        QVERIFY(form_->modified());
    }

    void memoKeepsOneLineOfLimitedLength() {
        DescriptionMemo* memo = window_->memo();
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, QStringLiteral(" A"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("B"));
        QCOMPARE(Text(form_->memoText()), QStringLiteral("Описание двигателя: AB"));
        QVERIFY(form_->modified());
        form_->setMemoText(std::string(std::size_t(kMemoMaxLength) - 2, 'x'));
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, QStringLiteral("yzw"));
        QCOMPARE(form_->memoText().size(), std::size_t(kMemoMaxLength));
        QVERIFY(form_->memoText().ends_with("yz"));
        memo->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("first\nsecond"));
        memo->paste();
        QCOMPARE(Text(form_->memoText()), QStringLiteral("first second"));
    }

    void tabChoiceTravelsBothWays() {
        window_->tabs()->setCurrentIndex(3);
        QCOMPARE(form_->activeTab(), 3);
        form_->setActiveTab(0);
        QCOMPARE(window_->tabs()->currentIndex(), 0);
    }

    // Calculate fills labels, charts and table; then every tab is rendered to a PNG under the
    // build directory for a person to look at, and checked for blank images and clipped texts.
    void calculateFillsEveryTabReadably() {
        calculateTypedMotor();
        QCOMPARE(window_->statusPanel(0)->text(), Text(kSuccessMessage));
        for (const LabelLayout& layout : LabelLayouts()) {
            QCOMPARE(window_->valueLabel(layout.label)->text(),
                     Text(form_->labelText(LabelId{layout.label})));
        }
        QVERIFY(window_->valueLabel(189)->text() != QStringLiteral("--"));
        for (int chart = 1; chart <= 4; ++chart) {
            const ChartState& state = form_->chart(ChartId{chart});
            const QLineSeries* series = window_->chartPanel(chart)->series(0);
            QVERIFY(!state.series[0].empty());
            QCOMPARE(series->count(), int(state.series[0].size()));
            QCOMPARE(series->at(series->count() - 1).y(), state.series[0].back().y);
            QCOMPARE(window_->chartPanel(chart)->axis(ChartAxis::kBottom)->max(), state.bottomMax);
            QCOMPARE(window_->chartPanel(chart)->axis(ChartAxis::kLeft)->max(), state.leftMax);
        }
        QCOMPARE(window_->chartPanel(1)->axis(ChartAxis::kRight)->max(),
                 form_->chart(ChartId{1}).rightMax);
        const std::vector<ResultTableRow>& rows = form_->resultTable();
        QCOMPARE(window_->resultTable()->rowCount(), 23);
        for (int r = 0; r < 23; ++r) {
            QCOMPARE(window_->resultTable()->item(r, 1)->text(), Text(rows[r].time));
            QCOMPARE(window_->resultTable()->item(r, 2)->text(), Text(rows[r].thrust));
        }
        QVERIFY(!window_->progressBar()->isVisible());
        for (int tab = 0; tab < kTabCount; ++tab) {
            window_->tabs()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QVERIFY(SaveScreenshot(window_.get(), QStringLiteral("tab-%1").arg(tab + 1)));
            QVERIFY2(DistinctColours(window_->grab().toImage()) > 20, "the tab looks blank");
            QCOMPARE(ClippedTexts(window_->tabs()->currentWidget()), QString());
        }
        QCOMPARE(window_->windowTitle(), QStringLiteral("Tarvo+ [Версия 2.21]"));

        // The file name stays whole beside the status and the checks' counter.
        form_->setStatusText(2, "end-burner-kn-dx.zel");
        QCoreApplication::processEvents();
        QCOMPARE(ClippedTexts(window_->statusPanel(2)->parentWidget()), QString());
    }

    void menusAndButtonsRunDocumentCommands_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("call");
        // clang-format off
        QTest::newRow("Новый") << "N10" << "new";
        QTest::newRow("Открыть") << "OpenFile_menu" << "open";
        QTest::newRow("Сохранить") << "Save_menu" << "save";
        QTest::newRow("Сохранить как") << "SaveAs_menu" << "saveAs";
        QTest::newRow("Импорт") << "Import_menu" << "import";
        QTest::newRow("Экспорт в openMotor") << "ExportRic_menu" << "exportRic";
        QTest::newRow("Выход") << "Exit_menu" << "mayClose";
        QTest::newRow("Восстановить по умолчанию") << "Button3" << "restore";
        QTest::newRow("Загрузить топлива из файла") << "Button4" << "loadPropellants";
        QTest::newRow("Сохранить топлива в файл") << "Button5" << "savePropellants";
        // clang-format on
    }
    void menusAndButtonsRunDocumentCommands() {
        QFETCH(QString, control);
        QFETCH(QString, call);
        QCoreApplication::processEvents();  // start-up has run
        commands_.calls.clear();
        if (control.startsWith(QStringLiteral("Button"))) {
            window_->tabs()->setCurrentIndex(4);
            QTest::mouseClick(window_->button(control.back().digitValue()), Qt::LeftButton);
        } else {
            window_->action(control.toStdString())->trigger();
        }
        QCOMPARE(commands_.calls, std::vector<std::string>{call.toStdString()});
    }

    void recentFilesSubmenu() {
        window_->setRecentFiles({"/HOME/U/R&D.ZEL", "/HOME/U/B.ZEL"});
        QMenu* menu = window_->recentMenu();
        QVERIFY(menu->menuAction()->isEnabled());
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("/HOME/U/R&&D.ZEL"));  // no hot key
        menu->actions()[0]->trigger();
        QCOMPARE(commands_.calls.back(), std::string("openRecent 0 /HOME/U/R&D.ZEL"));
        window_->setRecentFiles({});
        QVERIFY(!menu->menuAction()->isEnabled());
    }

    void startUpRunsOnce() {
        QTRY_VERIFY(!commands_.calls.empty());
        window_->hide();
        window_->show();
        QTest::qWait(20);
        QCOMPARE(commands_.calls, std::vector<std::string>{"startUp"});
    }

    void exportsFollowTheLastCalculation() {
        TypeCoredMotor(*window_);
        std::vector<QPushButton*> buttons = {window_->button(kExportButton.number)};
        for (const CurveExportKind* kind : kCurveExports) {
            buttons.push_back(window_->curveExportButton(*kind));
        }
        const auto allEnabled = [&buttons](bool enabled) {
            return std::all_of(buttons.begin(), buttons.end(),
                               [enabled](QPushButton* b) { return b->isEnabled() == enabled; });
        };
        QVERIFY(allEnabled(false));
        calculate();
        QVERIFY(allEnabled(true));
        TypeInto(window_->field(7), QStringLiteral("-"));  // N becomes 0: the next run fails
        calculate();
        QVERIFY(allEnabled(false));
    }

    // The workbook and the clipboard get the table shown; what the export says without an
    // application or when it fails is the export's own test.
    void spreadsheetGetsTheTable() {
        calculateTypedMotor();
        QTest::mouseClick(window_->button(kExportButton.number), Qt::LeftButton);
        QVERIFY(desktop_->errors.empty() && desktop_->warnings.empty());
        QCOMPARE(desktop_->opened.size(), std::size_t{1});
        QVERIFY(std::filesystem::is_regular_file(desktop_->opened.front()));
        QCOMPARE(desktop_->opened.front().parent_path().string(), desktop_->documents.path());
        const std::vector<std::string> lines = Lines(std::istringstream(*desktop_->clipboard));
        const std::vector<ResultTableRow>& rows = form_->resultTable();
        QCOMPARE(lines.size(), rows.size());
        for (std::size_t r = 0; r < rows.size(); ++r) {
            QCOMPARE(lines[r], rows[r].time + "\t" + rows[r].thrust);
        }
    }

    void engExport_data() {
        QTest::addColumn<bool>("confirmHeader");
        QTest::addColumn<QString>("file");  // in the scratch directory; empty: cancelled
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("failed");
        // clang-format off
        QTest::newRow("header cancelled") << false << "m.eng" << false << false;
        QTest::newRow("file dialog cancelled") << true << "" << false << false;
        QTest::newRow("written") << true << "m.eng" << true << false;
        QTest::newRow("no such directory") << true << "missing/m.eng" << false << true;
        // clang-format on
    }
    void engExport() {
        QFETCH(bool, confirmHeader);
        QFETCH(QString, file);
        QFETCH(bool, written);
        QFETCH(bool, failed);
        calculateTypedMotor();
        const std::filesystem::path target = desktop_->documents.File(file.toStdString());
        if (confirmHeader) {
            prompts_.options = EngOptions{"Мой мотор", 0.25, "Tarvo"};
        }
        if (!file.isEmpty()) {
            prompts_.file = target;
        }
        const std::string statusBefore = form_->statusText(0);
        QTest::mouseClick(window_->engExportButton(), Qt::LeftButton);
        QCOMPARE(prompts_.offeredDefaults->name, DefaultEngMotorName(form_->lastCalculation()));
        QCOMPARE(std::filesystem::is_regular_file(target), written);
        QCOMPARE(prompts_.errors.size(), std::size_t(failed ? 1 : 0));
        QCOMPARE(form_->statusText(0) != statusBefore, written);
        if (failed) {
            QVERIFY2(prompts_.errors.front().find(target.string()) != std::string::npos,
                     "the message names the file");
        }
        if (written) {  // the header carries what the user confirmed
            QCOMPARE(prompts_.suggestedFile.filename().string(), EngToken("Мой мотор") + ".eng");
            const std::string header = Lines(std::ifstream(target)).at(1);
            QVERIFY(header.starts_with(EngToken("Мой мотор") + " 40 200 P 0.31182 0.56182"));
            QVERIFY(header.ends_with(" Tarvo"));
        }
    }

    // The .rse asks for its header like the .eng; the CSV only for the file. Each names what it
    // wrote in the status bar.
    void rseAndCsvExportsWriteTheirFiles() {
        calculateTypedMotor();
        const struct {
            const CurveExportKind& kind;
            const char* suggested;
            const char* firstBytes;
        } cases[] = {
            {kRseExport, "I237.rse", "<?xml"},
            {kCsvExport, "motor.csv", "time [s],"},
        };
        for (const auto& c : cases) {
            prompts_ = {};
            prompts_.options = DefaultRseOptions(form_->lastCalculation());
            prompts_.file =
                desktop_->documents.File(std::string("out") + std::string(c.kind.extension));
            QTest::mouseClick(window_->curveExportButton(c.kind), Qt::LeftButton);
            QCOMPARE(prompts_.offeredDefaults.has_value(), c.kind.asksHeader);
            QCOMPARE(prompts_.suggestedFile.string(), std::string(c.suggested));
            QVERIFY(prompts_.errors.empty());
            QVERIFY(testing::ReadBytes(prompts_.file->string()).starts_with(c.firstBytes));
            QVERIFY(form_->statusText(0).ends_with(prompts_.file->filename().string()));
        }
    }

    void engDialogRefusesABadCasingMass() {
        EngOptionsDialog dialog(EngOptions{"E15", 0.0, "Tarvo"}, window_.get());
        QLineEdit* mass = dialog.findChildren<QLineEdit*>().at(1);
        QCOMPARE(mass->text(), QStringLiteral("0"));
        dialog.show();
        mass->setText(QStringLiteral("-1"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        mass->setText(QStringLiteral("0,25"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().casingMass, 0.25);
    }

    // The about box and the help window are created once and shown from the "Помощь" menu;
    // F1 in a field opens the help.
    void helpMenuShowsTheSameWindowsEachTime() {
        auto* about = new AboutBox(opener_, window_.get());
        auto* help = new HelpWindow(window_.get());
        window_->setInfoWindows(about, help);
        TypeInto(window_->field(1), QStringLiteral("40"));
        QList<QWidget*> shown;
        for (const char* item : {"F1", "About_menu", "Help_menu", "About_menu"}) {
            QTimer::singleShot(0, [&shown] {
                shown << QApplication::activeModalWidget();
                if (shown.back() != nullptr) {
                    shown.back()->close();
                }
            });
            if (std::string_view(item) == "F1") {
                QTest::keyClick(window_->field(1), Qt::Key_F1);
            } else {
                window_->action(item)->trigger();
            }
        }
        QCOMPARE(shown, (QList<QWidget*>{help, about, help, about}));
        QCOMPARE(form_->fieldText(EditId{1}), std::string("40"));
    }

private:
    void calculate() {
        QTest::mouseClick(window_->button(kCalculateButton.number), Qt::LeftButton);
    }
    void calculateTypedMotor() {
        TypeCoredMotor(*window_);
        calculate();
    }

    std::unique_ptr<FormModel> form_;
    std::unique_ptr<MainWindow> window_;
    RecordingCommands commands_;
    std::unique_ptr<FakeDesktop> desktop_;
    ScriptedEngPrompts prompts_;
    struct : UrlOpener {
        void open(const std::string&) override {}
    } opener_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
