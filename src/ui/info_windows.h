#pragma once
// The two small modal windows of the "Помощь" menu: the help text and the about box. Each is
// created once at start and only shown and hidden afterwards.

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QWidget>
#include <array>
#include <string_view>

#include "ui/desktop_services.h"

class QPainter;
class QPlainTextEdit;
class QRectF;

namespace tarvo {

inline constexpr std::string_view kHelpCaption = "Tarvo+";
inline constexpr std::string_view kHelpGroupCaption = "Справка";
inline constexpr std::string_view kAboutCaption = "О программе";
inline constexpr std::string_view kLinkHint = "Открыть сайт";
inline constexpr int kHelpWidth = 464;
inline constexpr int kHelpHeight = 308;
inline constexpr int kAboutWidth = 298;
inline constexpr int kAboutHeight = 213;

struct AboutLink {
    std::string_view caption;
    std::string_view url;
};

// The forum, the background of the propellant formulas, and the program's own site.
inline constexpr std::array<AboutLink, 3> kAboutLinks = {{
    {"Ракетомодельный форум", "https://www.rocketryforum.com/"},
    {"Карамельные топлива", "https://en.wikipedia.org/wiki/Rocket_candy"},
    {"Сайт программы Tarvo", "https://tarvo.example.org/"},
}};

// The help text: what the program calculates and how its files work.
std::string_view HelpText();

// The program's emblem, a rocket, drawn into `area` with its proportions kept.
void PaintEmblem(QPainter& painter, const QRectF& area);
// The emblem as the windows' icon.
QIcon EmblemIcon();

// The emblem as a widget.
class Emblem : public QWidget {
    Q_OBJECT
public:
    explicit Emblem(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A web address as a blue text that turns red under the mouse and opens on a click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const AboutLink& link, UrlOpener& opener, QWidget* parent);
    bool hovered() const { return hovered_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void colour(const QColor& colour);

    std::string url_;
    UrlOpener& opener_;
    bool hovered_ = false;
};

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(UrlOpener& opener, QWidget* parent);
};

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    QPlainTextEdit* text() const { return text_; }

private:
    QPlainTextEdit* text_;
};

}  // namespace tarvo
