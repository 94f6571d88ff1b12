#include "sweep/solve.h"

#include <algorithm>
#include <cmath>

#include "form/form_model.h"
#include "form/motor_calculation.h"
#include "model/number_text.h"
#include "model/quantities.h"
#include "sweep/sweep_output.h"

namespace tarvo {
namespace {

constexpr long long kCoarsePoints = 33;
constexpr int kMaxNarrowingSteps = 60;
constexpr int kMostSignificantDigits = 15;

struct Search {
    const SolveRequest& request;
    const RunControl& control;
    SolveAnswer answer;

    bool cancelled() const { return control.cancel != nullptr && control.cancel->load(); }

    SweepRow evaluate(const KeyValue& value) {
        SweepRow row;
        row.values = {value};
        row.outcome =
            CalculateDesign(ChangedDocument(request.base, {request.key}, {&value}), request.name);
        row.calculated = true;
        note(row);
        return row;
    }

    // The figure of a design that calculates, as the distance from the target.
    std::optional<double> miss(const SweepRow& row) const {
        const std::optional<double>& figure = row.outcome.figures[request.figure];
        if (!row.outcome.success || !figure) {
            return std::nullopt;
        }
        return *figure - request.target;
    }

    bool reached(double distance) const {
        return std::fabs(distance) <= kTargetTolerance * std::fabs(request.target);
    }

