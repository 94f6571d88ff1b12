#include "interop/motor_draft.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "ballistics/geometry.h"
#include "files/encoding.h"
#include "files/file_values.h"
#include "files/key_maps.h"
#include "input/steppers.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

// Rows of kPropellantValueKeys: the five constants, then five rows each of lower bounds, upper
// bounds, coefficients a and exponents n.
enum PropellantRow : std::size_t {
    kDensityRow = 0,
    kK2phRow = 1,
    kKRow = 2,
    kMolarMassRow = 3,
    kTemperatureRow = 4,
    kLowerRow = 5,
    kUpperRow = 10,
    kCoefficientRow = 15,
    kExponentRow = 20,
};

std::string_view PropellantKey(std::size_t row) {
    return kPropellantValueKeys[row].key;
}

const MotorKey& MotorKeyNamed(std::string_view key) {
    const auto it = std::find_if(kMotorKeys.begin(), kMotorKeys.end(),
                                 [key](const MotorKey& k) { return k.key == key; });
    if (it == kMotorKeys.end()) {
        throw std::logic_error("no motor key " + std::string(key));
    }
    return *it;
}

// "UpDown6" -> the rule of stepper 6.
const StepperRule& StepperOf(const MotorKey& key) {
    int number = 0;
    const std::string_view name = key.control;
    const std::size_t digits = name.find_first_of("0123456789");
    std::from_chars(name.data() + digits, name.data() + name.size(), number);
    const StepperRule* rule = FindStepperRule(number);
    if (rule == nullptr) {
        throw std::logic_error("no stepper for " + std::string(key.key));
    }
    return *rule;
}

void Write(IniDocument& document, std::string_view key, std::string_view text) {
    const MotorKey& motorKey = MotorKeyNamed(key);
    document.WriteIniStr(motorKey.section, motorKey.key, text);
}

bool SameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

class DocumentWriter {
public:
    explicit DocumentWriter(ImportedMotor& motor) : motor_(motor) {}

    void field(std::string_view key, double value) {
        Write(motor_.motor, key, DraftNumberText(value));
    }
    void text(std::string_view key, std::string_view text) { Write(motor_.motor, key, text); }
    void flag(std::string_view key, bool on) { text(key, FormatFileInteger(on ? 1 : 0)); }
    void box(std::string_view key, bool on) { text(key, FormatFileBoolean(on)); }

    // A value a stepper holds: the nearest position within its range, reported when the field
    // then shows another value than the file's.
    void stepper(std::string_view key, std::optional<double> value) {
        const MotorKey& motorKey = MotorKeyNamed(key);
        const StepperRule& rule = StepperOf(motorKey);
        const int position = value ? StepperPositionFor(rule, *value) : rule.defaultPosition;
        const std::string shown = StepperFieldText(rule, position);
        text(key, FormatFileInteger(position));
        if (!value) {
            motor_.report.converted.push_back(std::string(key) + ": нет в файле, оставлено " +
                                              shown + " (по умолчанию)");
        } else if (!SameValue(ParseNumber(shown).value_or(0), *value)) {
            motor_.report.converted.push_back(std::string(key) + " " + DraftNumberText(*value) +
                                              " → " + shown + " (шаг и пределы поля)");
        } else {
            motor_.report.mapped.push_back(std::string(key) + " = " + shown);
        }
    }

    void defaultStepper(std::string_view key) {
        text(key, FormatFileInteger(StepperOf(MotorKeyNamed(key)).defaultPosition));
    }

private:
    ImportedMotor& motor_;
};

