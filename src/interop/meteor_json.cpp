#include "interop/meteor_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "ballistics/geometry.h"
#include "interop/text_limits.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using Json = nlohmann::json;

// The file's unit system, as factors to Tarvo's units.
struct Units {
    std::string_view name;
    double length;          // mm per unit
    double density;         // g/cm^3 per unit
    double pressure;        // MPa per unit
    double velocity;        // m/s per unit (c*)
    std::string_view note;  // the report's line; empty for SI
};

constexpr Units kSi{"SI", 1.0, 1.0, 1.0, 1.0, ""};
constexpr Units kImperial{"IMPERIAL",
                          25.4,
                          27.679904710203,
                          0.006894757293168,
                          0.3048,
                          "единицы IMPERIAL переведены: дюймы → мм, psi → МПа, lb/in³ → г/см³, "
                          "коэффициент скорости горения in/s при psi → мм/с при МПа, c* ft/s → "
                          "м/с"};

std::string Shown(const Json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

// One JSON object of the file, named by its path for the messages.
class Object {
public:
    Object(const Json& value, std::string path) : value_(value), path_(std::move(path)) {
        if (!value_.is_object()) {
            throw ImportRefusal(path_ + ": ожидался объект JSON");
        }
    }

    const std::string& path() const { return path_; }
    std::string name(std::string_view key) const { return path_ + "." + std::string(key); }
    const Json* find(std::string_view key) const {
        const auto it = value_.find(std::string(key));
        return it == value_.end() || it->is_null() ? nullptr : &*it;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> all;
        for (const auto& item : value_.items()) {
            all.push_back(item.key());
        }
        return all;
    }

    std::optional<double> number(std::string_view key) const {
        const Json* value = find(key);
        if (value == nullptr) {
            return std::nullopt;
        }
        std::optional<double> number;
        if (value->is_number()) {
            number = value->get<double>();
        } else if (value->is_string()) {
            number = ParseNumber(value->get<std::string>());
        }
        if (!number || !std::isfinite(*number)) {
            throw ImportRefusal(name(key) + ": «" + Shown(*value) + "» не число");
        }
        return number;
    }
    double required(std::string_view key) const {
        const std::optional<double> value = number(key);
        if (!value) {
            throw ImportRefusal(name(key) + ": нет значения");
        }
        return *value;
    }
    double positive(std::string_view key) const {
        const double value = required(key);
        if (!(value > 0)) {
            throw ImportRefusal(name(key) + ": нужно число больше 0, в файле " +
                                DraftNumberText(value));
        }
        return value;
    }
    std::optional<std::string> text(std::string_view key) const {
        const Json* value = find(key);
        return value == nullptr ? std::nullopt : std::optional(Shown(*value));
    }
    std::string requiredText(std::string_view key) const {
        const std::optional<std::string> value = text(key);
        if (!value) {
            throw ImportRefusal(name(key) + ": нет значения");
        }
        return *value;
    }
    bool isTrue(std::string_view key) const {
        const Json* value = find(key);
        return value != nullptr && ((value->is_boolean() && value->get<bool>()) ||
                                    (value->is_string() && value->get<std::string>() == "true"));
    }
    Object object(std::string_view key) const {
        const Json* value = find(key);
        if (value == nullptr) {
            throw ImportRefusal(name(key) + ": нет значения");
        }
        return Object(*value, name(key));
    }
    std::optional<Object> optionalObject(std::string_view key) const {
        const Json* value = find(key);
        return value == nullptr ? std::nullopt : std::optional(Object(*value, name(key)));
    }

private:
    const Json& value_;
    std::string path_;
};

Json ParseRoot(std::string_view text) {
    CheckNesting(text);
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& error) {
        throw ImportRefusal("не JSON: ошибка около байта " + std::to_string(error.byte));
    } catch (const Json::exception&) {
        throw ImportRefusal("не JSON: число вне пределов");  // such as -1e999
    }
}

Units UnitsOf(const Object& root) {
    const std::optional<double> version = root.number("version");
    if (version && *version != 1 && *version != 2) {
        throw ImportRefusal("version " + DraftNumberText(*version) +
                            ": известны версии 1 и 2 экспорта Meteor");
    }
    const std::string unit = root.text("measureUnit").value_or("SI");
    if (unit == kSi.name) {
        return kSi;
    }
    if (unit == kImperial.name) {
        return kImperial;
    }
    throw ImportRefusal("measureUnit «" + unit + "»: известны SI и IMPERIAL");
}

