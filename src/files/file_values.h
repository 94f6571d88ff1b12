#pragma once
// Values of the files that are not plain field texts: integers (propellant choice, stepper
// positions, tab index) and booleans (the grain check boxes). A reader gives nullopt for a
// text that is not of its kind: a conversion error that the caller handles by its own rule.
// Texts come from IniDocument::ReadIniStr, so blanks are already trimmed and a missing or
// empty key already reads as the caller's default.

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// A 32-bit signed integer: an optional sign and digits, nothing else.
std::optional<int> ParseFileInteger(std::string_view text);

// "True"/"False" in any letter case, or a number in field form (comma or point), true when
// it is not zero.
std::optional<bool> ParseFileBoolean(std::string_view text);

std::string FormatFileInteger(int value);
// "-1" for true, "0" for false, as the files of the Windows program hold them.
std::string FormatFileBoolean(bool value);

// The rules of the motor file for its non-text keys.

// Stepper positions are 16-bit: an integer outside -32768..32767 is a conversion error too.
std::optional<int> ParseStepperPosition(std::string_view text);

// "Ftype" 1..3 selects list index 0..2; any other integer leaves the list without a selection
// (index -1, and the reading goes on); a text that is not an integer is a conversion error.
std::optional<int> ParsePropellantChoice(std::string_view text);

// "Trasser"/"Channel": a text that is not a boolean unchecks the box.
bool ParseGrainFlag(std::string_view text);

// "Active" of "Tab": a text that is not an integer selects the first tab (0); an integer
// outside 0..4 selects no tab (-1).
int ParseTabIndex(std::string_view text);

// The tab pages of the window, which "Active" selects among.
inline constexpr int kTabCount = 5;
inline constexpr int kNoSelection = -1;

}  // namespace tarvo
