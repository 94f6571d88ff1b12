// The "Подбор" dialog: a sweep run on the worker thread while the window keeps responding,
// the table, the chart and the map, Cancel, a double click that puts a design into the fields
// (which then calculate to the row's figures), the target mode and the CSV export.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>

#include "../files/temp_dir.h"
#include "../form/scripted_dialogs.h"
#include "form/motor_calculation.h"
#include "form/stand_session.h"
#include "sweep/sweep_output.h"
#include "ui/sweep_dialog.h"
#include "ui/sweep_views.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

const std::string kBates = std::string(TARVO_EXAMPLES_DIR) + "/bates-kn-sb.zel";
constexpr int kWaitMs = 120000;

void SetAxis(SweepDialog& dialog, int axis, const char* key, const char* from, const char* to,
             const char* step) {
    dialog.keyBox(axis)->setCurrentText(QString::fromUtf8(key));
    dialog.fromEdit(axis)->setText(QString::fromUtf8(from));
    dialog.toEdit(axis)->setText(QString::fromUtf8(to));
    dialog.stepEdit(axis)->setText(QString::fromUtf8(step));
}

const QTableWidgetItem* CellItem(const SweepDialog& dialog, int row, const QString& column) {
    for (int c = 0; c < dialog.table()->columnCount(); ++c) {
        if (dialog.table()->horizontalHeaderItem(c)->text() == column) {
            return dialog.table()->item(row, c);
        }
    }
    return nullptr;
}

QString CellText(const SweepDialog& dialog, int row, const QString& column) {
    const QTableWidgetItem* item = CellItem(dialog, row, column);
    return item ? item->text() : QString();
}

}  // namespace

class SweepDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        form_ = std::make_unique<FormModel>();
        QVERIFY(CalculateMotorFile(*form_, kBates).outcome ==
                MotorFileCalculation::Outcome::kSucceeded);
    }

    void sweepsOneFieldThenTwo() {
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        SetAxis(dialog, 0, "Kno", "150", "350", "100");
        dialog.run();
        QVERIFY(dialog.running());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        QCOMPARE(dialog.progress()->value(), dialog.progress()->maximum());
        QCOMPARE(dialog.table()->rowCount(), 3);
        QCOMPARE(CellText(dialog, 1, QStringLiteral("Kno")), QStringLiteral("250"));
        QCOMPARE(CellText(dialog, 1, QStringLiteral("Pmax")),
                 QString::fromStdString(form_->labelText(LabelId{141})));
        auto* chart = static_cast<SweepChart*>(dialog.chart());
        QCOMPARE(chart->pointCount(), 3);
        QCOMPARE(chart->flaggedCount(), 1);  // flow separation at Kno 150
        const QTableWidgetItem* alerts = CellItem(dialog, 0, QStringLiteral("Замечания"));
        QVERIFY(alerts != nullptr);
        QCOMPARE(alerts->text(), QStringLiteral("flow-separation"));
        QCOMPARE(alerts->toolTip(), QStringLiteral("Сопло перерасширено: отрыв потока"));

        dialog.secondKey()->setChecked(true);
        SetAxis(dialog, 1, "N", "1", "4", "1");
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        QCOMPARE(dialog.table()->rowCount(), 12);
        QVERIFY(dialog.map()->isVisible() || dialog.map()->parentWidget() != nullptr);
        QCOMPARE(dialog.map()->rowAt(QPoint(-1, -1)), -1);
        QVERIFY(CellText(dialog, 3, QStringLiteral("Pmax")).isEmpty());  // four grains do not fit
        dialog.resize(1080, 680);
        QVERIFY(SaveScreenshot(&dialog, "sweep-map"));
    }

    // The window's thread keeps running while the worker calculates: the progress bar moves
    // and Cancel stops the sweep with what it has.
    void cancelStopsALongSweep() {
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        SetAxis(dialog, 0, "Kno", "100", "500", "0,01");
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.progress()->value() > 0, kWaitMs);
        QVERIFY(dialog.running());
        QVERIFY(dialog.cancelButton()->isEnabled());
        dialog.cancelButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        QVERIFY(dialog.table()->rowCount() > 0);
        QVERIFY(dialog.table()->rowCount() < 40001);
        QVERIFY(dialog.message()->text().contains(QStringLiteral("прерван")));
    }

    // A double click puts the row's design into the fields (that they then calculate to the
    // row is the session's test).
    void doubleClickPutsTheDesignIntoTheFields() {
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        SetAxis(dialog, 0, "uc", "0,8", "0,9", "0,1");
        dialog.secondKey()->setChecked(true);
        SetAxis(dialog, 1, "Dc", "40", "50", "10");
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        emit dialog.table()->cellDoubleClicked(3, 0);
        QCOMPARE(form_->fieldText(EditId{29}), std::string("0,9"));
        QCOMPARE(form_->fieldText(EditId{1}), std::string("50"));
        QVERIFY(dialog.message()->text().contains(QStringLiteral("uc = 0,9")));
    }

    void targetModeProposesAValue() {
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        dialog.modes()->setCurrentIndex(SweepDialog::kTargetPage);
        QCOMPARE(dialog.runButton()->text(), QStringLiteral("Найти"));
        QCOMPARE(dialog.targetValue()->text(),
                 QString::fromStdString(form_->labelText(LabelId{141})));  // Pmax now
        dialog.targetKey()->setCurrentText(QStringLiteral("Kno"));
        dialog.targetValue()->setText(QStringLiteral("3"));
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        QVERIFY2(dialog.message()->text().startsWith(QStringLiteral("Найдено: Kno = ")),
                 qPrintable(dialog.message()->text()));
        QCOMPARE(dialog.table()->rowCount(), 1);
        dialog.table()->selectRow(0);
        dialog.applyButton()->click();
        QCOMPARE(QString::fromStdString(form_->fieldText(EditId{12})),
                 CellText(dialog, 0, QStringLiteral("Kno")));

        dialog.targetValue()->setText(QStringLiteral("40"));
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        QVERIFY2(dialog.message()->text().contains(QStringLiteral("недостижимо")),
                 qPrintable(dialog.message()->text()));
        dialog.targetValue()->setText(QStringLiteral("x"));
        dialog.run();
        QVERIFY(!dialog.running());
        QVERIFY(dialog.message()->text().contains(QStringLiteral("больше 0")));
    }

    void exportWritesTheTableAsCsv() {
        TempDir dir;
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        SetAxis(dialog, 0, "Ae/At", "4", "8", "2");
        dialog.run();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), kWaitMs);
        dialogs.files = {dir.File("table.csv"), dir.path() + "/missing/table.csv"};
        dialog.exportButton()->click();
        QCOMPARE(ReadBytes(dir.File("table.csv")),
                 SweepCsv(dialog.shownOutput()->keys, dialog.shownOutput()->rows));
        QVERIFY(ReadBytes(dir.File("table.csv")).find("\n6,true,") != std::string::npos);
        dialog.exportButton()->click();
        QCOMPARE(dialogs.messages.size(), std::size_t(1));  // the folder does not exist
    }

    // Which ranges are refused is the sweep's test; here, that nothing runs and the message shows.
    void badRangesAreRefusedBeforeAnythingRuns() {
        ScriptedDialogs dialogs;
        SweepDialog dialog(*form_, dialogs);
        SetAxis(dialog, 0, "Kno", "abc", "300", "10");
        dialog.run();
        QVERIFY(!dialog.running());
        QVERIFY(dialog.message()->text().contains(QStringLiteral("не число")));
    }

private:
    std::unique_ptr<FormModel> form_;
};

QTEST_MAIN(SweepDialogTest)
#include "sweep_dialog_test.moc"