const Json& ConfigList(const Json& root) {
    const Object top(root, "файл");  // refuses a file that is no JSON object
    const auto it = root.find("configs");
    if (it == root.end() || !it->is_array()) {
        throw ImportRefusal("нет списка конструкций configs");
    }
    if (it->empty()) {
        throw ImportRefusal("в списке configs нет ни одной конструкции");
    }
    return *it;
}

bool Surface(const Object& grain, std::string_view key) {
    const std::string value = grain.requiredText(key);
    if (value == "EXPOSED") {
        return true;
    }
    if (value == "INHIBITED") {
        return false;
    }
    throw ImportRefusal(grain.name(key) + ": «" + value + "», известны INHIBITED и EXPOSED");
}

void ReadHollow(const Object& grain, const Units& units, MotorDraft& draft) {
    const double count = grain.positive("numberOfSegment");
    if (count != std::floor(count) || count > 1000) {
        throw ImportRefusal(grain.name("numberOfSegment") + ": " + DraftNumberText(count) +
                            " не целое число шашек");
    }
    draft.cored = CoredGrainsDraft{grain.positive("outerDiameter") * units.length,
                                   grain.positive("coreDiameter") * units.length,
                                   grain.positive("segmentLength") * units.length,
                                   static_cast<int>(count),
                                   Surface(grain, "outerSurface"),
                                   Surface(grain, "coreSurface"),
                                   Surface(grain, "endsSurface")};
    draft.report.mapped.push_back("HOLLOW → канальные шашки: " + std::to_string(int(count)) +
                                  " шт., Do " + DraftNumberText(draft.cored->outerDiameter) +
                                  " мм, do " + DraftNumberText(draft.cored->coreDiameter) +
                                  " мм, Lo " + DraftNumberText(draft.cored->length) + " мм");
}

void ReadEndBurner(const Object& grain, const Units& units, MotorDraft& draft) {
    for (const std::string_view hole : {"holeDiameter", "holeDepth"}) {
        const std::optional<double> size = grain.number(hole);
        if (size && *size != 0) {
            throw ImportRefusal(grain.name(hole) + " " + DraftNumberText(*size) +
                                ": торцевая шашка с отверстием не поддерживается");
        }
    }
    draft.endGrain = EndGrainDraft{grain.positive("outerDiameter") * units.length,
                                   grain.positive("segmentLength") * units.length};
    if (draft.endGrain->length > draft.chamberLength ||
        draft.endGrain->diameter > draft.chamberDiameter) {
        throw ImportRefusal(grain.path() + ": торцевая шашка не помещается в камеру");
    }
    draft.report.mapped.push_back("END_BURNER → торцевая шашка: Dto " +
                                  DraftNumberText(draft.endGrain->diameter) + " мм, Lto " +
                                  DraftNumberText(draft.endGrain->length) + " мм");
}

void ReadGrain(const Object& config, const Units& units, MotorDraft& draft) {
    const std::string type = config.requiredText("grainType");
    const Object grain = config.object("grainConfig");
    if (type == "HOLLOW") {
        ReadHollow(grain, units, draft);
    } else if (type == "END_BURNER") {
        ReadEndBurner(grain, units, draft);
    } else {
        throw ImportRefusal(config.name("grainType") + " «" + type +
                            "»: Tarvo считает только шашки HOLLOW и END_BURNER без отверстия");
    }
}

