#include "files/ini_document.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

// clang-format off
constexpr std::string_view kSample =
    "; written by hand\r\norphan=before any section\r\n"
    "[Params]\r\ndc = 30 \r\nLc=\r\nN=2\r\nN=3\r\njunk line\r\n=no key\r\n\r\n"
    "[ tab ]\r\nActive=\t4\t\r\n[PARAMS]\r\nKno=1,5\r\nN=9\r\n[Description]\r\nMotor=a=b\r\n";
// clang-format on

TEST(IniDocument, ReadsWithTheRulesOfTheFormat) {
    const IniDocument doc = IniDocument::Parse(kSample);
    struct Case {
        std::string_view section, key, fallback, expected;
    };
    const Case cases[] = {
        {"Params", "Dc", "x", "30"},           // key case and blanks ignored
        {"params", "DC", "x", "30"},           // section case ignored
        {"Params", "Lc", "7", "7"},            // empty value reads as the default
        {"Params", "N", "", "2"},              // first occurrence wins
        {"Params", "Kno", "", "1,5"},          // a repeated section is the same section
        {"Tab", "active", "", "4"},            // blanks inside brackets and around values
        {"Params", "orphan", "none", "none"},  // lines before a section belong to none
        {"Params", "junk line", "d", "d"},
        {"Description", "Motor", "", "a=b"},  // the value runs to the end of the line
        {"Missing", "Dc", "def", "def"},
        {"Params", "Missing", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(doc.ReadIniStr(c.section, c.key, c.fallback), c.expected)
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(doc.Find("Params", "Lc"), std::optional<std::string>(""));
    EXPECT_EQ(doc.Find("Params", "orphan"), std::nullopt);
}

// The first occurrence wins silently, as files rely on; what it passed over is listed.
TEST(IniDocument, ListsRepeatedSectionsAndKeysAndCutValues) {
    using Kind = IniIssue::Kind;
    const std::string text =
        std::string(kSample) + "[Description]\r\nMotor=second\r\nLong=" + std::string(2048, 'x');
    const IniDocument document = IniDocument::Parse(text);
    const std::vector<IniIssue>& issues = document.issues();
    const struct {
        Kind kind;
        std::string_view section, key;
        std::size_t line, firstLine, length;
    } expected[] = {
        {Kind::kRepeatedKey, "Params", "N", 7, 6, 0},
        {Kind::kRepeatedSection, "PARAMS", "", 13, 3, 0},
        {Kind::kRepeatedKey, "PARAMS", "N", 15, 6, 0},
        {Kind::kRepeatedSection, "Description", "", 18, 16, 0},
        {Kind::kRepeatedKey, "Description", "Motor", 19, 17, 0},
        {Kind::kValueCut, "Description", "Long", 20, 0, 2048},
    };
    ASSERT_EQ(issues.size(), std::size(expected));
    for (std::size_t i = 0; i < issues.size(); ++i) {
        EXPECT_EQ(issues[i].kind, expected[i].kind) << i;
        EXPECT_EQ(issues[i].section, expected[i].section) << i;
        EXPECT_EQ(issues[i].key, expected[i].key) << i;
        EXPECT_EQ(issues[i].line, expected[i].line) << i;
        EXPECT_EQ(issues[i].firstLine, expected[i].firstLine) << i;
        EXPECT_EQ(issues[i].length, expected[i].length) << i;
    }
    EXPECT_TRUE(IniDocument::Parse("[a]\r\nk=1\r\n[b]\r\nk=2\r\n").issues().empty());
}

TEST(IniDocument, UnchangedDocumentIsWrittenBackByteForByte) {
    const std::string windows1251 =
        "[Description]\r\nMotor=\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5 \xB9"
        "1\r\n; \x98\r\n";
    EXPECT_EQ(IniDocument::Parse(windows1251).Serialize(), windows1251);
    EXPECT_EQ(IniDocument::Parse(kSample).Serialize(), kSample);
    // Other line ends come back as CR LF.
    EXPECT_EQ(IniDocument::Parse("[a]\nk=v\rx=y").Serialize(), "[a]\r\nk=v\r\nx=y\r\n");
}

TEST(IniDocument, ValuesAreCutAt2047Characters) {
    const std::string longValue(3000, 'x');
    IniDocument doc = IniDocument::Parse("[s]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(doc.ReadIniStr("s", "k", ""), std::string(2047, 'x'));
    std::string cyrillic;
    for (int i = 0; i < 2100; ++i) {
        cyrillic += "Ж";
    }
    doc.WriteIniStr("s", "c", cyrillic);
    EXPECT_EQ(Utf8Length(doc.ReadIniStr("s", "c", "")), 2047u);
}

TEST(IniDocument, WritesWhereTheFormatSays) {
    struct Case {
        std::string_view before;
        std::string_view section, key, value;
        std::string_view after;
    };
    const Case cases[] = {
        {"", "Params", "Dc", "30", "[Params]\r\nDc=30\r\n"},
        {"[Params]\r\ndc = 1\r\n", "PARAMS", "DC", "2", "[Params]\r\ndc=2\r\n"},
        {"[a]\r\nx=1\r\n\r\n[b]\r\n", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\n"},
        {"[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"[a]\r\n", "a", "k", "line 1\r\n[Params]\r\nDc=0", "[a]\r\nk=line 1\r\n"},
        {"[a]\r\n", "a", "k", "only\nsecond", "[a]\r\nk=only\r\n"},
        {"[a]\r\nk=1\r\n", "a", "", "x", "[a]\r\nk=1\r\n"},  // no key, no line
        {"", "Description", "Motor", "Двигатель №1",
         "[Description]\r\nMotor=\xC4\xE2\xE8\xE3\xE0\xF2\xE5\xEB\xFC \xB9"
         "1\r\n"},
    };
    for (const Case& c : cases) {
        IniDocument doc = IniDocument::Parse(c.before);
        doc.WriteIniStr(c.section, c.key, c.value);
        EXPECT_EQ(doc.Serialize(), c.after) << c.before << " + " << c.key;
    }
}

TEST(IniDocument, DeletesEveryOccurrenceOfAKey) {
    IniDocument doc = IniDocument::Parse("[a]\r\nk=1\r\n[A]\r\nK=2\r\nm=3\r\n");
    EXPECT_TRUE(doc.DeleteIniKey("a", "k"));
    EXPECT_EQ(doc.ReadIniStr("a", "k", "gone"), "gone");
    EXPECT_FALSE(doc.DeleteIniKey("a", "k"));
    EXPECT_EQ(doc.Serialize(), "[a]\r\n[A]\r\nm=3\r\n");
}

TEST(IniDocument, ErasesOnlySectionsThatHoldKeys) {
    IniDocument doc = IniDocument::Parse("[Tabs]\r\n; note\r\n[Keep]\r\nk=1\r\n[tabs]\r\n");
    EXPECT_FALSE(doc.HasSectionWithKeys("Tabs"));
    EXPECT_FALSE(doc.EraseIniSection("Tabs"));
    EXPECT_EQ(doc.Serialize(), "[Tabs]\r\n; note\r\n[Keep]\r\nk=1\r\n[tabs]\r\n");

    IniDocument withKeys = IniDocument::Parse("[Tabs]\r\nActive=1\r\n[Keep]\r\nk=1\r\n[TABS]\r\n");
    EXPECT_TRUE(withKeys.EraseIniSection("tabs"));
    EXPECT_EQ(withKeys.Serialize(), "[Keep]\r\nk=1\r\n");
}

TEST(IniDocument, KeepsTheEncodingItWasReadWith) {
    IniDocument doc = IniDocument::Parse("\xEF\xBB\xBF[d]\r\nm=中文\r\n");
    EXPECT_EQ(doc.ReadIniStr("d", "m", ""), "中文");
    doc.WriteIniStr("d", "n", "Ж");
    EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[d]\r\nm=中文\r\nn=Ж\r\n");
}

}  // namespace
}  // namespace tarvo
