#pragma once
// The window's own small controls: the up/down stepper beside a field, the description memo,
// and the sunken value label that shows a result.

#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

class QToolButton;

namespace tarvo {

// Two arrow buttons stacked like an up-down control; they hold no position of their own.
class StepperButtons : public QWidget {
    Q_OBJECT
public:
    explicit StepperButtons(QWidget* parent);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void steppedUp();
    void steppedDown();

private:
    QToolButton* up_;
    QToolButton* down_;
};

// The one-paragraph motor description: Enter inserts no line break, pasted line breaks become
// blanks (only a single line is kept in the motor file), and typing or pasting stops at the
// maximum length.
class DescriptionMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    DescriptionMemo(int maxLength, QWidget* parent);
    int maxLength() const { return maxLength_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    qsizetype roomLeft() const;  // characters that may still go in, replacing the selection

    int maxLength_;
};

// A result shown as the window's value labels show it: framed, right-aligned.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    ValueLabel(int minimumWidth, QWidget* parent);
};

// The font of all the program's windows: the desktop's sans-serif face at 8 points.
void UseWindowFont(QWidget* window);

// One line for QPlainTextEdit: every line break becomes a blank.
QString WithoutLineBreaks(QString text);

}  // namespace tarvo
