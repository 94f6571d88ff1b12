#include "interop/openmotor_ric.h"

#include <yaml-cpp/yaml.h>

#include <cmath>
#include <optional>

#include "interop/text_limits.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr double kMillimetresPerMetre = 1000;
constexpr double kPascalsPerMegapascal = 1e6;
constexpr double kKgPerCubicMetrePerGramPerCc = 1000;
constexpr double kRicDensityRatio = 0.98;          // the density ratio field's maximum
constexpr double kRicCombustionEfficiency = 0.99;  // uc's maximum

constexpr std::string_view kBates = "BATES";
constexpr std::string_view kEndBurner = "End Burner";

// A burn-rate coefficient in mm/s at MPa from openMotor's m/s at Pa, and back.
double CoefficientFromRic(double a, double n) {
    return a * kMillimetresPerMetre * std::pow(kPascalsPerMegapascal, n);
}
double CoefficientToRic(double a, double n) {
    return a / kMillimetresPerMetre / std::pow(kPascalsPerMegapascal, n);
}

// One YAML map of the file, named by its path for the messages.
class Map {
public:
    Map(const YAML::Node& node, std::string path) : node_(node), path_(std::move(path)) {
        if (!node_.IsMap()) {
            throw ImportRefusal(path_ + ": ожидался раздел с ключами");
        }
    }
    const std::string& path() const { return path_; }
    std::string name(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }
    // Nothing for a missing key or a null value.
    std::optional<YAML::Node> find(std::string_view key) const {
        const YAML::Node value = node_[std::string(key)];
        return value && !value.IsNull() ? std::optional(value) : std::nullopt;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> all;
        for (const auto& item : node_) {
            if (item.first.IsScalar()) {
                all.push_back(item.first.Scalar());
            }
        }
        return all;
    }
    std::optional<double> number(std::string_view key) const {
        const std::optional<YAML::Node> value = find(key);
        if (!value) {
            return std::nullopt;
        }
        const std::optional<double> number =
            value->IsScalar() ? ParseNumber(value->Scalar()) : std::nullopt;
        if (!number) {
            throw ImportRefusal(name(key) + ": не число");
        }
        return number;
    }
    double positive(std::string_view key) const {
        const std::optional<double> value = number(key);
        if (!value) {
            throw ImportRefusal(name(key) + ": нет значения");
        }
        if (!(*value > 0)) {
            throw ImportRefusal(name(key) + ": нужно число больше 0, в файле " +
                                DraftNumberText(*value));
        }
        return *value;
    }
    std::string text(std::string_view key) const {
        const std::optional<YAML::Node> value = find(key);
        if (!value || !value->IsScalar()) {
            throw ImportRefusal(name(key) + ": нет значения");
        }
        return value->Scalar();
    }
    Map map(std::string_view key) const {
        const std::optional<YAML::Node> value = find(key);
        if (!value) {
            throw ImportRefusal(name(key) + ": нет раздела");
        }
        return Map(*value, name(key));
    }
    YAML::Node list(std::string_view key) const {
        const std::optional<YAML::Node> value = find(key);
        if (!value || !value->IsSequence() || value->size() == 0) {
            throw ImportRefusal(name(key) + ": нет списка");
        }
        return *value;
    }

private:
    YAML::Node node_;
    std::string path_;
};

YAML::Node ParseRoot(std::string_view text) {
    CheckNesting(text);
    try {
        return YAML::Load(std::string(text));
    } catch (const YAML::Exception& error) {
        throw ImportRefusal("не YAML: строка " + std::to_string(error.mark.line + 1) + ": " +
                            error.msg);
    }
}