    void note(const SweepRow& row) {
        answer.searched.push_back(row);
        if (const std::optional<double> distance = miss(row)) {
            const double figure = *distance + request.target;
            answer.lowest = std::min(answer.lowest.value_or(figure), figure);
            answer.highest = std::max(answer.highest.value_or(figure), figure);
        }
    }
};

double RoundSignificant(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, digits - 1 - std::floor(std::log10(std::fabs(value))));
    return std::round(value * scale) / scale;
}

// A number for a message: five significant digits and a decimal point.
std::string MessageNumber(double value) {
    return PointText(FormatGeneral(RoundSignificant(value, 5)));
}

std::string FigureName(std::size_t figure) {
    const std::string_view symbol = kSweepFigures[figure];
    const QuantityInfo* quantity = FindQuantity(symbol);
    return std::string(symbol) + (quantity ? " (" + std::string(quantity->unit) + ")" : "");
}

// The values of the key within [from, to] the coarse search calculates: every value the key
// holds when there are few, else kCoarsePoints spread evenly (on values it holds).
std::vector<KeyValue> CoarseValues(const SweepKey& key, double from, double to) {
    std::vector<KeyValue> values;
    const auto add = [&](double value) {
        HeldValue held = HoldValue(key, value);
        if (held.held && (values.empty() || held.held->value > values.back().value)) {
            values.push_back(std::move(*held.held));
        }
    };
    const double resolution = Resolution(key);
    if (resolution > 0) {
        const auto steps = static_cast<long long>(std::floor((to - from) / resolution + 1e-9));
        const long long stride = std::max(1LL, (steps + kCoarsePoints - 2) / (kCoarsePoints - 1));
        for (long long i = 0; i < steps; i += stride) {
            add(from + static_cast<double>(i) * resolution);
        }
        add(from + static_cast<double>(steps) * resolution);
        return values;
    }
    for (long long i = 0; i < kCoarsePoints; ++i) {
        add(from + (to - from) * static_cast<double>(i) / static_cast<double>(kCoarsePoints - 1));
    }
    return values;
}

// Narrows a crossing between the neighbouring held values of a key with a resolution down to
// two values one step apart.
void NarrowToNeighbours(Search& search, SweepRow low, SweepRow high) {
    const SweepKey& key = *search.request.key;
    const double resolution = Resolution(key);
    double lowDistance = *search.miss(low);
    while (!search.cancelled()) {
        const double lowValue = low.values[0].value;
        const auto steps =
            static_cast<long long>(std::llround((high.values[0].value - lowValue) / resolution));
        if (steps <= 1) {
            break;
        }
        const HeldValue middle =
            HoldValue(key, lowValue + static_cast<double>(steps / 2) * resolution);
        if (!middle.held) {
            break;
        }
        SweepRow row = search.evaluate(*middle.held);
        const std::optional<double> distance = search.miss(row);
        if (!distance) {
            break;  // a design between them does not calculate: the two found still enclose it
        }
        if ((*distance < 0) == (lowDistance < 0) && *distance != 0) {
            low = std::move(row);
            lowDistance = *distance;
        } else {
            high = std::move(row);
        }
    }
    search.answer.rows = {std::move(low), std::move(high)};
    search.answer.outcome =
        search.cancelled() ? SolveAnswer::Outcome::kCancelled : SolveAnswer::Outcome::kFound;
}

// The shortest value (fewest significant digits) near `found` that still reaches the target.
SweepRow Shortest(Search& search, SweepRow found) {
    const double value = found.values[0].value;
    for (int digits = 1; digits < kMostSignificantDigits && !search.cancelled(); ++digits) {
        const double rounded = RoundSignificant(value, digits);
        if (rounded == value) {
            break;
        }
        const HeldValue held = HoldValue(*search.request.key, rounded);
        if (!held.held) {
            continue;
        }
        SweepRow row = search.evaluate(*held.held);
        const std::optional<double> distance = search.miss(row);
        if (distance && search.reached(*distance)) {
            return row;
        }
    }
    return found;
}

// "Kno = 289.47 (Pmax 3.7)"
std::string DesignText(const Search& search, const SweepRow& row) {
    const std::optional<double>& figure = row.outcome.figures[search.request.figure];
    return std::string(search.request.key->name()) + " = " + PointText(row.values[0].fieldText) +
           (figure ? " (" + std::string(kSweepFigures[search.request.figure]) + " " +
                         MessageNumber(*figure) + ")"
                   : "");
}

// The crossing lies between two designs the field cannot tell further apart, or next to one
// that does not calculate: the target is not reached, and the two designs around it are shown.
void NotReachedBetween(Search& search, SweepRow low, SweepRow high, const SweepRow* failed) {
    const std::string wanted =
        FigureName(search.request.figure) + " = " + MessageNumber(search.request.target);
    search.answer.outcome = SolveAnswer::Outcome::kUnreachable;
    search.answer.message =
        failed != nullptr
            ? wanted + " не найти: вариант " + DesignText(search, *failed) + " между " +
                  DesignText(search, low) + " и " + DesignText(search, high) +
                  " не рассчитывается: " + failed->outcome.status
            : wanted + " не достигается с точностью 0,5 %: между " + DesignText(search, low) +
                  " и " + DesignText(search, high) + " значение меняется скачком";
    search.answer.rows = {std::move(low), std::move(high)};
    if (failed != nullptr) {
        search.answer.failed = *failed;
    }
}

// Narrows a crossing of a key that takes any number by false position (Illinois).
void NarrowToTarget(Search& search, SweepRow low, SweepRow high) {
    double fa = *search.miss(low);  // halved by the Illinois rule
    double fb = *search.miss(high);
    for (int step = 0; step < kMaxNarrowingSteps && !search.cancelled(); ++step) {
        const double a = low.values[0].value;
        const double b = high.values[0].value;
        double x = b - fb * (b - a) / (fb - fa);
        if (!(x > std::min(a, b) && x < std::max(a, b))) {
            x = (a + b) / 2;
        }
        const HeldValue held = HoldValue(*search.request.key, x);
        if (!held.held || held.held->value == a || held.held->value == b) {
            break;  // the field's text can tell the two apart no further
        }
        SweepRow row = search.evaluate(*held.held);
        const std::optional<double> fx = search.miss(row);
        if (!fx) {
            NotReachedBetween(search, std::move(low), std::move(high), &row);
            return;
        }
        if (search.reached(*fx)) {
            search.answer.rows = {Shortest(search, std::move(row))};
            search.answer.outcome = SolveAnswer::Outcome::kFound;
            return;
        }
        if ((*fx < 0) != (fb < 0)) {
            low = std::move(high);
            fa = fb;
        } else {
            fa /= 2;
        }
        high = std::move(row);
        fb = *fx;
    }
    if (search.cancelled()) {
        search.answer.outcome = SolveAnswer::Outcome::kCancelled;
        return;
    }
    if (low.values[0].value > high.values[0].value) {
        std::swap(low, high);
    }
    NotReachedBetween(search, std::move(low), std::move(high), nullptr);
}

std::string UnreachableMessage(const Search& search) {
    const SolveRequest& r = search.request;
    const std::string range = std::string(r.key->name()) + " от " +
                              MessageNumber(search.answer.from) + " до " +
                              MessageNumber(search.answer.to);
    const std::string wanted = FigureName(r.figure) + " = " + MessageNumber(r.target);
    if (!search.answer.lowest) {
        return wanted + " не найти: при " + range + " не рассчитывается ни один вариант";
    }
    return wanted + " недостижимо: при " + range + " " + std::string(kSweepFigures[r.figure]) +
           " от " + MessageNumber(*search.answer.lowest) + " до " +
           MessageNumber(*search.answer.highest);
}

SolveAnswer Refusal(std::string message) {
    SolveAnswer answer;
    answer.outcome = SolveAnswer::Outcome::kRefused;
    answer.message = std::move(message);
    return answer;
}

}  // namespace

