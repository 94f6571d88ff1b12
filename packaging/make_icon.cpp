// tarvo-make-icon FILE.svg | FILE.png SIZE: the desktop icon, drawn by the very PaintEmblem
// that shows the emblem in the about box, so the icon is never a second copy of the drawing.
// An .svg file gets the scalable icon, any other name a square PNG of SIZE pixels.

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/info_windows.h"

namespace {

// The scalable icon's canvas; the emblem is centred in it with its proportions kept.
constexpr int kSvgSide = 256;

bool WriteSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle(QStringLiteral("Tarvo+"));
    svg.setDescription(QStringLiteral("The Tarvo+ emblem"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    tarvo::PaintEmblem(painter, QRectF(0, 0, kSvgSide, kSvgSide));
    return painter.end();
}

bool WritePng(const QString& path, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    tarvo::PaintEmblem(painter, QRectF(0, 0, side, side));
    painter.end();
    return image.save(path, "PNG");
}

// The PNG's side in pixels; 0 for anything that is not a whole number from 16 to 1024.
int ParseSide(const QString& text) {
    bool isNumber = false;
    const int side = text.toInt(&isNumber);
    return isNumber && side >= 16 && side <= 1024 ? side : 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Painting paths into an image or an SVG needs no application object and no screen: the
    // build runs without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const bool svg = arguments.size() == 2 && arguments[1].endsWith(QStringLiteral(".svg"));
    const int side = arguments.size() == 3 ? ParseSide(arguments[2]) : 0;
    if (!svg && side == 0) {
        std::fputs("usage: tarvo-make-icon FILE.svg | FILE.png SIZE (16 to 1024)\n", stderr);
        return 2;
    }
    const bool written = svg ? WriteSvg(arguments[1]) : WritePng(arguments[1], side);
    if (!written) {
        std::fprintf(stderr, "tarvo-make-icon: cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
