#include "stand/burn_window.h"

#include <algorithm>

namespace tarvo {
namespace {

// Where the straight line between samples a and b reaches `level` (their values lie on either
// side of it).
double CrossingTime(std::span<const double> time, std::span<const double> thrust, std::size_t a,
                    std::size_t b, double level) {
    const double fraction = (level - thrust[a]) / (thrust[b] - thrust[a]);
    return time[a] + fraction * (time[b] - time[a]);
}

bool RunCounts(std::span<const double> time, std::size_t first, std::size_t last) {
    constexpr double kRounding = 1e-9;  // 0,006 - 0,001 is a hair short of 0,005
    return last - first + 1 >= kMinimumRunSamples &&
           time[last] - time[first] >= kMinimumRunSeconds * (1 - kRounding);
}

double Interpolate(std::span<const double> time, std::span<const double> values, std::size_t k,
                   double x) {
    const double fraction = (x - time[k]) / (time[k + 1] - time[k]);
    return values[k] + fraction * (values[k + 1] - values[k]);
}

}  // namespace

std::optional<BurnWindow> FindBurnWindow(std::span<const double> time,
                                         std::span<const double> thrust) {
    if (thrust.empty() || time.size() != thrust.size()) {
        return std::nullopt;
    }
    const double maximum = *std::max_element(thrust.begin(), thrust.end());
    if (!(maximum > 0)) {
        return std::nullopt;
    }
    const double threshold = kBurnThresholdFraction * maximum;
    std::optional<BurnWindow> window;
    for (std::size_t i = 0; i < thrust.size();) {
        if (!(thrust[i] > threshold)) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < thrust.size() && thrust[last + 1] > threshold) {
            ++last;
        }
        if (RunCounts(time, i, last)) {
            if (!window) {
                window = BurnWindow{i, last, 0.0, 0.0};
            }
            window->lastSample = last;
        }
        i = last + 1;
    }
    if (!window) {
        return std::nullopt;
    }
    const std::size_t first = window->firstSample;
    const std::size_t last = window->lastSample;
    window->ignition =
        first > 0 ? CrossingTime(time, thrust, first - 1, first, threshold) : time[first];
    window->end = last + 1 < thrust.size() ? CrossingTime(time, thrust, last, last + 1, threshold)
                                           : time[last];
    return window;
}

double IntegrateBetween(std::span<const double> time, std::span<const double> values, double from,
                        double to) {
    if (time.size() < 2 || !(to > from)) {
        return 0.0;
    }
    const auto begin = std::upper_bound(time.begin(), time.end(), from);
    std::size_t k = begin == time.begin() ? 0 : static_cast<std::size_t>(begin - time.begin()) - 1;
    double sum = 0.0;
    for (; k + 1 < time.size() && time[k] < to; ++k) {
        const double a = std::max(from, time[k]);
        const double b = std::min(to, time[k + 1]);
        if (b > a) {
            sum +=
                (b - a) * (Interpolate(time, values, k, a) + Interpolate(time, values, k, b)) / 2;
        }
    }
    return sum;
}

std::vector<double> ValuesAt(std::span<const double> time, std::span<const double> values,
                             std::span<const double> at, double offset) {
    std::vector<double> out(at.size(), 0.0);
    if (time.size() < 2) {
        return out;
    }
    std::size_t k = 0;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const double x = at[i] + offset;
        if (x < time.front() || x > time.back()) {
            continue;
        }
        while (k + 2 < time.size() && time[k + 1] < x) {
            ++k;
        }
        out[i] = Interpolate(time, values, k, x);
    }
    return out;
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower = *std::max_element(values.begin(), values.begin() + middle);
    return (lower + upper) / 2;
}

}  // namespace tarvo
