#include "stand/measured_curve.h"

#include <algorithm>

#include "files/file_io.h"

namespace tarvo {
namespace {

// The zero and the burn depend on each other: the threshold is 5 % of the zeroed maximum, the
// zero is the median before ignition. A first zero from the samples before the thrust first
// reaches half its range, leaving out the last 50 ms before that (the rise), is settled in a
// few rounds. A log that starts with the firing has no samples to take a zero from.
constexpr int kZeroRounds = 5;
constexpr double kSurelyFiring = 0.5;
constexpr double kRiseAllowance = 0.05;  // s

double FirstZero(const StandSamples& samples) {
    const std::vector<double>& thrust = samples.thrust;
    const auto [low, high] = std::minmax_element(thrust.begin(), thrust.end());
    const double level = *low + kSurelyFiring * (*high - *low);
    const auto firing =
        std::find_if(thrust.begin(), thrust.end(), [level](double value) { return value > level; });
    if (firing == thrust.end()) {
        return MedianOf(thrust);  // a flat log: no firing to find anyway
    }
    const double riseStart = samples.time[firing - thrust.begin()] - kRiseAllowance;
    const auto waiting = std::lower_bound(samples.time.begin(), samples.time.end(), riseStart);
    return MedianOf(
        std::vector<double>(thrust.begin(), thrust.begin() + (waiting - samples.time.begin())));
}

std::vector<double> Zeroed(const std::vector<double>& thrust, double zero) {
    std::vector<double> out(thrust.size());
    std::transform(thrust.begin(), thrust.end(), out.begin(),
                   [zero](double value) { return std::max(0.0, value - zero); });
    return out;
}

}  // namespace

MeasuredCurveResult PrepareMeasuredCurve(StandSamples samples) {
    if (samples.time.size() < kMinimumStandSamples) {
        return {std::nullopt, StandLogError{0, TooFewSamplesReason(samples.time.size())}};
    }
    double zero = FirstZero(samples);
    std::optional<BurnWindow> burn;
    for (int round = 0; round < kZeroRounds; ++round) {
        burn = FindBurnWindow(samples.time, Zeroed(samples.thrust, zero));
        if (!burn) {
            break;
        }
        const auto beforeIgnition = samples.thrust.begin() + burn->firstSample;
        const double next = MedianOf(std::vector<double>(samples.thrust.begin(), beforeIgnition));
        if (next == zero) {
            break;
        }
        zero = next;
    }
    if (!burn) {
        return {std::nullopt,
                StandLogError{0,
                              "не найдено горение: тяга нигде не держится выше 5 % максимума "
                              "хотя бы 5 мс и 3 отсчёта подряд"}};
    }
    MeasuredCurve curve;
    curve.standZero = zero;
    curve.samples.thrust = Zeroed(samples.thrust, zero);
    curve.burn = *FindBurnWindow(samples.time, curve.samples.thrust);
    const double ignition = curve.burn.ignition;
    curve.samples.time = std::move(samples.time);
    for (double& time : curve.samples.time) {
        time -= ignition;
    }
    curve.samples.pressure = std::move(samples.pressure);
    curve.burn.ignition = 0.0;
    curve.burn.end -= ignition;
    return {std::move(curve), std::nullopt};
}

MeasuredCurveResult ReadMeasuredCurve(std::string_view bytes) {
    StandLogResult log = ReadStandLog(DecodeStandLog(bytes));
    if (log.error) {
        return {std::nullopt, std::move(log.error)};
    }
    return PrepareMeasuredCurve(std::move(log.samples));
}

LoadedCurve LoadMeasuredCurve(const std::string& path) {
    const FileContents contents = ReadFileBytes(path, kMaxStandLogBytes);
    if (contents.status == ReadStatus::Missing) {
        return {std::nullopt, "Файл испытания " + path + " не найден"};
    }
    if (contents.status == ReadStatus::Failed) {
        return {std::nullopt, ReadFailureMessage(*contents.error)};
    }
    if (contents.truncated) {
        return {std::nullopt, "Файл испытания " + path + " больше " +
                                  std::to_string(kMaxStandLogBytes >> 20) + " МБ"};
    }
    MeasuredCurveResult result = ReadMeasuredCurve(contents.bytes);
    if (!result.curve) {
        return {std::nullopt,
                "Файл испытания " + path + ": " + DescribeStandLogError(*result.error)};
    }
    return {std::move(result.curve), ""};
}

}  // namespace tarvo
