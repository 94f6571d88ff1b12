// The "Рассчитать" command: reads the fields into a design, calculates it and shows the
// results in the value labels, charts and the result table, tab by tab.

#include <algorithm>
#include <cmath>
#include <new>

#include "ballistics/calculation.h"
#include "form/diagnostic_text.h"
#include "form/fatal.h"
#include "form/form_design.h"
#include "form/form_layout.h"
#include "form/form_model.h"
#include "model/number_text.h"
#include "model/propellants.h"
#include "model/quantities.h"

namespace tarvo {
namespace {

constexpr int kKnChart = 1;
constexpr int kPressureChart = 2;
constexpr int kThrustChart = 3;
constexpr int kSummaryChart = 4;

// The charts leave room above their curves: the Kn axis 11 %, every other axis 10 %.
constexpr double kKnHeadroom = 0.11;
constexpr double kHeadroom = 0.1;

double Padded(double largest, double headroom = kHeadroom) {
    return largest + headroom * largest;
}

std::string LabelValueText(const LabelLayout& layout, const CalculationResult& result) {
    if (layout.format == LabelFormat::kClassAndThrust) {
        // "E 15": the class letter and the average thrust as a whole number.
        return result.figures.MotorClass + " " + FormatFixed(result.figures.Favg, 0);
    }
    const QuantityInfo* quantity = FindQuantity(layout.symbol);
    const double value = quantity ? quantity->value(result) : 0.0;
    switch (layout.format) {
        case LabelFormat::kInteger:
            return FormatInteger(value);
        case LabelFormat::kFixed:
            return FormatFixed(value, layout.decimals);
        default:
            return FormatGeneral(value);
    }
}

// The labels a calculation writes: every value label of tabs 1 to 4 but the constant R'.
bool ShowsResult(const LabelLayout& layout) {
    return layout.tab >= 1 && layout.tab <= 4 && layout.format != LabelFormat::kConstant;
}

// The tabs whose labels each stage's display writes and clears.
bool OnTabsOf(const LabelLayout& layout, int chart) {
    return chart == kThrustChart ? layout.tab == 3 || layout.tab == 4 : layout.tab == chart;
}

struct Axes {
    double bottom = 0.0;
    double left = 0.0;
    std::optional<double> right;
    std::string_view bottomName;
    std::string_view leftName;
    std::string_view rightName;
};

// The first axis whose maximum is not a real number, or "" when all are.
std::string_view NonFiniteAxis(const Axes& axes) {
    if (!std::isfinite(axes.left)) {
        return axes.leftName;
    }
    if (axes.right && !std::isfinite(*axes.right)) {
        return axes.rightName;
    }
    if (!std::isfinite(axes.bottom)) {
        return axes.bottomName;
    }
    return {};
}

Axes KnAxes(const CalculationResult& r) {
    return {Padded(LargestX(r.knCurve)),
            r.figures.KnMax + kKnHeadroom * r.figures.KnMax,
            Padded(LargestY(r.webCurve)),
            "ось регрессии",
            "ось Kn",
            "ось толщины свода"};
}

Axes PressureAxes(const CalculationResult& r) {
    return {Padded(LargestX(r.pressureCurve)),
            Padded(r.figures.Pmax),
            std::nullopt,
            "ось времени",
            "ось давления",
            ""};
}

Axes ThrustAxes(const CalculationResult& r) {
    return {Padded(LargestX(r.thrustCurve)),
            Padded(r.figures.Fmax),
            std::nullopt,
            "ось времени",
            "ось тяги",
            ""};
}

ChartSeries SummaryCurve(const CalculationResult& r) {
    ChartSeries summary;
    for (const ResultRow& row : r.rows) {
        summary.push_back({row.time, row.thrust});
    }
    return summary;
}

}  // namespace

void FormModel::calculate() {
    try {
        runCommand();
    } catch (const std::bad_alloc&) {
        FailOutOfMemory();
    }
}

void FormModel::runCommand() {
    // What the tabs show is of an earlier run until this one shows its own.
    inputChanged();
    setButtonEnabled(kExportButton, false);
    shown_ = {};
    const bool anyGrains = isChecked(kCoredGrainsBox) || isChecked(kEndGrainBox);
    if (anyGrains) {
        refreshStepperFields();
    }
    const FormDesign read = ReadFormDesign(*this);
    lastRun_ = ResultBeforeStages(read.design);
    if (!read.ok) {
        setStatusText(0, read.message);
        finishCommand();
        return;
    }
    const MotorDesign& design = read.design;
    const int Ftype = selectedPropellant_ + 1;
    lastRun_ = Calculate(design);
    if (GrainKindAccepted(lastRun_)) {
        applyTracerBoxes(design.grainKind);
    }
    if (lastRun_.geometry != StageState::kSucceeded) {
        setStatusText(0, DiagnosticText(*lastRun_.failure(), design.grainKind, Ftype));
        finishCommand();
        return;
    }
    clearResultTable();
    setStatusText(0, "");
    setButtonEnabled(kCalculateButton, false);
    setButtonEnabled(kExportButton, false);
    setProgress(true, progress_.max, progress_.position);
    showStages(Ftype);
    if (shown_.thrust) {
        setStatusText(0, kSuccessMessage);
        setButtonEnabled(kExportButton, true);
    }
    finishCommand();
    notify(ChangeKind::kFocus, ToControl(kCalculateButton));
}

// The geometry step decides the grain kind unless it refuses the grains at once.
bool FormModel::GrainKindAccepted(const CalculationResult& result) {
    const Diagnostic* failure = result.failure();
    return !(failure && failure->stage == Stage::kGeometry &&
             failure->code == DiagnosticCode::kNoBurningRadialSurface);
}

// Every way out of the command leaves the button usable and the progress bar hidden.
void FormModel::finishCommand() {
    showDesignAlerts(DesignAlerts(lastRun_));
    setProgress(false, progress_.max, progress_.position);
    setButtonEnabled(kCalculateButton, true);
}

// The four "Показать трассер" boxes follow the grain kind; each change runs its axis rule.
void FormModel::applyTracerBoxes(GrainKind kind) {
    constexpr CheckBoxId kBoxes[] = {CheckBoxId::kChk2, CheckBoxId::kChk3, CheckBoxId::kChk4,
                                     CheckBoxId::kChk5};
    if (kind == kCoredOnly) {
        for (const CheckBoxId box : kBoxes) {
            setChecked(box, false);
        }
        for (const CheckBoxId box : kBoxes) {
            setCheckBoxEnabled(box, false);
        }
        return;
    }
    for (const CheckBoxId box : kBoxes) {
        setCheckBoxEnabled(box, kind == kCoredAndEndBurner);
    }
    for (const CheckBoxId box : kBoxes) {
        setChecked(box, true);
    }
}

// Each tab shows its stage's results, is cleared when its stage failed, and keeps what it
// showed when its stage did not run. A stage whose chart axes cannot be drawn counts as
// failed, with the axis named, and the stages after it as not run.
void FormModel::showStages(int Ftype) {
    setProgress(true, kSimulationSteps, 0);
    setProgress(true, kSimulationSteps, kSimulationSteps);
    const CalculationResult& r = lastRun_;
    std::string failure;
    const auto passes = [&failure](StageState state, const Axes& axes, Stage stage) {
        if (state != StageState::kSucceeded || !failure.empty()) {
            return false;
        }
        const std::string_view axis = NonFiniteAxis(axes);
        if (!axis.empty()) {
            failure = NotFiniteText(axis, stage);
        }
        return axis.empty();
    };
    shown_.kn = passes(r.kn, KnAxes(r), Stage::kKn);
    const bool pressureRan = shown_.kn && r.pressure != StageState::kNotRun;
    shown_.pressure = pressureRan && passes(r.pressure, PressureAxes(r), Stage::kPressure);
    const ChartSeries summary = SummaryCurve(r);
    const Axes summaryAxes{Padded(LargestX(summary)),
                           Padded(r.figures.Fmax),
                           std::nullopt,
                           "ось времени",
                           "ось тяги",
                           ""};
    shown_.thrust = shown_.pressure && passes(r.thrust, ThrustAxes(r), Stage::kThrust) &&
                    passes(r.thrust, summaryAxes, Stage::kThrust);
    if (failure.empty() && r.failure()) {
        failure = DiagnosticText(*r.failure(), r.design.grainKind, Ftype);
    }
    if (!failure.empty()) {
        setStatusText(0, failure);
    }
    clearKnResults();
    if (shown_.kn) {
        setSeries(kKnChart, 0, r.knCurve);
        setSeries(kKnChart, 1, r.webCurve);
        const Axes axes = KnAxes(r);
        setAxes(kKnChart, axes.bottom, axes.left, axes.right);
        writeLabels(kKnChart);
        setDisplay(Display::kKn, DisplayState::kCurrent);
    }
    if (pressureRan) {
        clearPressureResults();
        if (shown_.pressure) {
            setSeries(kPressureChart, 0, r.pressureCurve);
            const Axes axes = PressureAxes(r);
            setAxes(kPressureChart, axes.bottom, axes.left, std::nullopt);
            writeLabels(kPressureChart);
            setDisplay(Display::kPressure, DisplayState::kCurrent);
        }
    }
    clearThrustResults();
    if (shown_.thrust) {
        setSeries(kThrustChart, 0, r.thrustCurve);
        const Axes axes = ThrustAxes(r);
        setAxes(kThrustChart, axes.bottom, axes.left, std::nullopt);
        setSeries(kSummaryChart, 0, summary);
        setAxes(kSummaryChart, summaryAxes.bottom, summaryAxes.left, std::nullopt);
        showResultTable();
        writeLabels(kThrustChart);
        setDisplay(Display::kThrust, DisplayState::kCurrent);
    }
}

void FormModel::showResultTable() {
    rows_.clear();
    for (const ResultRow& row : lastRun_.rows) {
        rows_.push_back({std::to_string(rows_.size() + 1), FormatFixed(row.time, 2),
                         FormatFixed(row.thrust, 1)});
    }
    notify(ChangeKind::kRows, kResultTable);
}

void FormModel::writeLabels(int chart) {
    for (const LabelLayout& layout : LabelLayouts()) {
        if (ShowsResult(layout) && OnTabsOf(layout, chart)) {
            setLabelText(LabelId{layout.label}, LabelValueText(layout, lastRun_));
        }
    }
}

void FormModel::clearLabels(int chart) {
    for (const LabelLayout& layout : LabelLayouts()) {
        if (ShowsResult(layout) && OnTabsOf(layout, chart)) {
            setLabelText(LabelId{layout.label}, layout.defaultText);
        }
    }
}

void FormModel::clearKnResults() {
    setSeries(kKnChart, 0, {});
    setSeries(kKnChart, 1, {});
    clearLabels(kKnChart);
    setDisplay(Display::kKn, DisplayState::kEmpty);
}

void FormModel::clearPressureResults() {
    setSeries(kPressureChart, 0, {});
    clearLabels(kPressureChart);
    setDisplay(Display::kPressure, DisplayState::kEmpty);
}

void FormModel::clearThrustResults() {
    setSeries(kThrustChart, 0, {});
    setSeries(kSummaryChart, 0, {});
    clearLabels(kThrustChart);
    setDisplay(Display::kThrust, DisplayState::kEmpty);
}

void FormModel::clearCalculation() {
    lastRun_ = CalculationResult{};
    shown_ = {};
    showDesignAlerts({});
}

// ---- Results that no longer match the inputs ----

bool FormModel::showsStaleResults(int tab) const {
    const auto stale = [this](Display display) {
        return displays_[static_cast<std::size_t>(display)] == DisplayState::kStale;
    };
    switch (tab) {
        case kKnChart:
            return stale(Display::kKn);
        case kPressureChart:
            return stale(Display::kPressure);
        case kThrustChart:
        case kSummaryChart:
            return stale(Display::kThrust);
        default:
            return false;
    }
}

bool FormModel::anyResultsStale() const {
    return std::find(displays_.begin(), displays_.end(), DisplayState::kStale) != displays_.end();
}

void FormModel::setDisplay(Display display, DisplayState state) {
    DisplayState& current = displays_[static_cast<std::size_t>(display)];
    if (current != state) {
        current = state;
        notify(ChangeKind::kStaleResults, kPageControl);
    }
}

void FormModel::inputChanged() {
    for (const Display display : {Display::kKn, Display::kPressure, Display::kThrust}) {
        if (displays_[static_cast<std::size_t>(display)] == DisplayState::kCurrent) {
            setDisplay(display, DisplayState::kStale);
        }
    }
}

void FormModel::setSeries(int chart, std::size_t index, ChartSeries points) {
    ChartSeries& series = charts_[chart].series[index];
    if (series.empty() && points.empty()) {
        return;
    }
    series = std::move(points);
    notify(ChangeKind::kSeries, ToControl(ChartId{chart}));
}

void FormModel::setSeriesPoints(ChartId id, std::size_t series, ChartSeries points) {
    if (id.number >= 1 && id.number < static_cast<int>(charts_.size()) &&
        series < charts_[id.number].series.size()) {
        setSeries(id.number, series, std::move(points));
    }
}

void FormModel::setLegendVisible(ChartId id, bool visible) {
    if (id.number < 1 || id.number >= static_cast<int>(charts_.size()) ||
        charts_[id.number].legend == visible) {
        return;
    }
    charts_[id.number].legend = visible;
    notify(ChangeKind::kSeries, ToControl(id));
}

void FormModel::raiseAxes(ChartId id, double bottom, double left) {
    if (id.number < 1 || id.number >= static_cast<int>(charts_.size())) {
        return;
    }
    const ChartState& state = charts_[id.number];
    setAxes(id.number, std::max(state.bottomMax, bottom), std::max(state.leftMax, left),
            std::nullopt);
}

void FormModel::setAxes(int chart, double bottom, double left, std::optional<double> right) {
    ChartState& state = charts_[chart];
    const double newRight = right.value_or(state.rightMax);
    if (state.bottomMax == bottom && state.leftMax == left && state.rightMax == newRight) {
        return;
    }
    state.bottomMax = bottom;
    state.leftMax = left;
    state.rightMax = newRight;
    notify(ChangeKind::kAxes, ToControl(ChartId{chart}));
}

void FormModel::setProgress(bool visible, int max, int position) {
    const ProgressBarState next{visible, kProgressBarMin, max, position};
    if (next.visible == progress_.visible && next.max == progress_.max &&
        next.position == progress_.position) {
        return;
    }
    progress_ = next;
    notify(ChangeKind::kProgress, kProgressBar);
}

}  // namespace tarvo
