#include "ui/sweep_views.h"

#include <QChart>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "model/number_text.h"
#include "ui/qt_text.h"

namespace tarvo {
namespace {

constexpr int kLeftMargin = 64;
constexpr int kBottomMargin = 40;
constexpr int kTopMargin = 22;
constexpr int kLegendWidth = 70;
constexpr int kMaxAxisLabels = 8;
const QColor kFailedColour(205, 205, 205);

// Labels at every n-th value, so that at most kMaxAxisLabels are written.
std::size_t LabelStride(std::size_t count) {
    return std::max<std::size_t>(1, (count + kMaxAxisLabels - 1) / kMaxAxisLabels);
}

}  // namespace

SweepChart::SweepChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("SweepChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart()->setLocalizeNumbers(true);
    setMinimumSize(360, 260);
}

void SweepChart::clear() {
    chart()->removeAllSeries();
    for (QAbstractAxis* axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
}

void SweepChart::setDesigns(const std::vector<ChartDesign>& designs, const std::string& keyName,
                            const std::string& figureName) {
    clear();
    auto* line = new QLineSeries;
    line->setName(ToQString(figureName));
    auto* flagged = new QScatterSeries;
    flagged->setName(QStringLiteral("есть замечания проверки"));
    flagged->setColor(Qt::red);
    flagged->setMarkerSize(8);
    for (const ChartDesign& design : designs) {
        line->append(design.x, design.y);
        if (design.flagged) {
            flagged->append(design.x, design.y);
        }
    }
    chart()->addSeries(line);
    chart()->addSeries(flagged);
    auto* x = new QValueAxis;
    x->setTitleText(ToQString(keyName));
    auto* y = new QValueAxis;
    y->setTitleText(ToQString(figureName));
    chart()->addAxis(x, Qt::AlignBottom);
    chart()->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart()->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (!designs.empty()) {
        const auto [minX, maxX] = std::minmax_element(
            designs.begin(), designs.end(),
            [](const ChartDesign& a, const ChartDesign& b) { return a.x < b.x; });
        const auto [minY, maxY] = std::minmax_element(
            designs.begin(), designs.end(),
            [](const ChartDesign& a, const ChartDesign& b) { return a.y < b.y; });
        const double padY = std::max(1e-9, (maxY->y - minY->y) * 0.05);
        x->setRange(minX->x, maxX->x > minX->x ? maxX->x : minX->x + 1);
        y->setRange(minY->y - padY, maxY->y + padY);
        x->applyNiceNumbers();
        y->applyNiceNumbers();
    }
}

int SweepChart::pointCount() const {
    const QList<QAbstractSeries*> series = chart()->series();
    return series.empty() ? 0 : static_cast<int>(static_cast<QXYSeries*>(series[0])->count());
}

int SweepChart::flaggedCount() const {
    const QList<QAbstractSeries*> series = chart()->series();
    return series.size() < 2 ? 0 : static_cast<int>(static_cast<QXYSeries*>(series[1])->count());
}

SweepMap::SweepMap(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SweepMap"));
    setMinimumSize(360, 260);
}

QColor SweepMap::ColourOf(double fraction) {
    const double f = std::clamp(fraction, 0.0, 1.0);
    // Blue through green and yellow to red.
    return QColor::fromHsvF(static_cast<float>((1.0 - f) * 240.0 / 360.0), 0.75F, 0.95F);
}

void SweepMap::setCells(std::vector<std::vector<MapCell>> cells, std::vector<std::string> across,
                        std::vector<std::string> up, std::string acrossName, std::string upName,
                        std::string figureName, std::function<std::string(double)> format) {
    cells_ = std::move(cells);
    across_ = std::move(across);
    up_ = std::move(up);
    acrossName_ = std::move(acrossName);
    upName_ = std::move(upName);
    figureName_ = std::move(figureName);
    format_ = format ? std::move(format) : [](double value) { return FormatGeneral(value); };
    bool any = false;
    for (const auto& column : cells_) {
        for (const MapCell& cell : column) {
            if (cell.value) {
                lowest_ = any ? std::min(lowest_, *cell.value) : *cell.value;
                highest_ = any ? std::max(highest_, *cell.value) : *cell.value;
                any = true;
            }
        }
    }
    update();
}

void SweepMap::clear() {
    setCells({}, {}, {}, "", "", "", nullptr);
}

QRect SweepMap::plotArea() const {
    return QRect(kLeftMargin, kTopMargin, width() - kLeftMargin - kLegendWidth - 10,
                 height() - kTopMargin - kBottomMargin);
}

int SweepMap::rowAt(QPoint point) const {
    const QRect area = plotArea();
    if (cells_.empty() || cells_[0].empty() || !area.contains(point)) {
        return -1;
    }
    const auto columns = static_cast<int>(cells_.size());
    const auto rows = static_cast<int>(cells_[0].size());
    const int i = std::min(columns - 1, (point.x() - area.left()) * columns / area.width());
    const int j = std::min(rows - 1, (area.bottom() - point.y()) * rows / area.height());
    return cells_[i][j].row;
}

void SweepMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QRect area = plotArea();
    if (cells_.empty() || cells_[0].empty() || area.width() <= 0 || area.height() <= 0) {
        return;
    }
    const auto columns = static_cast<int>(cells_.size());
    const auto rows = static_cast<int>(cells_[0].size());
    const double span = highest_ > lowest_ ? highest_ - lowest_ : 1.0;
    const auto cellRect = [&](int i, int j) {
        const int left = area.left() + i * area.width() / columns;
        const int right = area.left() + (i + 1) * area.width() / columns;
        const int top = area.bottom() - (j + 1) * area.height() / rows;
        const int bottom = area.bottom() - j * area.height() / rows;
        return QRect(QPoint(left, top + 1), QPoint(right - 1, bottom));
    };
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const MapCell& cell = cells_[i][j];
            const QRect box = cellRect(i, j);
            painter.fillRect(box,
                             cell.value ? ColourOf((*cell.value - lowest_) / span) : kFailedColour);
            if (cell.flagged) {
                // A small cross in the middle, so that the colour stays readable.
                const int arm = std::max(2, std::min(box.width(), box.height()) / 5);
                const QPoint centre = box.center();
                painter.setPen(QPen(Qt::black, 1.5));
                painter.drawLine(centre + QPoint(-arm, -arm), centre + QPoint(arm, arm));
                painter.drawLine(centre + QPoint(-arm, arm), centre + QPoint(arm, -arm));
            }
        }
    }
    painter.setPen(Qt::black);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const QFontMetrics metrics(font());
    for (std::size_t i = 0; i < across_.size(); i += LabelStride(across_.size())) {
        const QRect box = cellRect(static_cast<int>(i), 0);
        painter.drawText(QRect(box.center().x() - 40, area.bottom() + 2, 80, metrics.height()),
                         Qt::AlignHCenter, ToQString(across_[i]));
    }
    for (std::size_t j = 0; j < up_.size(); j += LabelStride(up_.size())) {
        const QRect box = cellRect(0, static_cast<int>(j));
        painter.drawText(
            QRect(0, box.center().y() - metrics.height() / 2, kLeftMargin - 4, metrics.height()),
            Qt::AlignRight, ToQString(up_[j]));
    }
    painter.drawText(
        QRect(area.left(), height() - metrics.height() - 2, area.width(), metrics.height()),
        Qt::AlignHCenter, ToQString(acrossName_));
    painter.drawText(QRect(area.left(), 2, area.width(), metrics.height()), Qt::AlignHCenter,
                     ToQString(figureName_));
    painter.save();
    painter.translate(metrics.height() / 2 + 2, area.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRect(-area.height() / 2, -metrics.height() / 2, area.height(), metrics.height()),
        Qt::AlignHCenter, ToQString(upName_));
    painter.restore();
    // The legend: the colours from the lowest value up to the highest.
    const QRect legend(area.right() + 14, area.top(), 14, area.height());
    for (int y = 0; y < legend.height(); ++y) {
        painter.setPen(ColourOf(1.0 - double(y) / std::max(1, legend.height() - 1)));
        painter.drawLine(legend.left(), legend.top() + y, legend.right(), legend.top() + y);
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(legend.right() + 3, legend.top(), kLegendWidth, metrics.height()),
                     Qt::AlignLeft, ToQString(format_(highest_)));
    painter.drawText(QRect(legend.right() + 3, legend.bottom() - metrics.height(), kLegendWidth,
                           metrics.height()),
                     Qt::AlignLeft, ToQString(format_(lowest_)));
}

void SweepMap::mousePressEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (row >= 0) {
        emit rowChosen(row);
    }
}

void SweepMap::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (row >= 0) {
        emit rowActivated(row);
    }
}

}  // namespace tarvo
