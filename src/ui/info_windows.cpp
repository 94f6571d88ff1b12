#include "ui/info_windows.h"

#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QVBoxLayout>

#include "form/form_layout.h"
#include "form/help_text.h"
#include "ui/input_widgets.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

constexpr std::string_view kCredits =
    "Формулы взяты из таблицы расчёта РДТТ.\n"
    "Константы топлив - из опытов любителей.\n"
    "Спасибо всем, кто проверял расчёты.\n"
    "Отзывы присылайте через сайт программы.";

constexpr int kHelpFontPoints = 10;
const QColor kLinkColour(Qt::blue);
const QColor kHoverColour(Qt::red);

QDialogButtonBox* OkButton(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("OK"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

void FixSize(QDialog* dialog, int width, int height) {
    dialog->setFixedSize(width, height);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint);
    dialog->setModal(true);
}

QPalette InfoTipColours(QPalette colours) {
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    return colours;
}

}  // namespace

// ---- Help ----

namespace {

QString Escaped(std::string_view text) {
    return ToQString(text).toHtmlEscaped();
}

// Paragraphs are separated by a blank line; lines starting with "• " make a list.
QString ProseHtml(std::string_view prose) {
    QString html;
    for (const QString& paragraph :
         ToQString(prose).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
        const QStringList lines = paragraph.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QString text;
        QString items;
        for (const QString& line : lines) {
            if (line.startsWith(QStringLiteral("• "))) {
                items +=
                    QStringLiteral("<li>") + line.mid(2).toHtmlEscaped() + QStringLiteral("</li>");
            } else {
                text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + line.toHtmlEscaped();
            }
        }
        if (!text.isEmpty()) {
            html += QStringLiteral("<p>") + text + QStringLiteral("</p>");
        }
        if (!items.isEmpty()) {
            html += QStringLiteral("<ul>") + items + QStringLiteral("</ul>");
        }
    }
    return html;
}

QString InputsHtml(std::span<const HelpInput> inputs) {
    if (inputs.empty()) {
        return {};
    }
    QString html = QStringLiteral(
        "<table border='1' cellspacing='0' cellpadding='3' width='100%'>"
        "<tr><th>Поле</th><th>Что это</th><th>Единица</th><th>Обычно для KN</th></tr>");
    for (const HelpInput& input : inputs) {
        html += QStringLiteral("<tr><td><b>") + Escaped(input.symbol) +
                QStringLiteral("</b></td><td>") + Escaped(input.meaning) +
                QStringLiteral("</td><td>") + Escaped(input.unit) + QStringLiteral("</td><td>") +
                Escaped(input.typical) + QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

QString HelpHtml() {
    QString contents;
    QString body;
    int number = 0;
    for (const HelpSection& section : HelpSections()) {
        const QString anchor = QStringLiteral("s%1").arg(++number);
        contents += QStringLiteral("<li><a href='#") + anchor + QStringLiteral("'>") +
                    Escaped(section.title) + QStringLiteral("</a></li>");
        body += QStringLiteral("<h3><a name='") + anchor + QStringLiteral("'></a>") +
                Escaped(section.title) + QStringLiteral("</h3>") + ProseHtml(section.prose) +
                InputsHtml(section.inputs);
    }
    return QStringLiteral("<h2>") + Escaped(kHelpCaption) + QStringLiteral("</h2><ul>") + contents +
           QStringLiteral("</ul>") + body;
}

// ---- Emblem ----

Emblem::Emblem(QWidget* parent) : QWidget(parent) {
    setMinimumSize(48, 72);
}

void Emblem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintEmblem(painter, rect());
}

// Drawn on a 60 x 100 grid: nose cone, body, window, fins and the flame.
void PaintEmblem(QPainter& painter, const QRectF& area) {
    constexpr qreal kGridWidth = 60.0;
    constexpr qreal kGridHeight = 100.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(area.width() / kGridWidth, area.height() / kGridHeight);
    painter.translate(area.left() + (area.width() - kGridWidth * scale) / 2,
                      area.top() + (area.height() - kGridHeight * scale) / 2);
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(40, 40, 60), 1.2));

    QPainterPath flame;
    flame.moveTo(22, 78);
    flame.quadTo(30, 104, 38, 78);
    painter.setBrush(QColor(255, 140, 0));
    painter.drawPath(flame);

