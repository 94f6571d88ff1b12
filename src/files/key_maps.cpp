#include "files/key_maps.h"

#include <algorithm>
#include <charconv>

#include "files/file_io.h"

namespace tarvo {

// clang-format off
const std::array<PropellantValueKey, kPropellantValueKeyCount> kPropellantValueKeys = {{
    {"1",   {"Edit14", "Edit19", "Edit24"}, {"1,879",  "1,841",  "1,889"}},
    {"2",   {"Edit15", "Edit20", "Edit25"}, {"1,043",  "1,042",  "1,044"}},
    {"3",   {"Edit16", "Edit21", "Edit26"}, {"1,1308", "1,1361", "1,133"}},
    {"4",   {"Edit17", "Edit22", "Edit27"}, {"42,39",  "39,9",   "41,98"}},
    {"5",   {"Edit18", "Edit23", "Edit28"}, {"1710",   "1600",   "1720"}},
    {"P10", {"Edit43", "Edit53", "Edit83"}, {"0,100",  "0,091",  "0,091"}},
    {"P20", {"Edit44", "Edit54", "Edit84"}, {"0,779",  "0,807",  "0"}},
    {"P30", {"Edit45", "Edit55", "Edit85"}, {"2,572",  "1,503",  "0"}},
    {"P40", {"Edit46", "Edit56", "Edit86"}, {"5,930",  "3,792",  "0"}},
    {"P50", {"Edit47", "Edit57", "Edit87"}, {"8,502",  "7,033",  "0"}},
    {"P11", {"Edit48", "Edit58", "Edit88"}, {"0,779",  "0,807",  "4,8"}},
    {"P21", {"Edit49", "Edit59", "Edit89"}, {"2,572",  "1,503",  "0"}},
    {"P31", {"Edit50", "Edit60", "Edit90"}, {"5,930",  "3,792",  "0"}},
    {"P41", {"Edit51", "Edit61", "Edit91"}, {"8,502",  "7,033",  "0"}},
    {"P51", {"Edit52", "Edit62", "Edit92"}, {"11,20",  "10,67",  "0"}},
    {"K10", {"Edit33", "Edit63", "Edit73"}, {"8,875",  "10,708", "7,695"}},
    {"K20", {"Edit34", "Edit64", "Edit74"}, {"7,553",  "8,763",  "0"}},
    {"K30", {"Edit35", "Edit65", "Edit75"}, {"3,841",  "7,852",  "0"}},
    {"K40", {"Edit36", "Edit66", "Edit76"}, {"17,20",  "3,907",  "0"}},
    {"K50", {"Edit37", "Edit67", "Edit77"}, {"4,775",  "9,653",  "0"}},
    {"K11", {"Edit38", "Edit68", "Edit78"}, {"0,619",  "0,625",  "0,39"}},
    {"K21", {"Edit39", "Edit69", "Edit79"}, {"-0,009", "-0,314", "0"}},
    {"K31", {"Edit40", "Edit70", "Edit80"}, {"0,688",  "-0,013", "0"}},
    {"K41", {"Edit41", "Edit71", "Edit81"}, {"-0,148", "0,535",  "0"}},
    {"K51", {"Edit42", "Edit72", "Edit82"}, {"0,442",  "0,064",  "0"}},
}};

namespace {
using K = MotorValueKind;
}  // namespace

const std::array<MotorKey, kMotorKeyCount> kMotorKeys = {{
    {"Params", "Dc",      K::FieldText,        "Edit1",    "",       "0",  false},
    {"Params", "Lc",      K::FieldText,        "Edit2",    "",       "0",  false},
    {"Params", "D",       K::FieldText,        "Edit4",    "",       "0",  false},
    {"Params", "do",      K::FieldText,        "Edit5",    "",       "0",  false},
    {"Params", "Lo",      K::FieldText,        "Edit6",    "",       "0",  false},
    {"Params", "N",       K::FieldText,        "Edit7",    "",       "1",  false},
    {"Params", "Kno",     K::FieldText,        "Edit12",   "",       "0",  false},
    {"Params", "e",       K::FieldText,        "Edit13",   "",       "0",  false},
    {"Params", "Lto",     K::FieldText,        "Edit95",   "",       "0",  false},
    {"Params", "Dto",     K::FieldText,        "Edit96",   "",       "0",  false},
    {"Params", "Ftype",   K::PropellantChoice, "fbox",     "",       "1",  true},
    {"Params", "Os",      K::StepperPosition,  "UpDown2",  "Edit8",  "0",  true},
    {"Params", "Cs",      K::StepperPosition,  "UpDown3",  "Edit9",  "1",  true},
    {"Params", "Es",      K::StepperPosition,  "UpDown4",  "Edit10", "1",  true},
    {"Params", "Roi/Ror", K::StepperPosition,  "UpDown5",  "Edit11", "96", true},
    {"Params", "uc",      K::StepperPosition,  "UpDown6",  "Edit29", "95", true},
    {"Params", "Patm",    K::StepperPosition,  "UpDown7",  "Edit30", "81", true},
    {"Params", "G*",      K::StepperPosition,  "UpDown8",  "Edit31", "6",  true},
    {"Params", "kv",      K::StepperPosition,  "UpDown9",  "Edit32", "0",  true},
    {"Params", "unoz",    K::StepperPosition,  "UpDown10", "Edit93", "85", true},
    {"Params", "Ae/At",   K::StepperPosition,  "UpDown11", "Edit94", "10", true},
    {"Params", "Trasser", K::GrainFlag,        "chk",      "",       "0",  false},
    {"Params", "Channel", K::GrainFlag,        "chk1",     "",       "1",  false},
    {"Tab", "Active",     K::TabIndex,         "PageControl1", "",   "0",  false},
    {"Description", "Motor", K::Description,   "Memo1",    "",  "Описание двигателя:", false},
}};
// clang-format on

namespace {

int EditNumber(std::string_view field) {
    int number = 0;
    std::from_chars(field.data() + 4, field.data() + field.size(), number);
    return number;
}

}  // namespace

std::optional<std::string_view> PropellantFieldDefault(std::string_view field) {
    for (const PropellantValueKey& row : kPropellantValueKeys) {
        for (int p = 0; p < kPropellantCount; ++p) {
            if (row.fields[p] == field) {
                return row.defaults[p];
            }
        }
    }
    return std::nullopt;
}

std::array<FieldDefault, kPropellantCount * kPropellantValueKeyCount> PropellantFieldDefaults() {
    std::array<FieldDefault, kPropellantCount * kPropellantValueKeyCount> all{};
    std::size_t next = 0;
    for (const PropellantValueKey& row : kPropellantValueKeys) {
        for (int p = 0; p < kPropellantCount; ++p) {
            all[next++] = {row.fields[p], row.defaults[p]};
        }
    }
    std::sort(all.begin(), all.end(), [](const FieldDefault& a, const FieldDefault& b) {
        return EditNumber(a.field) < EditNumber(b.field);
    });
    return all;
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
