#include "files/encoding.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(Encoding, ConvertsBothWaysByteExactly) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(all)), all);

    const std::pair<std::string, std::string> cases[] = {
        {"\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5", "Описание"},
        {"\xA8\xB8\xC0\xFF \xB9 \x96 \x85", "ЁёАя № – …"},
        {"\x80\x88\xA5\xB4", "Ђ€Ґґ"},
    };
    for (const auto& [windows1251, utf8] : cases) {
        EXPECT_EQ(Windows1251ToUtf8(windows1251), utf8);
        EXPECT_EQ(Utf8ToWindows1251(utf8), windows1251);
    }
}

TEST(Encoding, WhatTheCodePageCannotHoldBecomesQuestionMarks) {
    const std::pair<std::string, std::string> cases[] = {
        {"中文", "??"},          {"a😀b", "a?b"}, {"é", "?"}, {"\xC3", "?"},  // cut sequence
        {"\xC0\xAF", "??"},                                                  // overlong slash
        {"\xED\xA0\x80", "???"},                                             // surrogate
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(Utf8ToWindows1251(utf8), expected);
    }
}

// Each file is read in its encoding and written back byte for byte.
TEST(Encoding, DetectsTheEncodingAndWritesItBack) {
    using E = TextEncoding;
    const std::string bom(kUtf8Bom);
    const struct {
        std::string bytes;
        E encoding;
        std::string text;
    } cases[] = {
        {bom + "M=Тест", E::Utf8WithBom, "M=Тест"},
        {"M=Тест λ", E::Utf8, "M=Тест λ"},  // UTF-8 without a mark: what Linux editors write
        {"M=\xD2\xE5\xF1\xF2", E::Windows1251, "M=Тест"},
        {"M=\xD0\xE0\xE7", E::Windows1251, "M=Раз"},  // starts like UTF-8, is not
        {"[Params]\r\nDc=30", E::Windows1251, "[Params]\r\nDc=30"},
        {std::string("\xFF\xFEM\0=\0\x22\x04", 8), E::Utf16Le, "M=Т"},
        {std::string("\xFE\xFF\0M\0=\x04\x22", 8), E::Utf16Be, "M=Т"},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), E::Utf16Le, "😀"},  // surrogate pair
    };
    for (const auto& c : cases) {
        TextEncoding detected{};
        EXPECT_EQ(DecodeFileText(c.bytes, detected), c.text) << c.text;
        EXPECT_EQ(detected, c.encoding) << c.text;
        EXPECT_EQ(EncodeFileText(c.text, c.encoding), c.bytes) << c.text;
    }
}

TEST(Encoding, BrokenSequencesBecomeQuestionMarks) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string(kUtf8Bom) + "a\xFF", "a?"},
        {std::string("\xFF\xFE"
                     "a\0b",
                     5),
         "a?"},  // half a code unit at the end
        {std::string("\xFF\xFE\x00\xDC"
                     "a\0",
                     6),
         "?a"},                                         // a lone low surrogate
        {std::string("\xFE\xFF\xD8\x3D\0a", 6), "?a"},  // a high one without its pair
    };
    for (const auto& [bytes, text] : cases) {
        TextEncoding detected{};
        EXPECT_EQ(DecodeFileText(bytes, detected), text);
    }
}

TEST(Encoding, FindsWhatWindows1251CannotHold) {
    EXPECT_EQ(UnencodableCharacters("Тяга λ ≈ 5 λ ✓ №", TextEncoding::Windows1251), "λ≈✓");
    EXPECT_EQ(UnencodableCharacters("Тяга № 5", TextEncoding::Windows1251), "");
    EXPECT_EQ(UnencodableCharacters("λ", TextEncoding::Utf8), "");
}

}  // namespace
}  // namespace tarvo
