#pragma once
// A motor design read from another program's file, already in Tarvo's units (mm, MPa, g/cm^3,
// K, kg/kmol, burn rate in mm/s at a pressure in MPa), and the motor document it becomes: the
// keys a motor file holds in "Params", "Tab" and "Description", plus the values of the
// propellant slot that the file's own propellant replaces.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/ini_document.h"
#include "interop/import_report.h"

namespace tarvo {

struct CoredGrainsDraft {
    double outerDiameter = 0;  // mm
    double coreDiameter = 0;   // mm
    double length = 0;         // mm, one grain
    int count = 0;
    bool outerBurns = false;
    bool coreBurns = true;
    bool endsBurn = true;
};

struct EndGrainDraft {
    double diameter = 0;  // mm
    double length = 0;    // mm
};

struct BurnRateRangeDraft {
    double lower = 0;  // MPa
    double upper = 0;  // MPa
    double a = 0;      // mm/s at 1 MPa
    double n = 0;
};

// At most this many burn-rate ranges fit a propellant slot.
inline constexpr std::size_t kMaxDraftRanges = 5;

// A propellant of the file's own: it replaces one of the three propellant slots.
struct PropellantDraft {
    std::string name;
    double idealDensity = 0;     // g/cm^3
    double k = 0;                // ratio of specific heats, mixture
    std::optional<double> k2ph;  // nothing: the slot's value is kept
    double molarMass = 0;        // kg/kmol
    double temperature = 0;      // K
    std::vector<BurnRateRangeDraft> ranges;
};

struct MotorDraft {
    std::string description;  // the memo
    double chamberDiameter = 0;
    double chamberLength = 0;
    std::optional<CoredGrainsDraft> cored;
    std::optional<EndGrainDraft> endGrain;
    double throatDiameter = 0;  // mm; Kno is derived from it
    double throatErosion = 0;   // mm
    // Values the steppers hold; nothing keeps the stepper's default, and the report says so.
    std::optional<double> densityRatio;
    std::optional<double> combustionEfficiency;
    std::optional<double> ambientPressure;  // MPa
    std::optional<double> erosiveThreshold;
    std::optional<double> erosiveCoefficient;
    std::optional<double> nozzleEfficiency;
    std::optional<double> expansionRatio;
    bool optimalNozzle = false;  // Ae/At is to be set from the calculated optimum
    int builtInPropellant = -1;  // list index 0..2 of a built-in propellant, or -1
    std::optional<PropellantDraft> propellant;
    ImportReport report;
};

// The texts of one propellant slot's section that the file's own propellant replaces.
struct PropellantSlotValues {
    int slot = 0;  // list index 0..2
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;  // key, field text

    // Writes the name and the values into the slot's section of a motor document.
    void WriteTo(IniDocument& document) const;
};

struct ImportedMotor {
    IniDocument motor;  // "Params", "Tab" and "Description"
    std::optional<PropellantSlotValues> propellant;
    bool optimalNozzle = false;
    ImportReport report;
};

// Kno is written as a whole number, as Kn is shown everywhere in the window.
inline constexpr int kKnoDecimals = 0;

// The document of a draft. `slot` (0..2) is where the draft's own propellant goes; it is not
// used for a built-in propellant. Throws ImportRefusal for a design that gives no Kno.
ImportedMotor BuildImportedMotor(const MotorDraft& draft, int slot);

// The value a stepper's field shows once `value` is put to it (its default for nothing): the
// value `key` ("uc", "Patm" ...) of the motor file takes in the window.
double SteppedValue(std::string_view key, std::optional<double> value);

// A number as an imported field holds it: six significant digits, decimal comma.
std::string DraftNumberText(double value);

// The design a motor document holds (a window written into a document as Save writes it), with
// the selected propellant as the draft's own and the throat diameter that its Kno gives.
// Throws ImportRefusal naming the field whose text is not a usable number.
MotorDraft DraftFromMotorDocument(const IniDocument& document);

}  // namespace tarvo
