#include "sweep/sweep_output.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "model/quantities.h"

namespace tarvo {
namespace {

constexpr std::string_view kSuccessColumn = "success";
constexpr std::string_view kAlertsColumn = "alerts";
constexpr std::string_view kStatusColumn = "status";

// A field as RFC 4180 wants it: quoted when it holds a separator, a quote or a line break.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += (line.empty() ? "" : ",") + CsvField(field);
    }
    return line + "\n";
}

std::string BooleanText(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string PointNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> SweepColumns(const std::vector<const SweepKey*>& keys) {
    std::vector<std::string> columns;
    for (const SweepKey* key : keys) {
        columns.emplace_back(key->name());
    }
    columns.emplace_back(kSuccessColumn);
    for (const std::string_view figure : kSweepFigures) {
        columns.emplace_back(figure);
    }
    columns.emplace_back(kMotorClassSymbol);
    columns.emplace_back(kAlertsColumn);
    columns.emplace_back(kStatusColumn);
    return columns;
}

std::string AlertText(const DesignOutcome& outcome) {
    std::string text;
    for (const DiagnosticCode code : outcome.alerts) {
        text += (text.empty() ? "" : " ") + std::string(CodeName(code));
    }
    return text;
}

std::string CsvHeader(const std::vector<const SweepKey*>& keys) {
    return CsvLine(SweepColumns(keys));
}

std::string CsvRow(const SweepRow& row) {
    std::vector<std::string> fields;
    for (const KeyValue& value : row.values) {
        fields.push_back(PointText(value.fieldText));
    }
    const DesignOutcome& outcome = row.outcome;
    fields.push_back(BooleanText(outcome.success));
    for (const std::optional<double>& figure : outcome.figures) {
        fields.push_back(figure ? PointNumber(*figure) : "");
    }
    fields.push_back(outcome.motorClass);
    fields.push_back(AlertText(outcome));
    fields.push_back(outcome.status);
    return CsvLine(fields);
}

std::string JsonLine(const std::vector<const SweepKey*>& keys, const SweepRow& row) {
    nlohmann::ordered_json line;
    for (std::size_t i = 0; i < keys.size() && i < row.values.size(); ++i) {
        line[std::string(keys[i]->name())] = row.values[i].value;
    }
    const DesignOutcome& outcome = row.outcome;
    line[std::string(kSuccessColumn)] = outcome.success;
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        const std::optional<double>& figure = outcome.figures[i];
        line[std::string(kSweepFigures[i])] =
            figure ? nlohmann::ordered_json(*figure) : nlohmann::ordered_json(nullptr);
    }
    line[std::string(kMotorClassSymbol)] = outcome.motorClass.empty()
                                               ? nlohmann::ordered_json(nullptr)
                                               : nlohmann::ordered_json(outcome.motorClass);
    nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
    for (const DiagnosticCode code : outcome.alerts) {
        alerts.push_back(std::string(CodeName(code)));
    }
    line[std::string(kAlertsColumn)] = std::move(alerts);
    line[std::string(kStatusColumn)] = outcome.status;
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string SweepCsv(const std::vector<const SweepKey*>& keys, const std::vector<SweepRow>& rows) {
    std::string text = CsvHeader(keys);
    for (const SweepRow& row : rows) {
        if (row.calculated) {
            text += CsvRow(row);
        }
    }
    return text;
}

std::vector<const SweepKey*> AxisKeys(const SweepPlan& plan) {
    std::vector<const SweepKey*> keys;
    for (const SweepAxis& axis : plan.axes()) {
        keys.push_back(axis.key);
    }
    return keys;
}

}  // namespace tarvo
