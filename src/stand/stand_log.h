#pragma once
// The samples of a test-stand log as loggers write them: a text of lines with time, thrust and
// optionally chamber pressure, separated by commas, semicolons, tabs or spaces, with or without
// a header that names the columns and their units. Lines that do not start with a number are
// headers or comments. Values come out in s, N and MPa (gauge), as logged otherwise: the stand's
// zero and the ignition are found later (measured_curve.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// Fewer samples than this make no curve.
inline constexpr std::size_t kMinimumStandSamples = 10;

struct StandSamples {
    std::vector<double> time;      // s
    std::vector<double> thrust;    // N
    std::vector<double> pressure;  // MPa gauge; empty when the log has no pressure column
};

// Why a log cannot be read: the line (1 for the first, 0 for the log as a whole) and the
// reason, in Russian, lower case, without a final stop.
struct StandLogError {
    int line = 0;
    std::string reason;
};

// "в файле 5 отсчётов, нужно не меньше 10".
std::string TooFewSamplesReason(std::size_t count);

// "строка 12: «1,2,3» не число" or the reason alone for the whole log.
std::string DescribeStandLogError(const StandLogError& error);

struct StandLogResult {
    StandSamples samples;
    std::optional<StandLogError> error;
};

// Reads UTF-8 text. Without a header the columns are time in s, thrust in N and pressure in MPa,
// in that order; a header names them in English or Russian (t/time/время, F/thrust/тяга,
// P/pressure/давление) with the unit in brackets, after a comma or as a word of its own.
StandLogResult ReadStandLog(std::string_view text);

// A log's bytes as text: UTF-8 after a byte-order mark or when the bytes are valid UTF-8,
// Windows-1251 otherwise (what loggers on Windows write).
std::string DecodeStandLog(std::string_view bytes);

}  // namespace tarvo
