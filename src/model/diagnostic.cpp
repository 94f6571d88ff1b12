#include "model/diagnostic.h"

namespace tarvo {

std::string_view CodeName(DiagnosticCode code) {
    switch (code) {
        case DiagnosticCode::kNothingToCalculate:
            return "nothing-to-calculate";
        case DiagnosticCode::kNoBurningRadialSurface:
            return "no-burning-radial-surface";
        case DiagnosticCode::kNoFreeVolume:
            return "no-free-volume";
        case DiagnosticCode::kNoPropellant:
            return "no-propellant";
        case DiagnosticCode::kZeroChamberVolume:
            return "zero-chamber-volume";
        case DiagnosticCode::kZeroMolarMass:
            return "zero-molar-mass";
        case DiagnosticCode::kSpecificHeatsNotAboveOne:
            return "specific-heats-not-above-one";
        case DiagnosticCode::kNegativeKn:
            return "negative-kn";
        case DiagnosticCode::kNotFinite:
            return "not-finite";
        case DiagnosticCode::kBurnRateTableNotANumber:
            return "burn-rate-table-not-a-number";
        case DiagnosticCode::kPressureOutOfTable:
            return "pressure-out-of-table";
        case DiagnosticCode::kThrustTimeTooShort:
            return "thrust-time-too-short";
        case DiagnosticCode::kPortThroat:
            return "port-throat";
        case DiagnosticCode::kMassFlux:
            return "mass-flux";
        case DiagnosticCode::kCasing:
            return "casing";
        case DiagnosticCode::kCasingMissing:
            return "casing-missing";
        case DiagnosticCode::kMaxPressure:
            return "max-pressure";
        case DiagnosticCode::kFlowSeparation:
            return "flow-separation";
        case DiagnosticCode::kUnderExpanded:
            return "under-expanded";
        case DiagnosticCode::kShortBurn:
            return "short-burn";
    }
    return "unknown";
}

}  // namespace tarvo
