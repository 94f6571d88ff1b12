#include "ui/input_widgets.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo {

namespace {

constexpr int kStepperWidth = 16;
constexpr int kArrowHeight = 10;
constexpr int kWindowFontPoints = 8;

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kStepperWidth, kArrowHeight);
    return button;
}

}  // namespace

StepperButtons::StepperButtons(QWidget* parent)
    : QWidget(parent),
      up_(ArrowButton(Qt::UpArrow, this)),
      down_(ArrowButton(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setFixedSize(kStepperWidth, 2 * kArrowHeight);
    connect(up_, &QToolButton::clicked, this, &StepperButtons::steppedUp);
    connect(down_, &QToolButton::clicked, this, &StepperButtons::steppedDown);
}

void UseWindowFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSize(kWindowFontPoints);
    window->setFont(font);
}

QString WithoutLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar breakChar : {QChar('\n'), QChar('\r'), QChar(QChar::ParagraphSeparator),
                                  QChar(QChar::LineSeparator)}) {
        text.replace(breakChar, QLatin1Char(' '));
    }
    return text;
}

DescriptionMemo::DescriptionMemo(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);
}

qsizetype DescriptionMemo::roomLeft() const {
    const qsizetype used = toPlainText().size() - textCursor().selectedText().size();
    return std::max<qsizetype>(0, maxLength_ - used);
}

void DescriptionMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool inserts = !text.isEmpty() && text.front().isPrint();
    if (inserts && text.size() > roomLeft()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DescriptionMemo::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    insertPlainText(WithoutLineBreaks(source->text()).left(roomLeft()));
}

void DescriptionMemo::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().size() > roomLeft()) {
        QInputMethodEvent trimmed(event->preeditString(), event->attributes());
        trimmed.setCommitString(event->commitString().left(roomLeft()), event->replacementStart(),
                                event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&trimmed);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

ValueLabel::ValueLabel(int minimumWidth, QWidget* parent) : QLabel(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumWidth(minimumWidth);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);  // one line, however high the row
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    setPalette(colours);
}

}  // namespace tarvo
