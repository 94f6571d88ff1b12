// The "Рассчитать" command: reads the fields, runs the calculation stages one after the other
// and shows their results in the value labels, charts and the result table, tab by tab.

#include <algorithm>
#include <new>

#include "form/form_layout.h"
#include "form/form_model.h"
#include "input/read_inputs.h"
#include "model/calculation.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr int kKnChart = 1;
constexpr int kPressureChart = 2;
constexpr int kThrustChart = 3;
constexpr int kSummaryChart = 4;
constexpr int kClassLabel = 189;
constexpr int kGasConstantLabel = 26;

constexpr int kKnLabels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 19, 20, 21, 118, 122};
constexpr int kPressureLabels[] = {28, 30, 32, 35, 37, 40, 141, 144, 142, 119, 121, 128, 129};
constexpr int kThrustLabels[] = {148, 151, 176, 177, 157, 159, 163, 165, 167, 169,
                                 155, 172, 173, 175, 179, 181, 183, 185, 187};

std::string LabelValueText(int label, double value) {
    const LabelLayout* layout = FindLabelLayout(label);
    const LabelFormat format = layout ? layout->format : LabelFormat::kGeneral;
    switch (format) {
        case LabelFormat::kInteger:
            return FormatInteger(value);
        case LabelFormat::kFixed:
            return FormatFixed(value, layout->decimals);
        default:
            return FormatGeneral(value);
    }
}

// "E 15": the class letter and the average thrust as a whole number.
std::string ClassText(const MotorModel& m) {
    return m.MotorClass + " " + FormatFixed(m.Favg, 0);
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
    setButtonEnabled(kExportButton, false);
    model_.grainKind = kNothing;
    model_.flags = {};
    ResetModel(model_);
    model_.grainKind = DecideGrainKind(isChecked(kCoredGrainsBox), isChecked(kEndGrainBox));
    if (model_.grainKind == kNothing) {
        setStatusText(0, kNothingToCalculateMessage);
        finishCommand();
        return;
    }
    if (!readInputs()) {
        finishCommand();
        return;
    }
    const auto gasConstant = ParseNumber(labelText(LabelId{kGasConstantLabel}));
    if (!gasConstant) {
        setStatusText(0, NotANumberMessage({"R'", 2}));
        finishCommand();
        return;
    }
    const GeometryResult geometry = ComputeGeometry(model_, *gasConstant);
    applyTracerBoxes(geometry.tracerBoxes);
    if (!geometry.ok) {
        setStatusText(0, geometry.message);
        finishCommand();
        return;
    }
    clearResultTable();
    setStatusText(0, "");
    setButtonEnabled(kCalculateButton, false);
    setButtonEnabled(kExportButton, false);
    setProgress(true, progress_.max, progress_.position);
    runStages();
    const StageFlags flags = model_.flags;
    if (flags.Kn && flags.Pressure && flags.Thrust) {
        setStatusText(0, kSuccessMessage);
        setButtonEnabled(kExportButton, true);
    }
    finishCommand();
    notify(ChangeKind::kFocus, ToControl(kCalculateButton));
}

// Every way out of the command leaves the button usable, the progress bar hidden and no
// stage marked as done.
void FormModel::finishCommand() {
    setProgress(false, progress_.max, progress_.position);
    setButtonEnabled(kCalculateButton, true);
    model_.flags = {};
    model_.grainKind = kNothing;
}

std::string_view FormModel::fieldTextView(int edit) const {
    return fieldText(EditId{edit});
}

bool FormModel::readInputs() {
    refreshStepperFields();
    InputSources sources;
    sources.fieldText = [this](int edit) { return fieldTextView(edit); };
    sources.selectedPropellant = selectedPropellant_;
    sources.Os = stepperPosition(StepperId{2});
    sources.Cs = stepperPosition(StepperId{3});
    sources.Es = stepperPosition(StepperId{4});
    const ReadResult result = ReadAndValidate(sources, model_);
    if (!result.ok) {
        setStatusText(0, result.message);
        setButtonEnabled(kCalculateButton, true);
    }
    return result.ok;
}

// The four "Показать трассер" boxes follow the grain kind; each change runs its axis rule.
void FormModel::applyTracerBoxes(TracerBoxes boxes) {
    constexpr CheckBoxId kBoxes[] = {CheckBoxId::kChk2, CheckBoxId::kChk3, CheckBoxId::kChk4,
                                     CheckBoxId::kChk5};
    switch (boxes) {
        case TracerBoxes::kUncheckAndDisable:
            for (const CheckBoxId box : kBoxes) {
                setChecked(box, false);
            }
            for (const CheckBoxId box : kBoxes) {
                setCheckBoxEnabled(box, false);
            }
            return;
        case TracerBoxes::kDisableAndCheck:
        case TracerBoxes::kEnableAndCheck:
            for (const CheckBoxId box : kBoxes) {
                setCheckBoxEnabled(box, boxes == TracerBoxes::kEnableAndCheck);
            }
            for (const CheckBoxId box : kBoxes) {
                setChecked(box, true);
            }
            return;
        case TracerBoxes::kUntouched:
            return;
    }
}