// The initial burning area of the draft's grains, by the calculation's own formulas.
double InitialBurningArea(const MotorDraft& draft) {
    MotorDesign grains;
    grains.grainKind = DecideGrainKind(draft.cored.has_value(), draft.endGrain.has_value());
    if (draft.cored) {
        const CoredGrainsDraft& g = *draft.cored;
        grains.Do = g.outerDiameter;
        grains.do_ = g.coreDiameter;
        grains.Lo = g.length;
        grains.N = g.count;
        grains.Os = g.outerBurns ? 1 : 0;
        grains.Cs = g.coreBurns ? 1 : 0;
        grains.Es = g.endsBurn ? 1 : 0;
    }
    if (draft.endGrain) {
        grains.Dto = draft.endGrain->diameter;
    }
    return InitialBurningAreas(grains).total();
}

double CircleArea(double diameter) {
    return diameter * diameter * std::numbers::pi / 4;
}

double DiameterOfArea(double area) {
    return std::sqrt(4 * area / std::numbers::pi);
}

// Kno from the initial burning area and the file's throat, rounded as the field holds it.
void WriteKno(const MotorDraft& draft, DocumentWriter& writer, ImportReport& report) {
    const double area = InitialBurningArea(draft);
    const double exact = area / CircleArea(draft.throatDiameter);
    const std::string text = FormatFixed(exact, kKnoDecimals);
    const double kno = ParseNumber(text).value_or(0);
    if (!std::isfinite(exact) || !(kno > 0)) {
        throw ImportRefusal("начальная площадь горения " + DraftNumberText(area) +
                            " мм² не даёт Kno не меньше 1 при диаметре критического сечения " +
                            DraftNumberText(draft.throatDiameter) + " мм");
    }
    writer.text("Kno", text);
    report.converted.push_back(
        "Kno = " + text + " (начальная площадь горения " + FormatFixed(area, 0) +
        " мм² / площадь критического сечения " + FormatFixed(CircleArea(draft.throatDiameter), 2) +
        " мм² = " + FormatFixed(exact, 2) + "); диаметр критического сечения по Kno " +
        FormatFixed(DiameterOfArea(area / kno), 3) + " мм, в файле " +
        FormatFixed(draft.throatDiameter, 3) + " мм");
}

// The chamber length text, made long enough that the window's free length (Lc - N * Lo, from
// the texts) holds the end-burning grain: a rounding residue would otherwise cut it.
std::string ChamberLengthText(const MotorDraft& draft) {
    double length = draft.chamberLength;
    std::string text = DraftNumberText(length);
    if (!draft.cored || !draft.endGrain) {
        return text;
    }
    const auto number = [](double value) {
        return ParseNumber(DraftNumberText(value)).value_or(0);
    };
    const double cored = draft.cored->count * number(draft.cored->length);
    for (int step = 0;
         step < 3 && ParseNumber(text).value_or(0) - cored < number(draft.endGrain->length);
         ++step) {
        length += 1e-3;
        text = DraftNumberText(length);
    }
    return text;
}

void WriteGrains(const MotorDraft& draft, DocumentWriter& writer) {
    writer.field("Dc", draft.chamberDiameter);
    writer.text("Lc", ChamberLengthText(draft));
    const CoredGrainsDraft cored = draft.cored.value_or(CoredGrainsDraft{});
    writer.field("D", cored.outerDiameter);
    writer.field("do", cored.coreDiameter);
    writer.field("Lo", cored.length);
    writer.text("N", FormatFileInteger(draft.cored ? cored.count : 1));
    writer.flag("Os", cored.outerBurns);
    writer.flag("Cs", cored.coreBurns);
    writer.flag("Es", cored.endsBurn);
    const EndGrainDraft end = draft.endGrain.value_or(EndGrainDraft{});
    writer.field("Lto", end.length);
    writer.field("Dto", end.diameter);
    writer.box("Trasser", draft.endGrain.has_value());
    writer.box("Channel", draft.cored.has_value());
    writer.field("e", draft.throatErosion);
}

