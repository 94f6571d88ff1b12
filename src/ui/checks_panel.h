#pragma once
// The design checks in the window: the list "Проверка конструкции" of tab 4, the indicator in
// the status bar that counts its errors and warnings from every tab, the dialog "Корпус и
// пределы" and the help on the checks. Each only shows the form layer's state (FormModel's
// designAlerts, ChecksDialog) and forwards the user's actions to it.

#include <QDialog>
#include <QGroupBox>
#include <QToolButton>
#include <array>

#include "form/checks_dialog.h"
#include "form/form_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace tarvo {

// The icon of a severity, from the style's message box icons.
QIcon SeverityIcon(Severity severity);

class DesignChecksPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit DesignChecksPanel(FormModel& form, QWidget* parent = nullptr);
    ~DesignChecksPanel() override;

    QTreeWidget* list() const { return list_; }
    void showAlerts();

signals:
    void helpRequested();

private:
    FormModel& form_;
    int token_ = 0;
    QTreeWidget* list_ = nullptr;
};

// "2 ошибки, 1 предупреждение" with the icon of the worst; hidden while there is nothing to
// count. A click shows tab 4.
class AlertIndicator : public QToolButton {
    Q_OBJECT
public:
    explicit AlertIndicator(FormModel& form, QWidget* parent = nullptr);
    ~AlertIndicator() override;
    void showCounts();

private:
    FormModel& form_;
    int token_ = 0;
};

class ChecksDialogWindow : public QDialog {
    Q_OBJECT
public:
    ChecksDialogWindow(FormModel& form, QWidget* parent);

    QComboBox* materials() const { return materials_; }
    QLineEdit* field(CheckField field) const;
    QLabel* note() const { return note_; }
    QLabel* burstPressure() const { return burst_; }

    // OK: a refused value is named in a message and its field takes the focus.
    void accept() override;

signals:
    void helpRequested();

private:
    void showModel();

    ChecksDialog model_;
    QComboBox* materials_ = nullptr;
    std::array<QLineEdit*, kCheckFieldCount> fields_{};
    QLabel* note_ = nullptr;
    QLabel* burst_ = nullptr;
};

class ChecksHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit ChecksHelpWindow(QWidget* parent);
    QPlainTextEdit* text() const { return text_; }

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace tarvo
