#include "calc_json.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "files/encoding.h"
#include "files/ini_file.h"
#include "form/design_alerts.h"
#include "form/form_layout.h"
#include "form/stand_report.h"
#include "model/quantities.h"

namespace tarvo {
namespace {

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : SanitizeUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Seventeen significant digits read back as the same double; the point never depends on the
// locale.
std::string JsonNumber(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

class JsonObject {
public:
    void add(std::string_view key, const std::string& json) {
        text_ += (text_.empty() ? "{" : ",") + JsonString(key) + ":" + json;
    }
    void addNumber(std::string_view key, double value) {
        if (std::isfinite(value)) {
            add(key, JsonNumber(value));
        }
    }
    std::string close() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

std::string JsonSeries(const ChartSeries& series) {
    std::string out = "[";
    for (const ChartPoint& point : series) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            continue;
        }
        out +=
            (out.size() > 1 ? ",[" : "[") + JsonNumber(point.x) + "," + JsonNumber(point.y) + "]";
    }
    return out + "]";
}

// Every value label of tabs 1 to 4, by number.
std::string JsonLabels(const FormModel& form) {
    std::vector<int> numbers;
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.tab >= 1 && label.tab <= 4) {
            numbers.push_back(label.label);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    JsonObject labels;
    for (const int label : numbers) {
        labels.add("Label" + std::to_string(label), JsonString(form.labelText(LabelId{label})));
    }
    return labels.close();
}

std::string JsonFields(const FormModel& form) {
    JsonObject fields;
    for (const FieldLayout& layout : FieldLayouts()) {
        fields.add("Edit" + std::to_string(layout.edit),
                   JsonString(form.fieldText(EditId{layout.edit})));
    }
    return fields.close();
}

std::string JsonChecks(const FormModel& form) {
    JsonObject checks;
    checks.add("chk", form.isChecked(kEndGrainBox) ? "true" : "false");
    checks.add("chk1", form.isChecked(kCoredGrainsBox) ? "true" : "false");
    return checks.close();
}

std::string JsonTable(const FormModel& form) {
    std::string out = "[";
    for (const ResultTableRow& row : form.resultTable()) {
        out += (out.size() > 1 ? ",[" : "[") + JsonString(row.time) + "," + JsonString(row.thrust) +
               "]";
    }
    return out + "]";
}

std::string JsonValues(const CalculationResult& result) {
    JsonObject object;
    for (const QuantityInfo& quantity : QuantityTable()) {
        object.addNumber(quantity.symbol, quantity.value(result));
    }
    object.add(kMotorClassSymbol, JsonString(result.figures.MotorClass));
    return object.close();
}

std::string JsonChartSeries(const FormModel& form) {
    const auto series = [&form](int chart, std::size_t index) {
        const std::vector<ChartSeries>& all = form.chart(ChartId{chart}).series;
        return index < all.size() ? JsonSeries(all[index]) : std::string("[]");
    };
    JsonObject object;
    object.add("kn", series(1, 0));
    object.add("web", series(1, 1));
    object.add("pressure", series(2, 0));
    object.add("thrust", series(3, 0));
    object.add("summary", series(4, 0));
    return object.close();
}

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (const std::string& text : texts) {
        out += (out.size() > 1 ? "," : "") + JsonString(text);
    }
    return out + "]";
}

// What the reading rules passed over in the file (repeated keys and sections, cut values): the
// window stays silent about them, as it always has, but a user can find out here.
std::string JsonFileWarnings(const std::string& file) {
    return JsonStrings(FileWarnings(IniFile::Open(file)));
}

// The design checks of the list "Проверка конструкции", in the units of their table.
std::string JsonAlerts(const FormModel& form) {
    std::string out = "[";
    for (const DesignAlert& alert : form.designAlerts()) {
        JsonObject object;
        object.add("code", JsonString(CodeName(alert.code)));
        object.add("severity", JsonString(SeverityName(alert.severity)));
        object.add("text", JsonString(alert.text));
        if (alert.value) {
            object.addNumber("value", *alert.value);
        }
        if (alert.limit) {
            object.addNumber("limit", *alert.limit);
        }
        out += (out.size() > 1 ? "," : "") + object.close();
    }
    return out + "]";
}

// The motor's description, as the memo shows it.
std::string JsonDescription(const FormModel& form) {
    return JsonString(form.memoText());
}

}  // namespace

std::string JsonLine(const std::string& file, const FormModel& form, bool success,
                     const std::string& test) {
    JsonObject line;
    line.add("file", JsonString(file));
    line.add("success", success ? "true" : "false");
    line.add("status", JsonString(form.statusText(0)));
    line.add("labels", JsonLabels(form));
    line.add("fields", JsonFields(form));
    line.add("checks", JsonChecks(form));
    line.add("propellant", std::to_string(form.selectedPropellant() + 1));
    line.add("table", JsonTable(form));
    line.add("values", JsonValues(form.lastCalculation()));
    line.add("series", JsonChartSeries(form));
    line.add("description", JsonDescription(form));
    line.add("file_warnings", JsonFileWarnings(file));
    line.add("alerts", JsonAlerts(form));
    if (!test.empty()) {
        line.add("test", test);
    }
    return line.close() + "\n";
}

namespace {

std::string JsonFigures(const CurveFigures& figures) {
    JsonObject object;
    for (const FigureLayout& layout : kFigureLayouts) {
        if (const std::optional<double> value = FigureValue(figures, layout.figure)) {
            object.addNumber(layout.key, *value);
        }
    }
    return object.close();
}

std::string JsonFit(const StandTestRun& run) {
    const CurveFit& fit = *run.fit;
    JsonObject object;
    if (fit.outcome == FitOutcome::kFitted) {
        JsonObject params;
        for (const FitParameter parameter : run.chosen) {
            params.addNumber(FitParameterName(parameter), fit.values[parameter]);
        }
        object.add("params", params.close());
        object.addNumber("rms", fit.rms);
        if (const auto fitted = CalculatedFigures(*fit.fitted, run.curve.hasPressure())) {
            object.add("fitted", JsonFigures(*fitted));
        }
    } else if (fit.outcome == FitOutcome::kAmbiguous) {
        std::string names;
        for (const FitParameter parameter : fit.ambiguous) {
            names += (names.empty() ? "" : ",") + JsonString(FitParameterName(parameter));
        }
        object.add("ambiguous", "[" + names + "]");
    } else {
        object.add("error", JsonString(fit.message));
    }
    return object.close();
}

}  // namespace

std::string JsonStandTest(const StandTestRun& run) {
    JsonObject test;
    test.add("measured", JsonFigures(run.comparison ? run.comparison->measured
                                                    : MeasuredFigures(run.curve, 0.0)));
    if (run.comparison) {
        test.add("calculated", JsonFigures(run.comparison->calculated));
    }
    if (run.fit) {
        test.add("fit", JsonFit(run));
    }
    return test.close();
}

}  // namespace tarvo