void WriteSteppers(const MotorDraft& draft, DocumentWriter& writer) {
    writer.stepper("Roi/Ror", draft.densityRatio);
    writer.stepper("uc", draft.combustionEfficiency);
    writer.stepper("Patm", draft.ambientPressure);
    writer.stepper("G*", draft.erosiveThreshold);
    writer.stepper("kv", draft.erosiveCoefficient);
    writer.stepper("unoz", draft.nozzleEfficiency);
    if (draft.optimalNozzle) {
        writer.defaultStepper("Ae/At");  // the optimum replaces it once the design is calculated
    } else {
        writer.stepper("Ae/At", draft.expansionRatio);
    }
}

PropellantSlotValues SlotValues(const PropellantDraft& propellant, int slot) {
    PropellantSlotValues values{slot, SanitizeUtf8(propellant.name), {}};
    const auto put = [&values](std::size_t row, double value) {
        values.values.emplace_back(PropellantKey(row), DraftNumberText(value));
    };
    put(kDensityRow, propellant.idealDensity);
    if (propellant.k2ph) {
        put(kK2phRow, *propellant.k2ph);
    }
    put(kKRow, propellant.k);
    put(kMolarMassRow, propellant.molarMass);
    put(kTemperatureRow, propellant.temperature);
    // In file order: the lower bounds of the five ranges, the upper bounds, a, n.
    const std::pair<std::size_t, double BurnRateRangeDraft::*> columns[] = {
        {kLowerRow, &BurnRateRangeDraft::lower},
        {kUpperRow, &BurnRateRangeDraft::upper},
        {kCoefficientRow, &BurnRateRangeDraft::a},
        {kExponentRow, &BurnRateRangeDraft::n}};
    for (const auto& [firstRow, member] : columns) {
        for (std::size_t i = 0; i < kMaxDraftRanges; ++i) {
            put(firstRow + i, i < propellant.ranges.size() ? propellant.ranges[i].*member : 0.0);
        }
    }
    return values;
}

// ---- From a motor document ----

class DocumentReader {
public:
    explicit DocumentReader(const IniDocument& document) : document_(document) {}

    std::string text(std::string_view key) const {
        const MotorKey& motorKey = MotorKeyNamed(key);
        return document_.ReadIniStr(motorKey.section, motorKey.key, MotorKeyFallback(motorKey));
    }
    double number(std::string_view key) const { return Parse(text(key), key); }
    // The value the stepper's field shows for the stored position.
    double stepper(std::string_view key) const {
        const MotorKey& motorKey = MotorKeyNamed(key);
        const auto position = ParseStepperPosition(text(key));
        if (!position) {
            throw ImportRefusal("поле " + std::string(key) + ": «" + text(key) +
                                "» не положение переключателя");
        }
        const StepperRule& rule = StepperOf(motorKey);
        return Parse(StepperFieldText(rule, ClampToStepperRange(rule, *position)), key);
    }
    bool flag(std::string_view key) const { return ParseGrainFlag(text(key)); }
    double propellant(int slot, std::size_t row) const {
        const PropellantValueKey& key = kPropellantValueKeys[row];
        return Parse(document_.ReadIniStr(kPropellantSections[slot], key.key,
                                          PropellantValueDefault(key, static_cast<int>(slot))),
                     key.key);
    }
    std::string propellantName(int slot) const {
        return document_.ReadIniStr(kPropellantSections[slot], kFuelNameKey,
                                    kDefaultFuelNames[slot]);
    }

    static double Parse(const std::string& text, std::string_view key) {
        const std::optional<double> value = ParseNumber(text);
        if (!value) {
            throw ImportRefusal("поле " + std::string(key) + ": «" + text + "» не число");
        }
        return *value;
    }

private:
    const IniDocument& document_;
};

