#include "form/stand_session.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "files/file_io.h"
#include "files/key_maps.h"
#include "form/form_layout.h"
#include "input/field_map.h"
#include "input/steppers.h"
#include "model/number_text.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr int kPressureChart = 2;
constexpr int kThrustCharts[] = {3, 4};
constexpr double kAxisRoom = 1.1;  // a tenth beyond the curve, as the calculation's axes

// uc and unoz are written through their steppers, which hold hundredths.
struct SteppedInput {
    FitParameter parameter;
    int stepper;
};
constexpr SteppedInput kSteppedInputs[] = {{FitParameter::kUc, 6}, {FitParameter::kUnoz, 10}};
constexpr double kStepperUnit = 100.0;
constexpr int kErosionDecimals = 2;
constexpr int kCoefficientDecimals = 4;

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

ChartSeries Points(const std::vector<double>& time, const std::vector<double>& values, double shift,
                   double add) {
    ChartSeries points;
    for (std::size_t i = 0; i < time.size(); ++i) {
        if (time[i] + shift >= 0) {
            points.push_back({time[i] + shift, values[i] + add});
        }
    }
    return points;
}

bool IsComparisonChart(const ControlId& control) {
    return control.kind == ControlKind::kChart && control.number >= kPressureChart &&
           control.number <= kThrustCharts[1];
}

}  // namespace

StandSession::StandSession(FormModel& form, Dialogs& dialogs) : form_(form), dialogs_(dialogs) {
    formToken_ = form_.addObserver([this](const Change& change) { onFormChange(change); });
}

StandSession::~StandSession() {
    form_.removeObserver(formToken_);
}

int StandSession::addObserver(Observer observer) {
    const int token = nextObserverToken_++;
    observers_[token] = std::move(observer);
    return token;
}

void StandSession::removeObserver(int token) {
    observers_.erase(token);
}

void StandSession::notify() {
    std::vector<Observer> current;
    for (const auto& [token, observer] : observers_) {
        current.push_back(observer);
    }
    for (const Observer& observer : current) {
        observer();
    }
}

// ---- The log ----

void StandSession::loadCommand() {
    const std::optional<std::string> chosen = dialogs_.chooseFile(FileDialog::kOpenTest);
    if (chosen && !chosen->empty() && load(*chosen)) {
        form_.setModified(true);
    }
}

bool StandSession::load(const std::string& path) {
    if (!loadFile(path)) {
        return false;
    }
    compare();
    return true;
}

bool StandSession::loadFile(const std::string& path) {
    LoadedCurve loaded = LoadMeasuredCurve(path);
    if (!loaded.curve) {
        dialogs_.showMessage(MessageIcon::kError, loaded.message);
        return false;
    }
    path_ = path;
    run_ = CompareWithDesign(std::move(*loaded.curve), std::nullopt);
    return true;
}

void StandSession::unloadCommand() {
    if (loaded()) {
        unload();
        form_.setModified(true);
    }
}

void StandSession::unload() {
    if (!loaded()) {
        return;
    }
    run_.reset();
    path_.clear();
    drawCurves();
    notify();
}

std::string StandSession::summary() const {
    if (!run_) {
        return "";
    }
    const MeasuredCurve& curve = run_->curve;
    return FileNameOf(path_) + ": нуль стенда " + FormatFixed(curve.standZero, 2) + " Н, горение " +
           FormatFixed(curve.burn.end, 3) + " с" + (curve.hasPressure() ? ", с давлением" : "");
}

// ---- The comparison ----

void StandSession::onFormChange(const Change& change) {
    if (!run_ || drawing_) {
        return;
    }
    if (change.kind == ChangeKind::kEnabled && change.control == ToControl(kExportButton)) {
        compare();
    } else if (change.kind == ChangeKind::kAxes && IsComparisonChart(change.control)) {
        drawCurves();  // an axis the calculation or a tracer box set must still hold the log
    }
}

