// Message boxes and file dialogs as the document layer gets them: the window's caption as
// title, the answer of the button pressed, and each file dialog with its own filter, default
// extension and overwrite rule. The about box and the help window: fixed in size, readable,
// with links that open through the desktop.

#include <QAbstractButton>
#include <QApplication>
#include <QEnterEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "form/form_layout.h"
#include "ui/info_windows.h"
#include "ui/qt_dialogs.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

// Runs `answer` on the modal window the next statement opens.
template <typename Window>
void WhenShown(std::function<void(Window*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window != nullptr);
        answer(window);
    });
}

struct RecordingOpener : UrlOpener {
    void open(const std::string& url) override { urls.push_back(url); }
    std::vector<std::string> urls;
};

QColor TextColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    // The save prompt, the question about characters Windows-1251 cannot hold and the one about
    // a file another program changed: each button gives its answer, and Alt with the
    // underlined letter presses it.
    void questions_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        // clang-format off
        QTest::newRow("Да") << 0 << "&Да" << int(Answer::kYes);
        QTest::newRow("Нет") << 0 << "&Нет" << int(Answer::kNo);
        QTest::newRow("Отмена") << 0 << "&Отмена" << int(Answer::kCancel);
        QTest::newRow("UTF-8") << 1 << "&Сохранить в UTF-8" << int(EncodingAnswer::kSaveAsUtf8);
        QTest::newRow("?") << 1 << "&Заменить на «?»" << int(EncodingAnswer::kReplaceWithQuestionMarks);
        QTest::newRow("encoding cancelled") << 1 << "&Отмена" << int(EncodingAnswer::kCancel);
        QTest::newRow("overwrite") << 2 << "&Да" << 1;
        QTest::newRow("keep") << 2 << "&Нет" << 0;
        // clang-format on
    }
    void questions() {
        QFETCH(int, question);
        QFETCH(QString, button);
        QFETCH(int, answer);
        QtDialogs dialogs(nullptr);
        QString title;
        QStringList captions;
        bool unanswered = false;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            for (QAbstractButton* candidate : box->buttons()) {
                captions << candidate->text();
            }
            // A box that no key answers is closed, and the test fails.
            QTimer::singleShot(2000, box, [box, &unanswered] {
                unanswered = true;
                box->done(-1);
            });
            const QKeySequence accelerator = QKeySequence::mnemonic(button);
            box->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box));
            const Qt::Key key = accelerator[0].key();
            QTest::sendKeyEvent(QTest::Click, box, key, QString(QChar(key)).toLower(),
                                accelerator[0].keyboardModifiers());
        });
        const int given = question == 0
                              ? int(dialogs.askYesNoCancel("Файл не сохранён. Сохранить?"))
                          : question == 1 ? int(dialogs.askUnencodableCharacters("λ"))
                                          : int(dialogs.askOverwriteChangedFile("Файл изменён"));
        QVERIFY2(captions.contains(button), qPrintable(captions.join(" | ")));
        QVERIFY(!unanswered);
        QCOMPARE(given, answer);
        QCOMPARE(title, QStringLiteral("Tarvo+ [Версия 2.21]"));
    }

    void fileDialogs_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("asksBeforeOverwriting");
        const QString motors = QStringLiteral("Файлы двигателей ZEL (*.zel)");
        const QString propellants = QStringLiteral("Файлы топлив ZEL (*.grn)");
        // The program asks itself before replacing a propellant file.
        // clang-format off
        QTest::newRow("od") << int(FileDialog::kOpenMotor) << motors << "zel" << false << false;
        QTest::newRow("sd") << int(FileDialog::kSaveMotor) << motors << "zel" << true << true;
        QTest::newRow("gsave") << int(FileDialog::kSavePropellants) << propellants << "grn" << true << false;
        // clang-format on
    }
    void fileDialogs() {
        QFETCH(int, dialog);
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        QFETCH(bool, save);
        QFETCH(bool, asksBeforeOverwriting);
        QtDialogs dialogs(nullptr);
        bool seen = false;
        WhenShown<QFileDialog>([&](QFileDialog* box) {
            seen = true;
            QCOMPARE(box->nameFilters(), QStringList{filter});
            QCOMPARE(box->defaultSuffix(), suffix);
            QCOMPARE(box->acceptMode() == QFileDialog::AcceptSave, save);
            QCOMPARE(!box->testOption(QFileDialog::DontConfirmOverwrite), asksBeforeOverwriting);
            box->reject();
        });
        QCOMPARE(dialogs.chooseFile(static_cast<FileDialog>(dialog)), std::nullopt);
        QVERIFY(seen);
    }

    void chosenFileIsReturned() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("Мотор.zel"));
        QtDialogs dialogs(nullptr);
        WhenShown<QFileDialog>([&](QFileDialog* box) {
            box->selectFile(path);
            static_cast<QDialog*>(box)->accept();  // as the Save button does
        });
        QCOMPARE(dialogs.chooseFile(FileDialog::kSaveMotor), std::optional(path.toStdString()));
    }

    // The propellants are proposed in the user's configuration directory, with or without the
    // name GRAINS.grn.
    void proposedDirectoryAndName() {
        QTemporaryDir directory;
        const std::string root = directory.path().toStdString();
        QtDialogs dialogs(nullptr);
        for (const std::string& proposed : {root + "/", root + "/GRAINS.grn"}) {
            QString shown;
            WhenShown<QFileDialog>([&](QFileDialog* box) {
                shown = box->directory().absolutePath();
                box->reject();
            });
            dialogs.chooseFileNamed(FileDialog::kSavePropellants, proposed);
            QCOMPARE(shown, directory.path());
        }
    }

    void windowsRenderReadably() {
        RecordingOpener opener;
        AboutBox about(opener, nullptr);
        HelpWindow help(nullptr);
        // The about box keeps its size; the help opens large enough to read and can grow.
        const std::tuple<QDialog*, const char*, QSize, bool> windows[] = {
            {&about, "about", QSize(298, 213), true},
            {&help, "help", QSize(kHelpWidth, kHelpHeight), false}};
        for (const auto& [window, name, size, fixed] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(window->size(), size);
            QCOMPARE(window->minimumSize() == window->maximumSize(), fixed);
            QVERIFY(window->isModal());
            QVERIFY(SaveScreenshot(window, name));
            QCOMPARE(ClippedTexts(window), QString());
        }
        // The credits need no scrolling in so small a box.
        QTextEdit* credits = about.findChild<QTextEdit*>();
        QCOMPARE(credits->verticalScrollBar()->maximum(), 0);
        // No line of the help runs past the window's width.
        QCOMPARE(help.text()->horizontalScrollBar()->maximum(), 0);
    }

    // Enter in the search line selects the next place, from the top again after the last.
    void helpIsSearchable() {
        HelpWindow help(nullptr);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        help.search()->setText(QStringLiteral("Ae/At"));
        QTest::keyClick(help.search(), Qt::Key_Return);
        QVERIFY(help.isVisible());  // Enter searches; it does not close the window
        QCOMPARE(help.text()->textCursor().selectedText(), QStringLiteral("Ae/At"));
        const int first = help.text()->textCursor().position();
        QList<int> places{first};
        while (places.size() < 50) {
            QVERIFY(help.findNext());
            const int position = help.text()->textCursor().position();
            if (position == first) {
                break;  // round the end and back to the first place
            }
            places << position;
        }
        QVERIFY(places.size() >= 2 && places.size() < 50);
        help.search()->setText(QStringLiteral("ничего такого"));
        QVERIFY(!help.findNext());
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
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
