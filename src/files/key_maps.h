#pragma once
// Which section and key of the propellant file (.grn) and the motor file (.zel) hold which
// control of the window, in the order the load and save sequences use them, with the default
// text of every key. The sequences themselves live with the form; this data is what they walk.
//
// Propellant sections (both file kinds): for each of kPropellantSections in order,
//   load: read kFuelNameKey with kDefaultFuelNames[p] -> list entry p, the group caption and
//         the row label of propellant p on tab 5; then every kPropellantValueKeys row in order,
//         ReadIniStr(section, key, its default) -> its field. Afterwards select list entry
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
//      kDefaultPropellantIndex and put every stepper to its default position followed
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
#include <vector>

#include "input/check_settings.h"
#include "model/motor_design.h"

namespace tarvo {

inline constexpr std::array<std::string_view, kPropellantCount> kPropellantSections = {
    "Const&Vars_DX", "Const&Vars_SB", "Const&Vars_SU"};

inline constexpr std::string_view kFuelNameKey = "FuelName";

inline constexpr std::array<std::string_view, kPropellantCount> kDefaultFuelNames = {
    "KN/DX - Нитрат калия - декстроза", "KN/SB - Нитрат калия - сорбит",
    "KN/SU - Нитрат калия - сахар"};

// The list entry every load, restore and New selects: KN/SB.
inline constexpr int kDefaultPropellantIndex = 1;

// One value key of a propellant section: the same key in each of the three sections holds a
// constant (column 0..4: p', k2ph, k, M, To) or a cell of the burn-rate table (column 0..3:
// lower, upper, a, n, of range 0..4). The field and the default of each propellant follow from
// the column.
struct PropellantValueKey {
    std::string_view key;
    bool constant;
    int column;
    int range;  // burn-rate cells only
};

inline constexpr std::size_t kPropellantValueKeyCount = 25;

// In file order: the five constants, the lower and upper pressure bounds, the coefficients a
// and the exponents n of the five burn-rate ranges.
extern const std::array<PropellantValueKey, kPropellantValueKeyCount> kPropellantValueKeys;

// The tab-5 field (N of "EditN") that holds the key's value of propellant p (0..2).
int PropellantValueField(const PropellantValueKey& key, int propellant);
// The built-in default text of the key's value of propellant p ("1,879", "0,100").
const std::string& PropellantValueDefault(const PropellantValueKey& key, int propellant);

// The built-in default text of a tab-5 field (14 -> "1,879"); nullopt for any other field.
std::optional<std::string> PropellantFieldDefault(int field);

// The 75 tab-5 fields with their defaults in the order the restore command writes them:
// Edit14 to Edit28, then Edit33 to Edit92.
struct FieldDefault {
    int field;
    std::string text;
};
std::vector<FieldDefault> PropellantFieldDefaults();

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
    std::string_view fallback;  // the text read when the key is missing or empty; for a
                                // stepper position, MotorKeyFallback gives its default
    bool guarded;               // part of the block that the first conversion error ends
};

inline constexpr std::size_t kMotorKeyCount = 25;

// "Params" (23 keys), "Tab", "Description", in file order, which is also the order of opening.
extern const std::array<MotorKey, kMotorKeyCount> kMotorKeys;

// The text a missing or empty key reads as: a stepper's default position, else the fallback.
std::string MotorKeyFallback(const MotorKey& key);

// The key that stores a control ("Edit12" -> Kno), or nullptr.
const MotorKey* FindMotorKey(std::string_view control);

// The stand log a motor file remembers: its path, relative to the motor file where possible.
inline constexpr std::string_view kTestSection = "Test";
inline constexpr std::string_view kTestFileKey = "File";

// "Корпус и пределы": the casing and the limits of the design checks, each value as its text
// (a number with the decimal comma; Material a preset's id or "other"). A missing section means
// the default limits and no casing; the older Windows program passes over it.
inline constexpr std::string_view kChecksSection = "Checks";

struct CheckKey {
    CheckField field;
    std::string_view key;
};

inline constexpr std::array<CheckKey, kCheckFieldCount> kCheckKeys = {{
    {CheckField::kMaterial, "Material"},
    {CheckField::kStrength, "Strength"},
    {CheckField::kWall, "Wall"},
    {CheckField::kSafetyFactor, "SafetyFactor"},
    {CheckField::kMinPortThroat, "MinPortThroat"},
    {CheckField::kMaxMassFlux, "MaxMassFlux"},
    {CheckField::kMaxPressure, "MaxPressure"},
}};

inline constexpr std::string_view kMotorFileExtension = ".zel";
inline constexpr std::string_view kPropellantFileExtension = ".grn";
inline constexpr std::string_view kDefaultPropellantFileName = "GRAINS.grn";

// Where the default propellant file GRAINS.grn is looked for, in this order: the user's
// configuration directory (TarvoConfigDirectory), beside the program, and the installed data
// directory <prefix>/share/tarvo when the program lives in <prefix>/bin. The first that exists
// is the one; directories that are unknown ("") are left out.
std::vector<std::string> PropellantFileLocations(const std::string& configDirectory,
                                                 const std::string& programDirectory);
// The same for the running program.
std::vector<std::string> PropellantFileLocations();

}  // namespace tarvo
