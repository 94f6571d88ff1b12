#pragma once
// One of the window's four charts with Qt Charts: line series on fixed-range axes that start
// at 0, no title, a legend only while the form model asks for one (a stand log is drawn). The form
// model says what the series hold and where the axes end; the panel only draws that.

#include <QChartView>
#include <vector>

#include "form/form_layout.h"
#include "form/form_model.h"

class QLabel;
class QLineSeries;
class QToolButton;
class QValueAxis;

namespace tarvo {

// The step between axis labels for an axis from 0 to `max`: 1, 2, 2.5 or 5 times a power of
// ten, about six steps in all, and never finer than `minimum` once the range holds two such
// steps.
double NiceTickInterval(double max, double minimum);

// The decimals the labels of that step need (2.5 -> 1, 0.05 -> 2).
int TickDecimals(double interval);

// An axis only shows a positive, finite maximum; anything else keeps `previous`.
double UsableAxisMax(double max, double previous);

class ChartPanel : public QChartView {
    Q_OBJECT
public:
    ChartPanel(const ChartLayout& layout, QWidget* parent);

    int chartNumber() const { return number_; }
    void showSeries(const ChartState& state);  // each series replaced in one call
    void showAxes(const ChartState& state);
    // Results that no longer match the inputs: every curve faded and `notice` written over the
    // top of the chart; an empty notice shows the curves as they are.
    void showStale(const QString& notice);
    QString staleNotice() const;

    // The small button in the corner that opens the chart in a window of its own.
    QToolButton* zoomButton() const { return zoomButton_; }

    QLineSeries* series(std::size_t index) const;
    QValueAxis* axis(ChartAxis which) const;  // nullptr for an axis no series uses

signals:
    // A double click on the chart, or its corner button.
    void zoomRequested();
    // The series, the axes or the stale notice were shown anew.
    void changed();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeOverlays();
    void addAxis(ChartAxis which, const AxisLayout& layout, Qt::Alignment alignment,
                 double minimumStep);
    void setAxisMax(QValueAxis* axis, double max, double minimumStep);

    int number_;
    std::vector<QLineSeries*> series_;
    std::vector<bool> activeAtStart_;
    QValueAxis* bottom_ = nullptr;
    QValueAxis* left_ = nullptr;
    QValueAxis* right_ = nullptr;
    QToolButton* zoomButton_ = nullptr;
    QLabel* notice_ = nullptr;
};

// A magnifying glass, the zoom button's icon.
QIcon MagnifierIcon();

}  // namespace tarvo
