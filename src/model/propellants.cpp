#include "model/propellants.h"

#include "model/number_text.h"

namespace tarvo {

std::string PublishedText(PublishedNumber number) {
    return FormatFixed(number.value, number.decimals);
}

bool IsValidFtype(int Ftype) {
    return Ftype >= 1 && Ftype <= kPropellantCount;
}

std::string_view PropellantName(int Ftype) {
    return IsValidFtype(Ftype) ? kPropellantDefaults[Ftype - 1].name : "";
}

std::string_view PropellantShortName(int Ftype) {
    return IsValidFtype(Ftype) ? kPropellantDefaults[Ftype - 1].shortName : "";
}

PropellantSpec DefaultPropellant(int Ftype) {
    PropellantSpec constants;
    if (IsValidFtype(Ftype)) {
        for (int c = 0; c < kConstantColumns; ++c) {
            constants.*kConstantMembers[c] = kPropellantDefaults[Ftype - 1].constants[c].value;
        }
    }
    return constants;
}

BurnRateTable DefaultBurnRateTable(int Ftype) {
    BurnRateTable table;
    if (IsValidFtype(Ftype)) {
        for (int j = 0; j < kBurnRateRanges; ++j) {
            for (int c = 0; c < kBurnRateColumns; ++c) {
                table.ranges[j].*kBurnRateMembers[c] =
                    kPropellantDefaults[Ftype - 1].ranges[j][c].value;
            }
        }
    }
    return table;
}

}  // namespace tarvo