// The extraConfig keys and where they go; the rest is reported as not taken.
void ReadExtraConfig(const Object& config, MotorDraft& draft) {
    const std::optional<Object> extra = config.optionalObject("extraConfig");
    if (!extra) {
        draft.report.converted.push_back("extraConfig нет в файле: значения Tarvo по умолчанию");
        return;
    }
    const std::pair<std::string_view, std::optional<double>*> steppers[] = {
        {"densityRatio", &draft.densityRatio},
        {"combustionEfficiencyRatio", &draft.combustionEfficiency},
        {"ambiantPressureInMPa", &draft.ambientPressure},
        {"erosiveBurningAreaRatioThreshold", &draft.erosiveThreshold},
        {"erosiveBurningVelocityCoefficient", &draft.erosiveCoefficient},
        {"nozzleEfficiency", &draft.nozzleEfficiency},
        {"nozzleExpansionRatio", &draft.expansionRatio},
    };
    for (const auto& [key, target] : steppers) {
        *target = extra->number(key);
    }
    const std::optional<double> erosion = extra->number("nozzleErosionInMillimeter");
    draft.throatErosion = erosion.value_or(0);
    if (!erosion) {
        draft.report.converted.push_back("e: нет в файле, 0 мм");
    }
    draft.optimalNozzle =
        extra->isTrue("optimalNozzleDesign") || config.isTrue("optimalNozzleDesign");
    if (draft.optimalNozzle && draft.expansionRatio) {
        draft.report.notTaken.push_back("nozzleExpansionRatio " +
                                        DraftNumberText(*draft.expansionRatio) +
                                        ": задан optimalNozzleDesign");
    }
    for (const std::string& key : extra->keys()) {
        const bool known = key == "nozzleErosionInMillimeter" || key == "optimalNozzleDesign" ||
                           std::any_of(std::begin(steppers), std::end(steppers),
                                       [&key](const auto& s) { return s.first == key; });
        if (!known) {
            draft.report.notTaken.push_back(extra->name(key));
        }
    }
}

BurnRateRangeDraft Range(double lower, double upper, double a, double n, const Units& units) {
    return {lower * units.pressure, upper * units.pressure,
            a * units.length * std::pow(units.pressure, -n), n};
}

void ReadBurnRate(const Object& custom, const Units& units, MotorDraft& draft,
                  PropellantDraft& propellant) {
    const Json* table = custom.find("burnRateDataSet");
    if (table != nullptr && table->is_array() && !table->empty()) {
        if (table->size() > kMaxDraftRanges) {
            throw ImportRefusal(
                custom.name("burnRateDataSet") + ": " + std::to_string(table->size()) +
                " диапазонов, Tarvo хранит не больше " + std::to_string(kMaxDraftRanges));
        }
        for (std::size_t i = 0; i < table->size(); ++i) {
            const Object row((*table)[i],
                             custom.name("burnRateDataSet") + "[" + std::to_string(i + 1) + "]");
            propellant.ranges.push_back(Range(
                row.required("fromPressureIncluded"), row.required("toPressureExcluded"),
                row.required("burnRateCoefficient"), row.required("pressureExponent"), units));
        }
        if (custom.find("burnRateCoefficient") != nullptr) {
            draft.report.notTaken.push_back(custom.name("burnRateCoefficient") +
                                            " и pressureExponent: действует таблица "
                                            "burnRateDataSet");
        }
        return;
    }
    constexpr double kUpperPressure = 20;  // MPa
    const double patm = SteppedValue("Patm", draft.ambientPressure);
    const double a = custom.required("burnRateCoefficient");
    const double n = custom.required("pressureExponent");
    propellant.ranges.push_back({patm, kUpperPressure, Range(0, 0, a, n, units).a, n});
    draft.report.converted.push_back("единый закон горения → диапазон от Patm " +
                                     DraftNumberText(patm) + " до " +
                                     DraftNumberText(kUpperPressure) + " МПа");
}

void ReadTemperature(const Object& custom, const Units& units, MotorDraft& draft,
                     PropellantDraft& propellant) {
    const std::optional<double> temperature = custom.number("chamberTemperature");
    const std::optional<double> cStar = custom.number("cstar");
    if (temperature) {
        propellant.temperature = *temperature;
        if (cStar) {
            draft.report.notTaken.push_back(custom.name("cstar") +
                                            ": действует chamberTemperature");
        }
        return;
    }
    if (!cStar) {
        throw ImportRefusal(custom.name("chamberTemperature") + ": нет значения (и нет cstar)");
    }
    propellant.temperature = TemperatureForCharacteristicVelocity(
        *cStar * units.velocity, propellant.k, kUniversalGasConstant / propellant.molarMass);
    if (!std::isfinite(propellant.temperature) || propellant.temperature <= 0) {
        throw ImportRefusal(custom.name("cstar") + ": температура из c* не получается");
    }
    draft.report.converted.push_back("To " + DraftNumberText(propellant.temperature) +
                                     " K рассчитана из cstar " +
                                     DraftNumberText(*cStar * units.velocity) + " м/с");
}