std::optional<std::pair<double, double>> DefaultRange(const SweepKey& key, double value) {
    if (key.stepper) {
        return std::pair(LowestValue(key), *HighestValue(key));
    }
    if (key.wholeNumber) {
        return std::pair(1.0, std::max(10.0, 2 * std::round(value)));
    }
    if (!(value > 0) || !std::isfinite(value)) {
        return std::nullopt;
    }
    return std::pair(value / 2, value * 2);
}

std::optional<double> OpenedValue(const IniDocument& base, const std::string& name,
                                  const SweepKey& key) {
    FormModel form;
    CalculateMotorDocument(form, base, name);
    return ParseNumber(form.fieldText(EditId{key.edit}));
}

ParsedTarget ParseTarget(std::string_view argument) {
    const std::size_t equals = argument.find('=');
    const std::string_view symbol = argument.substr(0, equals);
    ParsedTarget parsed;
    std::string figures;
    for (const std::string_view figure : kSweepFigures) {
        figures += (figures.empty() ? "" : ", ") + std::string(figure);
    }
    parsed.figure = SweepFigureIndex(symbol);
    if (!parsed.figure) {
        parsed.error = "нет такой величины: " + std::string(symbol) + " (можно: " + figures + ")";
        return parsed;
    }
    const std::optional<double> target =
        equals == std::string_view::npos ? std::nullopt : ParseNumber(argument.substr(equals + 1));
    if (!target || !std::isfinite(*target) || *target <= 0) {
        parsed.figure.reset();
        parsed.error = std::string(symbol) + "=ЗНАЧЕНИЕ: нужно число больше 0";
        return parsed;
    }
    parsed.target = *target;
    return parsed;
}

SolveAnswer Solve(const SolveRequest& request, const RunControl& control) {
    if (request.key == nullptr || request.figure >= kSweepFigures.size()) {
        return Refusal("не задан ключ или величина");
    }
    const SweepKey& key = *request.key;
    std::pair<double, double> range;
    if (request.from && request.to) {
        range = {*request.from, *request.to};
    } else if (const std::optional<double> value = OpenedValue(request.base, request.name, key);
               const auto fallback = value ? DefaultRange(key, *value) : std::nullopt) {
        range = *fallback;
    } else {
        return Refusal("для " + std::string(key.name()) +
                       " нет диапазона по умолчанию: укажите его, " + std::string(key.name()) +
                       "=ОТ:ДО");
    }
    for (const double end : {range.first, range.second}) {
        if (const HeldValue held = HoldValue(key, end); !held.held) {
            return Refusal(held.refusal);
        }
    }
    if (!(range.first < range.second)) {
        return Refusal(std::string(key.name()) +
                       "=ОТ:ДО: начало диапазона должно быть меньше конца");
    }
    Search search{request, control, {}};
    search.answer.from = range.first;
    search.answer.to = range.second;
    const std::vector<KeyValue> values = CoarseValues(key, range.first, range.second);
    std::vector<SweepRow> coarse(values.size());
    const bool complete = ForEachItem(
        values.size(),
        [&](std::size_t i) {
            coarse[i].values = {values[i]};
            coarse[i].outcome =
                CalculateDesign(ChangedDocument(request.base, {&key}, {&values[i]}), request.name);
            coarse[i].calculated = true;
        },
        control);
    if (!complete) {
        search.answer.outcome = SolveAnswer::Outcome::kCancelled;
        return search.answer;
    }
    for (const SweepRow& row : coarse) {
        search.note(row);
    }
    const bool resolution = Resolution(key) > 0;
    for (std::size_t i = 0; i < coarse.size(); ++i) {
        const std::optional<double> here = search.miss(coarse[i]);
        if (!resolution && here && search.reached(*here)) {
            search.answer.rows = {Shortest(search, coarse[i])};
            search.answer.outcome = SolveAnswer::Outcome::kFound;
            return search.answer;
        }
        const std::optional<double> next =
            i + 1 < coarse.size() ? search.miss(coarse[i + 1]) : std::nullopt;
        if (here && next && ((*here <= 0 && *next >= 0) || (*here >= 0 && *next <= 0))) {
            if (resolution) {
                NarrowToNeighbours(search, coarse[i], coarse[i + 1]);
            } else {
                NarrowToTarget(search, coarse[i], coarse[i + 1]);
            }
            return search.answer;
        }
    }
    search.answer.outcome = SolveAnswer::Outcome::kUnreachable;
    search.answer.message = UnreachableMessage(search);
    return search.answer;
}

}  // namespace tarvo
