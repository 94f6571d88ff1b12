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

struct OldMotorKey {
    std::string_view oldSection;
    std::string_view oldKey;
    std::string_view fallback;
    std::string_view section;
    std::string_view key;
};

constexpr std::array<OldMotorKey, 25> kOldMotorKeys = {{
    {kOldValues, "11", "0", "Params", "Dc"},
    {kOldValues, "12", "0", "Params", "Lc"},
    {kOldValues, "45", "0", "Params", "D"},
    {kOldValues, "46", "0", "Params", "do"},
    {kOldValues, "47", "0", "Params", "Lo"},
    {kOldValues, "48", "1", "Params", "N"},
    {kOldValues, "64", "0", "Params", "Kno"},
    {kOldValues, "65", "0", "Params", "e"},
    {kOldValues, "44", "2", "Params", "Ftype"},
    {kOldValues, "50", "0", "Params", "Os"},
    {kOldValues, "52", "1", "Params", "Cs"},
    {kOldValues, "54", "1", "Params", "Es"},
    {kOldValues, "56", "96", "Params", "Roi/Ror"},
    {kOldValues, "97", "95", "Params", "uc"},
    {kOldValues, "99", "81", "Params", "Patm"},
    {kOldValues, "101", "6", "Params", "G*"},
    {kOldValues, "103", "0", "Params", "kv"},
    {kOldValues, "140", "85", "Params", "unoz"},
    {kOldValues, "141", "10", "Params", "Ae/At"},
    {kOldValues, "Trasser", "0", "Params", "Trasser"},
    {kOldValues, "Channel", "1", "Params", "Channel"},
    {kOldValues, "Lto", "0", "Params", "Lto"},
    {kOldValues, "Dto", "0", "Params", "Dto"},
    {kOldTabs, "Active", "1", "Tab", "Active"},
    {"Description", "Motor", "Описание двигателя:", "Description", "Motor"},
}};

void ConvertPropellants(IniDocument& document) {
    for (int p = 0; p < kPropellantCount; ++p) {
        for (std::size_t row = 0; row < kPropellantValueKeys.size(); ++row) {
            const std::string oldKey = std::to_string(OldPropellantKey(p, row));
            const std::string fallback = OldDefaultText(kPropellantValueKeys[row].defaults[p]);
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
        document.WriteIniStr(row.section, row.key,
                             document.ReadIniStr(row.oldSection, row.oldKey, row.fallback));
    }
    document.EraseIniSection(kOldValues);
    document.EraseIniSection(kOldTabs);
    return LegacyConversion::Converted;
}

}  // namespace tarvo
