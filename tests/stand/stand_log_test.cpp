// Reading stand logs: every header form and unit, the separators and decimal commas, the
// encodings, and each refusal with the line it names.

#include "stand/stand_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "files/encoding.h"

namespace tarvo {
namespace {

// Twelve samples: t = 0,001 i s, F = 10 i N, P = 0,1 i MPa, written by `line` in the file's
// units and separators after the `head` lines.
std::string Log(const std::string& head, const std::function<std::string(int)>& line) {
    std::string text = head;
    for (int i = 1; i <= 12; ++i) {
        text += line(i) + "\r\n";
    }
    return text;
}

std::string Printed(const char* format, double a, double b = 0, double c = 0) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

std::string Comma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

constexpr double kKgf = 9.80665;
constexpr double kLbf = 4.4482216152605;
constexpr double kPsi = 6.894757293168361e-3;

TEST(StandLog, ReadsEveryHeaderFormAndUnit) {
    struct Case {
        const char* name;
        std::string text;
        bool pressure;
    };
    const auto plain = [](int i) { return Printed("%g,%g", 0.001 * i, 10.0 * i); };
    const Case cases[] = {
        {"no header, commas", Log("", plain), false},
        {"no header, semicolons and decimal commas",
         Log("", [](int i) { return Comma(Printed("%g;%g;%g", 0.001 * i, 10.0 * i, 0.1 * i)); }),
         true},
        {"no header, blanks and decimal commas",
         Log("", [](int i) { return Comma(Printed("%g   %g  %g", 0.001 * i, 10.0 * i, 0.1 * i)); }),
         true},
        {"no header, two columns, blanks and decimal commas",
         Log("", [](int i) { return Comma(Printed("%g %g", 0.001 * i, 10.0 * i)); }), false},
        {"no header, tabs", Log("", [](int i) { return Printed("%g\t%g", 0.001 * i, 10.0 * i); }),
         false},
        {"English, units in brackets",
         Log("Time (s),Thrust (N),Pressure (MPa)\n",
             [](int i) { return Printed("%g,%g,%g", 0.001 * i, 10.0 * i, 0.1 * i); }),
         true},
        {"Russian, units after commas, ms kgf bar",
         Log("Время, мс;Тяга, кгс;Давление, бар\n",
             [](int i) { return Printed("%g;%.12g;%g", 1.0 * i, 10.0 * i / kKgf, 1.0 * i); }),
         true},
        {"letters in square brackets, lbf psi, tabs",
         Log("t [ms]\tF [lbf]\tP [psi]\n",
             [](int i) {
                 return Printed("%g\t%.12g\t%.12g", 1.0 * i, 10.0 * i / kLbf, 0.1 * i / kPsi);
             }),
         true},
        {"units as words, kPa",
         Log("Time_ms Thrust_kgf Pressure_kPa\n",
             [](int i) { return Printed("%g %.12g %g", 1.0 * i, 10.0 * i / kKgf, 100.0 * i); }),
         true},
        {"whole numbers, commas without blanks",
         Log("t (ms),F (N)\n", [](int i) { return Printed("%g,%g", 1.0 * i, 10.0 * i); }), false},
        {"quoted cells with commas inside", Log("\"Time, s\",\"Thrust, N\"\n", plain), false},
        {"columns in another order, comments before",
         Log("# Стенд №2\nДата и время: 01.02.2024 12:00\nДавление в камере, МПа; Тяга, Н; Время, "
             "с\n",
             [](int i) { return Printed("%g; %g; %g", 0.1 * i, 10.0 * i, 0.001 * i); }),
         true},
        {"one-letter names, upper case units",
         Log("T,S;F,KGF\n", [](int i) { return Printed("%g;%.12g", 0.001 * i, 10.0 * i / kKgf); }),
         false},
    };
    for (const Case& c : cases) {
        const StandLogResult result = ReadStandLog(c.text);
        ASSERT_FALSE(result.error) << c.name << ": " << DescribeStandLogError(*result.error);
        const StandSamples& s = result.samples;
        ASSERT_EQ(s.time.size(), 12u) << c.name;
        for (std::size_t i = 0; i < 12; ++i) {
            EXPECT_NEAR(s.time[i], 0.001 * (i + 1), 1e-12) << c.name;
            EXPECT_NEAR(s.thrust[i], 10.0 * (i + 1), 1e-9) << c.name;
        }
        ASSERT_EQ(s.pressure.size(), c.pressure ? 12u : 0u) << c.name;
        if (c.pressure) {
            EXPECT_NEAR(s.pressure[11], 1.2, 1e-9) << c.name;
        }
    }
}

TEST(StandLog, ReadsUtf8AndWindows1251Alike) {
    const std::string utf8 =
        Log("Время, мс;Тяга, кгс\r\n", [](int i) { return Printed("%g;%g", 1.0 * i, 10.0 * i); });
    const std::string inputs[] = {utf8, std::string(kUtf8Bom) + utf8, Utf8ToWindows1251(utf8)};
    for (const std::string& bytes : inputs) {
        const StandLogResult result = ReadStandLog(DecodeStandLog(bytes));
        ASSERT_FALSE(result.error) << DescribeStandLogError(*result.error);
        EXPECT_NEAR(result.samples.time[2], 0.003, 1e-12);
        EXPECT_NEAR(result.samples.thrust[2], 30 * kKgf, 1e-9);
    }
}

TEST(StandLog, RefusesWhatIsNoCurveNamingTheLine) {
    struct Case {
        std::string text;
        const char* message;
    };
    const auto plain = [](int i) { return Printed("%g;%g", 0.001 * i, 10.0 * i); };
    const Case cases[] = {
        {"", "в файле нет строк с числами"},
        {"Время;Тяга\nнет данных\n", "в файле нет строк с числами"},
        {"t;F\n0,1;1\n0,2;2\n", "в файле 2 отсчётов, нужно не меньше 10"},
        {Log("", plain) + "0,005;5\n",
         "строка 13: время 0,005 с не больше, чем в строке 12 (0,012 с)"},
        {"0;0\n0;1\n" + Log("", plain), "строка 2: время 0 с не больше, чем в строке 1 (0 с)"},
        {Log("t;F\n", plain) + "0,5;1.2.3\n", "строка 14: «1.2.3» не число"},
        {Log("", plain) + "0,5;\n", "строка 13: нет значения тяги"},
        {Log("", [](int i) { return Printed("%g", 0.001 * i); }), "строка 1: нет значения тяги"},
        {"Время;Давление\n" + Log("", plain), "строка 1: в заголовке нет столбца тяги"},
        {"Тяга;Давление\n" + Log("", plain), "строка 1: в заголовке нет столбца времени"},
        {"Time (h);Thrust (N)\n" + Log("", plain),
         "строка 1: единица «h» столбца «Time (h)» не подходит для времени (можно: s, ms, с, мс)"},
        {"t, s; F, g\n" + Log("", plain),
         "строка 1: единица «g» столбца «F, g» не подходит для тяги"},
        {"t;F;P\n" + Log("", plain), "строка 2: нет значения давления"},
        {Log("", plain) + "0,5;1e999\n", "строка 13: «1e999» не число"},
    };
    for (const Case& c : cases) {
        const StandLogResult result = ReadStandLog(c.text);
        ASSERT_TRUE(result.error) << c.message;
        EXPECT_TRUE(DescribeStandLogError(*result.error).starts_with(c.message))
            << DescribeStandLogError(*result.error);
        EXPECT_TRUE(result.samples.time.empty());
    }
}

}  // namespace
}  // namespace tarvo
