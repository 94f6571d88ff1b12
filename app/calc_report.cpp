#include "calc_report.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "files/encoding.h"
#include "form/design_alerts.h"
#include "form/form_layout.h"

namespace tarvo {
namespace {

// A caption on one line, without the blanks the window's layout left around it.
std::string OneLine(std::string_view caption) {
    std::string line;
    for (const char c : caption) {
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

// The groups of a tab in the order the window shows them: those of the fields first.
std::vector<std::string_view> GroupsOfTab(int tab) {
    std::vector<std::string_view> groups;
    const auto add = [&groups](std::string_view group) {
        if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
            groups.push_back(group);
        }
    };
    for (const FieldLayout& field : FieldLayouts()) {
        if (field.tab == tab) {
            add(field.group);
        }
    }
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.tab == tab) {
            add(label.group);
        }
    }
    return groups;
}

std::string ReportLine(std::string_view caption, const std::string& value) {
    return "    " + OneLine(caption) + ": " + value + "\n";
}

std::string TabReport(const FormModel& form, int tab) {
    std::string out =
        "Вкладка " + std::to_string(tab) + ". " + std::string(kTabCaptions[tab - 1]) + "\n";
    for (const std::string_view group : GroupsOfTab(tab)) {
        out += "  " + std::string(group) + "\n";
        for (const FieldLayout& field : FieldLayouts()) {
            if (field.tab == tab && field.group == group) {
                out += ReportLine(field.caption, form.fieldText(EditId{field.edit}));
            }
        }
        for (const LabelLayout& label : LabelLayouts()) {
            if (label.tab == tab && label.group == group) {
                out += ReportLine(label.caption, form.labelText(LabelId{label.label}));
            }
        }
    }
    return out;
}

std::string Padded(std::string_view text, std::size_t width) {
    const std::size_t length = Utf8Length(text);
    return std::string(length < width ? width - length : 0, ' ') + std::string(text);
}

std::string TableReport(const FormModel& form) {
    std::string out = "Таблица тяги\n";
    out += Padded(kResultTableColumns[0].title, 4) + Padded(kResultTableColumns[1].title, 14) +
           Padded(kResultTableColumns[2].title, 14) + "\n";
    for (const ResultTableRow& row : form.resultTable()) {
        out += Padded(row.number, 4) + Padded(row.time, 14) + Padded(row.thrust, 14) + "\n";
    }
    if (form.resultTable().empty()) {
        out += "  (нет строк)\n";
    }
    return out;
}

std::string YesNo(bool value) {
    return value ? "да" : "нет";
}

}  // namespace

std::string AlertsReport(const FormModel& form) {
    if (form.designAlerts().empty()) {
        return {};
    }
    std::string out = std::string(kDesignChecksCaption) + ":\n";
    for (const DesignAlert& alert : form.designAlerts()) {
        out += "  " + std::string(SeverityWord(alert.severity)) + ": " + alert.text + "\n";
    }
    return out;
}

std::string ReadableReport(const std::string& file, const FormModel& form) {
    const int selected = form.selectedPropellant();
    std::string out = "Файл: " + SanitizeUtf8(file) + "\n";
    out += "Состояние: " + form.statusText(0) + "\n";
    out += AlertsReport(form);
    out += std::string(kPropellantListCaption) + ": " +
           (selected >= 0 ? form.propellantItems()[selected] : std::string("не выбран")) + "\n";
    out += "Канальные шашки: " + YesNo(form.isChecked(kCoredGrainsBox)) +
           "; торцевая шашка: " + YesNo(form.isChecked(kEndGrainBox)) + "\n";
    out += "Описание: " + form.memoText() + "\n\n";
    for (int tab = 1; tab <= 4; ++tab) {
        out += TabReport(form, tab) + "\n";
    }
    return out + TableReport(form);
}

}  // namespace tarvo
