#include "files/encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace tarvo {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char32_t ByteToCodePoint(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        return kHighHalf[byte - 0x80];
    }
    return 0x0410 + (byte - 0xC0);
}

std::optional<unsigned char> CodePointToByte(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<unsigned char>(cp);
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    }
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == cp) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one character at `pos` and advances past it. Broken or overlong sequences, surrogates
// and values above U+10FFFF give nullopt and advance by one byte.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > text.size()) {
        ++pos;
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return cp;
}

// Valid UTF-8 with at least one character beyond ASCII: a Windows-1251 text with Cyrillic
// letters practically never is.
bool LooksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        if (!NextCodePoint(bytes, pos)) {
            return false;
        }
        multiByte = multiByte || pos - start > 1;
    }
    return multiByte;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [bytes, bigEndian](std::size_t pos) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[pos]);
        const auto second = static_cast<unsigned char>(bytes[pos + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const char32_t unit = unitAt(pos);
        if (IsHighSurrogate(unit) && pos + 3 < bytes.size() && IsLowSurrogate(unitAt(pos + 2))) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(pos + 2) - 0xDC00));
            pos += 2;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            out += '?';
        } else {
            AppendUtf8(out, unit);
        }
    }
    if (pos < bytes.size()) {
        out += '?';  // half a code unit at the end
    }
    return out;
}

void AppendUtf16(std::string& out, char32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out(bigEndian ? kUtf16BeBom : kUtf16LeBom);
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextCodePoint(text, pos).value_or(U'?');
        if (cp >= 0x10000) {
            AppendUtf16(out, 0xD800 + ((cp - 0x10000) >> 10), bigEndian);
            AppendUtf16(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), bigEndian);
        } else {
            AppendUtf16(out, cp, bigEndian);
        }
    }
    return out;
}

char32_t FoldCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') {
        return cp + 0x20;
    }
    if (cp >= 0x0410 && cp <= 0x042F) {
        return cp + 0x20;
    }
    if (cp >= 0x0400 && cp <= 0x040F) {
        return cp + 0x50;
    }
    if (cp == 0x0490) {
        return 0x0491;
    }
    return cp;
}

}  // namespace

std::string Windows1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToWindows1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto cp = NextCodePoint(text, pos);
        const auto byte = cp ? CodePointToByte(*cp) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::string SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (NextCodePoint(text, pos)) {
            out.append(text.substr(start, pos - start));
        } else {
            out += '?';
        }
    }
    return out;
}

std::string DecodeFileText(std::string_view bytes, TextEncoding& detected) {
    if (bytes.starts_with(kUtf8Bom)) {
        detected = TextEncoding::Utf8WithBom;
        return SanitizeUtf8(bytes.substr(kUtf8Bom.size()));
    }
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        detected = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
        return Utf16ToUtf8(bytes.substr(kUtf16LeBom.size()), bigEndian);
    }
    if (LooksLikeUtf8(bytes)) {
        detected = TextEncoding::Utf8;
        return std::string(bytes);
    }
    detected = TextEncoding::Windows1251;
    return Windows1251ToUtf8(bytes);
}

std::string EncodeFileText(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8WithBom:
            return std::string(kUtf8Bom) + SanitizeUtf8(text);
        case TextEncoding::Utf8:
            return SanitizeUtf8(text);
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            return Utf8ToUtf16(text, encoding == TextEncoding::Utf16Be);
        case TextEncoding::Windows1251:
            break;
    }
    return Utf8ToWindows1251(text);
}

std::string UnencodableCharacters(std::string_view text, TextEncoding encoding) {
    std::string found;
    if (encoding != TextEncoding::Windows1251) {
        return found;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const auto cp = NextCodePoint(text, pos);
        const std::string_view character = text.substr(start, pos - start);
        if (cp && !CodePointToByte(*cp) && found.find(character) == std::string::npos) {
            found.append(character);
        }
    }
    return found;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < text.size(); ++pos) {
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80 && seen++ == count) {
            break;
        }
    }
    return text.substr(0, pos);
}

std::string FoldCase(std::string_view text) {
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (std::all_of(text.begin(), text.end(), ascii)) {
        // Keys and section names: only A to Z change.
        std::string out(text);
        for (char& c : out) {
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
        }
        return out;
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const auto cp = NextCodePoint(text, pos);
        if (cp) {
            AppendUtf8(out, FoldCodePoint(*cp));
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace tarvo
