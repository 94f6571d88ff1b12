#include "files/ini_document.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "files/encoding.h"

namespace tarvo {
namespace {

std::string_view Trim(std::string_view text) {
    return TrimBlanks(text);
}

std::string_view FirstLine(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// Calls `onLine` for every line of `text`; a line break is CR LF, LF or CR. A last line
// without a line break counts too; an empty text has no lines.
template <typename OnLine>
void SplitLines(std::string_view text, OnLine onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
}

// The section name of a line "[name]", or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (!trimmed.starts_with('[')) {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(1, close - 1));
}

}  // namespace

std::string_view IniDocument::Line::key() const {
    return std::string_view(text).substr(keyBegin, keyEnd - keyBegin);
}

std::string_view IniDocument::Line::value() const {
    return std::string_view(text).substr(valueBegin, valueEnd - valueBegin);
}

bool IniDocument::Section::HasKeys() const {
    return std::any_of(lines.begin(), lines.end(), [](const Line& l) { return l.isKey; });
}

IniDocument::Line IniDocument::ParseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view view = line.text;
    const std::size_t equals = view.find('=');
    const std::string_view trimmed = Trim(view);
    if (equals == std::string_view::npos || trimmed.starts_with(';')) {
        return line;
    }
    std::size_t keyBegin = 0;
    std::size_t keyEnd = equals;
    while (keyBegin < keyEnd && IsBlank(view[keyBegin])) {
        ++keyBegin;
    }
    while (keyEnd > keyBegin && IsBlank(view[keyEnd - 1])) {
        --keyEnd;
    }
    if (keyBegin == keyEnd) {
        return line;  // "=value" names no key
    }
    std::size_t valueBegin = equals + 1;
    std::size_t valueEnd = view.size();
    while (valueBegin < valueEnd && IsBlank(view[valueBegin])) {
        ++valueBegin;
    }
    while (valueEnd > valueBegin && IsBlank(view[valueEnd - 1])) {
        --valueEnd;
    }
    line.isKey = true;
    line.keyBegin = keyBegin;
    line.keyEnd = keyEnd;
    line.valueBegin = valueBegin;
    line.valueEnd = valueEnd;
    line.folded = FoldCase(line.key());
    return line;
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view key, std::string_view value) {
    std::string text(key);
    text += '=';
    text += value;
    return ParseLine(std::move(text));
}

void IniDocument::AddLine(std::string text, std::size_t lineNumber) {
    if (const auto name = SectionName(text)) {
        Section section;
        section.folded = FoldCase(*name);
        section.header = std::move(text);
        section.lineNumber = lineNumber;
        sections_.push_back(std::move(section));
        return;
    }
    Line line = ParseLine(std::move(text));
    line.lineNumber = lineNumber;
    std::vector<Line>& lines = sections_.empty() ? preamble_ : sections_.back().lines;
    // Runs of comments, blank lines and junk are kept as one entry: a file of a million empty
    // lines then costs one string, not a million line records.
    if (!line.isKey && !lines.empty() && !lines.back().isKey) {
        lines.back().text += "\r\n";
        lines.back().text += line.text;
        return;
    }
    lines.push_back(std::move(line));
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument document;
    const std::string text = DecodeFileText(bytes, document.encoding_);
    std::size_t lineNumber = 0;
    SplitLines(text, [&document, &lineNumber](std::string_view line) {
        document.AddLine(std::string(line), ++lineNumber);
    });
    document.FindIssues();
    return document;
}

// One pass with hash maps: a file of a hundred thousand repeated keys must not take minutes.
void IniDocument::FindIssues() {
    std::unordered_map<std::string, std::size_t> firstSection;
    std::unordered_map<std::string, std::size_t> firstKey;  // "section\nkey", both folded
    for (const Section& section : sections_) {
        const std::string name(SectionName(section.header).value_or(""));
        const auto [seen, isNew] = firstSection.emplace(section.folded, section.lineNumber);
        if (!isNew) {
            issues_.push_back(
                {IniIssue::Kind::kRepeatedSection, name, "", section.lineNumber, seen->second, 0});
        }
        for (const Line& line : section.lines) {
            if (!line.isKey) {
                continue;
            }
            const std::string key(line.key());
            const auto [first, keyIsNew] =
                firstKey.emplace(section.folded + '\n' + line.folded, line.lineNumber);
            if (!keyIsNew) {
                issues_.push_back(
                    {IniIssue::Kind::kRepeatedKey, name, key, line.lineNumber, first->second, 0});
            }
            if (const std::size_t length = Utf8Length(line.value()); length > kMaxIniValueLength) {
                issues_.push_back(
                    {IniIssue::Kind::kValueCut, name, key, line.lineNumber, 0, length});
            }
        }
    }
}