    painter.setBrush(QColor(200, 30, 30));
    painter.drawPolygon(QPolygonF({{20, 52}, {8, 78}, {20, 72}}));
    painter.drawPolygon(QPolygonF({{40, 52}, {52, 78}, {40, 72}}));

    painter.setBrush(QColor(225, 228, 235));
    painter.drawRect(QRectF(20, 26, 20, 52));
    QPainterPath nose;
    nose.moveTo(20, 26);
    nose.quadTo(30, -2, 40, 26);
    nose.closeSubpath();
    painter.setBrush(QColor(200, 30, 30));
    painter.drawPath(nose);

    painter.setBrush(QColor(70, 130, 200));
    painter.drawEllipse(QPointF(30, 40), 5, 5);
    painter.restore();
}

QIcon EmblemIcon() {
    QIcon icon;
    for (const int side : {16, 32, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintEmblem(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// ---- Links ----

LinkLabel::LinkLabel(const AboutLink& link, UrlOpener& opener, QWidget* parent)
    : QLabel(ToQString(link.caption), parent), url_(link.url), opener_(opener) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(ToQString(kLinkHint));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    colour(kLinkColour);
}

void LinkLabel::colour(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    colour(kHoverColour);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    colour(kLinkColour);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        opener_.open(url_);
    }
    QLabel::mouseReleaseEvent(event);
}

// ---- About box ----

AboutBox::AboutBox(UrlOpener& opener, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQString(kAboutCaption));
    UseWindowFont(this);
    FixSize(this, kAboutWidth, kAboutHeight);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    auto* title = new QLabel(ToQString(kWindowCaption), panel);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* links = new QVBoxLayout;
    links->setSpacing(1);
    links->addWidget(title);
    for (const AboutLink& link : kAboutLinks) {
        links->addWidget(new LinkLabel(link, opener, panel));
    }
    links->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(new Emblem(panel));
    top->addLayout(links, 1);

    auto* credits = new QTextEdit(panel);
    credits->setReadOnly(true);
    credits->setFrameShape(QFrame::NoFrame);
    credits->setPlainText(ToQString(kCredits));
    credits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont small = credits->font();
    small.setPointSize(7);
    credits->setFont(small);
    credits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    credits->viewport()->setAutoFillBackground(false);
    credits->document()->setDocumentMargin(0);

    auto* inside = new QVBoxLayout(panel);
    inside->setContentsMargins(6, 6, 6, 6);
    inside->addLayout(top);
    inside->addWidget(credits, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel, 1);
    layout->addWidget(OkButton(this));
}

// ---- Help window ----

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), text_(new QTextBrowser), search_(new QLineEdit), searchResult_(new QLabel) {
    setWindowTitle(ToQString(kHelpCaption));
    UseWindowFont(this);
    setModal(true);
    resize(kHelpWidth, kHelpHeight);
    setMinimumSize(kHelpMinimumWidth, kHelpMinimumHeight);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);

    QFont readable = text_->font();
    readable.setPointSize(kHelpFontPoints);
    text_->setFont(readable);
    text_->setOpenLinks(true);
    text_->setOpenExternalLinks(false);
    text_->setHtml(HelpHtml());
    text_->setPalette(InfoTipColours(text_->palette()));

    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setPlaceholderText(QStringLiteral("слово или символ, например Kno"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    auto* next = new QPushButton(QStringLiteral("Найти далее"), this);
    next->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, &HelpWindow::findNext);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Найти:"), this));
    searchRow->addWidget(search_, 1);
    searchRow->addWidget(next);
    searchRow->addWidget(searchResult_);

    auto* group = new QGroupBox(ToQString(kHelpGroupCaption), this);
    auto* inside = new QVBoxLayout(group);
    inside->addLayout(searchRow);
    inside->addWidget(text_, 1);

    QDialogButtonBox* buttons = OkButton(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(buttons);
    search_->setFocus();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findNext();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool HelpWindow::findNext() {
    const QString wanted = search_->text().trimmed();
    if (wanted.isEmpty()) {
        searchResult_->clear();
        return false;
    }
    bool found = text_->find(wanted);
    if (!found) {
        text_->moveCursor(QTextCursor::Start);
        found = text_->find(wanted);
    }
    searchResult_->setText(found ? QString() : QStringLiteral("не найдено"));
    return found;
}

}  // namespace tarvo
