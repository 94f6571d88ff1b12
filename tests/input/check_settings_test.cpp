// Reading the values of "Корпус и пределы" as a file or the dialog gives them.

#include "input/check_settings.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(CheckSettings, ReadIntoTheLimitsOfTheChecks) {
    struct Case {
        std::array<const char*, kCheckFieldCount> texts;  // Material ... MaxPressure
        std::optional<CasingSpec> casing;
        double maxPressure;
        const char* refusal;  // "" when read
    };
    const Case cases[] = {
        {{"", "", "", "", "", "", ""}, std::nullopt, 10.34, ""},
        {{"", "", "", " ", "", "", "8.5"}, std::nullopt, 8.5, ""},
        {{"D16T", "", "2,5", "", "", "", ""}, CasingSpec{255, 2.5}, 10.34, ""},
        {{"D16T", "300", "2", "", "", "", ""}, CasingSpec{300, 2}, 10.34, ""},
        {{"", "300", "2", "", "", "", ""}, CasingSpec{300, 2}, 10.34, ""},
        {{"steel20", "", "", "", "", "", ""}, std::nullopt, 0, "«Толщина стенки t, мм»"},
        {{"titanium", "", "2", "", "", "", ""}, std::nullopt, 0, "«Прочность материала σ, МПа»"},
        {{"", "", "", "", "", "", "31"}, std::nullopt, 0, "от 1 до 30"},
    };
    for (const Case& c : cases) {
        CheckSettings settings;
        for (std::size_t i = 0; i < kCheckFieldCount; ++i) {
            settings.texts[i] = c.texts[i];
        }
        const CheckSettingsReading read = ReadCheckSettings(settings);
        const std::string label = std::string(c.texts[0]) + "/" + c.texts[2] + "/" + c.texts[6];
        ASSERT_EQ(read.ok, std::string_view(c.refusal).empty()) << label << ": " << read.message;
        if (!read.ok) {
            EXPECT_NE(read.message.find(c.refusal), std::string::npos) << read.message;
            continue;
        }
        ASSERT_EQ(read.limits.casing.has_value(), c.casing.has_value()) << label;
        if (c.casing) {
            EXPECT_EQ(read.limits.casing->strength, c.casing->strength) << label;
            EXPECT_EQ(read.limits.casing->wall, c.casing->wall) << label;
        }
        EXPECT_EQ(read.limits.maxPressure, c.maxPressure) << label;
    }
}

}  // namespace
}  // namespace tarvo
