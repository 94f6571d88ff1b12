#pragma once
// The motor as a RockSim engine file (.rse), which RockSim and OpenRocket read for a motor
// whose mass and centre of gravity change over the burn: UTF-8 XML
// <engine-database><engine-list><engine ...><comments/><data><eng-data t f m cg/>...
// with lengths in mm, masses in grams, times in s and thrust in N, a decimal point throughout.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_status.h"
#include "export/rasp_eng.h"
#include "model/calculation_result.h"

namespace tarvo {

inline constexpr std::string_view kRseFileFilter = "Двигатель RockSim (*.rse)";
// Tarvo's motors are amateur motors loaded once per firing; RockSim's other types are
// "reloadable" and "hybrid".
inline constexpr std::string_view kRseMotorType = "single-use";

struct RsePoint {
    double time = 0.0;    // s
    double thrust = 0.0;  // N
    double mass = 0.0;    // g: the propellant left and the casing
    double cg = 0.0;      // mm from the motor's forward end
};

struct RseCurve {
    std::vector<RsePoint> points;  // as written: rounded to the file's decimals
    std::string error;

    bool ok() const { return error.empty(); }
};

// The pressure stage's points in time order (TimeOrderedPoints), from (0, 0) to a closing
// zero thrust. The mass at each point is the charge's plus `casingMass` (kg). The centre of
// gravity places the grains in a chamber of length Lc: an end-burning grain against the
// forward closure, burning aft; the cored grains stacked against the nozzle end, where they
// keep their centre as they burn from both ends or none; the casing as a uniform tube over
// Lc. A charge longer than the chamber is refused.
RseCurve RseCurveOf(const CalculationResult& result, double casingMass);

// The class letter and the average thrust of the curve the file holds (RseCurveOf).
std::string DefaultRseMotorName(const CalculationResult& result);
EngOptions DefaultRseOptions(const CalculationResult& result);

// The whole file. The motor's name and maker are written as typed (trimmed, with characters
// XML cannot hold replaced); empty ones fall back to the defaults.
EngDocument FormatRseDocument(const EngSource& source, const EngOptions& options);

// Formats and writes the file atomically; every failure names the file.
ExportStatus ExportRseFile(const std::filesystem::path& target, const EngSource& source,
                           const EngOptions& options);

}  // namespace tarvo
