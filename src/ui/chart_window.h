#pragma once
// One of the window's charts in a window of its own, resizable: the mouse wheel zooms about
// the cursor, a dragged rectangle zooms into it, the right button goes back a step, and the
// picture can be saved as PNG. The window shows every series of its chart, as the chart shows
// them, and follows the chart while it is open.

#include <QChartView>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;

namespace tarvo {

class ChartPanel;

// The questions of "Сохранить PNG…", answered from a script in tests.
class ChartImagePrompts {
public:
    virtual ~ChartImagePrompts() = default;
    // The file to write, proposing `suggested`; nothing when the user cancels.
    virtual std::optional<std::string> chooseFile(const std::string& suggested) = 0;
    virtual void showError(std::string_view text) = 0;
};

class DialogChartImagePrompts final : public ChartImagePrompts {
public:
    explicit DialogChartImagePrompts(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> chooseFile(const std::string& suggested) override;
    void showError(std::string_view text) override;

private:
    QWidget* parent_;
};

// A chart view that zooms with the wheel, keeping the point under the cursor where it is.
class ZoomableChartView : public QChartView {
    Q_OBJECT
public:
    explicit ZoomableChartView(QWidget* parent);
    // Zooms in (factor > 1) or out (factor < 1) about `at`, in view coordinates.
    void zoomAbout(qreal factor, const QPointF& at);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ChartWindow(ChartPanel& source, QWidget* parent);

    // Shows the window (raised, when it is open already) with the chart as it is now.
    void showFollowing();
    // Copies the chart's series and axes again, at their full range.
    void copyChart();
    void resetZoom();
    // Writes the picture as PNG, whole or not at all; the reason when it was not written.
    std::optional<std::string> saveImage(const std::string& path);

    void setPrompts(ChartImagePrompts& prompts) { prompts_ = &prompts; }
    ZoomableChartView* view() const { return view_; }
    QLabel* status() const { return status_; }
    std::string suggestedFileName() const;

private:
    void followSource();
    void scheduleCopy();
    void saveWithPrompts();

    ChartPanel& source_;
    ZoomableChartView* view_;
    QLabel* status_;
    DialogChartImagePrompts ownPrompts_;
    ChartImagePrompts* prompts_ = &ownPrompts_;
    bool copyPending_ = false;
};

}  // namespace tarvo
