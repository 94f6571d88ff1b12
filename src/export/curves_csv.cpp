#include "export/curves_csv.h"

#include <cmath>

#include "export/curve_points.h"
#include "export/point_numbers.h"
#include "model/quantities.h"

namespace tarvo {

namespace {

constexpr double kPascalsPerMegapascal = 1e6;

double Time(const TimePoint& p) {
    return p.time;
}
double Pressure(const TimePoint& p) {
    return p.pressurePa / kPascalsPerMegapascal;
}
double Thrust(const TimePoint& p) {
    return p.thrust;
}
double Kn(const TimePoint& p) {
    return p.charge.burningArea / p.throatArea;
}
double Web(const TimePoint& p) {
    return p.charge.web;
}
double Mass(const TimePoint& p) {
    return p.charge.mass;
}
double MassFlux(const TimePoint& p) {
    return p.charge.massFlux;
}

constexpr CsvColumn kColumns[] = {
    {"time", "BurnTime", 5, &Time},
    {"chamber pressure (absolute)", "Pmax", 4, &Pressure},
    {"thrust", "Fmax", 3, &Thrust},
    {"Kn", "Kn max", 2, &Kn},
    {"web left", "WebTotal", 4, &Web},
    {"propellant mass", "m", 6, &Mass},
    {"mass flux", "PeakMassFlux", 2, &MassFlux},
};

constexpr std::string_view kRatioUnit = "-";

std::string Line(const TimePoint& point) {
    std::string line;
    for (const CsvColumn& column : kColumns) {
        if (!line.empty()) {
            line += ',';
        }
        const double value = column.value(point);
        if (std::isfinite(value)) {
            line += FixedWithPoint(value, column.decimals);
        }
    }
    return line + "\n";
}

}  // namespace

std::span<const CsvColumn> CsvColumns() {
    return kColumns;
}

std::string CsvColumnHeader(const CsvColumn& column) {
    const QuantityInfo* quantity = FindQuantity(column.unitOf);
    std::string header(column.title);
    if (quantity != nullptr && quantity->unit != kRatioUnit) {
        header += " [" + std::string(quantity->unit) + "]";
    }
    return header;
}

EngDocument FormatCurvesCsv(const CalculationResult& result) {
    const std::vector<int> rows = TimeOrderedPoints(result.timeSeries);
    if (!result.succeeded() || rows.empty()) {
        return {{}, "Нет результатов расчёта для таблицы кривых"};
    }
    std::string text;
    for (const CsvColumn& column : kColumns) {
        text += (text.empty() ? "" : ",") + CsvColumnHeader(column);
    }
    text += "\n";
    for (const int row : rows) {
        text += Line(result.timeSeries[row]);
    }
    return {std::move(text), {}};
}

ExportStatus ExportCurvesCsv(const std::filesystem::path& target, const CalculationResult& result) {
    return WriteExportDocument(target, FormatCurvesCsv(result));
}

}  // namespace tarvo