// The export button is on exactly while the shown results are those of the fields.
void StandSession::compare() {
    std::optional<StandDesign> design;
    if (form_.isButtonEnabled(kExportButton)) {
        design = DesignOfFields(form_).design;
    }
    run_ = CompareWithDesign(std::move(run_->curve), std::move(design));
    drawCurves();
    notify();
}

// The log starts where the calculated curve crosses 5 %, so that both burns start together;
// its gauge pressure is drawn as absolute, as the calculation's.
void StandSession::drawCurves() {
    drawing_ = true;
    ChartSeries thrust;
    ChartSeries pressure;
    if (run_) {
        double shift = 0.0;
        double ambient = ParseNumber(form_.fieldText(EditId{field::kPatm})).value_or(0.0);
        if (run_->motor && run_->motor->ok()) {
            ambient = run_->motor->Patm;
            if (const auto burn = FindBurnWindow(run_->motor->time, run_->motor->thrust)) {
                shift = burn->ignition;
            }
        }
        const StandSamples& s = run_->curve.samples;
        thrust = Points(s.time, s.thrust, shift, 0.0);
        if (run_->curve.hasPressure()) {
            pressure = Points(s.time, s.pressure, shift, ambient);
        }
    }
    for (const int chart : kThrustCharts) {
        form_.setLegendVisible(ChartId{chart}, !thrust.empty());
        if (!thrust.empty()) {
            form_.raiseAxes(ChartId{chart}, kAxisRoom * LargestX(thrust),
                            kAxisRoom * LargestY(thrust));
        }
        form_.setSeriesPoints(ChartId{chart}, kMeasuredSeries, thrust);
    }
    form_.setLegendVisible(ChartId{kPressureChart}, !pressure.empty());
    if (!pressure.empty()) {
        form_.raiseAxes(ChartId{kPressureChart}, kAxisRoom * LargestX(pressure),
                        kAxisRoom * LargestY(pressure));
    }
    form_.setSeriesPoints(ChartId{kPressureChart}, kMeasuredSeries, std::move(pressure));
    drawing_ = false;
}

std::vector<ComparisonRow> StandSession::comparisonRows() const {
    return current() ? ComparisonRows(*run_->comparison) : std::vector<ComparisonRow>{};
}

// ---- The fit ----

const CurveFit* StandSession::fit(std::span<const FitParameter> chosen) {
    if (!canFit() || chosen.empty()) {
        return nullptr;
    }
    FitDesign(*run_, chosen);
    notify();
    return lastFit();
}

const CurveFit* StandSession::lastFit() const {
    return run_ && run_->fit ? &*run_->fit : nullptr;
}

std::string StandSession::fitReport() const {
    return lastFit() != nullptr ? FitReport(*run_) : "";
}

AppliedFit StandSession::apply() {
    const CurveFit* fit = lastFit();
    if (fit == nullptr || fit->outcome != FitOutcome::kFitted) {
        return {};
    }
    const std::vector<FitParameter> chosen = run_->chosen;
    const FitValues values = fit->values;
    std::string message = "Записано в поля:";
    for (const FitParameter parameter : chosen) {
        message += "\n" + (parameter == FitParameter::kBurnRate
                               ? applyBurnRate(values[parameter])
                               : applyValue(parameter, values[parameter]));
    }
    form_.setModified(true);
    form_.setButtonEnabled(kExportButton, false);
    form_.setStatusText(0, kStaleResultsStatus);
    dialogs_.showMessage(MessageIcon::kInformation, message);
    return {true, message};
}

