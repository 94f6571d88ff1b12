#include "files/key_maps.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace tarvo
