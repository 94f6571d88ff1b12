#include "files/key_maps.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "files/file_io.h"
#include "input/field_map.h"
#include "input/steppers.h"
#include "model/propellants.h"

namespace tarvo {

// clang-format off
const std::array<PropellantValueKey, kPropellantValueKeyCount> kPropellantValueKeys = {{
    {"1",   true, 0, 0}, {"2",   true, 1, 0}, {"3",   true, 2, 0}, {"4",   true, 3, 0},
    {"5",   true, 4, 0},
    {"P10", false, 0, 0}, {"P20", false, 0, 1}, {"P30", false, 0, 2}, {"P40", false, 0, 3},
    {"P50", false, 0, 4},
    {"P11", false, 1, 0}, {"P21", false, 1, 1}, {"P31", false, 1, 2}, {"P41", false, 1, 3},
    {"P51", false, 1, 4},
    {"K10", false, 2, 0}, {"K20", false, 2, 1}, {"K30", false, 2, 2}, {"K40", false, 2, 3},
    {"K50", false, 2, 4},
    {"K11", false, 3, 0}, {"K21", false, 3, 1}, {"K31", false, 3, 2}, {"K41", false, 3, 3},
    {"K51", false, 3, 4},
}};

namespace {
using K = MotorValueKind;
}  // namespace

const std::array<MotorKey, kMotorKeyCount> kMotorKeys = {{
    {"Params", "Dc",      K::FieldText,        "Edit1",    "0",  false},
    {"Params", "Lc",      K::FieldText,        "Edit2",    "0",  false},
    {"Params", "D",       K::FieldText,        "Edit4",    "0",  false},
    {"Params", "do",      K::FieldText,        "Edit5",    "0",  false},
    {"Params", "Lo",      K::FieldText,        "Edit6",    "0",  false},
    {"Params", "N",       K::FieldText,        "Edit7",    "1",  false},
    {"Params", "Kno",     K::FieldText,        "Edit12",   "0",  false},
    {"Params", "e",       K::FieldText,        "Edit13",   "0",  false},
    {"Params", "Lto",     K::FieldText,        "Edit95",   "0",  false},
    {"Params", "Dto",     K::FieldText,        "Edit96",   "0",  false},
    {"Params", "Ftype",   K::PropellantChoice, "fbox",     "1",  true},
    {"Params", "Os",      K::StepperPosition,  "UpDown2",  "",   true},
    {"Params", "Cs",      K::StepperPosition,  "UpDown3",  "",   true},
    {"Params", "Es",      K::StepperPosition,  "UpDown4",  "",   true},
    {"Params", "Roi/Ror", K::StepperPosition,  "UpDown5",  "",   true},
    {"Params", "uc",      K::StepperPosition,  "UpDown6",  "",   true},
    {"Params", "Patm",    K::StepperPosition,  "UpDown7",  "",   true},
    {"Params", "G*",      K::StepperPosition,  "UpDown8",  "",   true},
    {"Params", "kv",      K::StepperPosition,  "UpDown9",  "",   true},
    {"Params", "unoz",    K::StepperPosition,  "UpDown10", "",   true},
    {"Params", "Ae/At",   K::StepperPosition,  "UpDown11", "",   true},
    {"Params", "Trasser", K::GrainFlag,        "chk",      "0",  false},
    {"Params", "Channel", K::GrainFlag,        "chk1",     "1",  false},
    {"Tab", "Active",     K::TabIndex,         "PageControl1", "0", false},
    {"Description", "Motor", K::Description,   "Memo1",    "Описание двигателя:", false},
}};
// clang-format on

namespace {

// The N of a control name such as "UpDown5".
int ControlNumber(std::string_view name) {
    const std::size_t digits = name.find_first_of("0123456789");
    int number = 0;
    if (digits != std::string_view::npos) {
        std::from_chars(name.data() + digits, name.data() + name.size(), number);
    }
    return number;
}

PublishedNumber PublishedValue(const PropellantValueKey& key, int propellant) {
    const PropellantDefaults& defaults = kPropellantDefaults[propellant];
    return key.constant ? defaults.constants[key.column] : defaults.ranges[key.range][key.column];
}

}  // namespace

int PropellantValueField(const PropellantValueKey& key, int propellant) {
    if (key.constant) {
        const PropellantFields& f = kPropellantFields[propellant];
        const std::array<int, kConstantColumns> columns = {f.pPrime, f.k2ph, f.k, f.M, f.To};
        return columns[key.column];
    }
    const BurnRateFields& f = kBurnRateFields[propellant];
    const std::array<int, kBurnRateColumns> columns = {f.lower, f.upper, f.a, f.n};
    return columns[key.column] + key.range;
}

// Every window start, New and file opening reads all 75 defaults: their texts are made once.
const std::string& PropellantValueDefault(const PropellantValueKey& key, int propellant) {
    using Texts = std::array<std::array<std::string, kPropellantCount>, kPropellantValueKeyCount>;
    static const Texts texts = [] {
        Texts made;
        for (std::size_t row = 0; row < kPropellantValueKeyCount; ++row) {
            for (int p = 0; p < kPropellantCount; ++p) {
                made[row][p] = PublishedText(PublishedValue(kPropellantValueKeys[row], p));
            }
        }
        return made;
    }();
    static const std::string kNone;
    const PropellantValueKey* row = &key;
    const std::less<const PropellantValueKey*> before;
    if (before(row, kPropellantValueKeys.data()) ||
        !before(row, kPropellantValueKeys.data() + kPropellantValueKeys.size())) {
        row = std::find_if(kPropellantValueKeys.begin(), kPropellantValueKeys.end(),
                           [&key](const PropellantValueKey& k) { return k.key == key.key; });
    }
    if (row == kPropellantValueKeys.data() + kPropellantValueKeys.size() || propellant < 0 ||
        propellant >= kPropellantCount) {
        return kNone;
    }
    return texts[row - kPropellantValueKeys.data()][propellant];
}

std::optional<std::string> PropellantFieldDefault(int field) {
    for (const PropellantValueKey& key : kPropellantValueKeys) {
        for (int p = 0; p < kPropellantCount; ++p) {
            if (PropellantValueField(key, p) == field) {
                return PropellantValueDefault(key, p);
            }
        }
    }
    return std::nullopt;
}

std::vector<FieldDefault> PropellantFieldDefaults() {
    std::vector<FieldDefault> all;
    for (const PropellantValueKey& key : kPropellantValueKeys) {
        for (int p = 0; p < kPropellantCount; ++p) {
            all.push_back({PropellantValueField(key, p), PropellantValueDefault(key, p)});
        }
    }
    std::sort(all.begin(), all.end(),
              [](const FieldDefault& a, const FieldDefault& b) { return a.field < b.field; });
    return all;
}

std::string MotorKeyFallback(const MotorKey& key) {
    if (key.kind == MotorValueKind::StepperPosition) {
        if (const StepperRule* rule = FindStepperRule(ControlNumber(key.control))) {
            return std::to_string(rule->defaultPosition);
        }
    }
    return std::string(key.fallback);
}

const MotorKey* FindMotorKey(std::string_view control) {
    for (const MotorKey& key : kMotorKeys) {
        if (key.control == control) {
            return &key;
        }
    }
    return nullptr;
}

std::vector<std::string> PropellantFileLocations(const std::string& configDirectory,
                                                 const std::string& programDirectory) {
    std::vector<std::string> locations;
    const std::string name = "/" + std::string(kDefaultPropellantFileName);
    if (!configDirectory.empty()) {
        locations.push_back(configDirectory + name);
    }
    if (!programDirectory.empty()) {
        locations.push_back(programDirectory + name);
        const std::string prefix = DirectoryOf(programDirectory);
        if (!prefix.empty()) {
            locations.push_back((prefix == "/" ? "" : prefix) + "/share/tarvo" + name);
        }
    }
    return locations;
}

std::vector<std::string> PropellantFileLocations() {
    return PropellantFileLocations(TarvoConfigDirectory(), ExecutableDirectory());
}

}  // namespace tarvo
