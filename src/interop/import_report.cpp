#include "interop/import_report.h"

namespace tarvo {
namespace {

std::string Section(std::string_view title, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return "";
    }
    std::string text = "\n" + std::string(title) + ":\n";
    for (const std::string& line : lines) {
        text += "  - " + line + "\n";
    }
    return text;
}

}  // namespace

std::string FormatImportReport(std::string_view heading, const ImportReport& report) {
    return std::string(heading) + "\n" + Section("Перенесено", report.mapped) +
           Section("Пересчитано", report.converted) + Section("Не перенесено", report.notTaken);
}

}  // namespace tarvo
