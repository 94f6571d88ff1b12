#include "export/spreadsheet_export.h"

#include <system_error>

#include "model/number_text.h"

namespace tarvo {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view FirstLineTrimmed(std::string_view text) {
    text = text.substr(0, text.find('\n'));
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsDirectory(const std::filesystem::path& path) {
    std::error_code error;
    return path.is_absolute() && std::filesystem::is_directory(path, error);
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}

// The XDG documents directory; the desktop answers with the home directory itself when the
// user has none configured (or has switched it off), which is not a documents directory.
std::optional<std::filesystem::path> XdgDocumentsDirectory(SystemAccess& system,
                                                           const std::string& home) {
    const std::optional<std::string> answer = system.RunForOutput({"xdg-user-dir", "DOCUMENTS"});
    if (!answer) {
        return std::nullopt;
    }
    const std::filesystem::path directory(FirstLineTrimmed(*answer));
    if (!IsDirectory(directory) || (!home.empty() && SamePath(directory, home))) {
        return std::nullopt;
    }
    return directory;
}

std::filesystem::path TemporaryDirectory(SystemAccess& system) {
    const std::optional<std::string> tmpdir = system.Environment("TMPDIR");
    if (tmpdir && IsDirectory(*tmpdir)) {
        return *tmpdir;
    }
    return "/tmp";
}

std::optional<WorkbookRow> ReadRow(const TableRowText& text) {
    const std::optional<double> time = ParseNumber(text.time);
    const std::optional<double> thrust = ParseNumber(text.thrust);
    if (!time || !thrust) {
        return std::nullopt;
    }
    return WorkbookRow{*time, *thrust};
}

SpreadsheetExportOutcome Fail(const SpreadsheetServices& services, std::string_view message) {
    services.messages.Error(message);
    return SpreadsheetExportOutcome::kFailed;
}

}  // namespace

std::vector<TableRowText> ResultTableTexts(const std::vector<ResultRow>& rows) {
    std::vector<TableRowText> texts;
    texts.reserve(rows.size());
    for (const ResultRow& row : rows) {
        texts.push_back({FormatFixed(row.time, 2), FormatFixed(row.thrust, 1)});
    }
    return texts;
}

ExportedRows WorkbookRowsFromTable(const std::vector<TableRowText>& texts) {
    ExportedRows exported;
    if (texts.size() != kExportedRowCount) {
        exported.error = "Нет результатов расчёта для экспорта: в таблице результатов " +
                         std::to_string(texts.size()) + " строк вместо " +
                         std::to_string(kExportedRowCount);
        return exported;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<WorkbookRow> row = ReadRow(texts[i]);
        if (!row) {
            exported.rows.clear();
            exported.error = "Строка " + std::to_string(i + 1) + " таблицы результатов (" +
                             texts[i].time + "; " + texts[i].thrust + ") не содержит чисел";
            return exported;
        }
        exported.rows.push_back(*row);
    }
    return exported;
}

std::string ClipboardText(const std::vector<TableRowText>& texts) {
    std::string text;
    for (const TableRowText& row : texts) {
        text += row.time;
        text += '\t';
        text += row.thrust;
        text += '\n';
    }
    return text;
}

bool SpreadsheetInstalled(SystemAccess& system) {
    const std::optional<std::string> application =
        system.RunForOutput({"xdg-mime", "query", "default", std::string(kXlsxMimeType)});
    if (application && !FirstLineTrimmed(*application).empty()) {
        return true;
    }
    return system.ProgramOnPath("libreoffice") || system.ProgramOnPath("soffice");
}

std::filesystem::path DocumentsDirectory(SystemAccess& system) {
    const std::string home = system.Environment("HOME").value_or("");
    if (std::optional<std::filesystem::path> xdg = XdgDocumentsDirectory(system, home)) {
        return *xdg;
    }
    if (!home.empty() && IsDirectory(std::filesystem::path(home) / "Documents")) {
        return std::filesystem::path(home) / "Documents";
    }
    return TemporaryDirectory(system);
}

std::string WorkbookSavedWithoutApplicationMessage(const std::filesystem::path& workbook) {
    return "Книга сохранена: " + workbook.string() + "; программа для её открытия не найдена";
}

// The clipboard is filled first: pasting into another program needs no workbook at all.
SpreadsheetExportOutcome ExportToSpreadsheet(const std::vector<ResultRow>& rows,
                                             const SpreadsheetServices& services) {
    const std::vector<TableRowText> texts = ResultTableTexts(rows);
    const ExportedRows exported = WorkbookRowsFromTable(texts);
    if (!exported.ok()) {
        return Fail(services, exported.error);
    }
    services.clipboard.SetText(ClipboardText(texts));
    const WorkbookResult workbook =
        WriteThrustWorkbook(exported.rows, DocumentsDirectory(services.system));
    if (!workbook.ok()) {
        return Fail(services, workbook.error);
    }
    if (!SpreadsheetInstalled(services.system)) {
        services.messages.Warning(WorkbookSavedWithoutApplicationMessage(workbook.path));
        return SpreadsheetExportOutcome::kNoSpreadsheetApplication;
    }
    // The saved workbook stays where it is: the message tells the user where to find it.
    const ExportStatus opened = services.launcher.Open(workbook.path);
    if (!opened.ok()) {
        return Fail(services, "Книга сохранена как " + Quoted(workbook.path.string()) +
                                  ", но открыть её не удалось: " + opened.error);
    }
    return SpreadsheetExportOutcome::kDone;
}

}  // namespace tarvo
