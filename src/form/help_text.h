#pragma once
// The help window's text, section by section. A section is prose (paragraphs separated by a
// blank line; a paragraph whose lines start with "• " is a list) and, for the inputs, a table of
// symbol, meaning, unit and the values usual for potassium-nitrate/sugar motors. A new section
// is one more row of the table in help_text.cpp.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

struct HelpInput {
    std::string_view symbol;  // as the field's caption writes it: "Dc", "Ae/At"
    std::string_view meaning;
    std::string_view unit;     // "" for a ratio or a count
    std::string_view typical;  // the usual values for KN motors
};

struct HelpSection {
    std::string_view title;
    std::string prose;
    std::span<const HelpInput> inputs;
};

std::span<const HelpSection> HelpSections();

// The keys of the window, from the menu table and the calculate keys: "Ctrl+N — Новый".
std::vector<std::string> ShortcutHelpLines();

}  // namespace tarvo