PropellantDraft SlotPropellant(const DocumentReader& reader, int slot) {
    PropellantDraft propellant;
    propellant.name = reader.propellantName(slot);
    propellant.idealDensity = reader.propellant(slot, kDensityRow);
    propellant.k2ph = reader.propellant(slot, kK2phRow);
    propellant.k = reader.propellant(slot, kKRow);
    propellant.molarMass = reader.propellant(slot, kMolarMassRow);
    propellant.temperature = reader.propellant(slot, kTemperatureRow);
    for (std::size_t i = 0; i < kMaxDraftRanges; ++i) {
        const BurnRateRangeDraft range{reader.propellant(slot, kLowerRow + i),
                                       reader.propellant(slot, kUpperRow + i),
                                       reader.propellant(slot, kCoefficientRow + i),
                                       reader.propellant(slot, kExponentRow + i)};
        if (range.lower != 0 || range.upper != 0 || range.a != 0 || range.n != 0) {
            propellant.ranges.push_back(range);
        }
    }
    return propellant;
}

}  // namespace

std::string DraftNumberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return FormatGeneral(ParseNumber(buffer).value_or(value));
}

double SteppedValue(std::string_view key, std::optional<double> value) {
    const StepperRule& rule = StepperOf(MotorKeyNamed(key));
    const int position = value ? StepperPositionFor(rule, *value) : rule.defaultPosition;
    return ParseNumber(StepperFieldText(rule, position)).value_or(0);
}

void PropellantSlotValues::WriteTo(IniDocument& document) const {
    const std::string_view section = kPropellantSections[slot];
    document.WriteIniStr(section, kFuelNameKey, name);
    for (const auto& [key, text] : values) {
        document.WriteIniStr(section, key, text);
    }
}

ImportedMotor BuildImportedMotor(const MotorDraft& draft, int slot) {
    ImportedMotor motor;
    motor.report = draft.report;
    DocumentWriter writer(motor);
    WriteGrains(draft, writer);
    WriteKno(draft, writer, motor.report);
    WriteSteppers(draft, writer);
    motor.optimalNozzle = draft.optimalNozzle;
    const int choice = draft.propellant ? slot : draft.builtInPropellant;
    writer.text("Ftype", FormatFileInteger(choice + 1));
    if (draft.propellant) {
        motor.propellant = SlotValues(*draft.propellant, slot);
    }
    writer.text("Active", "0");
    writer.text("Motor", SanitizeUtf8(draft.description));
    return motor;
}

MotorDraft DraftFromMotorDocument(const IniDocument& document) {
    const DocumentReader reader(document);
    MotorDraft draft;
    draft.description = reader.text("Motor");
    draft.chamberDiameter = reader.number("Dc");
    draft.chamberLength = reader.number("Lc");
    if (reader.flag("Channel")) {
        const double count = reader.number("N");
        if (count != std::floor(count) || std::fabs(count) > 1e6) {
            throw ImportRefusal("поле N: «" + reader.text("N") + "» не целое число шашек");
        }
        draft.cored = CoredGrainsDraft{reader.number("D"),        reader.number("do"),
                                       reader.number("Lo"),       static_cast<int>(count),
                                       reader.stepper("Os") != 0, reader.stepper("Cs") != 0,
                                       reader.stepper("Es") != 0};
    }
    if (reader.flag("Trasser")) {
        draft.endGrain = EndGrainDraft{reader.number("Dto"), reader.number("Lto")};
    }
    draft.throatErosion = reader.number("e");
    draft.densityRatio = reader.stepper("Roi/Ror");
    draft.combustionEfficiency = reader.stepper("uc");
    draft.ambientPressure = reader.stepper("Patm");
    draft.erosiveThreshold = reader.stepper("G*");
    draft.erosiveCoefficient = reader.stepper("kv");
    draft.nozzleEfficiency = reader.stepper("unoz");
    draft.expansionRatio = reader.stepper("Ae/At");
    const double kno = reader.number("Kno");
    const double area = InitialBurningArea(draft);
    draft.throatDiameter = kno > 0 ? DiameterOfArea(area / kno) : 0.0;
    const std::optional<int> choice = ParsePropellantChoice(reader.text("Ftype"));
    if (choice && *choice >= 0 && *choice < kPropellantCount) {
        draft.builtInPropellant = *choice;
        draft.propellant = SlotPropellant(reader, *choice);
    }
    return draft;
}

}  // namespace tarvo
