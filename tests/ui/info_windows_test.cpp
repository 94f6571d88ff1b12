// The about box and the help window: created once and shown from the "Помощь" menu each
// time, fixed in size, readable, with links that open through the desktop.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include "ui/info_windows.h"
#include "ui/startup.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

struct RecordingOpener : UrlOpener {
    void open(const std::string& url) override { urls.push_back(url); }
    std::vector<std::string> urls;
};

QColor TextColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

}  // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void windowsRenderReadably() {
        RecordingOpener opener;
        AboutBox about(opener, nullptr);
        HelpWindow help(nullptr);
        QDir().mkpath(QStringLiteral(TARVO_SCREENSHOT_DIR));
        const std::tuple<QDialog*, const char*, QSize> windows[] = {
            {&about, "about", QSize(298, 213)}, {&help, "help", QSize(464, 308)}};
        for (const auto& [window, name, size] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(window->size(), size);
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(window->isModal());
            QVERIFY(window->grab().save(QStringLiteral(TARVO_SCREENSHOT_DIR "/%1.png").arg(name)));
            const QStringList clipped = ClippedTexts(window);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(" | ")));
        }
        // The four lines of credits need no scrolling in so small a box.
        QTextEdit* credits = about.findChild<QTextEdit*>();
        QCOMPARE(credits->document()->blockCount(), 4);
        QCOMPARE(credits->verticalScrollBar()->maximum(), 0);
        QCOMPARE(help.windowTitle(), QStringLiteral("Tarvo+"));
        QCOMPARE(about.windowTitle(), QStringLiteral("О программе"));
    }

    void linksChangeColourAndOpen() {
        RecordingOpener opener;
        AboutBox about(opener, nullptr);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QList<LinkLabel*> links = about.findChildren<LinkLabel*>();
        QCOMPARE(links.size(), int(kAboutLinks.size()));
        for (int i = 0; i < links.size(); ++i) {
            LinkLabel* link = links[i];
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(link->toolTip(), QStringLiteral("Открыть сайт"));
            QCOMPARE(TextColour(link), QColor(Qt::blue));
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(link, &enter);
            QCOMPARE(TextColour(link), QColor(Qt::red));
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(link, &leave);
            QCOMPARE(TextColour(link), QColor(Qt::blue));
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(opener.urls.back(), std::string(kAboutLinks[std::size_t(i)].url));
        }
    }

    void menuShowsTheSameWindowsEachTime() {
        FormModel form;
        MainWindow window(form);
        RecordingOpener opener;
        auto* about = new AboutBox(opener, &window);
        auto* help = new HelpWindow(&window);
        window.setInfoWindows(about, help);
        window.show();
        TypeInto(window.field(1), QStringLiteral("40"));
        QList<QWidget*> shown;
        for (const char* item : {"About_menu", "Help_menu", "About_menu", "Help_menu"}) {
            QTimer::singleShot(0, [&shown] {
                shown << QApplication::activeModalWidget();
                if (shown.back() != nullptr) {
                    shown.back()->close();
                }
            });
            window.action(item)->trigger();
        }
        QCOMPARE(shown, (QList<QWidget*>{about, help, about, help}));
        QCOMPARE(form.fieldText(EditId{1}), std::string("40"));
    }
};

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
