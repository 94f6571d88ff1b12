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
    }

    // What is typed stays in the field; a text the field does not take is marked light red,
    // with the hint as its tooltip.
    void typingReachesTheModel() {
        const struct {
            int edit;
            QString keys;
            bool marked;
        } cases[] = {{1, QStringLiteral("40"), false}, {6, QStringLiteral("12x"), true}};
        for (const auto& c : cases) {
            QLineEdit* field = window_->field(c.edit);
            const QColor normal = field->palette().color(QPalette::Base);
            TypeInto(field, c.keys);
            QCOMPARE(Text(form_->fieldText(EditId{c.edit})), c.keys);
            QCOMPARE(field->text(), c.keys);
            QVERIFY(form_->modified());
            QCOMPARE(field->palette().color(QPalette::Base) != normal, c.marked);
            QCOMPARE(field->toolTip(), Text(form_->fieldHint(EditId{c.edit})));
            QVERIFY(field->toolTip().startsWith(Text(EntryHint())) == c.marked);
            QCOMPARE(window_->statusPanel(0)->text(), Text(form_->statusText(0)));
            TypeInto(field, QStringLiteral("7"));  // a number clears the mark
            QCOMPARE(field->palette().color(QPalette::Base), normal);
            QVERIFY(field->toolTip().isEmpty());
        }
    }

    // The menus' shortcuts, one of each kind, reach their commands wherever the focus is (the
    // rest come from the same table of the menus).
    void shortcutsReachTheirCommands() {
        const int ctrl = int(Qt::ControlModifier);
        const struct {
            Qt::Key key;
            int modifiers;
            const char* call;
        } cases[] = {{Qt::Key_O, ctrl, "open"},
                     {Qt::Key_F2, 0, "save"},
                     {Qt::Key_S, int(ctrl | Qt::ShiftModifier), "saveAs"},
                     {Qt::Key_Q, ctrl, "mayClose"}};
        for (const auto& c : cases) {
            for (QWidget* focus : {static_cast<QWidget*>(window_->field(1)),
                                   static_cast<QWidget*>(window_->memo())}) {
                commands_.calls.clear();
                focus->setFocus();
                QTest::keyClick(focus, c.key, Qt::KeyboardModifiers(c.modifiers));
                QCOMPARE(commands_.calls, std::vector<std::string>{c.call});
                window_->show();  // after Ctrl+Q, which closed it
                QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
            }
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
        QVERIFY(calculatedBy(window_->memo(), Qt::Key_Return, Qt::ControlModifier));
        QVERIFY(!calculatedBy(window_->memo(), Qt::Key_Return, Qt::NoModifier));
    }

    // Results of an earlier calculation are greyed, and each chart says why, until the next
    // "Рассчитать".
    void staleResultsAreGreyedWithANotice() {
        calculateTypedMotor();
        QLabel* pmax = window_->valueLabel(141);
        const QColor current = pmax->palette().color(QPalette::WindowText);
        QVERIFY(window_->chartPanel(3)->staleNotice().isEmpty());
        TypeInto(window_->field(2), QStringLiteral("210"));
        QVERIFY(pmax->palette().color(QPalette::WindowText) != current);
        QCOMPARE(window_->valueLabel(26)->palette().color(QPalette::WindowText), current);
        QCOMPARE(window_->chartPanel(3)->staleNotice(), Text(kStaleResultsNotice));
        QVERIFY(window_->chartPanel(3)->series(0)->opacity() < 1.0);
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

    // The up and down buttons each write their field.
    void stepperClicksWriteTheirFields() {
        QTest::mouseClick(window_->stepper(7)->upButton(), Qt::LeftButton);
        QCOMPARE(Text(form_->fieldText(EditId{30})), QStringLiteral("0,102"));
        QCOMPARE(window_->field(30)->text(), QStringLiteral("0,102"));
        QTest::mouseClick(window_->stepper(11)->downButton(), Qt::LeftButton);
        QCOMPARE(Text(form_->fieldText(EditId{94})), QStringLiteral("1"));
        QCOMPARE(window_->field(94)->text(), QStringLiteral("1"));
    }

    void grainBoxesDriveTheirFields() {
        QTest::mouseClick(window_->checkBox(kCoredGrainsBox), Qt::LeftButton);
        QVERIFY(!form_->isChecked(kCoredGrainsBox));
        QVERIFY(!window_->stepper(2)->isEnabled());
        QVERIFY(!window_->field(4)->isEnabled());
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

    // A menu item of the document commands' table, the tab-5 buttons, and Exit, which closes.
    void menusAndButtonsRunDocumentCommands() {
        QCoreApplication::processEvents();  // start-up has run
        window_->tabs()->setCurrentIndex(4);
        const std::pair<const char*, const char*> cases[] = {{"OpenFile_menu", "open"},
                                                             {"Button3", "restore"},
                                                             {"Button4", "loadPropellants"},
                                                             {"Button5", "savePropellants"},
                                                             {"Exit_menu", "mayClose"}};
        for (const auto& [control, call] : cases) {
            commands_.calls.clear();
            const QString name = QString::fromUtf8(control);
            if (name.startsWith(QStringLiteral("Button"))) {
                QTest::mouseClick(window_->button(name.back().digitValue()), Qt::LeftButton);
            } else {
                window_->action(control)->trigger();
            }
            QCOMPARE(commands_.calls, std::vector<std::string>{call});
        }
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
