#include "form/stand_report.h"

#include <cmath>

#include "files/encoding.h"
#include "form/form_layout.h"
#include "input/field_map.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr std::string_view kBurnRateCaption = "Множитель коэффициентов a (скорость горения)";
constexpr std::string_view kNoDifference = "—";

std::string FigureText(const FigureLayout& layout, double value) {
    return FormatFixed(value, layout.decimals);
}

std::string DifferenceText(std::optional<double> percent) {
    if (!percent) {
        return std::string(kNoDifference);
    }
    const std::string text = FormatFixed(*percent, 1);
    if (FormatFixed(std::abs(*percent), 1) == FormatFixed(0.0, 1)) {
        return FormatFixed(0.0, 1);  // not "-0,0"
    }
    return text.starts_with('-') ? text : "+" + text;
}

struct FitValueLayout {
    FitParameter parameter;
    int field;  // whose caption names it; 0 for the burn-rate factor
    int decimals;
};
constexpr FitValueLayout kFitValueLayouts[] = {
    {FitParameter::kBurnRate, 0, 4},
    {FitParameter::kUc, field::kuc, 4},
    {FitParameter::kUnoz, field::kunoz, 4},
    {FitParameter::kErosion, field::ke, 3},
};

const FitValueLayout& ValueLayoutOf(FitParameter parameter) {
    return kFitValueLayouts[static_cast<std::size_t>(parameter)];
}

std::string Padded(std::string_view text, std::size_t width) {
    const std::size_t length = Utf8Length(text);
    return std::string(length < width ? width - length : 0, ' ') + std::string(text);
}

std::string ComparisonReport(const StandTestRun& run) {
    if (!run.comparison) {
        return "  Сравнение невозможно: двигатель не рассчитан\n";
    }
    const std::vector<ComparisonRow> rows = ComparisonRows(*run.comparison);
    std::size_t width = Utf8Length(kComparisonColumns[0]);
    for (const ComparisonRow& row : rows) {
        width = std::max(width, Utf8Length(row.caption));
    }
    const auto line = [width](std::string_view caption, std::string_view a, std::string_view b,
                              std::string_view c) {
        return "  " + std::string(caption) + std::string(width - Utf8Length(caption), ' ') +
               Padded(a, 12) + Padded(b, 12) + Padded(c, 12) + "\n";
    };
    std::string out = line(kComparisonColumns[0], kComparisonColumns[1], kComparisonColumns[2],
                           kComparisonColumns[3]);
    for (const ComparisonRow& row : rows) {
        out += line(row.caption, row.measured, row.calculated, row.difference);
    }
    return out;
}

}  // namespace

std::string FitReport(const StandTestRun& run) {
    const CurveFit& fit = *run.fit;
    std::string names;
    for (const FitParameter parameter : run.chosen) {
        names += (names.empty() ? "" : ", ") + std::string(FitParameterName(parameter));
    }
    std::string out = "Подбор: " + names + "\n";
    if (fit.outcome == FitOutcome::kAmbiguous) {
        return out + "  " + AmbiguousFitMessage(fit.ambiguous) + "\n";
    }
    if (fit.outcome == FitOutcome::kFailed) {
        return out + "  Подбор не удался: " + fit.message + "\n";
    }
    for (const FitParameter parameter : run.chosen) {
        out += "  " + std::string(FitParameterCaption(parameter)) + ": " +
               FitValueText(parameter, fit.values[parameter]) + "\n";
    }
    out += "  " + FitRmsText(fit) + "\n  Подобранный двигатель:\n";
    if (const auto fitted = CalculatedFigures(*fit.fitted, run.curve.hasPressure())) {
        for (const auto& [caption, value] : FigureTexts(*fitted)) {
            out += "    " + caption + ": " + value + "\n";
        }
    }
    return out;
}

std::string StandTestReport(const std::string& curveFile, const StandTestRun& run) {
    std::string out = "\nИспытание: " + SanitizeUtf8(curveFile) + "\n";
    out += "  Нуль стенда: " + FormatFixed(run.curve.standZero, 2) +
           " Н; горение от 5 % до 5 % тяги: " + FormatFixed(run.curve.burn.end, 3) + " с\n";
    out += ComparisonReport(run);
    return run.fit ? out + "\n" + FitReport(run) : out;
}

std::vector<ComparisonRow> ComparisonRows(const Comparison& comparison) {
    std::vector<ComparisonRow> rows;
    for (const FigureLayout& layout : kFigureLayouts) {
        const std::optional<double> measured = FigureValue(comparison.measured, layout.figure);
        const std::optional<double> calculated = FigureValue(comparison.calculated, layout.figure);
        if (!measured || !calculated) {
            continue;
        }
        rows.push_back({std::string(layout.caption), std::string(layout.shortCaption),
                        FigureText(layout, *measured), FigureText(layout, *calculated),
                        DifferenceText(DifferencePercent(*measured, *calculated))});
    }
    return rows;
}

std::vector<std::pair<std::string, std::string>> FigureTexts(const CurveFigures& figures) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const FigureLayout& layout : kFigureLayouts) {
        if (const std::optional<double> value = FigureValue(figures, layout.figure)) {
            texts.emplace_back(std::string(layout.caption), FigureText(layout, *value));
        }
    }
    return texts;
}

std::string_view FitParameterCaption(FitParameter parameter) {
    const FitValueLayout& layout = ValueLayoutOf(parameter);
    const FieldLayout* field = layout.field != 0 ? FindFieldLayout(layout.field) : nullptr;
    return field != nullptr ? field->caption : kBurnRateCaption;
}

std::string FitValueText(FitParameter parameter, double value) {
    return FormatFixed(value, ValueLayoutOf(parameter).decimals);
}

std::string FitRmsText(const CurveFit& fit) {
    return "Остаточное расхождение тяги (RMS): " + FormatFixed(fit.rms, 2) + " Н (до подбора " +
           FormatFixed(fit.startRms, 2) + " Н)";
}

std::string AmbiguousFitMessage(const std::vector<FitParameter>& parameters) {
    std::string names;
    for (const FitParameter parameter : parameters) {
        names += (names.empty() ? "" : ", ") + std::string(FitParameterName(parameter));
    }
    return (parameters.size() == 1 ? "По этим данным нельзя определить "
                                   : "По этим данным нельзя различить ") +
           names + ": выберите меньше параметров или загрузите испытание с давлением";
}

}  // namespace tarvo
