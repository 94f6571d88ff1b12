#include "ui/chart_window.h"

#include <QBuffer>
#include <QChart>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <map>

#include "files/file_io.h"
#include "form/document.h"
#include "form/form_layout.h"
#include "ui/chart_panel.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

constexpr qreal kWheelStep = 1.25;  // one notch of the wheel
const QColor kStaleTitleColour(160, 0, 0);
constexpr qreal kFontEnlargement = 2.0;
constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 600;
constexpr int kMinimumWidth = 420;
constexpr int kMinimumHeight = 300;
constexpr std::string_view kImageFilter = "Рисунки PNG (*.png)|*.png";
constexpr std::string_view kImageExtension = "*.png";
constexpr std::string_view kZoomHint =
    "Колесо мыши — масштаб, рамка мышью — увеличить область, правая кнопка — назад";

std::string_view TabCaptionOf(int chart) {
    for (const ChartLayout& layout : ChartLayouts()) {
        if (layout.chart == chart && layout.tab >= 1 && layout.tab <= kTabCount) {
            return kTabCaptions[static_cast<std::size_t>(layout.tab - 1)];
        }
    }
    return "График";
}

// The window is larger than the tab's chart: its texts are too.
QFont Enlarged(QFont font) {
    font.setPointSizeF(font.pointSizeF() + kFontEnlargement);
    return font;
}

// Axis labels at a round step for whatever part of the axis is shown.
void KeepRoundTicks(QValueAxis* axis) {
    const double span = axis->max() - axis->min();
    const double interval = NiceTickInterval(span, 0.0);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(interval);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(TickDecimals(interval)) +
                         QStringLiteral("f"));
}

QValueAxis* CopyAxis(const QValueAxis& from) {
    auto* axis = new QValueAxis;
    axis->setTitleText(from.titleText());
    axis->setTitleBrush(from.titleBrush());
    axis->setTitleFont(Enlarged(from.titleFont()));
    axis->setLabelsFont(Enlarged(from.labelsFont()));
    axis->setLabelsBrush(from.labelsBrush());
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setMinorTickCount(0);
    axis->setRange(from.min(), from.max());
    KeepRoundTicks(axis);
    QObject::connect(axis, &QValueAxis::rangeChanged, axis, [axis] { KeepRoundTicks(axis); });
    return axis;
}

// A series of the same kind with the same points and looks; nothing for kinds no chart of
// the window draws (bars, pies).
QXYSeries* CopySeries(const QAbstractSeries& from) {
    const auto* xy = qobject_cast<const QXYSeries*>(&from);
    if (xy == nullptr) {
        return nullptr;
    }
    QXYSeries* series = nullptr;
    switch (from.type()) {
        case QAbstractSeries::SeriesTypeScatter: {
            auto* scatter = new QScatterSeries;
            const auto* source = static_cast<const QScatterSeries*>(xy);
            scatter->setMarkerShape(source->markerShape());
            scatter->setMarkerSize(source->markerSize());
            series = scatter;
            break;
        }
        case QAbstractSeries::SeriesTypeSpline:
            series = new QSplineSeries;
            break;
        default:
            series = new QLineSeries;
            break;
    }
    series->setName(xy->name());
    series->setPen(xy->pen());
    series->setBrush(xy->brush());
    series->setColor(xy->color());
    series->setPointsVisible(xy->pointsVisible());
    series->replace(xy->points());
    series->setVisible(xy->isVisible());
    series->setOpacity(xy->opacity());
    return series;
}

}  // namespace

// ---- Prompts ----

