#pragma once
// The ten steppers (up-down buttons) beside fields of tabs 1 to 3: their ranges and the text
// each writes into its field.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// How a stepper turns its position into its field's text.
enum class StepperTextRule {
    kInteger,               // "1"
    kHundredths,            // position / 100, general format: "0,96"
    kThousandthsPlus002,    // position / 1000 + 0.02, general format: "0,101"
    kHundredthsOneDecimal,  // position / 100 with one decimal: "0,0"
    kTenths,                // position / 10, general format: "2,5"
};

struct StepperRule {
    int stepper;  // N of "UpDownN"
    int edit;     // N of the field it writes, "EditN"
    int min;
    int max;
    int increment;
    int defaultPosition;
    StepperTextRule text;
};

inline constexpr std::array<StepperRule, 10> kStepperRules = {{
    {2, 8, 0, 1, 1, 0, StepperTextRule::kInteger},
    {3, 9, 0, 1, 1, 1, StepperTextRule::kInteger},
    {4, 10, 0, 1, 1, 1, StepperTextRule::kInteger},
    {5, 11, 92, 98, 1, 96, StepperTextRule::kHundredths},
    {6, 29, 1, 99, 1, 95, StepperTextRule::kHundredths},
    {7, 30, 71, 91, 1, 81, StepperTextRule::kThousandthsPlus002},
    {8, 31, 1, 99, 1, 6, StepperTextRule::kInteger},
    {9, 32, 0, 100, 10, 0, StepperTextRule::kHundredthsOneDecimal},
    {10, 93, 75, 85, 1, 85, StepperTextRule::kHundredths},
    {11, 94, 10, 300, 1, 10, StepperTextRule::kTenths},
}};

inline constexpr int kExpansionRatioStepper = 11;

// The steppers whose fields are rewritten before every calculation and save, in that order.
// The flags (UpDown2 to UpDown4) are read from their positions and G* from its text instead.
inline constexpr std::array<int, 6> kRefreshedSteppers = {5, 6, 7, 9, 10, 11};

// The rule of stepper N, or nullptr when there is no such stepper.
const StepperRule* FindStepperRule(int stepper);

// The text the stepper writes into its field at a position.
std::string StepperFieldText(const StepperRule& rule, int position);

// The position, within the stepper's range, whose text comes nearest to `value`: the inverse of
// StepperFieldText. A text with one decimal (kv) moves in tenths, so its positions go in tens.
int StepperPositionFor(const StepperRule& rule, double value);

// A stepper position is a 16-bit signed integer.
bool FitsStepperPosition(long long position);

// Moves a position into the stepper's range, as the up-down control does.
int ClampToStepperRange(const StepperRule& rule, int position);

// The position a typed expansion ratio asks for: ten times the number, rounded to a whole
// number. Nothing for a text that is not a number or a result outside the 16-bit range.
std::optional<int> ExpansionRatioPosition(std::string_view text);

}  // namespace tarvo
