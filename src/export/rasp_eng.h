#pragma once
// The thrust curve as a RASP .eng file, the format flight simulators read: ";" comment lines,
// one header line of seven blank-separated fields, then "time thrust" lines with a decimal
// point, times strictly increasing, the last thrust zero, at most 32 points, ASCII only.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_status.h"
#include "model/calculation_result.h"

namespace tarvo {

inline constexpr std::size_t kEngMaxPoints = 32;
inline constexpr std::string_view kEngPluggedDelay = "P";
inline constexpr std::string_view kEngDefaultManufacturer = "Tarvo";
inline constexpr std::string_view kEngFileFilter = "Кривая тяги RASP (*.eng)";
inline constexpr std::string_view kCasingMassField = "Масса корпуса, кг";

struct EngPoint {
    double time = 0.0;    // s
    double thrust = 0.0;  // N
};

// What the user may change before writing; the rest of the header comes from the calculation.
struct EngOptions {
    std::string name;
    double casingMass = 0.0;  // kg, added to the propellant mass for the loaded mass
    std::string manufacturer;
};

// The class letter followed by the average thrust as a whole number, e.g. "E15", both from the
// curve the file holds (EngCurveFromRows of the result rows), so that a simulator's own count of
// its impulse agrees with the name. Empty when the rows give no curve.
std::string DefaultEngMotorName(const CalculationResult& result);
EngOptions DefaultEngOptions(const CalculationResult& result);
struct CasingMassInput {
    double value = 0.0;
    std::string error;  // names the field when the text is not a mass

    bool ok() const { return error.empty(); }
};

// The casing mass as typed in the export dialog (comma or point); an empty text is 0.
CasingMassInput ParseCasingMass(std::string_view text);

// One blank-free ASCII token: Russian letters are transliterated, runs of blanks, other
// non-ASCII characters and ";" become one "_", and such runs at either end are dropped.
// Empty when nothing printable is left.
std::string EngToken(std::string_view text);

struct EngCurve {
    std::vector<EngPoint> points;  // as written: rounded to the file's decimals
    std::string error;

    bool ok() const { return error.empty(); }
};

// The curve through the result rows without the first (0, 0) row; a point whose time does not
// increase is dropped and a zero-thrust point closes a curve that does not end at zero.
EngCurve EngCurveFromRows(const std::vector<ResultRow>& rows);

// The total impulse (N s: trapezoids between the points, from the implicit (0, 0)) and the
// average thrust (N: the impulse over the last point's time) of a curve.
struct EngImpulse {
    double impulse = 0.0;
    double averageThrust = 0.0;
};
EngImpulse CurveImpulse(const EngCurve& curve);

// The class letter and the average thrust of a curve, as DefaultEngMotorName; empty for no
// curve.
std::string CurveDesignation(const EngCurve& curve);

struct EngDocument {
    std::string text;
    std::string error;

    bool ok() const { return error.empty(); }
};

// What the file describes: a calculation, its propellant's name ("KN/SB-65/35") and the motor
// file the design came from (empty when unsaved).
struct EngSource {
    const CalculationResult& result;
    std::string_view propellant;
    std::string_view sourceFile;
};

// The first dimension that cannot go into a curve file's header (Dc, Lc, m, a negative casing
// mass), or nothing.
std::optional<std::string> CurveHeaderFault(const CalculationResult& result,
                                            const EngOptions& options);

// What a comment says of the source: "motor.zel, propellant KN/SB-65/35" ("unsaved design",
// "unknown propellant" when they are not known).
std::string SourceDescription(const EngSource& source);

// The whole file, its points from the calculation's result rows.
EngDocument FormatEngDocument(const EngSource& source, const EngOptions& options);

// Writes a formatted document atomically, or says why it was not; every failure names the file.
ExportStatus WriteExportDocument(const std::filesystem::path& target, const EngDocument& document);

// Formats and writes the file atomically; every failure names the file.
ExportStatus ExportEngFile(const std::filesystem::path& target, const EngSource& source,
                           const EngOptions& options);

}  // namespace tarvo
