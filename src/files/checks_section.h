#pragma once
// The motor file's section [Checks]: the values of "Корпус и пределы" as texts, by the keys of
// kCheckKeys.

#include "files/ini_document.h"
#include "input/check_settings.h"

namespace tarvo {

// Every key's text as it stands; a missing key reads as "" (not given).
CheckSettings ReadChecksSection(const IniDocument& document);

// Writes each given value over its key in place. A value not given empties a key the file
// holds and adds none, so that a file without the section stays without it until a value is
// set, and a file read and written again is unchanged.
void WriteChecksSection(const CheckSettings& settings, IniDocument& document);

}  // namespace tarvo
