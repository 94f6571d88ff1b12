#pragma once
// Every curve of a calculation as one CSV table for spreadsheets and plotting programs: a
// header naming each column with its unit, then one line per point of the pressure stage in
// time order, comma-separated, with a decimal point.

#include <filesystem>
#include <span>
#include <string_view>

#include "export/export_status.h"
#include "export/rasp_eng.h"
#include "model/calculation_result.h"

namespace tarvo {

inline constexpr std::string_view kCsvFileFilter = "Таблица CSV (*.csv)";

struct CsvColumn {
    std::string_view title;   // "chamber pressure (absolute)"
    std::string_view unitOf;  // the figure of the quantity table whose unit the column has
    int decimals;
    double (*value)(const TimePoint& point);
};

// time, chamber pressure (absolute, as the charts show it), thrust, Kn (the burning area over
// the throat area of the point), web left, propellant mass left, mass flux. After a burn-out
// (the tail-off points) the charge's columns hold what the burn left.
std::span<const CsvColumn> CsvColumns();

// "time [s]": the column's title and its unit from the quantity table; a ratio has none.
std::string CsvColumnHeader(const CsvColumn& column);

// The whole table; a value that is not finite is an empty cell.
EngDocument FormatCurvesCsv(const CalculationResult& result);

// Formats and writes the file atomically; every failure names the file.
ExportStatus ExportCurvesCsv(const std::filesystem::path& target, const CalculationResult& result);

}  // namespace tarvo
