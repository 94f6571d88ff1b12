#pragma once
// The static test in the window: the comparison of a loaded stand log with the calculation (a
// group under the thrust table of tab 4, shown while a log is loaded) and the "Подобрать…"
// dialog. Both only show the form layer's StandSession and forward the user's actions to it.

#include <QDialog>
#include <QGroupBox>
#include <array>

#include "form/stand_session.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tarvo {

class StandPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StandPanel(QWidget* parent = nullptr);
    ~StandPanel() override;

    // nullptr detaches; the session outlives the panel or is detached first.
    void setSession(StandSession* session);
    QTableWidget* table() const { return table_; }
    QPushButton* fitButton() const { return fitButton_; }
    QLabel* summary() const { return summary_; }

signals:
    void fitRequested();

private:
    void showSession();

    StandSession* session_ = nullptr;
    int token_ = 0;
    QLabel* summary_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* stale_ = nullptr;
    QPushButton* fitButton_ = nullptr;
};

class StandFitDialog : public QDialog {
    Q_OBJECT
public:
    StandFitDialog(StandSession& session, QWidget* parent);

    QCheckBox* parameterBox(FitParameter parameter) const;
    QPushButton* fitButton() const { return fitButton_; }
    QPushButton* applyButton() const { return applyButton_; }
    QPlainTextEdit* report() const { return report_; }

    void runFit();    // "Подобрать"
    void applyFit();  // "Применить": the session says what it wrote; the dialog closes

private:
    void showFit();

    StandSession& session_;
    std::array<QCheckBox*, kFitParameterCount> boxes_{};
    QPushButton* fitButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
};

}  // namespace tarvo