bool SameSize(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

struct Bates {
    double diameter, length, core;
    std::string inhibitedEnds;
};

Bates ReadBates(const Map& properties) {
    Bates grain{properties.positive("diameter") * kMillimetresPerMetre,
                properties.positive("length") * kMillimetresPerMetre,
                properties.positive("coreDiameter") * kMillimetresPerMetre,
                properties.find("inhibitedEnds") ? properties.text("inhibitedEnds") : "Neither"};
    if (grain.inhibitedEnds != "Neither" && grain.inhibitedEnds != "Both") {
        throw ImportRefusal(properties.name("inhibitedEnds") + " «" + grain.inhibitedEnds +
                            "»: у шашек Tarvo оба торца или горят, или забронированы");
    }
    return grain;
}

void ReadGrains(const Map& data, MotorDraft& draft) {
    const YAML::Node grains = data.list("grains");
    std::optional<Bates> first;
    int count = 0;
    for (std::size_t i = 0; i < grains.size(); ++i) {
        const Map grain(grains[i], data.name("grains") + "[" + std::to_string(i + 1) + "]");
        const std::string type = grain.text("type");
        const Map properties = grain.map("properties");
        if (type == kEndBurner && i == 0) {
            draft.endGrain = EndGrainDraft{properties.positive("diameter") * kMillimetresPerMetre,
                                           properties.positive("length") * kMillimetresPerMetre};
            continue;
        }
        if (type != kBates) {
            throw ImportRefusal(grain.name("type") + " «" + type +
                                "»: Tarvo считает только шашки BATES и одну торцевую End Burner "
                                "первой в списке");
        }
        const Bates bates = ReadBates(properties);
        if (first &&
            (!SameSize(bates.diameter, first->diameter) || !SameSize(bates.length, first->length) ||
             !SameSize(bates.core, first->core) || bates.inhibitedEnds != first->inhibitedEnds)) {
            throw ImportRefusal(grain.path() +
                                ": шашки BATES разных размеров или бронировки, у Tarvo все "
                                "канальные шашки одинаковы");
        }
        first = first.value_or(bates);
        ++count;
    }
    if (first) {
        draft.cored = CoredGrainsDraft{first->diameter,
                                       first->core,
                                       first->length,
                                       count,
                                       false,
                                       true,
                                       first->inhibitedEnds == "Neither"};
        draft.report.mapped.push_back("BATES → канальные шашки: " + std::to_string(count) +
                                      " шт., Do " + DraftNumberText(first->diameter) + " мм, do " +
                                      DraftNumberText(first->core) + " мм, Lo " +
                                      DraftNumberText(first->length) + " мм");
    }
    if (draft.endGrain) {
        draft.report.mapped.push_back("End Burner → торцевая шашка: Dto " +
                                      DraftNumberText(draft.endGrain->diameter) + " мм, Lto " +
                                      DraftNumberText(draft.endGrain->length) + " мм");
    }
}

// A .ric has no chamber: the grains fill it exactly.
void FitChamber(MotorDraft& draft) {
    const CoredGrainsDraft cored = draft.cored.value_or(CoredGrainsDraft{});
    const EndGrainDraft end = draft.endGrain.value_or(EndGrainDraft{});
    draft.chamberDiameter = std::max(cored.outerDiameter, end.diameter);
    draft.chamberLength = cored.count * cored.length + end.length;
    draft.report.converted.push_back(
        "камеры в файле нет: Dc " + DraftNumberText(draft.chamberDiameter) +
        " мм по диаметру шашек, Lc " + DraftNumberText(draft.chamberLength) +
        " мм по их общей длине");
}

void ReadNozzle(const Map& data, MotorDraft& draft) {
    const Map nozzle = data.map("nozzle");
    draft.throatDiameter = nozzle.positive("throat") * kMillimetresPerMetre;
    const double exit = nozzle.positive("exit") * kMillimetresPerMetre;
    const double ratio = (exit / draft.throatDiameter) * (exit / draft.throatDiameter);
    draft.expansionRatio = ratio;
    draft.report.converted.push_back("Ae/At " + DraftNumberText(ratio) + " = (exit " +
                                     DraftNumberText(exit) + " мм / throat " +
                                     DraftNumberText(draft.throatDiameter) + " мм)²");
    draft.nozzleEfficiency = nozzle.number("efficiency");
    std::string others;
    for (const std::string& key : nozzle.keys()) {
        if (key != "throat" && key != "exit" && key != "efficiency") {
            others += (others.empty() ? "" : ", ") + key;
        }
    }
    if (!others.empty()) {
        draft.report.notTaken.push_back(nozzle.path() + ": " + others +
                                        " (метод Tarvo их не использует)");
    }
}

// One k, t and m for every tab: Tarvo keeps one set of constants per propellant.
void ReadTabs(const Map& propellant, PropellantDraft& draft) {
    const YAML::Node tabs = propellant.list("tabs");
    if (tabs.size() > kMaxDraftRanges) {
        throw ImportRefusal(propellant.name("tabs") + ": " + std::to_string(tabs.size()) +
                            " диапазонов, Tarvo хранит не больше " +
                            std::to_string(kMaxDraftRanges));
    }
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const Map tab(tabs[i], propellant.name("tabs") + "[" + std::to_string(i + 1) + "]");
        const double k = tab.positive("k");
        const double t = tab.positive("t");
        const double m = tab.positive("m");
        if (i > 0 && (!SameSize(k, draft.k) || !SameSize(t, draft.temperature) ||
                      !SameSize(m, draft.molarMass))) {
            throw ImportRefusal(tab.path() +
                                ": k, t и m отличаются от первого диапазона, у Tarvo они одни на "
                                "всё топливо");
        }
        draft.k = k;
        draft.temperature = t;
        draft.molarMass = m;
        const double n = tab.number("n").value_or(0);
        draft.ranges.push_back({tab.number("minPressure").value_or(0) / kPascalsPerMegapascal,
                                tab.positive("maxPressure") / kPascalsPerMegapascal,
                                CoefficientFromRic(tab.positive("a"), n), n});
    }
}

