#pragma once
// What a calculation has to say besides its figures: why it stopped, and (later) what looks
// wrong with a design that calculates. A diagnostic carries a stable code, a severity, the
// stage it arose in, the quantity or input it concerns and its numbers; the texts belong to
// the layer that shows them.

#include <optional>
#include <string_view>
#include <vector>

namespace tarvo {

enum class Severity { kError, kWarning, kNote };

// The calculation's steps in the order they run.
enum class Stage { kGeometry, kKn, kPressure, kThrust };

enum class DiagnosticCode {
    kNothingToCalculate,      // neither cored grains nor an end-burning grain
    kNoBurningRadialSurface,  // cored grains with both cylindrical surfaces inhibited
    kNoFreeVolume,            // the charge fills the chamber exactly
    kNoPropellant,            // the charge has no volume
    kZeroChamberVolume,
    kZeroMolarMass,             // subject "M": no propellant selected
    kSpecificHeatsNotAboveOne,  // subject "k" or "k2ph"
    kNegativeKn,
    kNotFinite,  // subject: the quantity or series that is not a real number
    kBurnRateTableNotANumber,
    kPressureOutOfTable,  // value: the pressure no range holds (MPa), at: its time (s),
                          // limit: the table's upper bound (MPa)
    kThrustTimeTooShort,  // no point of the time series lies within the thrust time

    // The design checks of a motor that calculates: warnings and notes, an error only where
    // the motor cannot work as designed.
    kPortThroat,      // initial port area over throat area below the limit (below 1: error)
    kMassFlux,        // peak mass flux through the port above the limit, kg/(m^2 s)
    kCasing,          // burst pressure over peak gauge pressure below the required factor
    kCasingMissing,   // no casing given: value the peak gauge pressure, MPa
    kMaxPressure,     // peak pressure above the limit, MPa
    kFlowSeparation,  // value: the part of the thrust time the exit pressure stays below 0.4 of
                      // ambient; limit 0.05
    kUnderExpanded,   // value: Ae/At; limit: half of Ae/At opt mid
    kShortBurn,       // value: the burn time, s; limit 0.05 s
};

// The stable name of a code ("pressure-out-of-table"), for files and tools.
std::string_view CodeName(DiagnosticCode code);

struct Diagnostic {
    DiagnosticCode code = DiagnosticCode::kNotFinite;
    Severity severity = Severity::kError;
    Stage stage = Stage::kGeometry;
    std::string_view subject;     // a quantity symbol, an input or a series name; may be empty
    std::optional<double> value;  // the value found
    std::optional<double> limit;  // the limit it was held against
    std::optional<double> at;     // where: a time in s
};

using Diagnostics = std::vector<Diagnostic>;

// Names of the series a kNotFinite diagnostic can concern.
namespace series_name {
inline constexpr std::string_view kKnCurve = "kn-curve";
inline constexpr std::string_view kPressureCurve = "pressure-curve";
inline constexpr std::string_view kTimeSeries = "time-series";
inline constexpr std::string_view kThrustCurve = "thrust-curve";
inline constexpr std::string_view kThrustTable = "thrust-table";
}  // namespace series_name

}  // namespace tarvo
