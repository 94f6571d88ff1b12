#include "sweep/sweep_session.h"

#include <cmath>

#include "form/form_layout.h"
#include "form/motor_file.h"
#include "form/stand_session.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr double kProposedSteps = 10;

IniDocument SavedDocument(FormModel& form) {
    form.refreshStepperFields();
    IniDocument document;
    WritePropellants(form, document);
    WriteMotorKeys(form, document);
    return document;
}

// 1, 2 or 5 times a power of ten, near `span`.
double RoundStep(double span) {
    const double power = std::pow(10.0, std::floor(std::log10(span)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (span <= factor * power * 1.5) {
            return factor * power;
        }
    }
    return 10 * power;
}

// A proposed number without the rounding noise of its making: ten significant digits.
std::string ProposedText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return FormatGeneral(value);
    }
    const double scale = std::pow(10.0, 9 - std::floor(std::log10(std::fabs(value))));
    return FormatGeneral(std::round(value * scale) / scale);
}

std::optional<double> Number(std::string_view text) {
    return ParseNumber(text);
}

std::string NotANumber(std::string_view key, std::string_view what) {
    return std::string(key) + ": не число в поле «" + std::string(what) + "»";
}

// The first result label of tabs 2 and 3 that shows the figure.
const LabelLayout* FigureLabel(std::size_t figure) {
    for (const LabelLayout& layout : LabelLayouts()) {
        if (layout.symbol == kSweepFigures[figure] && (layout.tab == 2 || layout.tab == 3)) {
            return &layout;
        }
    }
    return nullptr;
}

}  // namespace

std::string FigureCaption(std::size_t figure) {
    const LabelLayout* label = FigureLabel(figure);
    return std::string(label != nullptr ? label->caption : kSweepFigures[figure]);
}

std::string FigureText(std::size_t figure, double value) {
    const LabelLayout* label = FigureLabel(figure);
    return label != nullptr && label->format == LabelFormat::kFixed
               ? FormatFixed(value, label->decimals)
               : FormatGeneral(value);
}

std::string KeyValueText(const SweepKey& key, const KeyValue& value) {
    return std::string(key.name()) + " = " + value.fieldText;
}

namespace {

// "Kno = 289,47 (Pmax 3,79)"
std::string DesignText(const SolveRequest& request, const SweepRow& row) {
    const std::optional<double>& figure = row.outcome.figures[request.figure];
    return KeyValueText(*request.key, row.values[0]) +
           (figure ? " (" + std::string(kSweepFigures[request.figure]) + " " +
                         FigureText(request.figure, *figure) + ")"
                   : "");
}

}  // namespace

std::string AnswerText(const SolveRequest& request, const SolveAnswer& answer) {
    const std::string wanted =
        std::string(kSweepFigures[request.figure]) + " = " + FormatGeneral(request.target);
    const std::vector<SweepRow>& rows = answer.rows;
    switch (answer.outcome) {
        case SolveAnswer::Outcome::kFound:
            if (rows.size() == 1) {
                return "Найдено: " + DesignText(request, rows[0]);
            }
            return "Ближайшие значения: " + DesignText(request, rows[0]) + " и " +
                   DesignText(request, rows[1]);
        case SolveAnswer::Outcome::kUnreachable:
            if (answer.failed && rows.size() == 2) {
                return wanted + " не найти: вариант " + DesignText(request, *answer.failed) +
                       " между " + DesignText(request, rows[0]) + " и " +
                       DesignText(request, rows[1]) +
                       " не рассчитывается: " + answer.failed->outcome.status;
            }
            if (rows.size() == 2) {
                return wanted + " не достигается с точностью 0,5 %: между " +
                       DesignText(request, rows[0]) + " и " + DesignText(request, rows[1]) +
                       " значение меняется скачком";
            }
            if (!answer.lowest || !answer.highest) {
                return wanted + " не найти: при " + std::string(request.key->name()) + " от " +
                       FormatGeneral(answer.from) + " до " + FormatGeneral(answer.to) +
                       " не рассчитывается ни один вариант";
            }
            return wanted + " недостижимо: при " + std::string(request.key->name()) + " от " +
                   FormatGeneral(answer.from) + " до " + FormatGeneral(answer.to) + " " +
                   std::string(kSweepFigures[request.figure]) + " от " +
                   FigureText(request.figure, *answer.lowest) + " до " +
                   FigureText(request.figure, *answer.highest);
        case SolveAnswer::Outcome::kRefused:
            return answer.message;
        case SolveAnswer::Outcome::kCancelled:
            break;
    }
    return "Поиск прерван";
}

