#pragma once
// The "Подбор" dialog: sweeps of one or two fields of the window's design (a table, and a chart
// against the field or a coloured map of two), and the target mode that proposes the value of
// one field for a figure. The calculations run on a worker thread; the form model stays on the
// window's thread, which gets the results by a queued signal, so that the window keeps
// responding and Cancel works. A double click on a row puts its values into the fields.

#include <QDialog>
#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "form/dialogs.h"
#include "sweep/sweep_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace tarvo {

class SweepMap;
class SweepChart;

// What a run hands back to the window's thread.
struct SweepRunOutput {
    std::vector<const SweepKey*> keys;
    std::vector<SweepRow> rows;  // the designs calculated, in order
    std::size_t across = 0;      // with two keys: the values of the first
    bool cancelled = false;
    std::optional<SolveRequest> request;  // the target mode's
    std::optional<SolveAnswer> answer;
    std::string error;  // a run that failed as a whole
};

class SweepDialog : public QDialog {
    Q_OBJECT
public:
    // Takes the window's design as Save would write it.
    SweepDialog(FormModel& form, Dialogs& dialogs, QWidget* parent = nullptr);
    ~SweepDialog() override;

    static constexpr int kSweepPage = 0;
    static constexpr int kTargetPage = 1;

    QTabWidget* modes() const { return modes_; }
    QComboBox* keyBox(int axis) const { return axes_[axis].key; }
    QLineEdit* fromEdit(int axis) const { return axes_[axis].from; }
    QLineEdit* toEdit(int axis) const { return axes_[axis].to; }
    QLineEdit* stepEdit(int axis) const { return axes_[axis].step; }
    QCheckBox* secondKey() const { return secondKey_; }
    QCheckBox* figureShown(std::size_t figure) const { return shown_[figure]; }
    QComboBox* chartFigure() const { return chartFigure_; }
    QComboBox* targetKey() const { return targetKey_; }
    QLineEdit* targetFrom() const { return targetFrom_; }
    QLineEdit* targetTo() const { return targetTo_; }
    QComboBox* targetFigure() const { return targetFigure_; }
    QLineEdit* targetValue() const { return targetValue_; }
    QPushButton* runButton() const { return runButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* applyButton() const { return applyButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    QProgressBar* progress() const { return progress_; }
    QTableWidget* table() const { return table_; }
    QLabel* message() const { return message_; }
    SweepMap* map() const { return map_; }
    QWidget* chart() const;

    bool running() const { return worker_.joinable(); }
    // The rows shown, for the table's row numbers.
    const SweepRunOutput* shownOutput() const { return output_.get(); }

    void run();     // "Рассчитать" on the sweep page, "Найти" on the target page
    void cancel();  // "Отмена"
    void applyRow(int row);
    void exportCsv();

signals:
    void progressed(int done, int total);
    void runFinished(std::shared_ptr<tarvo::SweepRunOutput> output);

protected:
    void reject() override;

private:
    struct AxisWidgets {
        QComboBox* key = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QLineEdit* step = nullptr;
    };

    QWidget* buildSweepPage();
    QWidget* buildTargetPage();
    QComboBox* keyChooser(QWidget* parent);
    QComboBox* figureChooser(QWidget* parent);
    void proposeRange(int axis);
    void proposeTargetRange();
    void proposeTargetValue();
    void start(std::function<void(SweepRunOutput&, const RunControl&)> work);
    void finish(std::shared_ptr<SweepRunOutput> output);
    void showProgress(int done, int total);
    void showRows();
    void showChart();
    void setRunning(bool running);
    void say(const std::string& text);
    const SweepKey* chosenKey(QComboBox* box) const;

    FormModel& form_;
    Dialogs& dialogs_;
    std::optional<SweepSession> session_;
    std::shared_ptr<SweepRunOutput> output_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> reportedPercent_{-1};

    QTabWidget* modes_ = nullptr;
    std::array<AxisWidgets, 2> axes_{};
    QCheckBox* secondKey_ = nullptr;
    std::array<QCheckBox*, kSweepFigures.size()> shown_{};
    QComboBox* chartFigure_ = nullptr;
    QComboBox* targetKey_ = nullptr;
    QLineEdit* targetFrom_ = nullptr;
    QLineEdit* targetTo_ = nullptr;
    QComboBox* targetFigure_ = nullptr;
    QLineEdit* targetValue_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    QStackedWidget* views_ = nullptr;
    SweepChart* chart_ = nullptr;
    SweepMap* map_ = nullptr;
};

}  // namespace tarvo
