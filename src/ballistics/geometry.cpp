#include "ballistics/geometry.h"

#include <cmath>
#include <numbers>

#include "ballistics/stage.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kQuarterPi = std::numbers::pi / 4;

GeometryResult Refuse(std::string message, TracerBoxes boxes = TracerBoxes::kUntouched) {
    return {false, std::move(message), boxes};
}

// Step 1: zero the dimensions of the absent grain type and decide the tracer boxes.
GeometryResult ApplyGrainKind(MotorModel& m) {
    const bool noRadialSurface = m.Cs + m.Os == 0;
    switch (m.grainKind) {
        case kCoredOnly:
            if (noRadialSurface) {
                return Refuse(
                    "Канал или внешняя поверхность должны быть не забронированы (для канального "
                    "двигателя)");
            }
            m.Lto = 0;
            m.Dto = 0;
            return {true, {}, TracerBoxes::kUncheckAndDisable};
        case kEndBurnerOnly:
            m.Do = 0;
            m.do_ = 0;
            m.Lo = 0;
            m.N = 0;
            return {true, {}, TracerBoxes::kDisableAndCheck};
        case kCoredAndEndBurner:
            if (noRadialSurface) {
                return Refuse(
                    "Канал или внешняя поверхность должны быть не забронированы (для канальных "
                    "шашек)");
            }
            return {true, {}, TracerBoxes::kEnableAndCheck};
        default:
            return Refuse("Нечего считать");
    }
}

void ComputeBurningAreas(MotorModel& m) {
    // Counts are multiplied in 64 bits so that no grain count can overflow them.
    const auto endFaces = static_cast<double>(static_cast<std::int64_t>(m.N) * 2 * m.Es);
    const auto cores = static_cast<double>(static_cast<std::int64_t>(m.N) * m.Cs);
    const auto outers = static_cast<double>(static_cast<std::int64_t>(m.N) * m.Os);
    m.Abeo = (m.Do * m.Do - m.do_ * m.do_) * endFaces * kPi / 4;
    m.Abco = cores * kPi * m.do_ * m.Lo;
    m.Abso = outers * kPi * m.Do * m.Lo;
    m.Abtr = m.Dto * m.Dto * kPi / 4;
    m.Abo = m.Abeo + m.Abco + m.Abso + m.Abtr;
}

void ZeroSummaries(MotorModel& m) {
    m.Pmax = 0;
    m.BurnTime = 0;
    m.ThrustTime = 0;
    m.TailTime = 0;
    m.AvgBurnRate = 0;
    m.TracerPressure = 0;
    m.Fmax = 0;
    m.Favg = 0;
    m.It = 0;
    m.MotorClass = "--";
}

std::string SpecificHeatsMessage(const MotorModel& m) {
    const std::string name(kPropellantNames[m.Ftype - 1]);
    const char* which = m.k <= 1 ? "mixture" : "2-ph.";
    return std::string("Должно быть больше 1 значение Ratio of specific heats, ") + which +
           ", of " + name + " [вкладка 5]";
}

// Every value the step leaves for the window and the later stages must be a real number.
std::string NonFiniteGeometry(const MotorModel& m) {
    const std::string_view tab1 = FirstNonFinite({{"Lgo", m.Lgo},
                                                  {"Vg", m.Vg},
                                                  {"Vt", m.Vt},
                                                  {"p", m.p},
                                                  {"m", m.m},
                                                  {"Abeo", m.Abeo},
                                                  {"Abco", m.Abco},
                                                  {"Abso", m.Abso},
                                                  {"Abtr", m.Abtr},
                                                  {"Abo", m.Abo},
                                                  {"Ato", m.Ato},
                                                  {"Dt", m.Dt},
                                                  {"Dtf", m.Dtf},
                                                  {"w", m.w}});
    if (!tab1.empty()) {
        return ComputationFaultMessage(tab1, 1);
    }
    const std::string_view tab2 =
        FirstNonFinite({{"R", m.R}, {"To act", m.ToAct}, {"c*", m.cStar}});
    if (!tab2.empty()) {
        return ComputationFaultMessage(tab2, 2);
    }
    return {};
}

}  // namespace

double ChamberVolume(double Dc, double Lc) {
    return Dc * Dc * kQuarterPi * Lc;
}

GeometryResult ComputeGeometry(MotorModel& m, double universalGasConstant) {
    GeometryResult result = ApplyGrainKind(m);
    if (!result.ok) {
        return result;
    }
    m.Lg = m.N * m.Lo;
    m.Lgo = m.Lg + m.Lto;
    m.Vg = (m.Do * m.Do - m.do_ * m.do_) * kQuarterPi * m.Lg + m.Dto * m.Dto * kQuarterPi * m.Lto;
    if (m.Vc != 0) {
        m.Vt = m.Vg / m.Vc;
    }
    if (m.Vt == 1) {
        return Refuse("Нет свободного пространства в камере сгорания", result.tracerBoxes);
    }
    if (m.Vg == 0) {
        return Refuse("Нет топлива", result.tracerBoxes);
    }
    if (m.Vc == 0) {
        return Refuse("Объём камеры сгорания равен нулю", result.tracerBoxes);
    }
    m.p = m.RoiRor * m.pPrime;
    m.m = m.p * m.Vg / 1000 / 1000;
    ComputeBurningAreas(m);
    m.Ato = m.Abo / m.Kno;
    m.Dt = std::sqrt(4 * m.Ato / kPi);
    m.Dtf = std::sqrt(4 * m.Ato / kPi) + m.e;
    ZeroSummaries(m);
    m.RPrime = universalGasConstant;
    if (m.M == 0) {
        return Refuse("Масса топлива = 0", result.tracerBoxes);
    }
    if (IsValidFtype(m.Ftype) && (m.k <= 1 || m.k2ph <= 1)) {
        return Refuse(SpecificHeatsMessage(m), result.tracerBoxes);
    }
    m.R = m.RPrime / m.M;
    m.ToAct = m.uc * m.To;
    const double k = m.k;
    const double power = std::exp(std::log((k + 1) / 2) * (k + 1) / (k - 1));
    m.cStar = std::sqrt(power * m.R * m.ToAct / k);
    if (m.grainKind == kEndBurnerOnly) {
        m.w = m.Lto / 2;
        m.Cs = 0;
        m.Os = 0;
        m.Es = 1;
    } else {
        m.w = (m.Do - m.do_) / 2;
    }
    if (std::string fault = NonFiniteGeometry(m); !fault.empty()) {
        return Refuse(std::move(fault), result.tracerBoxes);
    }
    return result;
}

}  // namespace tarvo