std::optional<std::string> DialogChartImagePrompts::chooseFile(const std::string& suggested) {
    QFileDialog box(parent_, QStringLiteral("Сохранить график"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilter(QtFileFilter(kImageFilter));
    box.setDefaultSuffix(DefaultSuffix(kImageExtension));
    box.selectFile(ToQString(suggested));
    box.setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
    box.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToStdString(box.selectedFiles().front());
}

void DialogChartImagePrompts::showError(std::string_view text) {
    ShowMessage(parent_, MessageIcon::kError, text);
}

// ---- The zooming view ----

ZoomableChartView::ZoomableChartView(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    chart()->legend()->hide();
    chart()->setBackgroundRoundness(0);
    chart()->setLocalizeNumbers(true);
    chart()->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart()->setTitleBrush(kStaleTitleColour);
}

void ZoomableChartView::zoomAbout(qreal factor, const QPointF& at) {
    if (factor <= 0) {
        return;
    }
    const QRectF area = chart()->plotArea();
    const QPointF point = chart()->mapFromScene(mapToScene(at.toPoint()));
    if (!area.contains(point)) {
        chart()->zoom(factor);
        return;
    }
    // The point under the cursor keeps its place in the plot area.
    const QRectF zoomed(point.x() - (point.x() - area.left()) / factor,
                        point.y() - (point.y() - area.top()) / factor, area.width() / factor,
                        area.height() / factor);
    chart()->zoomIn(zoomed);
}

void ZoomableChartView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y();
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoomAbout(notches > 0 ? kWheelStep : 1.0 / kWheelStep, event->position());
    event->accept();
}

// ---- The window ----

ChartWindow::ChartWindow(ChartPanel& source, QWidget* parent)
    : QWidget(parent, Qt::Window),
      source_(source),
      view_(new ZoomableChartView(this)),
      status_(new QLabel(this)),
      ownPrompts_(this) {
    setObjectName(QStringLiteral("ChartWindow%1").arg(source.chartNumber()));
    setWindowTitle(ToQString(TabCaptionOf(source.chartNumber())) + QStringLiteral(" — ") +
                   ToQString(kWindowCaption));
    resize(kInitialWidth, kInitialHeight);
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    auto* reset = new QPushButton(QStringLiteral("Исходный масштаб"), this);
    reset->setObjectName(QStringLiteral("ResetZoomButton"));
    connect(reset, &QPushButton::clicked, this, &ChartWindow::resetZoom);
    auto* save = new QPushButton(QStringLiteral("Сохранить PNG…"), this);
    save->setObjectName(QStringLiteral("SaveImageButton"));
    connect(save, &QPushButton::clicked, this, &ChartWindow::saveWithPrompts);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* hint = new QLabel(ToQString(kZoomHint), this);
    hint->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(reset);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);

    connect(&source_, &ChartPanel::changed, this, &ChartWindow::scheduleCopy);
}

void ChartWindow::showFollowing() {
    copyChart();
    show();
    raise();
    activateWindow();
}

// Several changes of the chart in one go (a calculation) are copied once, after them.
void ChartWindow::scheduleCopy() {
    if (copyPending_ || !isVisible()) {
        return;
    }
    copyPending_ = true;
    QTimer::singleShot(0, this, [this] {
        copyPending_ = false;
        if (isVisible()) {
            copyChart();
        }
    });
}

// The series drawn over the chart's own (a second curve) are followed too.
void ChartWindow::followSource() {
    for (QAbstractSeries* series : source_.chart()->series()) {
        if (auto* xy = qobject_cast<QXYSeries*>(series)) {
            connect(xy, &QXYSeries::pointsReplaced, this, &ChartWindow::scheduleCopy,
                    Qt::UniqueConnection);
            connect(xy, &QXYSeries::visibleChanged, this, &ChartWindow::scheduleCopy,
                    Qt::UniqueConnection);
        }
    }
}

void ChartWindow::copyChart() {
    QChart* chart = view_->chart();
    chart->zoomReset();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const QChart* from = source_.chart();
    chart->setTitle(source_.staleNotice());
    std::map<const QAbstractAxis*, QValueAxis*> axes;
    for (QAbstractAxis* axis : from->axes()) {
        if (const auto* valueAxis = qobject_cast<const QValueAxis*>(axis)) {
            QValueAxis* copy = CopyAxis(*valueAxis);
            chart->addAxis(copy, axis->alignment());
            axes[axis] = copy;
        }
    }
    for (QAbstractSeries* series : from->series()) {
        QXYSeries* copy = CopySeries(*series);
        if (copy == nullptr) {
            continue;
        }
        chart->addSeries(copy);
        for (QAbstractAxis* axis : series->attachedAxes()) {
            if (const auto found = axes.find(axis); found != axes.end()) {
                copy->attachAxis(found->second);
            }
        }
    }
    followSource();
}

void ChartWindow::resetZoom() {
    view_->chart()->zoomReset();
}

std::string ChartWindow::suggestedFileName() const {
    return std::string(TabCaptionOf(source_.chartNumber())) + ".png";
}

std::optional<std::string> ChartWindow::saveImage(const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!view_->grab().save(&buffer, "PNG")) {
        return "Не удалось нарисовать график для файла " + path + ".";
    }
    if (const std::optional<FileError> error = WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        return SaveFailureMessage(*error);
    }
    return std::nullopt;
}

void ChartWindow::saveWithPrompts() {
    const std::optional<std::string> path = prompts_->chooseFile(suggestedFileName());
    if (!path || path->empty()) {
        return;
    }
    if (const std::optional<std::string> failure = saveImage(*path)) {
        prompts_->showError(*failure);
        return;
    }
    status_->setText(ToQString(SavedMessage(*path)));
}

}  // namespace tarvo
