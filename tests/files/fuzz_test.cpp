// Random and damaged bytes fed to the reader: nothing may crash or hang, every value read is
// valid UTF-8 of one line within the length limit, and a document written back reads back
// the same.

#include <gtest/gtest.h>

#include "files/file_io.h"
#include "files/file_values.h"
#include "files/key_maps.h"
#include "files/legacy_import.h"
#include "mutate.h"

namespace tarvo {
namespace {

std::string ValidLegacyMotorFile() {
    IniDocument doc;
    for (int p = 0; p < kPropellantCount; ++p) {
        for (const PropellantValueKey& key : kPropellantValueKeys) {
            doc.WriteIniStr(kPropellantSections[p], key.key, PropellantValueDefault(key, p));
        }
    }
    for (const MotorKey& key : kMotorKeys) {
        doc.WriteIniStr(key.section, key.key, MotorKeyFallback(key));
    }
    doc.WriteIniStr("Tabs", "Active", "2");
    return doc.Serialize();
}

void ExpectSane(const std::string& bytes) {
    IniDocument doc = IniDocument::Parse(bytes);
    for (const MotorKey& key : kMotorKeys) {
        const std::string value = doc.ReadIniStr(key.section, key.key, MotorKeyFallback(key));
        ASSERT_EQ(SanitizeUtf8(value), value);
        ASSERT_LE(Utf8Length(value), kMaxIniValueLength);
        ASSERT_EQ(value.find_first_of("\r\n"), std::string::npos);
        ParseStepperPosition(value);
        ParsePropellantChoice(value);
        ParseGrainFlag(value);
    }
    const std::string written = doc.Serialize();
    ASSERT_EQ(IniDocument::Parse(written).Serialize(), written);
    ConvertLegacyMotorFile(doc);
    ASSERT_FALSE(IsLegacyMotorDocument(doc));
    ASSERT_EQ(IniDocument::Parse(doc.Serialize()).Serialize(), doc.Serialize());
}

TEST(Fuzz, RandomAndMutatedBytes) {
    std::mt19937 random(20240401);
    const std::string valid = ValidLegacyMotorFile();
    for (int round = 0; round < 300; ++round) {
        const std::string bytes = testing::RandomBytes(random() % 4000, random);
        ExpectSane(round % 3 == 0 ? std::string(kUtf8Bom) + bytes : bytes);
        ExpectSane(testing::Mutate(valid, random, {"[", "]", "=", "\r", "\n", ";", "\xEF"}));
    }
}

TEST(Fuzz, PathologicalShapes) {
    const std::size_t size = kMaxReadableFileBytes;
    std::string sections;
    std::string keys = "[Params]\n";
    while (sections.size() < size) {
        sections += "[Params]\n";
        keys += "Dc=1\n";
    }
    for (const char c : {'[', '=', '\n', '\r', '\0'}) {
        ExpectSane(std::string(size, c));
    }
    ExpectSane(sections);
    ExpectSane(keys);
}

}  // namespace
}  // namespace tarvo