SweepSession::SweepSession(FormModel& form) : form_(form), base_(SavedDocument(form)) {}

std::optional<double> SweepSession::fieldValue(const SweepKey& key) const {
    return ParseNumber(form_.fieldText(EditId{key.edit}));
}

ProposedRange SweepSession::proposeRange(const SweepKey& key) const {
    const std::optional<double> value = fieldValue(key);
    const auto range = value ? DefaultRange(key, *value) : std::nullopt;
    const double low = range ? range->first : 0;
    const double high = range ? range->second : 1;
    double step = RoundStep((high - low) / kProposedSteps);
    if (const double resolution = Resolution(key); resolution > 0) {
        step = std::max(resolution, resolution * std::round(step / resolution));
    }
    // Multiples of the step around the range, within what the key holds.
    constexpr double kSlack = 1e-9;
    const double from =
        std::max(std::floor(low / step + kSlack), std::ceil(LowestValue(key) / step - kSlack)) *
        step;
    double to = std::ceil(high / step - kSlack) * step;
    if (const std::optional<double> highest = HighestValue(key)) {
        to = std::min(to, std::floor(*highest / step + kSlack) * step);
    }
    return {ProposedText(from), ProposedText(to), ProposedText(step)};
}

SweepSession::Plan SweepSession::plan(const std::vector<AxisTexts>& texts) const {
    std::vector<SweepAxis> axes;
    for (const AxisTexts& axis : texts) {
        const std::string_view name = axis.key->name();
        const auto from = Number(axis.from);
        const auto to = Number(axis.to);
        const auto step = Number(axis.step);
        if (!from || !to || !step) {
            return {std::nullopt, NotANumber(name, !from ? "от" : !to ? "до" : "шаг")};
        }
        AxisValues values = MakeAxis(*axis.key, *from, *to, *step);
        if (!values.axis) {
            return {std::nullopt, values.error};
        }
        axes.push_back(std::move(*values.axis));
    }
    if (const std::optional<std::string> refusal = CheckAxes(axes)) {
        return {std::nullopt, *refusal};
    }
    return {SweepPlan(base_, std::string(kSweepDocumentName), std::move(axes)), ""};
}

SweepSession::Search SweepSession::search(const SweepKey& key, std::string_view from,
                                          std::string_view to, std::size_t figure,
                                          std::string_view target) const {
    SolveRequest request;
    request.base = base_;
    request.name = kSweepDocumentName;
    request.key = &key;
    request.figure = figure;
    const auto low = Number(from);
    const auto high = Number(to);
    const auto wanted = Number(target);
    if (!low || !high) {
        return {std::nullopt, NotANumber(key.name(), !low ? "от" : "до")};
    }
    if (!wanted || !(*wanted > 0)) {
        return {std::nullopt, std::string(kSweepFigures[figure]) + ": нужно число больше 0"};
    }
    request.from = *low;
    request.to = *high;
    request.target = *wanted;
    return {std::move(request), ""};
}

void SweepSession::apply(const std::vector<const SweepKey*>& keys,
                         const std::vector<KeyValue>& values) {
    std::vector<const KeyValue*> chosen;
    for (const KeyValue& value : values) {
        chosen.push_back(&value);
    }
    const IniDocument changed = ChangedDocument(base_, keys, chosen);
    const std::string memo = form_.memoText();
    const int tab = form_.activeTab();
    form_.setLoadingGuard(true);
    ReadMotorKeys(form_, changed);
    form_.setMemoText(memo);
    form_.setActiveTab(tab);
    form_.setLoadingGuard(false);
    form_.refreshStepperFields();
    form_.setModified(true);
    form_.setButtonEnabled(kExportButton, false);
    form_.setStatusText(0, kStaleResultsStatus);
}

}  // namespace tarvo
