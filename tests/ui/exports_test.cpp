// The two exports of tab 4 through the window: which state enables them, what the spreadsheet
// export hands to the desktop, and the .eng export's dialogs answered from a script.

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <memory>
#include <sstream>

#include "../export/fake_desktop.h"
#include "ui/eng_export.h"
#include "ui/startup.h"
#include "ui_test_support.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

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

}  // namespace

class ExportsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        desktop_ = std::make_unique<FakeDesktop>();
        prompts_ = {};
        form_ = std::make_unique<FormModel>();
        PutBuiltInPropellants(*form_);
        window_ = std::make_unique<MainWindow>(*form_);
        window_->setSpreadsheetServices(*desktop_, *desktop_, *desktop_, *desktop_);
        window_->setEngExportPrompts(prompts_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        TypeCoredMotor(*window_);
    }
    void cleanup() {
        window_.reset();
        form_.reset();
    }

    void exportsFollowTheLastCalculation() {
        QPushButton* excel = window_->button(kExportButton.number);
        QVERIFY(!excel->isEnabled() && !window_->engExportButton()->isEnabled());
        calculate();
        QVERIFY(excel->isEnabled() && window_->engExportButton()->isEnabled());
        TypeInto(window_->field(7), QStringLiteral("-"));  // N becomes 0: the next run fails
        calculate();
        QVERIFY(!excel->isEnabled() && !window_->engExportButton()->isEnabled());
    }

    void spreadsheetGetsTheTable() {
        calculate();
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

    void withoutSpreadsheetOnlyTheWarning() {
        desktop_->Answer(kMimeQuery, std::nullopt);
        calculate();
        QTest::mouseClick(window_->button(kExportButton.number), Qt::LeftButton);
        QCOMPARE(desktop_->warnings, std::vector<std::string>{"Microsoft Excel не установлен :("});
        QVERIFY(desktop_->opened.empty() && !desktop_->clipboard);
        QVERIFY(std::filesystem::is_empty(desktop_->documents.path()));
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
        calculate();
        const std::filesystem::path target = desktop_->documents.File(file.toStdString());
        if (confirmHeader) {
            prompts_.options = EngOptions{"Мой мотор", 0.25, "Tarvo"};
        }
        if (!file.isEmpty()) {
            prompts_.file = target;
        }
        const std::string statusBefore = form_->statusText(0);
        QTest::mouseClick(window_->engExportButton(), Qt::LeftButton);
        QCOMPARE(prompts_.offeredDefaults->name, DefaultEngMotorName(form_->motorModel()));
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

private:
    void calculate() {
        QTest::mouseClick(window_->button(kCalculateButton.number), Qt::LeftButton);
    }

    std::unique_ptr<FakeDesktop> desktop_;
    ScriptedEngPrompts prompts_;
    std::unique_ptr<FormModel> form_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ExportsTest)
#include "exports_test.moc"
