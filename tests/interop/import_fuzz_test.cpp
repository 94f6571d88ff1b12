// Damaged designs never crash or hang an import: each is either imported or refused with a
// message naming the file.

#include <gtest/gtest.h>

#include "../files/mutate.h"
#include "interop_test_support.h"

namespace tarvo {
namespace {

TEST(ImportFuzz, DamagedFilesAreImportedOrRefused) {
    std::mt19937 random(20261206);
    // clang-format off
    const std::vector<std::string> pieces = {
        "null", "\"\"", "-1e999", "[", "{", "}", "]", ",", ":", "\"HOLLOW\"", "1e-300",
        "!!python/tuple", "- ", "\n  ", "&a", "*a", "\"configs\": []", "0", "NaN", "\xD0"};
    // clang-format on
    const std::string imperial = testing::MeteorImperial();
    const std::pair<const char*, std::string_view> files[] = {
        {"f.json", testing::kMeteorSi}, {"f.json", imperial}, {"f.ric", testing::kRic}};
    for (int round = 0; round < 300; ++round) {
        for (const auto& [name, text] : files) {
            const std::string damaged = testing::Mutate(std::string(text), random, pieces);
            const ImportOutcome outcome = testing::Import(name, damaged);
            if (outcome.status == ImportOutcome::Status::kRefused) {
                EXPECT_EQ(outcome.message.rfind(std::string("Файл ") + name, 0), 0u);
            } else {
                EXPECT_EQ(outcome.status, ImportOutcome::Status::kImported);
            }
        }
    }
}

}  // namespace
}  // namespace tarvo
