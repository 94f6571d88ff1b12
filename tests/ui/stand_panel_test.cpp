// The static test in the window: the log drawn with a legend, the comparison under the thrust
// table of tab 4, the menus that follow the session, and the fit dialog applying its values.

#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QLegend>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "../files/temp_dir.h"
#include "../form/scripted_dialogs.h"
#include "../stand/stand_test_support.h"
#include "form/stand_session.h"
#include "ui/chart_panel.h"
#include "ui/stand_panel.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

class StandPanelTest : public QObject {
    Q_OBJECT
private slots:
    void showsComparesFitsAndApplies() {
        QTemporaryDir directory;
        FormModel form;
        ScriptedDialogs dialogs;
        StandSession session(form, dialogs);
        MainWindow window(form);
        window.setStandSession(&session);
        PutBuiltInPropellants(form);
        TypeCoredMotor(window);
        form.calculate();
        QVERIFY(window.standPanel()->isHidden());
        QVERIFY(!window.action(kUnloadTestMenu)->isEnabled());

        const StandDesign design = *DesignOfFields(form).design;
        FitValues truth = design.nominal();
        truth[FitParameter::kBurnRate] = 1.1;
        truth[FitParameter::kUnoz] = 0.8;
        LogFormat format;
        format.pressure = true;
        const std::string log = (PathOf(directory) / "stand.csv").string();
        WriteBytes(log, StandLog(design.calculate(truth), format));
        dialogs.files = {log};
        window.action(kLoadTestMenu)->trigger();

        StandPanel* panel = window.standPanel();
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->table()->rowCount(), int(kFigureLayouts.size()));
        QVERIFY(panel->fitButton()->isEnabled());
        QVERIFY(window.action(kUnloadTestMenu)->isEnabled());
        QVERIFY(window.action(kFitTestMenu)->isEnabled());
        for (const int chart : {2, 3, 4}) {
            ChartPanel* chartPanel = window.chartPanel(chart);
            QVERIFY(chartPanel->chart()->legend()->isVisible());
            QCOMPARE(chartPanel->series(kMeasuredSeries)->count(),
                     int(form.chart(ChartId{chart}).series[kMeasuredSeries].size()));
        }
        window.show();
        window.tabs()->setCurrentIndex(3);
        QCoreApplication::processEvents();
        QVERIFY(SaveScreenshot(&window, "tab-4-test"));
        QCOMPARE(ClippedTexts(panel), QString());

        StandFitDialog dialog(session, &window);
        QVERIFY(!dialog.applyButton()->isEnabled());
        QVERIFY(dialog.parameterBox(FitParameter::kBurnRate)->isChecked());
        QVERIFY(dialog.parameterBox(FitParameter::kUnoz)->isChecked());
        dialog.runFit();
        QVERIFY(dialog.report()->toPlainText().contains(QStringLiteral("RMS")));
        QVERIFY(dialog.applyButton()->isEnabled());
        dialogs.overwrite = {false};  // leave the propellant's a as they are
        dialog.applyFit();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(window.field(93)->text(), QStringLiteral("0,8"));
        QVERIFY(!panel->fitButton()->isEnabled());
        QVERIFY(!window.action(kFitTestMenu)->isEnabled());
        QCOMPARE(panel->table()->rowCount(), 0);

        window.action(kUnloadTestMenu)->trigger();
        QVERIFY(panel->isHidden());
        QVERIFY(!window.chartPanel(3)->chart()->legend()->isVisible());
        QCOMPARE(window.chartPanel(3)->series(kMeasuredSeries)->count(), 0);
    }
};

QTEST_MAIN(StandPanelTest)
#include "stand_panel_test.moc"
