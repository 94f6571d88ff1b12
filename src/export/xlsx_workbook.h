#pragma once
// The thrust table as a new .xlsx workbook of one worksheet.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

inline constexpr std::string_view kWorksheetName = "Расчёты двигателя (Tarvo)";

struct WorkbookRow {
    double time = 0.0;    // s, column A
    double thrust = 0.0;  // N, column B
};

struct WorkbookResult {
    std::filesystem::path path;  // where the workbook was saved
    std::string error;           // what failed, empty on success

    bool ok() const { return error.empty(); }
};

// Writes the rows from A1 down with the whole table selected, and saves the workbook in
// `directory` as "<worksheet name>.xlsx", or "... (2).xlsx" and so on when that is taken.
// The file appears complete or not at all; an existing file is never replaced.
WorkbookResult WriteThrustWorkbook(const std::vector<WorkbookRow>& rows,
                                   const std::filesystem::path& directory);

}  // namespace tarvo
