#include "export/rasp_eng.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ballistics/motor_class.h"
#include "export/ascii_text.h"
#include "export/point_numbers.h"
#include "files/file_io.h"
#include "model/number_text.h"

namespace tarvo {

namespace {

// Decimals written for the points: tenths of a millisecond keep the closely spaced tail
// points apart; thousandths of a newton keep small motors' curves smooth.
constexpr int kTimeDecimals = 4;
constexpr int kThrustDecimals = 3;
constexpr int kLengthDecimals = 2;  // mm
constexpr int kMassDecimals = 5;    // kg: 10 mg

bool IsTokenCharacter(unsigned char c) {
    return c > ' ' && c < 0x7F && c != ';';
}

// Russian letters transliterated; any other character that is not printable ASCII as "?".
std::string AsciiComment(std::string_view text) {
    std::string out = TransliterateToAscii(text, '?');
    for (char& c : out) {
        c = c < ' ' || c == 0x7F ? '?' : c;
    }
    return out;
}

std::string CommentLine(const EngSource& source) {
    return "; Tarvo: " + AsciiComment(SourceDescription(source)) + "\n";
}

std::string CasingMassFault() {
    return "Поле " + Quoted(kCasingMassField) + ": нужна масса не меньше 0";
}

}  // namespace

std::string SourceDescription(const EngSource& source) {
    std::string file = std::filesystem::path(source.sourceFile).filename().string();
    if (file.empty()) {
        file = source.sourceFile.empty() ? "unsaved design" : std::string(source.sourceFile);
    }
    const std::string_view propellant =
        source.propellant.empty() ? "unknown propellant" : source.propellant;
    return file + ", propellant " + std::string(propellant);
}

std::optional<std::string> CurveHeaderFault(const CalculationResult& result,
                                            const EngOptions& options) {
    const double propellantMass = result.figures.m;
    const struct {
        std::string_view name;
        double value;
    } positives[] = {
        {"диаметр камеры Dc", result.design.Dc},
        {"длина камеры Lc", result.design.Lc},
        {"масса топлива m", propellantMass},
    };
    for (const auto& quantity : positives) {
        if (!std::isfinite(quantity.value) || quantity.value <= 0) {
            return "Нет данных для кривой тяги: " + std::string(quantity.name) +
                   " не является положительным числом";
        }
    }
    if (!std::isfinite(propellantMass + options.casingMass) || options.casingMass < 0) {
        return CasingMassFault();
    }
    return std::nullopt;
}

namespace {

std::string TokenOr(std::string_view text, std::string_view fallback) {
    std::string token = EngToken(text);
    if (token.empty()) {
        token = EngToken(fallback);
    }
    return token.empty() ? std::string(kEngDefaultManufacturer) : token;
}

std::string HeaderLine(const CalculationResult& result, const EngOptions& options) {
    const MotorDesign& d = result.design;
    const double m = result.figures.m;
    return TokenOr(options.name, DefaultEngMotorName(result)) + " " +
           PlainNumber(d.Dc, kLengthDecimals) + " " + PlainNumber(d.Lc, kLengthDecimals) + " " +
           std::string(kEngPluggedDelay) + " " + PlainNumber(m, kMassDecimals) + " " +
           PlainNumber(m + options.casingMass, kMassDecimals) + " " +
           TokenOr(options.manufacturer, kEngDefaultManufacturer) + "\n";
}

std::string PointLine(const EngPoint& point) {
    return FixedWithPoint(point.time, kTimeDecimals) + " " +
           FixedWithPoint(point.thrust, kThrustDecimals) + "\n";
}

}  // namespace

EngImpulse CurveImpulse(const EngCurve& curve) {
    EngImpulse result;
    EngPoint previous;  // (0, 0)
    for (const EngPoint& point : curve.points) {
        result.impulse += (point.time - previous.time) * (point.thrust + previous.thrust) / 2;
        previous = point;
    }
    if (previous.time > 0) {
        result.averageThrust = result.impulse / previous.time;
    }
    return result;
}

std::string CurveDesignation(const EngCurve& curve) {
    if (!curve.ok() || curve.points.empty()) {
        return "";
    }
    const EngImpulse impulse = CurveImpulse(curve);
    return EngToken(MotorClassFor(impulse.impulse) + FormatFixed(impulse.averageThrust, 0));
}

std::string DefaultEngMotorName(const CalculationResult& result) {
    return CurveDesignation(EngCurveFromRows(result.rows));
}

EngOptions DefaultEngOptions(const CalculationResult& result) {
    return {DefaultEngMotorName(result), 0.0, std::string(kEngDefaultManufacturer)};
}

CasingMassInput ParseCasingMass(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {0.0, {}};
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const std::optional<double> mass = ParseNumber(text);
    if (!mass) {
        return {0.0, "Поле " + Quoted(kCasingMassField) + ": " + Quoted(text) + " не число"};
    }
    if (*mass < 0) {
        return {0.0, CasingMassFault()};
    }
    return {*mass, {}};
}

std::string EngToken(std::string_view text) {
    std::string token;
    bool separatorPending = false;
    for (const char ch : TransliterateToAscii(text, ' ')) {
        const auto c = static_cast<unsigned char>(ch);
        if (!IsTokenCharacter(c)) {
            separatorPending = true;
            continue;
        }
        if (separatorPending && !token.empty()) {
            token += '_';
        }
        separatorPending = false;
        token += ch;
    }
    return token;
}

EngCurve EngCurveFromRows(const std::vector<ResultRow>& rows) {
    EngCurve curve;
    double previousTime = 0.0;  // the implicit first point (0, 0)
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!std::isfinite(rows[i].time) || !std::isfinite(rows[i].thrust)) {
            return {{},
                    "Кривая тяги содержит нечисловое значение (строка " + std::to_string(i + 1) +
                        " таблицы результатов)"};
        }
        const double time = AsWritten(rows[i].time, kTimeDecimals);
        if (time <= previousTime) {
            continue;
        }
        // Simulators reject a pulling motor; a negative rounding residue reads as no thrust.
        curve.points.push_back({time, std::max(0.0, AsWritten(rows[i].thrust, kThrustDecimals))});
        previousTime = time;
    }
    if (curve.points.empty()) {
        return {{}, "Нет результатов расчёта для кривой тяги"};
    }
    if (curve.points.back().thrust != 0.0) {
        curve.points.push_back(
            {AsWritten(previousTime + std::pow(10.0, -kTimeDecimals), kTimeDecimals), 0.0});
    }
    if (curve.points.size() > kEngMaxPoints) {
        return {{}, "Кривая тяги длиннее " + std::to_string(kEngMaxPoints) + " точек"};
    }
    return curve;
}

EngDocument FormatEngDocument(const EngSource& source, const EngOptions& options) {
    if (std::optional<std::string> fault = CurveHeaderFault(source.result, options)) {
        return {{}, *fault};
    }
    const EngCurve curve = EngCurveFromRows(source.result.rows);
    if (!curve.ok()) {
        return {{}, curve.error};
    }
    EngDocument document;
    document.text = CommentLine(source) + HeaderLine(source.result, options);
    for (const EngPoint& point : curve.points) {
        document.text += PointLine(point);
    }
    return document;
}

ExportStatus WriteExportDocument(const std::filesystem::path& target, const EngDocument& document) {
    if (!document.ok()) {
        return ExportStatus::Failure("Файл " + Quoted(target.string()) +
                                     " не записан: " + document.error);
    }
    if (const std::optional<FileError> failure =
            WriteFileAtomically(target.string(), document.text)) {
        return ExportStatus::Failure(SaveFailureMessage(*failure));
    }
    return ExportStatus::Success();
}

ExportStatus ExportEngFile(const std::filesystem::path& target, const EngSource& source,
                           const EngOptions& options) {
    return WriteExportDocument(target, FormatEngDocument(source, options));
}

}  // namespace tarvo