std::string IniDocument::Serialize() const {
    return EncodeFileText(Text(), encoding_);
}

std::string IniDocument::Text() const {
    std::string text;
    const auto append = [&text](const std::string& line) {
        text += line;
        text += "\r\n";
    };
    for (const Line& line : preamble_) {
        append(line.text);
    }
    for (const Section& section : sections_) {
        append(section.header);
        for (const Line& line : section.lines) {
            append(line.text);
        }
    }
    return text;
}

const IniDocument::Line* IniDocument::FindLine(std::string_view section,
                                               std::string_view key) const {
    const std::string foldedSection = FoldCase(Trim(section));
    const std::string foldedKey = FoldCase(Trim(key));
    for (const Section& s : sections_) {
        if (s.folded != foldedSection) {
            continue;
        }
        for (const Line& line : s.lines) {
            if (line.isKey && line.folded == foldedKey) {
                return &line;
            }
        }
    }
    return nullptr;
}

IniDocument::Line* IniDocument::FindLine(std::string_view section, std::string_view key) {
    return const_cast<Line*>(std::as_const(*this).FindLine(section, key));
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
    const std::string folded = FoldCase(Trim(section));
    for (Section& s : sections_) {
        if (s.folded == folded) {
            return &s;
        }
    }
    return nullptr;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const Line* line = FindLine(section, key);
    if (line == nullptr) {
        return std::nullopt;
    }
    return std::string(line->value());
}

std::string IniDocument::ReadIniStr(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    const Line* line = FindLine(section, key);
    if (line == nullptr || line->value().empty()) {
        return std::string(fallback);
    }
    return std::string(Utf8Prefix(line->value(), kMaxIniValueLength));
}

void IniDocument::WriteIniStr(std::string_view section, std::string_view key,
                              std::string_view value) {
    const std::string_view sectionName = Trim(FirstLine(section));
    const std::string_view keyName = Trim(FirstLine(key));
    const std::string_view storedValue = Trim(FirstLine(value));
    if (keyName.empty()) {
        return;  // a line "=value" would name no key
    }
    if (Line* line = FindLine(sectionName, keyName)) {
        *line = MakeKeyLine(line->key(), storedValue);
        return;
    }
    Section* target = FindSection(sectionName);
    if (target == nullptr) {
        AddLine("[" + std::string(sectionName) + "]");
        target = &sections_.back();
    }
    // After the section's last key, so that blank lines and comments that separate it from
    // the next section stay after the new key.
    auto insertAt = target->lines.begin();
    for (auto it = target->lines.begin(); it != target->lines.end(); ++it) {
        if (it->isKey) {
            insertAt = it + 1;
        }
    }
    target->lines.insert(insertAt, MakeKeyLine(keyName, storedValue));
}

bool IniDocument::DeleteIniKey(std::string_view section, std::string_view key) {
    const std::string foldedSection = FoldCase(Trim(section));
    const std::string foldedKey = FoldCase(Trim(key));
    bool removed = false;
    for (Section& s : sections_) {
        if (s.folded != foldedSection) {
            continue;
        }
        const auto old = s.lines.size();
        std::erase_if(s.lines, [&foldedKey](const Line& line) {
            return line.isKey && line.folded == foldedKey;
        });
        removed = removed || s.lines.size() != old;
    }
    return removed;
}

bool IniDocument::HasSectionWithKeys(std::string_view section) const {
    const std::string folded = FoldCase(Trim(section));
    return std::any_of(sections_.begin(), sections_.end(),
                       [&folded](const Section& s) { return s.folded == folded && s.HasKeys(); });
}

bool IniDocument::EraseIniSection(std::string_view section) {
    if (!HasSectionWithKeys(section)) {
        return false;
    }
    const std::string folded = FoldCase(Trim(section));
    std::erase_if(sections_, [&folded](const Section& s) { return s.folded == folded; });
    return true;
}

}  // namespace tarvo
