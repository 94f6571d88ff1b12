// The window wired to the document layer, as the desktop program runs it: start-up, a typed
// motor calculated and saved, New, the file opened again from the recent menu, and the close
// prompt — with the dialogs answered from a script.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <fstream>
#include <memory>

#include "../form/scripted_dialogs.h"
#include "form/document.h"
#include "ui/document_binding.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

QString Status(const MainWindow& window) {
    return window.statusPanel(0)->text();
}

}  // namespace

class DocumentBindingTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(directory_.isValid());
        dialogs_ = ScriptedDialogs();
        const std::string root = PathOf(directory_).string();
        form_ = std::make_unique<FormModel>();
        window_ = std::make_unique<MainWindow>(*form_);
        document_ = std::make_unique<Document>(
            *form_, dialogs_,
            DocumentSettings{{root + "/GRAINS.grn"}, root + "/config/Tarvo.ini", true});
        document_->create();
        binding_ = std::make_unique<DocumentBinding>(*window_, *document_, dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        // Start-up runs once the window has appeared: New puts the default design in.
        QTRY_COMPARE(window_->propellantList()->currentIndex(), 1);
    }
    void cleanup() {
        binding_.reset();
        document_.reset();
        window_.reset();
        form_.reset();
    }

    void typedMotorIsSavedAndReopenedFromTheRecentMenu() {
        const QString caption = QStringLiteral(" — Tarvo+ [Версия 2.21]");
        QCOMPARE(window_->windowTitle(), QStringLiteral("Без имени[*]") + caption);
        QVERIFY(!window_->isWindowModified());
        TypeCoredMotor(*window_);
        QVERIFY(window_->isWindowModified());
        QTest::mouseClick(window_->button(1), Qt::LeftButton);
        QCOMPARE(Status(*window_), QStringLiteral("Расчёт проведён успешно"));
        QPushButton* excel = window_->button(kExportButton.number);
        QVERIFY(excel->isEnabled() && window_->engExportButton()->isEnabled());
        const QString typedDc = window_->field(1)->text();

        const std::string path = (PathOf(directory_) / "Мотор.zel").string();
        dialogs_.files.push_back(path);
        window_->action("Save_menu")->trigger();
        QVERIFY(std::filesystem::exists(std::filesystem::u8path(path)));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Мотор.zel[*]") + caption);
        QVERIFY(!window_->isWindowModified());
        QVERIFY(window_->recentMenu()->menuAction()->isEnabled());
        QCOMPARE(window_->recentMenu()->actions().size(), 1);

        window_->action("N10")->trigger();
        QVERIFY(dialogs_.questions.empty());  // saved: New asks nothing
        QCOMPARE(window_->field(1)->text(), QStringLiteral("0"));
        QCOMPARE(window_->resultTable()->rowCount(), 0);
        QVERIFY(!excel->isEnabled() && !window_->engExportButton()->isEnabled());

        window_->recentMenu()->actions().front()->trigger();
        QCOMPARE(window_->field(1)->text(), typedDc);
        QCOMPARE(Status(*window_), QStringLiteral("Расчёт проведён успешно"));
        QCOMPARE(window_->resultTable()->rowCount(), 23);
        QVERIFY(excel->isEnabled());  // opening calculates the file
        QVERIFY(!document_->isDocumentChanged());
    }

    // Cancel keeps the window; that the other answers close it is the document's test.
    void closingAChangedDocumentAsks() {
        TypeInto(window_->field(1), QStringLiteral("30"));
        dialogs_.answers.push_back(Answer::kCancel);
        QCOMPARE(window_->close(), false);
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));
        QCOMPARE(window_->field(1)->text(), QStringLiteral("30"));
    }

    void unchangedDocumentClosesWithoutAsking() {
        QVERIFY(window_->close());
        QVERIFY(dialogs_.questions.empty());
    }

    // What a file manager's double click passes: a propellant file loads into tab 5 and the
    // document stays new; a motor file opens; a missing one is reported.
    void startupFileOpensByItsKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("firstPropellant");
        QTest::addColumn<bool>("opensAsMotor");
        QTest::addColumn<QString>("status");  // after a propellant file was loaded
        const QByteArray propellants = "[Const&Vars_DX]\r\nFuelName=My KN/DX\r\n";
        const QByteArray motor = "[Params]\r\nDc=30\r\n" + propellants;
        const QString builtIn = QStringLiteral("KN/DX - Нитрат калия - декстроза");
        const QString loaded = QStringLiteral("Файл параметров топлив загружен");
        // clang-format off
        QTest::newRow("capital GRN") << "MY.GRN" << propellants << "My KN/DX" << false << loaded;
        QTest::newRow("motor") << "motor.zel" << motor << "My KN/DX" << true << QString();
        QTest::newRow("missing") << "gone.grn" << QByteArray() << builtIn << false << QString();
        // clang-format on
    }
    void startupFileOpensByItsKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, firstPropellant);
        QFETCH(bool, opensAsMotor);
        QFETCH(QString, status);
        const std::filesystem::path path = PathOf(directory_) / name.toStdString();
        if (!content.isEmpty()) {
            std::ofstream(path, std::ios::binary) << content.toStdString();
        }
        FormModel form;
        MainWindow window(form);
        window.setStartupFile(path.string());
        Document document(form, dialogs_, DocumentSettings{});
        document.create();
        DocumentBinding binding(window, document, dialogs_);
        window.show();
        // Start-up has run once the file has left a trace: a status, a document or a message.
        QTRY_VERIFY(!Status(window).isEmpty() || !document.currentFileName().empty() ||
                    !dialogs_.messages.empty());
        QCOMPARE(window.propellantList()->itemText(0), firstPropellant);
        QCOMPARE(document.currentFileName() == path.string(), opensAsMotor);
        QCOMPARE(dialogs_.messages.size(), std::size_t(content.isEmpty() ? 1 : 0));
        if (!status.isNull()) {
            QCOMPARE(Status(window), status);
            QVERIFY(!document.isDocumentChanged());
        }
    }

private:
    QTemporaryDir directory_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<FormModel> form_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<DocumentBinding> binding_;
};

QTEST_MAIN(DocumentBindingTest)
#include "document_binding_test.moc"
