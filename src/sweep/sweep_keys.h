#pragma once
// The values a sweep or a target search can vary: the number keys of the motor file's section
// "Params", each shown by a field of the window. A value is given as its field shows it (uc
// 0,85; Ae/At 8), whatever the file stores for it (the stepper positions 85 and 80), and only
// a value the field or its stepper can hold is taken.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/key_maps.h"
#include "input/steppers.h"

namespace tarvo {

struct SweepKey {
    const MotorKey* fileKey = nullptr;     // in the section "Params"
    int edit = 0;                          // the field that shows the value ("EditN")
    const StepperRule* stepper = nullptr;  // for a value the file stores as a stepper position
    bool wholeNumber = false;              // N: the field holds a whole number

    std::string_view name() const { return fileKey->key; }
};

// In the order of the file's keys.
std::span<const SweepKey> SweepKeys();
// The key of that exact name ("Kno", "Ae/At"), or nullptr.
const SweepKey* FindSweepKey(std::string_view name);
// "Dc, Lc, D, ..." for messages.
std::string SweepKeyNames();

// A value as the key's field shows it and as the motor file stores it.
struct KeyValue {
    double value = 0.0;     // the number the field shows
    std::string fieldText;  // "0,85"
    std::string fileText;   // what the key holds in the file: the field text, or "85"
};

// The value the key's field or stepper holds for `value`, or why it cannot hold it.
struct HeldValue {
    std::optional<KeyValue> held;
    std::string refusal;  // "uc=1,2: ...", when nothing is held
};
HeldValue HoldValue(const SweepKey& key, double value);

// The smallest step between two values the key holds: a stepper's increment in field units, 1
// for N, 0 for a field that takes any number.
double Resolution(const SweepKey& key);

// The lowest and highest value the key holds (a field: from 0, without an upper end).
double LowestValue(const SweepKey& key);
std::optional<double> HighestValue(const SweepKey& key);

// The value as it would appear on the command line: the field text with a decimal point.
std::string PointText(std::string_view fieldText);

}  // namespace tarvo
