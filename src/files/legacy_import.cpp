#include "files/legacy_import.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "files/key_maps.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr std::string_view kOldValues = "Const&Vars";
constexpr std::string_view kOldTabs = "Tabs";

// Old key numbers of the propellant values, in the row order of kPropellantValueKeys. Each
// propellant has its constants in a block of five and its table in a block of 31 keys.
int OldPropellantKey(int propellant, std::size_t row) {
    const int index = static_cast<int>(row);
    if (index < 5) {
        return 203 + 5 * propellant + index;
    }
    const int tableBase = 230 + 31 * propellant;
    const int inGroup = (index - 5) % 5;
    switch ((index - 5) / 5) {
        case 0:  // lower pressure bounds
            return tableBase + 10 + inGroup;
        case 1:  // upper pressure bounds
            return tableBase + 15 + inGroup;
        case 2:  // coefficients a
            return tableBase + inGroup;
        default:  // exponents n
            return tableBase + 5 + inGroup;
    }
}

// The older program wrote its defaults in the general number format ("0,1" where the current
// default text reads "0,100").
std::string OldDefaultText(std::string_view currentDefault) {
    const auto value = ParseNumber(currentDefault);
    return value ? FormatGeneral(*value) : std::string(currentDefault);
}

// Where the older layout kept each motor key. A missing old key reads as the current key's
// default, except where the older program's default differed (`fallback` set).
struct OldMotorKey {
    std::string_view oldSection;
    std::string_view oldKey;
    std::string_view key;       // of kMotorKeys
    std::string_view fallback;  // "" for the current key's default
};

constexpr std::array<OldMotorKey, 25> kOldMotorKeys = {{
    {kOldValues, "11", "Dc", ""},
    {kOldValues, "12", "Lc", ""},
    {kOldValues, "45", "D", ""},
    {kOldValues, "46", "do", ""},
    {kOldValues, "47", "Lo", ""},
    {kOldValues, "48", "N", ""},
    {kOldValues, "64", "Kno", ""},
    {kOldValues, "65", "e", ""},
    {kOldValues, "44", "Ftype", "2"},
    {kOldValues, "50", "Os", ""},
    {kOldValues, "52", "Cs", ""},
    {kOldValues, "54", "Es", ""},
    {kOldValues, "56", "Roi/Ror", ""},
    {kOldValues, "97", "uc", ""},
    {kOldValues, "99", "Patm", ""},
    {kOldValues, "101", "G*", ""},
    {kOldValues, "103", "kv", ""},
    {kOldValues, "140", "unoz", ""},
    {kOldValues, "141", "Ae/At", ""},
    {kOldValues, "Trasser", "Trasser", ""},
    {kOldValues, "Channel", "Channel", ""},
    {kOldValues, "Lto", "Lto", ""},
    {kOldValues, "Dto", "Dto", ""},
    {kOldTabs, "Active", "Active", "1"},
    {"Description", "Motor", "Motor", ""},
}};

const MotorKey& CurrentKey(std::string_view key) {
    for (const MotorKey& current : kMotorKeys) {
        if (current.key == key) {
            return current;
        }
    }
    return kMotorKeys.front();  // every old key has its current one
}

void ConvertPropellants(IniDocument& document) {
    for (int p = 0; p < kPropellantCount; ++p) {
        for (std::size_t row = 0; row < kPropellantValueKeys.size(); ++row) {
            const std::string oldKey = std::to_string(OldPropellantKey(p, row));
            const std::string fallback =
                OldDefaultText(PropellantValueDefault(kPropellantValueKeys[row], p));
            document.WriteIniStr(kPropellantSections[p], kPropellantValueKeys[row].key,
                                 document.ReadIniStr(kOldValues, oldKey, fallback));
        }
    }
}

}  // namespace

bool IsLegacyMotorDocument(const IniDocument& document) {
    return document.HasSectionWithKeys(kOldTabs);
}

bool IsMotorDocument(const IniDocument& document) {
    const auto has = [&document](std::string_view section) {
        return document.HasSectionWithKeys(section);
    };
    return std::any_of(kPropellantSections.begin(), kPropellantSections.end(), has) ||
           std::any_of(kMotorKeys.begin(), kMotorKeys.end(),
                       [&has](const MotorKey& key) { return has(key.section); }) ||
           has(kOldValues) || has(kOldTabs);
}

LegacyConversion ConvertLegacyMotorFile(IniDocument& document) {
    if (!IsLegacyMotorDocument(document)) {
        return LegacyConversion::NotLegacy;
    }
    ConvertPropellants(document);
    for (const OldMotorKey& row : kOldMotorKeys) {
        const MotorKey& key = CurrentKey(row.key);
        const std::string fallback =
            row.fallback.empty() ? MotorKeyFallback(key) : std::string(row.fallback);
        document.WriteIniStr(key.section, key.key,
                             document.ReadIniStr(row.oldSection, row.oldKey, fallback));
    }
    document.EraseIniSection(kOldValues);
    document.EraseIniSection(kOldTabs);
    return LegacyConversion::Converted;
}

}  // namespace tarvo
