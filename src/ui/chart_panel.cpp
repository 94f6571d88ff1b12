#include "ui/chart_panel.h"

#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QList>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QToolButton>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/qt_text.h"

namespace tarvo {

namespace {

constexpr double kTargetSteps = 6.0;
constexpr double kNiceFactors[] = {1.0, 2.0, 2.5, 5.0, 10.0};
constexpr int kMaxDecimals = 6;
constexpr qreal kSeriesWidth = 1.5;
constexpr qreal kStaleOpacity = 0.3;
constexpr int kZoomButtonSide = 20;
constexpr int kZoomButtonMargin = 2;
const QColor kStaleNoticeColour(160, 0, 0);

QFont SmallFont(int pointSize, bool bold) {
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QList<QPointF> ToQtPoints(const ChartSeries& points) {
    QList<QPointF> qtPoints;
    qtPoints.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& point : points) {
        if (std::isfinite(point.x) && std::isfinite(point.y)) {
            qtPoints.append(QPointF(point.x, point.y));
        }
    }
    return qtPoints;
}

}  // namespace

double NiceTickInterval(double max, double minimum) {
    if (!std::isfinite(max) || max <= 0) {
        return minimum > 0 ? minimum : 1.0;
    }
    const double raw = max / kTargetSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double interval = magnitude * 10.0;
    for (const double factor : kNiceFactors) {
        if (raw <= factor * magnitude * (1.0 + 1e-9)) {
            interval = factor * magnitude;
            break;
        }
    }
    if (minimum > 0 && interval < minimum && max >= 2.0 * minimum) {
        return minimum;
    }
    return interval;
}

int TickDecimals(double interval) {
    if (!std::isfinite(interval) || interval <= 0) {
        return 0;
    }
    double scaled = interval;
    for (int decimals = 0; decimals < kMaxDecimals; ++decimals) {
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) {
            return decimals;
        }
        scaled *= 10.0;
    }
    return kMaxDecimals;
}

double UsableAxisMax(double max, double previous) {
    return std::isfinite(max) && max > 0 ? max : previous;
}

// The chart is handed over at construction: a chart set later would leave the view's own
// first chart behind, owned by nobody.
ChartPanel::ChartPanel(const ChartLayout& layout, QWidget* parent)
    : QChartView(new QChart, parent), number_(layout.chart) {
    QChart* chart = this->chart();
    chart->legend()->hide();
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(SmallFont(7, false));
    chart->setBackgroundRoundness(0);
    chart->setBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(2, 4, 2, 2));
    chart->setLocalizeNumbers(true);  // labels with the decimal comma, as everywhere else
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    setRenderHint(QPainter::Antialiasing);

    zoomButton_ = new QToolButton(this);
    zoomButton_->setObjectName(QStringLiteral("ZoomButton"));
    zoomButton_->setIcon(MagnifierIcon());
    zoomButton_->setAutoRaise(true);
    zoomButton_->setFixedSize(kZoomButtonSide, kZoomButtonSide);
    zoomButton_->setFocusPolicy(Qt::NoFocus);
    zoomButton_->setToolTip(
        QStringLiteral("Открыть график в отдельном окне (или двойной щелчок по графику)"));
    connect(zoomButton_, &QToolButton::clicked, this, &ChartPanel::zoomRequested);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("StaleNotice"));
    notice_->setFont(SmallFont(8, true));
    notice_->setStyleSheet(
        QStringLiteral("QLabel { color: %1; background: rgba(255, 255, 255, 220); "
                       "padding: 1px 4px; }")
            .arg(kStaleNoticeColour.name()));
    notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice_->hide();

    bool usesRightAxis = false;
    for (const SeriesLayout& series : layout.series) {
        usesRightAxis = usesRightAxis || series.verticalAxis == ChartAxis::kRight;
    }
    addAxis(ChartAxis::kBottom, layout.bottom, Qt::AlignBottom, kAxisLabelIncrement);
    addAxis(ChartAxis::kLeft, layout.left, Qt::AlignLeft, kAxisLabelIncrement);
    if (usesRightAxis) {
        addAxis(ChartAxis::kRight, layout.right, Qt::AlignRight, 0.0);
    }
    for (const SeriesLayout& seriesLayout : layout.series) {
        auto* series = new QLineSeries(chart);
        series->setName(ToQString(seriesLayout.title));
        QPen pen(QColor(ToQString(seriesLayout.color)));
        pen.setWidthF(kSeriesWidth);
        series->setPen(pen);
        chart->addSeries(series);
        series->attachAxis(bottom_);
        series->attachAxis(seriesLayout.verticalAxis == ChartAxis::kRight ? right_ : left_);
        series->setVisible(seriesLayout.active);
        series_.push_back(series);
        activeAtStart_.push_back(seriesLayout.active);
    }
}

