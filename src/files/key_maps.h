#pragma once
// Which section and key of the propellant file (.grn) and the motor file (.zel) hold which
// control of the window, in the order the load and save sequences use them, with the default
// text of every key. The sequences themselves live with the form; this data is what they walk.
//
// Propellant sections (both file kinds): for each of kPropellantSections in order,
//   load: read kFuelNameKey with kDefaultFuelNames[p] -> list entry p, the group caption and
//         the row label of kFuelNameTargets[p]; then every kPropellantValueKeys row in order,
//         ReadIniStr(section, key, defaults[p]) -> fields[p]. Afterwards select list entry
//         kDefaultPropellantIndex (KN/SB). All of it with LoadingGuard set.
//   save: write kFuelNameKey from list entry p (skipped when the list lacks it), then the rows
//         in order from their fields. A propellant file is written whole (IniFile::Create: keys
//         the program does not write vanish); a motor file keeps what else it held
//         (IniFile::Open, then Commit).
//
// Motor file, open (IniFile::Open; the legacy conversion first, see legacy_import.h):
//   1. Set LoadingGuard; the propellant sections as above (without selecting KN/SB yet).
//   2. The FieldText rows of kMotorKeys, in order, into their controls.
//   3. The guarded block, the rows with `guarded` set, in order: first select list entry
//      kDefaultPropellantIndex and put every kStepperDefaults stepper to its position followed
//      by its click handler, in that order; then "Ftype" by ParsePropellantChoice and the ten
//      StepperPosition rows by ParseStepperPosition, each stepper followed by its click
//      handler. The first conversion error (nullopt) ends the block: the rows after it keep
//      the defaults just set.
//   4. "Trasser" -> chk and SavedEndGrain, "Channel" -> chk1 and SavedCoredGrains, by
//      ParseGrainFlag; a change of a box runs its click handler.
//   5. "Active" -> the active tab by ParseTabIndex (-1: no tab page selected).
//   6. "Motor" -> the memo.
//   7. Clear LoadingGuard, RefreshStepperFields, Calculate; the recent list; clear Modified.
//
// Motor file, save (IniFile::Open on the path with ReplaceExtension(path, ".zel"); every key
// overwritten in place, then one Commit): RefreshStepperFields; the propellant sections; then
// kMotorKeys in order: FieldText as the field's text, PropellantChoice as FormatFileInteger
// (list index + 1), StepperPosition as FormatFileInteger(position), GrainFlag as
// FormatFileBoolean, TabIndex as FormatFileInteger, Description as the memo's text (only its
// first line is stored). A failed Commit leaves the document changed and shows the message.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/motor_model.h"

namespace tarvo {

inline constexpr std::array<std::string_view, kPropellantCount> kPropellantSections = {
    "Const&Vars_DX", "Const&Vars_SB", "Const&Vars_SU"};

inline constexpr std::string_view kFuelNameKey = "FuelName";

inline constexpr std::array<std::string_view, kPropellantCount> kDefaultFuelNames = {
    "KN/DX - Нитрат калия - декстроза", "KN/SB - Нитрат калия - сорбит",
    "KN/SU - Нитрат калия - сахар"};

// Where a propellant's name is shown besides its list entry (list index = propellant - 1).
struct FuelNameTargets {
    std::string_view groupBox;  // caption of the burn-rate group on tab 5
    std::string_view rowLabel;  // label of the constants' row on tab 5
};
inline constexpr std::array<FuelNameTargets, kPropellantCount> kFuelNameTargets = {{
    {"GroupBox8", "Label92"},
    {"GroupBox9", "Label93"},
    {"GroupBox10", "Label94"},
}};

// The list entry every load, restore and New selects: KN/SB.
inline constexpr int kDefaultPropellantIndex = 1;

// One value key of a propellant section: the same key in each of the three sections, each
// with its own field and default text.
struct PropellantValueKey {
    std::string_view key;
    std::array<std::string_view, kPropellantCount> fields;
    std::array<std::string_view, kPropellantCount> defaults;
};

inline constexpr std::size_t kPropellantValueKeyCount = 25;

// In file order: the five constants, the lower and upper pressure bounds, the coefficients a
// and the exponents n of the five burn-rate ranges.
extern const std::array<PropellantValueKey, kPropellantValueKeyCount> kPropellantValueKeys;

// The built-in default text of a tab-5 field ("Edit14" -> "1,879"); nullopt for any other name.
std::optional<std::string_view> PropellantFieldDefault(std::string_view field);

// The 75 tab-5 fields with their defaults in the order the restore command writes them:
// Edit14 to Edit28, then Edit33 to Edit92.
struct FieldDefault {
    std::string_view field;
    std::string_view text;
};
std::array<FieldDefault, kPropellantCount * kPropellantValueKeyCount> PropellantFieldDefaults();

// How a motor file value is stored and what its control does with it.
enum class MotorValueKind {
    FieldText,         // the field's text, unchanged
    PropellantChoice,  // "Ftype": ParsePropellantChoice / list index + 1
    StepperPosition,   // ParseStepperPosition; the stepper's click handler writes its field
    GrainFlag,         // ParseGrainFlag / FormatFileBoolean; sets the saved state of the box too
    TabIndex,          // ParseTabIndex / the active tab's index
    Description,       // the memo's text; only the first line is stored
};

struct MotorKey {
    std::string_view section;
    std::string_view key;
    MotorValueKind kind;
    std::string_view control;   // Edit1, fbox, UpDown2, chk, PageControl1, Memo1
    std::string_view field;     // the field a stepper writes; empty for other kinds
    std::string_view fallback;  // the text read when the key is missing or empty
    bool guarded;               // part of the block that the first conversion error ends
};

inline constexpr std::size_t kMotorKeyCount = 25;

// "Params" (23 keys), "Tab", "Description", in file order, which is also the order of opening.
extern const std::array<MotorKey, kMotorKeyCount> kMotorKeys;

// The stepper defaults in the order they are set (restore, the open sequence's guarded block).
struct StepperDefault {
    std::string_view stepper;
    std::string_view field;
    int position;
};
inline constexpr std::array<StepperDefault, 10> kStepperDefaults = {{
    {"UpDown2", "Edit8", 0},
    {"UpDown3", "Edit9", 1},
    {"UpDown4", "Edit10", 1},
    {"UpDown5", "Edit11", 96},
    {"UpDown6", "Edit29", 95},
    {"UpDown7", "Edit30", 81},
    {"UpDown8", "Edit31", 6},
    {"UpDown9", "Edit32", 0},
    {"UpDown10", "Edit93", 85},
    {"UpDown11", "Edit94", 10},
}};

// The stand log a motor file remembers: its path, relative to the motor file where possible.
inline constexpr std::string_view kTestSection = "Test";
inline constexpr std::string_view kTestFileKey = "File";

inline constexpr std::string_view kMotorFileExtension = ".zel";
inline constexpr std::string_view kPropellantFileExtension = ".grn";
inline constexpr std::string_view kDefaultPropellantFileName = "GRAINS.grn";

// GRAINS.grn beside the program ("" when the program's directory is unknown).
std::string DefaultPropellantFilePath();

}  // namespace tarvo
