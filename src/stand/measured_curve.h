#pragma once
// A stand log made ready for comparison: the stand's zero (the median thrust before ignition)
// subtracted, negative thrust counted as 0, and the times shifted so that ignition is at 0.

#include <optional>
#include <string>

#include "stand/burn_window.h"
#include "stand/stand_log.h"

namespace tarvo {

// A log larger than this is refused rather than read in part.
inline constexpr std::size_t kMaxStandLogBytes = 32u << 20;

struct MeasuredCurve {
    StandSamples samples;    // s from ignition, N, MPa gauge (the pressure as logged)
    double standZero = 0.0;  // N, subtracted from every thrust sample
    BurnWindow burn;         // ignition 0, end of burn
    bool hasPressure() const { return !samples.pressure.empty(); }
};

struct MeasuredCurveResult {
    std::optional<MeasuredCurve> curve;
    std::optional<StandLogError> error;
};

// Finds the zero and the burn of logged samples; refuses a log in which no run counts.
MeasuredCurveResult PrepareMeasuredCurve(StandSamples samples);

// Reads, decodes and prepares the log in text.
MeasuredCurveResult ReadMeasuredCurve(std::string_view bytes);

struct LoadedCurve {
    std::optional<MeasuredCurve> curve;
    std::string message;  // when there is no curve: names the file, and the line where it can
};

LoadedCurve LoadMeasuredCurve(const std::string& path);

}  // namespace tarvo