void ChartPanel::addAxis(ChartAxis which, const AxisLayout& layout, Qt::Alignment alignment,
                         double minimumStep) {
    auto* axis = new QValueAxis(this);
    axis->setTitleText(ToQString(layout.title));
    axis->setTitleFont(SmallFont(8, true));
    axis->setLabelsFont(SmallFont(7, false));
    if (!layout.titleColor.empty()) {
        axis->setTitleBrush(QColor(ToQString(layout.titleColor)));
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setMinorTickCount(0);
    chart()->addAxis(axis, alignment);
    (which == ChartAxis::kBottom ? bottom_ : which == ChartAxis::kLeft ? left_ : right_) = axis;
    setAxisMax(axis, layout.max, minimumStep);
}

void ChartPanel::setAxisMax(QValueAxis* axis, double max, double minimumStep) {
    const double usable = UsableAxisMax(max, axis->max() > 0 ? axis->max() : 1.0);
    const double interval = NiceTickInterval(usable, minimumStep);
    axis->setRange(0.0, usable);
    axis->setTickInterval(interval);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(TickDecimals(interval)) +
                         QStringLiteral("f"));
}

void ChartPanel::showSeries(const ChartState& state) {
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const ChartSeries empty;
        const ChartSeries& points = i < state.series.size() ? state.series[i] : empty;
        series_[i]->replace(ToQtPoints(points));
        series_[i]->setVisible(activeAtStart_[i] || !points.empty());
    }
    chart()->legend()->setVisible(state.legend);
    emit changed();
}

void ChartPanel::showAxes(const ChartState& state) {
    setAxisMax(bottom_, state.bottomMax, kAxisLabelIncrement);
    setAxisMax(left_, state.leftMax, kAxisLabelIncrement);
    if (right_ != nullptr) {
        setAxisMax(right_, state.rightMax, 0.0);
    }
    emit changed();
}

// Every series of the chart fades, also those drawn over the panel's own.
void ChartPanel::showStale(const QString& notice) {
    const qreal opacity = notice.isEmpty() ? 1.0 : kStaleOpacity;
    for (QAbstractSeries* series : chart()->series()) {
        series->setOpacity(opacity);
    }
    notice_->setText(notice);
    notice_->setVisible(!notice.isEmpty());
    placeOverlays();
    emit changed();
}

QString ChartPanel::staleNotice() const {
    return notice_->text();
}

void ChartPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit zoomRequested();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void ChartPanel::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placeOverlays();
}

// The zoom button in the top right corner, the notice centred along the top.
void ChartPanel::placeOverlays() {
    zoomButton_->move(width() - kZoomButtonSide - kZoomButtonMargin, kZoomButtonMargin);
    zoomButton_->raise();
    notice_->adjustSize();
    notice_->move((width() - notice_->width()) / 2, kZoomButtonMargin);
    notice_->raise();
}

QIcon MagnifierIcon() {
    constexpr int kSide = 16;
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.6));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(QColor(60, 60, 60), 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    painter.end();
    return QIcon(pixmap);
}

QLineSeries* ChartPanel::series(std::size_t index) const {
    return index < series_.size() ? series_[index] : nullptr;
}

QValueAxis* ChartPanel::axis(ChartAxis which) const {
    switch (which) {
        case ChartAxis::kBottom:
            return bottom_;
        case ChartAxis::kLeft:
            return left_;
        case ChartAxis::kRight:
            return right_;
    }
    return nullptr;
}

}  // namespace tarvo
