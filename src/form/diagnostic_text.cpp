#include "form/diagnostic_text.h"

#include "form/design_alerts.h"
#include "form/form_layout.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

std::string TabSuffix(int tab) {
    return " [вкладка " + std::to_string(tab) + "]";
}

// How the fault message names what is not a real number, where the symbol is not the name.
struct FaultName {
    std::string_view subject;
    std::string_view name;
    int tab;  // 0: the tab of the quantity's first label, or of its stage
};

constexpr FaultName kFaultNames[] = {
    {"BurnTime", "время горения", 0},
    {"ThrustTime", "время тяги", 0},
    {"AvgBurnRate", "средняя скорость горения", 0},
    {"TracerPressure", "давление горения трассера", 0},
    {"TracerRate", "скорость горения трассера", 0},
    {"TracerTailTime", "время горения трассера", 0},
    {"TailStep", "шаг спада давления", 0},
    {series_name::kKnCurve, "кривая Kn", 1},
    {series_name::kPressureCurve, "кривая давления", 2},
    {series_name::kTimeSeries, "таблица времени", 2},
    {series_name::kThrustCurve, "кривая тяги", 3},
    {series_name::kThrustTable, "таблица тяги", 4},
};

// The tab of the first label that shows the quantity, or 0.
int LabelTab(std::string_view symbol) {
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.symbol == symbol) {
            return label.tab;
        }
    }
    return 0;
}

std::string_view SpecificHeatName(std::string_view subject) {
    return subject == "k" ? "mixture" : "2-ph.";
}

}  // namespace

int StageTab(Stage stage) {
    switch (stage) {
        case Stage::kGeometry:
        case Stage::kKn:
            return 1;
        case Stage::kPressure:
            return 2;
        case Stage::kThrust:
            return 3;
    }
    return 1;
}

std::string NotFiniteText(std::string_view subject, Stage stage) {
    std::string_view name = subject;
    int tab = 0;
    for (const FaultName& fault : kFaultNames) {
        if (fault.subject == subject) {
            name = fault.name;
            tab = fault.tab;
        }
    }
    if (tab == 0) {
        tab = LabelTab(subject);
    }
    if (tab == 0) {
        tab = StageTab(stage);
    }
    return "Ошибка вычислений: " + std::string(name) + TabSuffix(tab);
}

std::string DiagnosticText(const Diagnostic& d, GrainKind grainKind, int Ftype) {
    switch (d.code) {
        case DiagnosticCode::kNothingToCalculate:
            return "Нечего считать";
        case DiagnosticCode::kNoBurningRadialSurface:
            return grainKind == kCoredOnly
                       ? "Канал или внешняя поверхность должны быть не забронированы (для "
                         "канального двигателя)"
                       : "Канал или внешняя поверхность должны быть не забронированы (для "
                         "канальных шашек)";
        case DiagnosticCode::kNoFreeVolume:
            return "Нет свободного пространства в камере сгорания";
        case DiagnosticCode::kNoPropellant:
            return "Нет топлива";
        case DiagnosticCode::kZeroChamberVolume:
            return "Объём камеры сгорания равен нулю";
        case DiagnosticCode::kZeroMolarMass:
            return "Масса топлива = 0";
        case DiagnosticCode::kSpecificHeatsNotAboveOne:
            return "Должно быть больше 1 значение Ratio of specific heats, " +
                   std::string(SpecificHeatName(d.subject)) + ", of " +
                   std::string(PropellantName(Ftype)) + TabSuffix(5);
        case DiagnosticCode::kNegativeKn:
            return "Неверные параметры топливного заряда [вкладка 1] - Kn отрицательный";
        case DiagnosticCode::kNotFinite:
            return NotFiniteText(d.subject, d.stage);
        case DiagnosticCode::kBurnRateTableNotANumber:
            return "Не число в таблице скорости горения " +
                   std::string(PropellantShortName(Ftype)) + TabSuffix(5);
        case DiagnosticCode::kPressureOutOfTable:
            return "Давление в двигателе [вкладка 2] вышло за пределы известных характеристик "
                   "топлива.";
        case DiagnosticCode::kThrustTimeTooShort:
            return "Время тяги короче первого шага расчёта: нечего усреднять [вкладка 3]";
        case DiagnosticCode::kPortThroat:
        case DiagnosticCode::kMassFlux:
        case DiagnosticCode::kCasing:
        case DiagnosticCode::kCasingMissing:
        case DiagnosticCode::kMaxPressure:
        case DiagnosticCode::kFlowSeparation:
        case DiagnosticCode::kUnderExpanded:
        case DiagnosticCode::kShortBurn:
            return MakeDesignAlert(d).text;
    }
    return {};
}

}  // namespace tarvo
