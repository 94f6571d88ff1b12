#include "files/legacy_import.h"

#include <gtest/gtest.h>

#include "files/key_maps.h"

namespace tarvo {
namespace {

TEST(LegacyImport, OnlyAFileWithKeysInTabsIsConverted) {
    const std::string_view notLegacy[] = {
        "",
        "[Tabs]\r\n",
        "[Tabs]\r\n; comment\r\n[Const&Vars]\r\n11=30\r\n",
        "[Params]\r\nDc=30\r\n[Tab]\r\nActive=2\r\n",
    };
    for (const std::string_view text : notLegacy) {
        IniDocument doc = IniDocument::Parse(text);
        EXPECT_EQ(ConvertLegacyMotorFile(doc), LegacyConversion::NotLegacy) << text;
        EXPECT_EQ(doc.Serialize(), IniDocument::Parse(text).Serialize());
    }
}

struct Expected {
    std::string_view section, key, value;
};

IniDocument ExpectConverted(const std::string& text, std::initializer_list<Expected> values) {
    IniDocument doc = IniDocument::Parse(Utf8ToWindows1251(text));
    EXPECT_EQ(ConvertLegacyMotorFile(doc), LegacyConversion::Converted) << text;
    for (const Expected& e : values) {
        EXPECT_EQ(doc.Find(e.section, e.key), std::optional<std::string>(e.value))
            << e.section << "/" << e.key;
    }
    EXPECT_EQ(doc.Find("Const&Vars_DX", "FuelName"), std::nullopt);
    EXPECT_FALSE(doc.HasSectionWithKeys("Tabs") || doc.HasSectionWithKeys("Const&Vars"));
    return doc;
}

// The older layout's own defaults, which are not always the texts of today's defaults.
TEST(LegacyImport, BareFileGetsEveryDefault) {
    // clang-format off
    ExpectConverted("[Tabs]\r\nActive=3\r\n", {
        {"Params", "Ftype", "2"}, {"Tab", "Active", "3"}, {"Params", "Dc", "0"},
        {"Params", "N", "1"}, {"Params", "Roi/Ror", "96"}, {"Params", "Ae/At", "10"},
        {"Params", "Channel", "1"}, {"Params", "Trasser", "0"},
        {"Description", "Motor", "Описание двигателя:"},
        {"Const&Vars_DX", "P10", "0,1"}, {"Const&Vars_DX", "P51", "11,2"},
        {"Const&Vars_DX", "K40", "17,2"}, {"Const&Vars_DX", "P40", "5,93"},
        {"Const&Vars_SB", "K21", "-0,314"}, {"Const&Vars_SU", "P11", "4,8"},
        {"Const&Vars_SU", "5", "1720"}});
    // clang-format on
}

TEST(LegacyImport, OldKeysLandUnderTheirNewNames) {
    // clang-format off
    const IniDocument doc = ExpectConverted(
        "[Const&Vars]\r\n203=1,9\r\n240=0,2\r\n249=12\r\n230=9\r\n239=0,5\r\n"
        "261=11\r\n280=10,9\r\n213=1,7\r\n302=0,095\r\n311=5\r\n297=0,4\r\n"
        "11=30\r\n44=3\r\n141=25\r\nChannel=0\r\n64=\r\n"
        "[Description]\r\nMotor=Старый двигатель\r\n[Tabs]\r\nOther=1\r\n", {
        {"Const&Vars_DX", "1", "1,9"}, {"Const&Vars_DX", "P10", "0,2"},
        {"Const&Vars_DX", "P51", "12"}, {"Const&Vars_DX", "K10", "9"},
        {"Const&Vars_DX", "K51", "0,5"}, {"Const&Vars_SB", "K10", "11"},
        {"Const&Vars_SB", "P51", "10,9"}, {"Const&Vars_SU", "1", "1,7"},
        {"Const&Vars_SU", "P10", "0,095"}, {"Const&Vars_SU", "P51", "5"},
        {"Const&Vars_SU", "K11", "0,4"}, {"Params", "Dc", "30"}, {"Params", "Ftype", "3"},
        {"Params", "Ae/At", "25"}, {"Params", "Channel", "0"},
        {"Params", "Kno", "0"},  // an empty old value gets its default
        {"Tab", "Active", "1"}, {"Description", "Motor", "Старый двигатель"}});
    // clang-format on
    // The description stays where it was; the new sections follow it.
    EXPECT_TRUE(doc.Serialize().starts_with("[Description]\r\n"));
}

}  // namespace
}  // namespace tarvo
