#include "ui/info_windows.h"

#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "form/form_layout.h"
#include "ui/input_widgets.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

constexpr std::string_view kHelpText =
    "Tarvo+ написана по расчётным формулам известной электронной таблицы для "
    "проектирования любительских ракетных двигателей, с учётом её недостатков. Программа "
    "рассчитывает двигатели на карамельном топливе (нитрат калия с сахарами).\n\n"
    "Известны три топлива, все в отношении масс 65/35: KN/DX - нитрат калия с глюкозой "
    "(декстрозой), KN/SB - нитрат калия с сорбитом и KN/SU - нитрат калия с сахаром.\n\n"
    "Конфигурацию двигателя можно сохранить в файл (.zel). В этом файле хранятся и "
    "константы выбранного топлива; их можно изменить на вкладке 5 «Характеристики "
    "топлива».\n\n"
    "Рассчитываются канальные шашки (в том числе шашки, у которых толщина горящего свода "
    "больше их длины) и торцевые шашки (трассер), по отдельности и вместе.\n\n"
    "Результаты можно передать в программу электронных таблиц кнопкой «Экспорт в Excel» "
    "на вкладке 4: столбцы времени и тяги копируются в буфер обмена, так что их можно "
    "сразу вставить в другую программу расчёта двигателей, и сохраняются книгой (.xlsx) в "
    "папке документов, которая открывается программой электронных таблиц, если она есть. "
    "Кнопка «Экспорт в RASP (.eng)» записывает кривую тяги в файл для симуляторов "
    "полёта, «Экспорт в RockSim (.rse)» - двигатель с массой и центром масс по времени "
    "для RockSim и OpenRocket, «Экспорт кривых (CSV)» - все кривые расчёта одной "
    "таблицей.\n\n"
    "При запуске загружается файл GRAINS.grn: из папки настроек (~/.config/Tarvo), из "
    "папки программы или из папки её данных (share/tarvo), первый найденный; иначе "
    "устанавливаются параметры топлив по умолчанию. Эти параметры можно изменить и "
    "сохранить в GRAINS.grn в папке настроек, и тогда они будут загружаться при каждом "
    "следующем запуске.\n\n"
    "Наборы топлив можно сохранять в другие файлы (.grn) и загружать из них. Названия "
    "топлив можно исправить вручную в сохранённом файле (ключ FuelName) любым "
    "текстовым редактором.";

constexpr std::string_view kCredits =
    "Формулы взяты из таблицы расчёта РДТТ.\n"
    "Константы топлив - из опытов любителей.\n"
    "Спасибо всем, кто проверял расчёты.\n"
    "Отзывы присылайте через сайт программы.";

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

std::string_view HelpText() {
    return kHelpText;
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

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit) {
    setWindowTitle(ToQString(kHelpCaption));
    UseWindowFont(this);
    FixSize(this, kHelpWidth, kHelpHeight);

    text_->setReadOnly(true);
    text_->setPlainText(ToQString(kHelpText));
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setFocusPolicy(Qt::NoFocus);
    text_->setPalette(InfoTipColours(text_->palette()));

    auto* group = new QGroupBox(ToQString(kHelpGroupCaption), this);
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(text_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(OkButton(this));
}

}  // namespace tarvo
