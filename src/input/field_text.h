#pragma once
// What the edit fields accept while the user types, and how their texts are tidied before
// they are read.

#include <string>
#include <string_view>

namespace tarvo {

// The status hint shown, and the tooltip of a marked field, when the entry filter finds a
// text the field does not take.
std::string EntryHint();

// The values a field takes while the user types. Most take a number greater than 0; 0 is a
// value of its own where the program itself writes it (an inhibited surface, no erosion, kv
// at its lowest step, no end-burning grain, an unused burn-rate range); the burn-rate
// exponents n may be negative.
enum class EntryRange { kPositive, kZeroOrMore, kAnyNumber };
EntryRange EntryRangeOf(int edit);

// Whether the entry filter lets the text of field `edit` stand without marking it.
bool IsAcceptedEntry(int edit, std::string_view text);

// The hint and, on a line of its own, what field `edit` takes: "... Нужно число больше 0."
std::string FieldEntryHint(int edit);

// Keeps digits, '+' and '-' and turns every other character into the decimal separator, so
// that "12.5" and "12a5" both become "12,5". A multi-byte (UTF-8) character counts as one.
std::string NormaliseFieldText(std::string_view text);

}  // namespace tarvo