void ReadPropellant(const Map& data, MotorDraft& draft) {
    const Map propellant = data.map("propellant");
    PropellantDraft slot;
    slot.name = propellant.find("name") ? propellant.text("name") : "openMotor";
    const double density = propellant.positive("density") / kKgPerCubicMetrePerGramPerCc;
    slot.idealDensity = density / kRicDensityRatio;
    ReadTabs(propellant, slot);
    draft.densityRatio = kRicDensityRatio;
    draft.report.converted.push_back(
        "плотность " + DraftNumberText(density) + " г/см³ = " + DraftNumberText(kRicDensityRatio) +
        " × идеальная " + DraftNumberText(slot.idealDensity) + " г/см³");
    draft.report.converted.push_back("k2ph в файле нет: оставлено значение ячейки топлива");
    draft.report.mapped.push_back("топливо «" + slot.name +
                                  "»: " + std::to_string(slot.ranges.size()) +
                                  " диапазон(ов) скорости горения");
    draft.propellant = std::move(slot);
}

void ReadConfig(const Map& data, MotorDraft& draft) {
    const std::optional<YAML::Node> node = data.find("config");
    if (!node) {
        return;
    }
    const Map config(*node, data.name("config"));
    if (const std::optional<double> ambient = config.number("ambPressure")) {
        draft.ambientPressure = *ambient / kPascalsPerMegapascal;
    }
    std::string others;
    for (const std::string& key : config.keys()) {
        if (key != "ambPressure") {
            others += (others.empty() ? "" : ", ") + key;
        }
    }
    if (!others.empty()) {
        draft.report.notTaken.push_back(config.path() + ": " + others +
                                        " (настройки расчёта openMotor)");
    }
}

// ---- Writing ----

void Pair(YAML::Emitter& out, std::string_view key, double value) {
    out << YAML::Key << std::string(key) << YAML::Value << value;
}

void WriteGrains(YAML::Emitter& out, const MotorDraft& draft) {
    out << YAML::Key << "grains" << YAML::Value << YAML::BeginSeq;
    if (draft.endGrain) {
        out << YAML::BeginMap << YAML::Key << "properties" << YAML::Value << YAML::BeginMap;
        Pair(out, "diameter", draft.endGrain->diameter / kMillimetresPerMetre);
        Pair(out, "length", draft.endGrain->length / kMillimetresPerMetre);
        out << YAML::EndMap << YAML::Key << "type" << YAML::Value << std::string(kEndBurner)
            << YAML::EndMap;
    }
    const int count = draft.cored ? draft.cored->count : 0;
    for (int i = 0; i < count; ++i) {
        const CoredGrainsDraft& g = *draft.cored;
        out << YAML::BeginMap << YAML::Key << "properties" << YAML::Value << YAML::BeginMap;
        Pair(out, "coreDiameter", g.coreDiameter / kMillimetresPerMetre);
        Pair(out, "diameter", g.outerDiameter / kMillimetresPerMetre);
        out << YAML::Key << "inhibitedEnds" << YAML::Value << (g.endsBurn ? "Neither" : "Both");
        Pair(out, "length", g.length / kMillimetresPerMetre);
        out << YAML::EndMap << YAML::Key << "type" << YAML::Value << std::string(kBates)
            << YAML::EndMap;
    }
    out << YAML::EndSeq;
}

void WriteNozzle(YAML::Emitter& out, const MotorDraft& draft) {
    const double throat = draft.throatDiameter / kMillimetresPerMetre;
    out << YAML::Key << "nozzle" << YAML::Value << YAML::BeginMap;
    Pair(out, "efficiency", draft.nozzleEfficiency.value_or(0));
    Pair(out, "exit", throat * std::sqrt(draft.expansionRatio.value_or(1)));
    Pair(out, "throat", throat);
    out << YAML::EndMap;
}

