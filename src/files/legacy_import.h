#pragma once
// Motor files of the older layout keep every value in one section "Const&Vars" under numeric
// keys and the active tab in "Tabs"/"Active". Opening such a file converts it into the current
// layout first. The conversion works on the document in memory; the caller decides whether to
// write it back (the desktop program does, atomically, to the file it opened; tarvo-calc never
// writes).
//
// The conversion is done by the open sequence on every file before its keys are read; a file
// in the current layout is left untouched, and a converted file is not converted again because
// its "Tabs" section is gone.

#include "files/ini_document.h"

namespace tarvo {

enum class LegacyConversion {
    Converted = 1,
    NotLegacy = 2,
};

// A file is in the older layout when its section "Tabs" holds at least one key.
bool IsLegacyMotorDocument(const IniDocument& document);

// Whether the document is a motor file of either layout: a section of the current layout (the
// propellant sections, "Params", "Tab", "Description") or of the older one ("Const&Vars",
// "Tabs") holds at least one key. An empty file, binary junk or any other text is none.
bool IsMotorDocument(const IniDocument& document);

// Copies every old value (its default when missing or empty) to its key of the current
// layout, appending the new sections, then erases "Const&Vars" and "Tabs". Old values are
// copied as text, unchecked: the open sequence and the calculation deal with them.
LegacyConversion ConvertLegacyMotorFile(IniDocument& document);

}  // namespace tarvo
