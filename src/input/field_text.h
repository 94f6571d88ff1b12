#pragma once
// What the edit fields accept while the user types, and how their texts are tidied before
// they are read.

#include <string>
#include <string_view>

namespace tarvo {

// The text the entry filter puts into a field that holds no positive number.
inline constexpr std::string_view kRejectedEntryText = "0";

// The status hint shown when the entry filter rejects a text.
std::string EntryHint();

// Whether the entry filter lets a text stand: a number greater than 0.
bool IsAcceptedEntry(std::string_view text);

// Keeps digits, '+' and '-' and turns every other character into the decimal separator, so
// that "12.5" and "12a5" both become "12,5". A multi-byte (UTF-8) character counts as one.
std::string NormaliseFieldText(std::string_view text);

}  // namespace tarvo
