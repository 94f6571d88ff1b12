#pragma once
// A desktop for the spreadsheet export: helper programs answer from a table, the documents
// directory is a scratch directory, and what the export hands to the launcher, the clipboard
// and the message boxes is kept. No real spreadsheet application is ever started.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../files/temp_dir.h"
#include "export/spreadsheet_export.h"

namespace tarvo::testing {

inline const std::string kMimeQuery = "xdg-mime query default " + std::string(kXlsxMimeType);
inline const std::string kDocumentsQuery = "xdg-user-dir DOCUMENTS";

struct FakeDesktop : SystemAccess, SpreadsheetLauncher, ClipboardSink, MessageSink {
    TempDir documents;
    std::map<std::string, std::string> outputs{{kMimeQuery, "calc.desktop\n"},
                                               {kDocumentsQuery, documents.path()}};
    std::set<std::string, std::less<>> onPath;
    std::map<std::string, std::string> environment;
    ExportStatus launchAnswer;
    std::vector<std::filesystem::path> opened;
    std::optional<std::string> clipboard;
    std::vector<std::string> warnings, errors;

    std::optional<std::string> RunForOutput(const std::vector<std::string>& command) override {
        std::string joined;
        for (const std::string& word : command) {
            joined += (joined.empty() ? "" : " ") + word;
        }
        return outputs.contains(joined) ? std::optional(outputs[joined]) : std::nullopt;
    }
    bool ProgramOnPath(std::string_view program) override { return onPath.contains(program); }
    std::optional<std::string> Environment(const std::string& name) override {
        return environment.contains(name) ? std::optional(environment[name]) : std::nullopt;
    }
    ExportStatus Open(const std::filesystem::path& workbook) override {
        opened.push_back(workbook);
        return launchAnswer;
    }
    void SetText(const std::string& text) override { clipboard = text; }
    void Warning(std::string_view text) override { warnings.emplace_back(text); }
    void Error(std::string_view text) override { errors.emplace_back(text); }
    // The answer of a helper program; nothing: it fails.
    void Answer(const std::string& query, const std::optional<std::string>& text) {
        text ? void(outputs[query] = *text) : void(outputs.erase(query));
    }
    SpreadsheetExportOutcome Export(const std::vector<ResultRow>& rows) {
        return ExportToSpreadsheet(rows, {*this, *this, *this, *this});
    }
};

}  // namespace tarvo::testing
