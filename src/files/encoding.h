#pragma once
// Text encodings of the files. Every string inside the program is UTF-8; the files that users
// bring from Windows are Windows-1251. A file that starts with a byte-order mark is UTF-8 or
// UTF-16 as the mark says; a file without one is UTF-8 when its bytes are valid UTF-8 with at
// least one character beyond ASCII (what Linux editors write), and Windows-1251 otherwise. A
// file is written back in the encoding it was read in.

#include <string>
#include <string_view>

namespace tarvo {

enum class TextEncoding {
    Windows1251,  // the format of every file the Windows program wrote
    Utf8WithBom,  // a file a user saved as UTF-8 in a text editor, and our own Tarvo.ini
    Utf8,         // UTF-8 without a byte-order mark
    Utf16Le,      // UTF-16 with the byte-order mark FF FE ("Unicode" of Windows editors)
    Utf16Be,      // UTF-16 with the byte-order mark FE FF
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Every byte has a character, so any file decodes and encodes back byte for byte. The one byte
// the code page leaves undefined (0x98) maps to U+0098.
std::string Windows1251ToUtf8(std::string_view bytes);

// A character the code page cannot hold, and every byte of broken UTF-8, becomes "?".
std::string Utf8ToWindows1251(std::string_view text);

// Broken UTF-8 sequences become "?", so that what comes out is always valid UTF-8.
std::string SanitizeUtf8(std::string_view text);

// Decodes file bytes by the rules above; a byte-order mark is dropped. Broken sequences
// become "?".
std::string DecodeFileText(std::string_view bytes, TextEncoding& detected);

// The bytes of `text` in `encoding`, with the byte-order mark where it needs one. Characters
// Windows-1251 cannot hold become "?".
std::string EncodeFileText(std::string_view text, TextEncoding encoding);

// The characters of `text` that `encoding` cannot hold, each once, in order of appearance
// ("λ≈"); empty for the Unicode encodings.
std::string UnencodableCharacters(std::string_view text, TextEncoding encoding);

// Number of characters (code points) of valid UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// The first `count` characters of valid UTF-8 text, never cutting a character in two.
std::string_view Utf8Prefix(std::string_view text, std::size_t count);

// Letter case folded for name comparison: Latin and Cyrillic capitals become small letters.
std::string FoldCase(std::string_view text);

// A blank or a tab: what separates and surrounds the values of the files.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text without the blanks and tabs at either end, as the files' values are read.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tarvo