void WritePropellant(YAML::Emitter& out, const MotorDraft& draft) {
    const PropellantDraft& p = *draft.propellant;
    out << YAML::Key << "propellant" << YAML::Value << YAML::BeginMap;
    Pair(out, "density",
         p.idealDensity * draft.densityRatio.value_or(1) * kKgPerCubicMetrePerGramPerCc);
    out << YAML::Key << "name" << YAML::Value << p.name;
    out << YAML::Key << "tabs" << YAML::Value << YAML::BeginSeq;
    for (const BurnRateRangeDraft& range : p.ranges) {
        out << YAML::BeginMap;
        Pair(out, "a", CoefficientToRic(range.a, range.n));
        Pair(out, "k", p.k);
        Pair(out, "m", p.molarMass);
        Pair(out, "maxPressure", range.upper * kPascalsPerMegapascal);
        Pair(out, "minPressure", range.lower * kPascalsPerMegapascal);
        Pair(out, "n", range.n);
        Pair(out, "t", p.temperature);
        out << YAML::EndMap;
    }
    out << YAML::EndSeq << YAML::EndMap;
}

void CheckWritable(const MotorDraft& draft) {
    if (!draft.cored && !draft.endGrain) {
        throw ImportRefusal("нет ни канальных шашек, ни торцевой шашки");
    }
    if (draft.cored && (draft.cored->outerBurns || !draft.cored->coreBurns)) {
        throw ImportRefusal(
            "у шашки BATES горит канал, а внешняя поверхность забронирована; "
            "у этих канальных шашек иначе");
    }
    if (draft.cored && draft.cored->count <= 0) {
        throw ImportRefusal("поле N: нужно целое число шашек больше 0");
    }
    if (!(draft.throatDiameter > 0) || !std::isfinite(draft.throatDiameter)) {
        throw ImportRefusal("поле Kno: нужно число больше 0");
    }
    if (!draft.propellant || draft.propellant->ranges.empty()) {
        throw ImportRefusal("не выбрано топливо с таблицей скорости горения");
    }
}

std::vector<std::string> NotWritten(const MotorDraft& draft) {
    std::vector<std::string> lines;
    lines.push_back("камера Dc " + DraftNumberText(draft.chamberDiameter) + " мм, Lc " +
                    DraftNumberText(draft.chamberLength) + " мм (в .ric камера — это сами шашки)");
    if (draft.combustionEfficiency && *draft.combustionEfficiency != kRicCombustionEfficiency) {
        lines.push_back("uc " + DraftNumberText(*draft.combustionEfficiency));
    }
    if (draft.erosiveCoefficient && *draft.erosiveCoefficient != 0) {
        lines.push_back("эрозионное горение: kv " + DraftNumberText(*draft.erosiveCoefficient) +
                        ", G* " + DraftNumberText(draft.erosiveThreshold.value_or(0)));
    }
    if (draft.throatErosion != 0) {
        lines.push_back("эрозия критического сечения e " + DraftNumberText(draft.throatErosion) +
                        " мм");
    }
    if (draft.propellant && draft.propellant->k2ph) {
        lines.push_back("k2ph " + DraftNumberText(*draft.propellant->k2ph));
    }
    return lines;
}

}  // namespace

MotorDraft RicDesign(std::string_view text) {
    const YAML::Node root = ParseRoot(text);
    if (!root.IsMap()) {
        throw ImportRefusal("нет раздела data");
    }
    const Map data = Map(root, "").map("data");
    MotorDraft draft;
    ReadGrains(data, draft);
    FitChamber(draft);
    ReadNozzle(data, draft);
    ReadPropellant(data, draft);
    ReadConfig(data, draft);
    draft.combustionEfficiency = kRicCombustionEfficiency;
    draft.erosiveCoefficient = 0;
    draft.throatErosion = 0;
    draft.report.converted.push_back(
        "в .ric нет полноты сгорания, эрозионного горения и эрозии критического сечения: uc " +
        DraftNumberText(kRicCombustionEfficiency) + ", kv 0, e 0");
    draft.description = "Импорт из openMotor: " + draft.propellant->name;
    return draft;
}

RicText FormatRic(const MotorDraft& draft) {
    CheckWritable(draft);
    YAML::Emitter out;
    out.SetDoublePrecision(12);
    out << YAML::BeginMap << YAML::Key << "data" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "config" << YAML::Value << YAML::BeginMap;
    Pair(out, "ambPressure", draft.ambientPressure.value_or(0) * kPascalsPerMegapascal);
    out << YAML::EndMap;
    WriteGrains(out, draft);
    WriteNozzle(out, draft);
    WritePropellant(out, draft);
    out << YAML::EndMap << YAML::EndMap;
    return {std::string(out.c_str()) + "\n", NotWritten(draft)};
}

}  // namespace tarvo
