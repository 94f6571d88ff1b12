#pragma once
// A key-value (INI) file held in memory: parsed once from the file's bytes, read and changed
// in memory, and turned back into bytes once. Lines the program does not understand (comments,
// junk, lines before the first section) are kept as they stand, so rewriting a file changes
// only the keys that were written.
//
// Rules of the format:
// - "[name]" starts a section; "key=value" lines belong to the section above them.
// - Section and key names are matched without regard to letter case; blanks (spaces, tabs)
//   around names and values are not part of them.
// - When a key occurs more than once, the first occurrence wins; a section name that occurs
//   more than once is one section whose keys are looked for in file order.
// - A value runs to the end of its line. Lines end with CR LF, LF or CR; written files use CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/encoding.h"

namespace tarvo {

// A stored value is read back into a buffer of 2048 characters: longer values are cut.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// What the reading rules pass over silently, found when a file is parsed, so that a user can
// be told: a section or key that occurs again, and a value cut at kMaxIniValueLength.
struct IniIssue {
    enum class Kind { kRepeatedSection, kRepeatedKey, kValueCut };
    Kind kind = Kind::kRepeatedSection;
    std::string section;        // as written in the file
    std::string key;            // for keys and values
    std::size_t line = 0;       // 1-based line of the occurrence the rules pass over or cut
    std::size_t firstLine = 0;  // the occurrence that counts (repeated sections and keys)
    std::size_t length = 0;     // characters of a cut value
};

class IniDocument {
public:
    IniDocument() = default;

    // Never fails: whatever does not parse is kept as an opaque line.
    static IniDocument Parse(std::string_view bytes);
    // The whole file, in the encoding it was read with (Windows-1251 for a new document).
    std::string Serialize() const;
    // The same as text, before encoding (to find what an encoding cannot hold).
    std::string Text() const;

    TextEncoding encoding() const { return encoding_; }
    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }

    // The stored value as it stands, or nullopt when the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // The stored value, cut to kMaxIniValueLength characters; `fallback` when the section or
    // key is missing or the value is empty.
    std::string ReadIniStr(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // Replaces the value of the key's first occurrence, or adds the key after the last key of
    // its section, or appends the section at the end of the document. Only the first line of a
    // value with a line break is stored, so a value can never add lines to the file.
    void WriteIniStr(std::string_view section, std::string_view key, std::string_view value);

    // Removes every line of the key in the section. True when there was one.
    bool DeleteIniKey(std::string_view section, std::string_view key);

    // Removes the section with all its lines, but only when it holds at least one key: a bare
    // section line counts as no section. True when something was removed.
    bool EraseIniSection(std::string_view section);

    // Whether the section exists and holds at least one key.
    bool HasSectionWithKeys(std::string_view section) const;

    // What Parse found, in file order; later changes do not alter it.
    const std::vector<IniIssue>& issues() const { return issues_; }

private:
    struct Line {
        std::string text;    // the line (UTF-8) as written; a run of non-key lines is one entry
        std::string folded;  // for key lines: the key, case folded
        bool isKey = false;
        std::size_t keyBegin = 0;  // for key lines: the trimmed key is text[keyBegin, keyEnd)
        std::size_t keyEnd = 0;
        std::size_t valueBegin = 0;  // the trimmed value is text[valueBegin, valueEnd)
        std::size_t valueEnd = 0;
        std::size_t lineNumber = 0;  // in the parsed file; 0 for lines written since

        std::string_view key() const;
        std::string_view value() const;
    };
    struct Section {
        std::string header;  // the section line as written
        std::string folded;  // the name, case folded
        std::vector<Line> lines;
        std::size_t lineNumber = 0;

        bool HasKeys() const;
    };

    static Line ParseLine(std::string text);
    static Line MakeKeyLine(std::string_view key, std::string_view value);
    void AddLine(std::string text, std::size_t lineNumber = 0);
    void FindIssues();
    const Line* FindLine(std::string_view section, std::string_view key) const;
    Line* FindLine(std::string_view section, std::string_view key);
    Section* FindSection(std::string_view section);

    std::vector<Line> preamble_;  // lines before the first section: kept, but in no section
    std::vector<Section> sections_;
    TextEncoding encoding_ = TextEncoding::Windows1251;
    std::vector<IniIssue> issues_;
};

}  // namespace tarvo
