#pragma once
// What the "Подбор" dialog draws of a sweep: a figure against one field, or the coloured map
// of two fields. Designs that fail a design check are marked, designs that do not calculate
// are left out (the chart) or grey (the map).

#include <QChartView>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvo {

struct ChartDesign {
    double x = 0.0;
    double y = 0.0;
    bool flagged = false;  // a design check reports an error or a warning
};

// A figure against one field: a line through the designs, flagged ones as red dots.
class SweepChart : public QChartView {
    Q_OBJECT
public:
    explicit SweepChart(QWidget* parent = nullptr);

    void setDesigns(const std::vector<ChartDesign>& designs, const std::string& keyName,
                    const std::string& figureName);
    void clear();
    int pointCount() const;
    int flaggedCount() const;
};

// One cell per design, the first field across and the second up, coloured by a figure from
// blue (lowest) to red (highest); a design that fails a design check is crossed out.
struct MapCell {
    std::optional<double> value;  // nothing: the design does not calculate
    bool flagged = false;         // a design check reports an error or a warning
    int row = -1;                 // the design's row in the dialog's table
};

class SweepMap : public QWidget {
    Q_OBJECT
public:
    explicit SweepMap(QWidget* parent = nullptr);

    // cells[i][j]: the i-th value across and the j-th up; the texts name the values.
    void setCells(std::vector<std::vector<MapCell>> cells, std::vector<std::string> across,
                  std::vector<std::string> up, std::string acrossName, std::string upName,
                  std::string figureName, std::function<std::string(double)> format);
    void clear();
    // The table row of the cell at a point of the widget, or -1.
    int rowAt(QPoint point) const;
    // The colour of a value between the lowest and the highest.
    static QColor ColourOf(double fraction);

signals:
    void rowChosen(int row);     // one click on a cell
    void rowActivated(int row);  // a double click

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QRect plotArea() const;

    std::vector<std::vector<MapCell>> cells_;
    std::vector<std::string> across_;
    std::vector<std::string> up_;
    std::string acrossName_;
    std::string upName_;
    std::string figureName_;
    std::function<std::string(double)> format_;
    double lowest_ = 0.0;
    double highest_ = 0.0;
};

}  // namespace tarvo