void ReadCustomPropellant(const Object& config, const Units& units, MotorDraft& draft) {
    const Object custom = config.object("customPropellant");
    PropellantDraft propellant;
    propellant.name = custom.text("name").value_or(config.requiredText("propellantType"));
    propellant.idealDensity = custom.positive("density") * units.density;
    propellant.k = custom.positive("k");
    propellant.k2ph = custom.number("k2ph");
    propellant.molarMass = custom.positive("molarMass");
    ReadTemperature(custom, units, draft, propellant);
    ReadBurnRate(custom, units, draft, propellant);
    if (!propellant.k2ph) {
        draft.report.converted.push_back("k2ph нет в файле: оставлено значение ячейки топлива");
    }
    draft.report.mapped.push_back("топливо «" + propellant.name +
                                  "»: " + std::to_string(propellant.ranges.size()) +
                                  " диапазон(ов) скорости горения");
    draft.propellant = std::move(propellant);
}

void ReadPropellant(const Object& config, const Units& units, MotorDraft& draft) {
    const std::string type = config.requiredText("propellantType");
    const std::pair<std::string_view, int> builtIn[] = {
        {"KNDX", 0}, {"KNSB_COARSE", 1}, {"KNSB_FINE", 1}, {"KNSU", 2}};
    for (const auto& [name, index] : builtIn) {
        if (type == name) {
            draft.builtInPropellant = index;
            draft.report.mapped.push_back("propellantType " + type + " → топливо " +
                                          std::to_string(index + 1) + " списка");
            if (index == 1) {
                draft.report.converted.push_back(
                    type + ": используются константы и таблица скорости горения KN/SB Tarvo");
            }
            return;
        }
    }
    if (type.rfind("CUSTOM_", 0) == 0) {
        ReadCustomPropellant(config, units, draft);
        return;
    }
    throw ImportRefusal(config.name("propellantType") + " «" + type +
                        "»: известны KNDX, KNSB_COARSE, KNSB_FINE, KNSU и CUSTOM_…");
}

void ReportNozzleDesign(const Object& config, MotorDraft& draft) {
    const std::optional<Object> nozzle = config.optionalObject("nozzleDesign");
    if (!nozzle) {
        return;
    }
    std::string keys;
    for (const std::string& key : nozzle->keys()) {
        keys += (keys.empty() ? "" : ", ") + key;
    }
    draft.report.notTaken.push_back(nozzle->path() + " (" + keys +
                                    "): метод Tarvo не использует углы и размеры сопла");
}

}  // namespace

std::vector<std::string> MeteorDesignNames(std::string_view text) {
    const Json root = ParseRoot(text);
    UnitsOf(Object(root, "файл"));
    std::vector<std::string> names;
    const Json& configs = ConfigList(root);
    for (std::size_t i = 0; i < configs.size(); ++i) {
        const Object config(configs[i], "configs[" + std::to_string(i + 1) + "]");
        names.push_back(config.text("name").value_or("Конструкция " + std::to_string(i + 1)));
    }
    return names;
}

MotorDraft MeteorDesign(std::string_view text, std::size_t index) {
    const Json root = ParseRoot(text);
    const Units units = UnitsOf(Object(root, "файл"));
    const Json& configs = ConfigList(root);
    if (index >= configs.size()) {
        throw ImportRefusal("конструкции " + std::to_string(index + 1) + " нет: в файле их " +
                            std::to_string(configs.size()));
    }
    const Object config(configs[index], "configs[" + std::to_string(index + 1) + "]");
    MotorDraft draft;
    const std::string name = config.text("name").value_or("");
    draft.description = "Импорт из Meteor: " + name;
    if (!units.note.empty()) {
        draft.report.converted.emplace_back(units.note);
    }
    draft.chamberDiameter = config.positive("chamberInnerDiameter") * units.length;
    draft.chamberLength = config.positive("chamberLength") * units.length;
    draft.throatDiameter = config.positive("throatDiameter") * units.length;
    draft.report.mapped.push_back("камера: Dc " + DraftNumberText(draft.chamberDiameter) +
                                  " мм, Lc " + DraftNumberText(draft.chamberLength) + " мм");
    ReadExtraConfig(config, draft);
    ReadGrain(config, units, draft);
    ReadPropellant(config, units, draft);
    ReportNozzleDesign(config, draft);
    return draft;
}

}  // namespace tarvo
