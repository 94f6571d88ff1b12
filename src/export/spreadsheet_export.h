#pragma once
// "Экспорт в Excel": the 23 rows of the result table go to the clipboard and to a new workbook,
// which the desktop's spreadsheet application opens when there is one; without one the user
// is told where the workbook is. The window supplies the launcher, the clipboard and the
// message boxes; everything else happens here.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_status.h"
#include "export/system_access.h"
#include "export/xlsx_workbook.h"
#include "model/calculation_result.h"

namespace tarvo {

inline constexpr std::string_view kXlsxMimeType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
inline constexpr std::size_t kExportedRowCount = kResultRows.size();

// One row of the result table as the window shows it.
struct TableRowText {
    std::string time;    // s, 2 decimals
    std::string thrust;  // N, 1 decimal
};

std::vector<TableRowText> ResultTableTexts(const std::vector<ResultRow>& rows);

struct ExportedRows {
    std::vector<WorkbookRow> rows;
    std::string error;  // why there is nothing to export

    bool ok() const { return error.empty(); }
};

// The table texts read back as numbers, so that the workbook holds exactly what the table shows.
ExportedRows WorkbookRowsFromTable(const std::vector<TableRowText>& texts);

// "time<TAB>thrust" lines with the decimal comma, ready to paste into another program.
std::string ClipboardText(const std::vector<TableRowText>& texts);

// True when the desktop names an application for .xlsx workbooks or LibreOffice is on PATH:
// whether the workbook can be opened, not whether it can be written.
bool SpreadsheetInstalled(SystemAccess& system);

// "Книга сохранена: PATH; программа для её открытия не найдена".
std::string WorkbookSavedWithoutApplicationMessage(const std::filesystem::path& workbook);

// The user's documents directory, else $HOME/Documents, else the temporary directory.
std::filesystem::path DocumentsDirectory(SystemAccess& system);

class SpreadsheetLauncher {
public:
    virtual ~SpreadsheetLauncher() = default;
    // Opens the workbook in the desktop's spreadsheet application.
    virtual ExportStatus Open(const std::filesystem::path& workbook) = 0;
};

class ClipboardSink {
public:
    virtual ~ClipboardSink() = default;
    virtual void SetText(const std::string& text) = 0;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Warning(std::string_view text) = 0;  // warning icon, OK
    virtual void Error(std::string_view text) = 0;    // what failed
};

struct SpreadsheetServices {
    SystemAccess& system;
    SpreadsheetLauncher& launcher;
    ClipboardSink& clipboard;
    MessageSink& messages;
};

enum class SpreadsheetExportOutcome {
    kNoSpreadsheetApplication,  // saved and on the clipboard; a warning said where the file is
    kFailed,                    // a message said what failed
    kDone,
};

// The whole export of the last calculation's result rows.
SpreadsheetExportOutcome ExportToSpreadsheet(const std::vector<ResultRow>& rows,
                                             const SpreadsheetServices& services);

}  // namespace tarvo
