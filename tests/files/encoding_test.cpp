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

TEST(Encoding, ByteOrderMarkSelectsUtf8) {
    const std::string bom(kUtf8Bom);
    TextEncoding detected{};
    EXPECT_EQ(DecodeFileText(bom + "Тест", detected), "Тест");
    EXPECT_EQ(detected, TextEncoding::Utf8WithBom);
    EXPECT_EQ(DecodeFileText(bom + "a\xFF", detected), "a?");
    EXPECT_EQ(DecodeFileText("\xD2\xE5\xF1\xF2", detected), "Тест");
    EXPECT_EQ(detected, TextEncoding::Windows1251);
    EXPECT_EQ(EncodeFileText("Тест", TextEncoding::Utf8WithBom), bom + "Тест");
}

}  // namespace
}  // namespace tarvo
