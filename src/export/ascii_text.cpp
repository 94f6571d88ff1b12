#include "export/ascii_text.h"

#include <array>
#include <cctype>

namespace tarvo {

namespace {

// а to я in alphabetical order (U+0430 to U+044F).
constexpr std::array<std::string_view, 32> kLowerCyrillic = {
    "a", "b", "v", "g", "d", "e",  "zh", "z",  "i",  "y",    "k", "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "",  "y", "",  "e", "yu", "ya"};

std::string_view LowerTransliteration(char32_t lower) {
    if (lower == U'ё') {
        return "e";
    }
    return lower >= U'а' && lower <= U'я' ? kLowerCyrillic[lower - U'а'] : std::string_view();
}

// The transliteration of a Russian letter, or nothing for any other code point.
std::string Transliterate(char32_t letter) {
    const bool upper = (letter >= U'А' && letter <= U'Я') || letter == U'Ё';
    const char32_t lower = letter == U'Ё' ? U'ё' : upper ? letter + (U'а' - U'А') : letter;
    std::string text(LowerTransliteration(lower));
    if (upper && !text.empty()) {
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    return text;
}

bool IsRussian(char32_t c) {
    return (c >= U'А' && c <= U'я') || c == U'Ё' || c == U'ё';
}

std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead < 0xF0 ? 3 : 1;
    }
    return lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string TransliterateToAscii(std::string_view utf8, char replacement) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        std::size_t length = SequenceLength(lead);
        std::size_t continuation = 1;
        while (continuation < length && i + continuation < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + continuation]) & 0xC0) == 0x80) {
            ++continuation;
        }
        length = continuation;  // a cut-short sequence ends where its bytes do
        const char32_t code =
            length == 2 ? (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu)
                        : 0;
        out += IsRussian(code) ? Transliterate(code) : std::string(1, replacement);
        i += length;
    }
    return out;
}

}  // namespace tarvo