std::string StandSession::applyValue(FitParameter parameter, double value) {
    const std::string fitted = std::string(FitParameterCaption(parameter)) + ": подобрано " +
                               FitValueText(parameter, value) + ", записано ";
    if (parameter == FitParameter::kErosion) {
        const std::string text = FormatFixed(value, kErosionDecimals);
        form_.setFieldText(EditId{field::ke}, text);
        return fitted + text + " (с точностью до " +
               FormatFixed(std::pow(10.0, -kErosionDecimals), kErosionDecimals) + " мм)";
    }
    const auto input =
        std::find_if(std::begin(kSteppedInputs), std::end(kSteppedInputs),
                     [parameter](const SteppedInput& s) { return s.parameter == parameter; });
    const StepperRule& rule = *FindStepperRule(input->stepper);
    const int position = static_cast<int>(std::lround(value * kStepperUnit));
    const int held = ClampToStepperRange(rule, position);
    form_.setStepperPosition(StepperId{rule.stepper}, held);
    form_.clickStepper(StepperId{rule.stepper});
    const std::string written = form_.fieldText(EditId{rule.edit});
    if (held != position) {
        return fitted + written + " (поле принимает от " + StepperFieldText(rule, rule.min) +
               " до " + StepperFieldText(rule, rule.max) + ")";
    }
    return fitted + written + " (с шагом " + StepperFieldText(rule, rule.increment) + ")";
}

std::string StandSession::applyBurnRate(double factor) {
    const int selected = form_.selectedPropellant();
    const std::string fitted = std::string(FitParameterCaption(FitParameter::kBurnRate)) +
                               ": подобрано " + FitValueText(FitParameter::kBurnRate, factor);
    if (!IsValidFtype(selected + 1)) {
        return fitted + ", не применён: не выбрано топливо";
    }
    const std::string& name = form_.propellantItems()[selected];
    const std::string question =
        "Умножить коэффициенты a топлива «" + name + "» на " +
        FitValueText(FitParameter::kBurnRate, factor) +
        "? Это изменит параметры топлива для всех двигателей, пока они не будут восстановлены "
        "по умолчанию или сохранены.";
    if (!dialogs_.askYesNo(question)) {
        return fitted + ", не применён";
    }
    const int first = kBurnRateFields[selected].a;
    for (int edit = first; edit < first + kBurnRateRanges; ++edit) {
        if (const auto a = ParseNumber(form_.fieldText(EditId{edit}))) {
            form_.setFieldText(EditId{edit},
                               FormatGeneral(Rounded(*a * factor, kCoefficientDecimals)));
        }
    }
    return fitted + ": коэффициенты a топлива «" + name + "» умножены на него (с точностью до " +
           FormatFixed(std::pow(10.0, -kCoefficientDecimals), kCoefficientDecimals) + ")";
}

// ---- The motor file ----

void StandSession::writeTo(IniDocument& document, const std::string& motorPath) {
    if (loaded()) {
        document.WriteIniStr(kTestSection, kTestFileKey, StoredTestPath(path_, motorPath));
    } else {
        document.EraseIniSection(kTestSection);
    }
}

void StandSession::readFrom(const IniDocument& document, const std::string& motorPath) {
    const std::string stored = document.ReadIniStr(kTestSection, kTestFileKey, "");
    if (stored.empty() || !loadFile(ResolvedTestPath(stored, motorPath))) {
        unload();
        return;
    }
    compare();
}

void StandSession::clear() {
    unload();
}

std::string StoredTestPath(const std::string& logPath, const std::string& motorPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path log = fs::absolute(logPath, error).lexically_normal();
    const fs::path directory = fs::absolute(motorPath, error).lexically_normal().parent_path();
    if (error) {
        return logPath;
    }
    const fs::path relative = log.lexically_relative(directory);
    return relative.empty() ? logPath : relative.generic_string();
}

std::string ResolvedTestPath(const std::string& stored, const std::string& motorPath) {
    namespace fs = std::filesystem;
    const fs::path path(stored);
    if (path.is_absolute()) {
        return stored;
    }
    return (fs::path(DirectoryOf(motorPath)) / path).lexically_normal().string();
}

}  // namespace tarvo