// The stages run as one chain; each tab then shows its stage's results, is cleared when its
// stage failed, and keeps what it showed when its stage did not run.
void FormModel::runStages() {
    setProgress(true, kSimulationSteps, 0);
    const BurnRateTable table =
        ReadBurnRateTable([this](int edit) { return fieldTextView(edit); }, model_.Ftype);
    CalculationResult result;
    RunStages(model_, table, result);
    setProgress(true, kSimulationSteps, kSimulationSteps);
    if (!result.status.empty()) {
        setStatusText(0, result.status);
    }
    clearKnResults();
    if (result.knSucceeded) {
        showKnResults(*result.kn);
    }
    if (result.pressure) {
        clearPressureResults();
        if (result.pressureSucceeded) {
            showPressureResults(*result.pressure);
        }
    }
    clearThrustResults();
    if (model_.flags.Thrust) {
        showThrustResults(*result.thrust);
    }
}

void FormModel::showKnResults(KnCurveResult& r) {
    const MotorModel& m = model_;
    setSeries(kKnChart, 0, std::move(r.kn));
    setSeries(kKnChart, 1, std::move(r.web));
    setAxes(kKnChart, r.regressionAxisMax, r.knAxisMax, r.webAxisMax);
    writeLabels({{1, m.Vc},
                 {2, m.Lgo},
                 {3, m.Vg},
                 {4, m.Vt},
                 {5, m.pPrime},
                 {6, m.p},
                 {7, m.m},
                 {8, m.Abeo},
                 {9, m.Abco},
                 {10, m.Abso},
                 {11, m.Abo},
                 {122, m.Abtr},
                 {12, m.Ato},
                 {13, m.Dt},
                 {14, m.Dtf},
                 {19, m.KnMax},
                 {20, m.KnMin},
                 {21, m.KnAvg},
                 {118, m.KnEnd}});
}

void FormModel::showPressureResults(PressureResult& r) {
    const MotorModel& m = model_;
    setSeries(kPressureChart, 0, std::move(r.pressure));
    setAxes(kPressureChart, r.timeAxisMax, r.pressureAxisMax, std::nullopt);
    writeLabels({{119, m.TracerRate},
                 {121, m.TracerTailTime},
                 {28, m.M},
                 {30, m.R},
                 {32, m.k},
                 {35, m.To},
                 {37, m.ToAct},
                 {40, m.cStar},
                 {141, m.Pmax},
                 {128, m.TracerPressure},
                 {129, m.AvgBurnRate},
                 {142, m.ThrustTime},
                 {144, m.BurnTime}});
}

void FormModel::showThrustResults(ThrustResult& r) {
    const MotorModel& m = model_;
    setSeries(kThrustChart, 0, std::move(r.thrust));
    setAxes(kThrustChart, r.timeAxisMax, r.thrustAxisMax, std::nullopt);
    if (r.summaryFilled) {
        setSeries(kSummaryChart, 0, std::move(r.summary));
        setAxes(kSummaryChart, r.summaryTimeAxisMax, r.summaryThrustAxisMax, std::nullopt);
        rows_.clear();
        for (const ResultRow& row : r.rows) {
            rows_.push_back({std::to_string(rows_.size() + 1), FormatFixed(row.time, 2),
                             FormatFixed(row.thrust, 1)});
        }
        notify(ChangeKind::kRows, kResultTable);
    }
    writeLabels({{148, m.Ato},
                 {151, m.Ae},
                 {155, m.Favg},
                 {157, m.De},
                 {159, m.AeAtOpt},
                 {163, m.AeAtOptMid},
                 {165, m.wf},
                 {167, m.CfMax},
                 {169, m.Fmax},
                 {172, m.It},
                 {173, r.Isp},
                 {175, m.ThrustTime},
                 {176, m.Meo},
                 {177, m.Mef},
                 {179, m.m},
                 {181, m.It},
                 {183, m.Favg},
                 {185, m.ThrustTime},
                 {187, r.Isp}});
    setLabelText(LabelId{kClassLabel}, ClassText(m));
}

void FormModel::writeLabels(std::initializer_list<std::pair<int, double>> values) {
    for (const auto& [label, value] : values) {
        setLabelText(LabelId{label}, LabelValueText(label, value));
    }
}

void FormModel::clearKnResults() {
    setSeries(kKnChart, 0, {});
    setSeries(kKnChart, 1, {});
    for (const int label : kKnLabels) {
        setLabelText(LabelId{label}, "0");
    }
}

void FormModel::clearPressureResults() {
    setSeries(kPressureChart, 0, {});
    for (const int label : kPressureLabels) {
        setLabelText(LabelId{label}, "0");
    }
}

void FormModel::clearThrustResults() {
    setSeries(kThrustChart, 0, {});
    setSeries(kSummaryChart, 0, {});
    for (const int label : kThrustLabels) {
        setLabelText(LabelId{label}, "0");
    }
    setLabelText(LabelId{kClassLabel}, "--");
}

void FormModel::resetModel() {
    ResetModel(model_);
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
