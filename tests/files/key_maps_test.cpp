#include "files/key_maps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/number_text.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

// The default texts of the files must give the same numbers the calculation has built in.
TEST(KeyMaps, PropellantDefaultTextsMatchTheBuiltInConstants) {
    for (int p = 0; p < kPropellantCount; ++p) {
        const PropellantSpec constants = DefaultPropellant(p + 1);
        const BurnRateTable table = DefaultBurnRateTable(p + 1);
        std::vector<double> expected = {constants.pPrime, constants.k2ph, constants.k, constants.M,
                                        constants.To};
        for (const auto& r : table.ranges)
            expected.push_back(r.lower);
        for (const auto& r : table.ranges)
            expected.push_back(r.upper);
        for (const auto& r : table.ranges)
            expected.push_back(r.a);
        for (const auto& r : table.ranges)
            expected.push_back(r.n);
        ASSERT_EQ(expected.size(), kPropellantValueKeys.size());
        for (std::size_t row = 0; row < kPropellantValueKeys.size(); ++row) {
            const auto& key = kPropellantValueKeys[row];
            EXPECT_EQ(ParseNumber(key.defaults[p]), expected[row]) << key.key << " " << p;
            EXPECT_EQ(PropellantFieldDefault(key.fields[p]), key.defaults[p]);
        }
    }
}

TEST(KeyMaps, RestoreOrderIsEdit14To28ThenEdit33To92) {
    const auto all = PropellantFieldDefaults();
    int expected = 14;
    for (const FieldDefault& entry : all) {
        EXPECT_EQ(entry.field, "Edit" + std::to_string(expected));
        expected = expected == 28 ? 33 : expected + 1;
    }
    EXPECT_EQ(expected, 93);
}

TEST(KeyMaps, MotorKeysAgreeWithTheStepperDefaults) {
    std::set<std::pair<std::string_view, std::string_view>> keys;
    std::size_t stepper = 0;
    for (const MotorKey& key : kMotorKeys) {
        EXPECT_TRUE(keys.insert({key.section, key.key}).second) << key.key;
        EXPECT_EQ(key.guarded, key.kind == MotorValueKind::PropellantChoice ||
                                   key.kind == MotorValueKind::StepperPosition);
        if (key.kind != MotorValueKind::StepperPosition) {
            continue;
        }
        ASSERT_LT(stepper, kStepperDefaults.size());
        EXPECT_EQ(key.control, kStepperDefaults[stepper].stepper);
        EXPECT_EQ(key.field, kStepperDefaults[stepper].field);
        EXPECT_EQ(key.fallback, std::to_string(kStepperDefaults[stepper].position));
        ++stepper;
    }
    EXPECT_EQ(stepper, kStepperDefaults.size());
}

}  // namespace
}  // namespace tarvo
