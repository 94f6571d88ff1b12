#include "sweep/sweep_plan.h"

#include <cmath>

#include "files/legacy_import.h"
#include "form/motor_file.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

// FROM + i STEP stays below TO + kRangeSlack STEP: a range whose end lies a rounding error past
// the last step still reaches it.
constexpr double kRangeSlack = 1e-9;

std::string RangeText(const SweepKey& key) {
    return std::string(key.name()) + "=ОТ:ДО:ШАГ";
}

}  // namespace

AxisValues MakeAxis(const SweepKey& key, double from, double to, double step) {
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step)) {
        return {std::nullopt, RangeText(key) + ": нужны три числа"};
    }
    if (from > to) {
        return {std::nullopt, RangeText(key) + ": начало диапазона больше конца"};
    }
    if (step <= 0) {
        return {std::nullopt, RangeText(key) + ": шаг должен быть больше 0"};
    }
    const double steps = std::floor((to - from) / step + kRangeSlack);
    if (!(steps < double(kMaxSweepDesigns))) {
        return {std::nullopt,
                RangeText(key) + ": больше " + std::to_string(kMaxSweepDesigns) + " значений"};
    }
    SweepAxis axis{&key, {}};
    for (int i = 0; i <= static_cast<int>(steps); ++i) {
        HeldValue held = HoldValue(key, from + i * step);
        if (!held.held) {
            return {std::nullopt, held.refusal};
        }
        axis.values.push_back(std::move(*held.held));
    }
    return {std::move(axis), ""};
}

std::optional<std::vector<double>> ParseRange(std::string_view text, std::size_t count) {
    std::vector<double> numbers;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t colon = std::min(text.find(':', start), text.size());
        const std::optional<double> number = ParseNumber(text.substr(start, colon - start));
        if (!number) {
            return std::nullopt;
        }
        numbers.push_back(*number);
        start = colon + 1;
    }
    if (numbers.size() != count) {
        return std::nullopt;
    }
    return numbers;
}

AxisValues ParseSweepArgument(std::string_view argument) {
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const SweepKey* key = FindSweepKey(name);
    if (key == nullptr) {
        return {std::nullopt,
                "нет такого ключа: " + std::string(name) + " (можно: " + SweepKeyNames() + ")"};
    }
    const std::optional<std::vector<double>> range =
        equals == std::string_view::npos ? std::nullopt
                                         : ParseRange(argument.substr(equals + 1), 3);
    if (!range) {
        return {std::nullopt, RangeText(*key) + ": нужны три числа через двоеточие"};
    }
    return MakeAxis(*key, (*range)[0], (*range)[1], (*range)[2]);
}

std::optional<std::string> CheckAxes(const std::vector<SweepAxis>& axes) {
    if (axes.size() > kMaxSweepKeys) {
        return "можно менять не больше " + std::to_string(kMaxSweepKeys) + " ключей";
    }
    double designs = 1;
    for (std::size_t i = 0; i < axes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (axes[i].key == axes[j].key) {
                return "ключ " + std::string(axes[i].key->name()) + " указан дважды";
            }
        }
        designs *= static_cast<double>(axes[i].values.size());
    }
    if (designs > double(kMaxSweepDesigns)) {
        return "слишком много вариантов: " + FormatInteger(designs) + " (не больше " +
               std::to_string(kMaxSweepDesigns) + ")";
    }
    return std::nullopt;
}

SweepPlan::SweepPlan(IniDocument base, std::string name, std::vector<SweepAxis> axes)
    : base_(std::move(base)), name_(std::move(name)), axes_(std::move(axes)) {}

std::size_t SweepPlan::size() const {
    std::size_t designs = 1;
    for (const SweepAxis& axis : axes_) {
        designs *= axis.values.size();
    }
    return designs;
}

std::vector<const KeyValue*> SweepPlan::valuesAt(std::size_t index) const {
    std::vector<const KeyValue*> values(axes_.size());
    for (std::size_t a = axes_.size(); a-- > 0;) {
        const std::vector<KeyValue>& axis = axes_[a].values;
        values[a] = &axis[index % axis.size()];
        index /= axis.size();
    }
    return values;
}

IniDocument SweepPlan::documentAt(std::size_t index) const {
    std::vector<const SweepKey*> keys;
    for (const SweepAxis& axis : axes_) {
        keys.push_back(axis.key);
    }
    return ChangedDocument(base_, keys, valuesAt(index));
}

IniDocument ChangedDocument(const IniDocument& base, const std::vector<const SweepKey*>& keys,
                            const std::vector<const KeyValue*>& values) {
    IniDocument changed = base;
    for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) {
        const MotorKey& fileKey = *keys[i]->fileKey;
        changed.WriteIniStr(fileKey.section, fileKey.key, values[i]->fileText);
    }
    return changed;
}

std::optional<IniDocument> ReadMotorDocument(const std::string& path, std::string& error) {
    ReadableFile readable = OpenForReading(path);
    if (const std::optional<std::string> refusal = MotorFileRefusal(path, readable)) {
        error = *refusal;
        return std::nullopt;
    }
    IniDocument document = std::move(readable.file.document());
    ConvertLegacyMotorFile(document);
    return document;
}

}  // namespace tarvo
