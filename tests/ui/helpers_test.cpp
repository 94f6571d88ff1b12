// The window's pure helpers: the start-up screen check, the command line, the .eng filter
// and the axis label steps.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "export/rasp_eng.h"
#include "ui/chart_panel.h"
#include "ui/qt_dialogs.h"
#include "ui/startup.h"

using namespace tarvo;

class HelpersTest : public QObject {
    Q_OBJECT
private slots:
    void screenSize_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("supported");
        // clang-format off
        QTest::newRow("800 x 600") << 800 << 600 << false;
        QTest::newRow("801 x 601") << 801 << 601 << true;
        QTest::newRow("wide but low") << 1920 << 600 << false;
        QTest::newRow("high but narrow") << 800 << 1200 << false;
        // clang-format on
    }
    void screenSize() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, supported);
        QCOMPARE(ScreenSizeSupported(width, height), supported);
    }

    // CTest runs this file twice: on the 1280 x 1024 test screen and, for this check alone,
    // on an 800 x 600 one.
    void primaryScreenChecked() {
        const bool small = qEnvironmentVariableIsSet("TARVO_TEST_SMALL_SCREEN");
        QCOMPARE(QGuiApplication::primaryScreen()->size(),
                 small ? QSize(800, 600) : QSize(1280, 1024));
        QCOMPARE(ScreenSupported(QGuiApplication::primaryScreen()), !small);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("file");
        const int run = int(CommandLine::Action::kRun);
        const int help = int(CommandLine::Action::kShowHelp);
        const int refuse = int(CommandLine::Action::kRefuse);
        // clang-format off
        QTest::newRow("no file") << QStringList{"tarvo"} << run << QString();
        QTest::newRow("a motor file") << QStringList{"tarvo", "m.zel"} << run << "m.zel";
        QTest::newRow("help") << QStringList{"tarvo", "--help"} << help << QString();
        QTest::newRow("unknown option") << QStringList{"tarvo", "-v"} << refuse << QString();
        QTest::newRow("two files") << QStringList{"tarvo", "a.zel", "b.zel"} << refuse << QString();
        QTest::newRow("dash file after --")
            << QStringList{"tarvo", "--", "-x.zel"} << run << "-x.zel";
        QTest::newRow("empty name") << QStringList{"tarvo", ""} << refuse << QString();
        // clang-format on
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, file);
        std::vector<std::string> raw;
        for (const QString& argument : arguments) {
            raw.push_back(argument.toStdString());
        }
        const CommandLine line = ParseCommandLine(raw);
        QCOMPARE(int(line.action), action);
        QCOMPARE(line.motorFile ? QString::fromStdString(*line.motorFile) : QString(), file);
        QCOMPARE(line.action == CommandLine::Action::kRefuse, !line.error.empty());
        QCOMPARE(AsksForHelp(raw), action == int(CommandLine::Action::kShowHelp));
    }

    // The motor and propellant filters are checked on the real dialogs; the .eng dialog's is
    // already in Qt's form and must pass unchanged.
    // Qt's own dialogs speak Russian: their buttons and the file dialog's questions.
    void qtTextsAreRussian() {
        QVERIFY(UseRussianQtTexts(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
        const QString replace = QCoreApplication::translate(
            "QFileDialog", "%1 already exists.\nDo you want to replace it?");
        QVERIFY2(replace.contains(QStringLiteral("существует")), qPrintable(replace));
    }

    void engFilterPassesUnchanged() {
        QCOMPARE(QtFileFilter(kEngFileFilter), QStringLiteral("Кривая тяги RASP (*.eng)"));
    }

    void tickInterval_data() {
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("interval");
        QTest::addColumn<int>("decimals");
        // clang-format off
        QTest::newRow("25 s") << 25.0 << 0.1 << 5.0 << 0;
        QTest::newRow("web 12.5") << 12.5 << 0.0 << 2.5 << 1;
        QTest::newRow("short burn held at the increment") << 0.3 << 0.1 << 0.1 << 1;
        QTest::newRow("range below two increments") << 0.15 << 0.1 << 0.025 << 3;
        QTest::newRow("zero") << 0.0 << 0.1 << 0.1 << 1;
        QTest::newRow("not a number") << qQNaN() << 0.0 << 1.0 << 0;
        // clang-format on
    }
    void tickInterval() {
        QFETCH(double, max);
        QFETCH(double, minimum);
        QFETCH(double, interval);
        QFETCH(int, decimals);
        QVERIFY(qFuzzyCompare(NiceTickInterval(max, minimum), interval));
        QCOMPARE(TickDecimals(NiceTickInterval(max, minimum)), decimals);
        QCOMPARE(UsableAxisMax(max, 7.0), max > 0 ? max : 7.0);
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
