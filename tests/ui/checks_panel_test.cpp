// The design checks in the window: the list of tab 4 readable at the window's size, the
// indicator that leads there from every tab, and the dialog "Корпус и пределы".

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <cmath>

#include "ui/checks_panel.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

// Texts of the list that would be cut, for every check with values as wide as they come; the
// icon and the margins take part of the first column.
QStringList CutTexts(QTreeWidget* list) {
    QStringList cut;
    const QFontMetrics metrics(list->font());
    const int iconRoom = list->iconSize().width() > 0 ? list->iconSize().width() : 16;
    const auto fits = [&](const std::string& text, int column, int room) {
        if (metrics.horizontalAdvance(ToQString(text)) + room > list->columnWidth(column)) {
            cut << ToQString(text);
        }
    };
    for (const DesignCheckInfo& info : DesignCheckInfos()) {
        Diagnostic widest;
        widest.code = info.code;
        widest.value = info.scale > 1 ? 1.0 : 9999 / std::pow(10.0, info.decimals);
        widest.limit = widest.value;
        for (const Severity severity : {Severity::kError, Severity::kWarning}) {
            widest.severity = severity;
            const DesignAlert alert = MakeDesignAlert(widest);
            fits(alert.title, 0, iconRoom + 12);
            fits(alert.valueText, 1, 8);
            fits(alert.limitText, 2, 8);
        }
    }
    return cut;
}

}  // namespace

class ChecksPanelTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheChecksAndLeadsToThemFromEveryTab() {
        FormModel form;
        MainWindow window(form);
        PutBuiltInPropellants(form);
        TypeCoredMotor(window);
        CheckSettings weak;
        weak[CheckField::kMaterial] = "PVC-U";
        weak[CheckField::kWall] = "1";
        weak[CheckField::kMaxPressure] = "3";
        form.setCheckSettings(weak);
        form.calculate();
        window.show();
        window.tabs()->setCurrentIndex(0);
        QCoreApplication::processEvents();

        AlertIndicator* indicator = window.alertIndicator();
        QVERIFY(indicator->isVisible());
        QCOMPARE(indicator->text(), QStringLiteral("1 ошибка, 2 предупреждения"));
        indicator->click();
        QCOMPARE(window.tabs()->currentIndex(), 3);
        QCoreApplication::processEvents();
        QVERIFY(SaveScreenshot(&window, "tab-4-checks"));

        QTreeWidget* list = window.designChecksPanel()->list();
        const std::vector<DesignAlert>& alerts = form.designAlerts();
        QCOMPARE(list->topLevelItemCount(), int(alerts.size()));
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            const DesignAlert& alert = alerts[static_cast<std::size_t>(row)];
            QCOMPARE(item->text(0), ToQString(alert.title));
            QCOMPARE(item->text(1), ToQString(alert.valueText));
            QCOMPARE(item->text(2), ToQString(alert.limitText));
            QVERIFY(!item->icon(0).isNull());
            QVERIFY(item->toolTip(0).contains(ToQString(alert.advice)));
        }
        const QStringList cut = CutTexts(list);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(" | ")));

        form.clearCalculation();
        QVERIFY(!indicator->isVisible());
        QCOMPARE(list->topLevelItemCount(), 1);  // the line that says there is nothing
    }

    void theDialogShowsTheFormsValuesAndStoresWhatIsTyped() {
        FormModel form;
        MainWindow window(form);
        TypeInto(window.field(1), QStringLiteral("40"));
        CheckSettings pvc;
        pvc[CheckField::kMaterial] = "PVC-U";
        pvc[CheckField::kWall] = "3";
        form.setCheckSettings(pvc);
        form.setModified(false);

        ChecksDialogWindow dialog(form, &window);
        QCOMPARE(dialog.materials()->currentText(), QStringLiteral("НПВХ (PVC-U)"));
        QLineEdit* strength = dialog.field(CheckField::kStrength);
        QVERIFY(!strength->isEnabled());
        QCOMPARE(strength->text(), QStringLiteral("45"));
        QVERIFY(dialog.note()->text().contains(QStringLiteral("предел текучести")));
        QVERIFY(dialog.burstPressure()->text().contains(QStringLiteral("5,87 МПа")));
        dialog.show();
        QCoreApplication::processEvents();
        QVERIFY(SaveScreenshot(&dialog, "checks-dialog"));
        QCOMPARE(ClippedTexts(&dialog), QString());

        TypeInto(dialog.field(CheckField::kWall), QStringLiteral("4,5"));
        TypeInto(dialog.field(CheckField::kMaxPressure), QStringLiteral("9.5"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(form.checkSettings()[CheckField::kWall], std::string("4,5"));
        QCOMPARE(form.checkSettings()[CheckField::kMaxPressure], std::string("9,5"));
        QVERIFY(form.modified());

        ChecksHelpWindow help(&window);
        help.show();
        QCoreApplication::processEvents();
        QVERIFY(SaveScreenshot(&help, "checks-help"));
        for (const DesignCheckInfo& info : DesignCheckInfos()) {
            QVERIFY(help.text()->toPlainText().contains(ToQString(CodeName(info.code))));
        }
    }
};

QTEST_MAIN(ChecksPanelTest)
#include "checks_panel_test.moc"
