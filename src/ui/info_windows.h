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

class QLabel;
class QLineEdit;
class QPainter;
class QRectF;
class QTextBrowser;

namespace tarvo {

inline constexpr std::string_view kHelpCaption = "Tarvo+";
inline constexpr std::string_view kHelpGroupCaption = "Справка";
inline constexpr std::string_view kAboutCaption = "О программе";
inline constexpr std::string_view kLinkHint = "Открыть сайт";
// The help opens large enough to read a section without scrolling sideways, and can be resized.
inline constexpr int kHelpWidth = 720;
inline constexpr int kHelpHeight = 560;
inline constexpr int kHelpMinimumWidth = 464;
inline constexpr int kHelpMinimumHeight = 308;
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

// The help as HTML: a list of the sections, then each section with its table of inputs.
QString HelpHtml();

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

// The help text with a search line: Enter finds the next place, from the top again after the
// last one.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    QTextBrowser* text() const { return text_; }
    QLineEdit* search() const { return search_; }
    // Selects the next place of the search text; false when the text has none.
    bool findNext();

protected:
    // Enter in the search line searches instead of closing the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextBrowser* text_;
    QLineEdit* search_;
    QLabel* searchResult_;
};

}  // namespace tarvo
