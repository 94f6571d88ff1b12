#pragma once
// Where a thrust curve burns, by the same rules for a stand log and for a calculated curve: the
// threshold is 5 % of the maximum thrust; a run is a stretch of consecutive samples above it,
// and counts when it lasts at least 5 ms and holds at least 3 samples, so that a single spike
// is not taken for the firing. The burn starts where the thrust rises through the threshold
// into the first such run and ends where it falls through it after the last one (both
// interpolated between the samples on either side).

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace tarvo {

inline constexpr double kBurnThresholdFraction = 0.05;
inline constexpr double kMinimumRunSeconds = 0.005;
inline constexpr std::size_t kMinimumRunSamples = 3;

struct BurnWindow {
    std::size_t firstSample = 0;  // first sample of the first run
    std::size_t lastSample = 0;   // last sample of the last run
    double ignition = 0.0;        // s
    double end = 0.0;             // s

    double span() const { return end - ignition; }
};

// Nothing when no run counts (or no thrust is positive). Times increase strictly.
std::optional<BurnWindow> FindBurnWindow(std::span<const double> time,
                                         std::span<const double> thrust);

// The integral of the curve drawn through the samples, from `from` to `to` (s), counting it 0
// outside the samples.
double IntegrateBetween(std::span<const double> time, std::span<const double> values, double from,
                        double to);

// The curve drawn through the samples at the times `at` (increasing), shifted so that its time
// `offset` falls at 0; 0 outside the samples.
std::vector<double> ValuesAt(std::span<const double> time, std::span<const double> values,
                             std::span<const double> at, double offset = 0.0);

double MedianOf(std::vector<double> values);  // 0 for none

}  // namespace tarvo
