#include "files/key_maps.h"

#include <gtest/gtest.h>

#include "model/number_text.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

const PropellantValueKey& Key(std::string_view name) {
    for (const PropellantValueKey& key : kPropellantValueKeys) {
        if (key.key == name) {
            return key;
        }
    }
    throw std::out_of_range(std::string(name));
}

// The texts and fields the files of the Windows program hold, key by key.
TEST(KeyMaps, PropellantKeysKeepTheirFieldsAndDefaultTexts) {
    const struct {
        std::string_view key;
        int propellant;
        int field;
        std::string_view text;
    } cases[] = {
        {"1", 0, 14, "1,879"},    {"3", 0, 16, "1,1308"},  {"5", 1, 23, "1600"},
        {"4", 1, 22, "39,9"},     {"1", 2, 24, "1,889"},   {"P10", 0, 43, "0,100"},
        {"P51", 0, 52, "11,20"},  {"P51", 2, 92, "0"},     {"P11", 2, 88, "4,8"},
        {"K10", 1, 63, "10,708"}, {"K40", 0, 36, "17,20"}, {"K21", 0, 39, "-0,009"},
        {"K11", 2, 78, "0,39"},   {"K51", 1, 72, "0,064"}, {"K20", 2, 74, "0"},
    };
    for (const auto& c : cases) {
        const PropellantValueKey& key = Key(c.key);
        EXPECT_EQ(PropellantValueField(key, c.propellant), c.field) << c.key;
        EXPECT_EQ(PropellantValueDefault(key, c.propellant), c.text) << c.key;
        EXPECT_EQ(PropellantFieldDefault(c.field), std::string(c.text)) << c.key;
    }
    EXPECT_EQ(PropellantFieldDefault(1), std::nullopt);
    EXPECT_EQ(PropellantFieldDefaults().size(), 75u);
}

// A default text with too few decimals would change the propellant on every restore.
TEST(KeyMaps, PropellantDefaultTextsReadBackAsTheBuiltInConstants) {
    for (int p = 0; p < kPropellantCount; ++p) {
        const PropellantSpec constants = DefaultPropellant(p + 1);
        const BurnRateTable table = DefaultBurnRateTable(p + 1);
        for (const PropellantValueKey& key : kPropellantValueKeys) {
            const double expected = key.constant
                                        ? constants.*kConstantMembers[key.column]
                                        : table.ranges[key.range].*kBurnRateMembers[key.column];
            EXPECT_EQ(ParseNumber(PropellantValueDefault(key, p)), expected) << key.key << p;
        }
    }
    // A copy of a row is found by its key; a key of no row and a propellant of no slot have none.
    const PropellantValueKey copy = kPropellantValueKeys[3];
    EXPECT_EQ(&PropellantValueDefault(copy, 1),
              &PropellantValueDefault(kPropellantValueKeys[3], 1));
    EXPECT_EQ(PropellantValueDefault({"K99", false, 2, 0}, 0), "");
    EXPECT_EQ(PropellantValueDefault(kPropellantValueKeys[0], kPropellantCount), "");
}

TEST(KeyMaps, MissingStepperKeysReadAsTheDefaultPositions) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Edit1", "0"},    {"Edit7", "1"},     {"UpDown2", "0"}, {"UpDown5", "96"},
        {"UpDown7", "81"}, {"UpDown11", "10"}, {"fbox", "1"},    {"chk1", "1"},
    };
    for (const auto& [control, fallback] : cases) {
        const MotorKey* key = FindMotorKey(control);
        ASSERT_NE(key, nullptr) << control;
        EXPECT_EQ(MotorKeyFallback(*key), fallback) << control;
    }
}

}  // namespace
}  // namespace tarvo
