#pragma once
// Hand-written designs of the other programs, and an import that answers its questions from
// fixed choices.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "files/key_maps.h"
#include "interop/motor_import.h"

namespace tarvo::testing {

class Answers : public ImportQuestions {
public:
    std::optional<int> chooseDesign(const std::vector<std::string>& names) override {
        designNames = names;
        return design;
    }
    std::optional<int> chooseSlot(std::string_view name) override {
        slotAskedFor = name;
        return slot;
    }
    std::optional<int> design = 0;
    std::optional<int> slot = 2;
    std::vector<std::string> designNames;
    std::string slotAskedFor;
};

inline ImportOutcome Import(std::string_view fileName, std::string_view text,
                            std::optional<int> design = 0, std::optional<int> slot = 2) {
    Answers answers;
    answers.design = design;
    answers.slot = slot;
    return ImportMotorText(fileName, text, answers);
}

// Every motor key an import writes, as "section/key=text" lines.
inline std::string MotorKeys(const IniDocument& document) {
    std::string lines;
    for (const MotorKey& key : kMotorKeys) {
        lines += std::string(key.key) + "=" + document.ReadIniStr(key.section, key.key, "?") + "\n";
    }
    return lines;
}

inline std::string SlotValues(const ImportOutcome& outcome) {
    std::string lines;
    if (outcome.motor.propellant) {
        lines += std::to_string(outcome.motor.propellant->slot) + " " +
                 outcome.motor.propellant->name + "\n";
        for (const auto& [key, text] : outcome.motor.propellant->values) {
            lines += key + "=" + text + "\n";
        }
    }
    return lines;
}

inline bool Mentions(const std::vector<std::string>& lines, std::string_view part) {
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Three cored KN/SB-like grains in inches-friendly sizes, with a propellant of its own.
inline constexpr std::string_view kMeteorSi = R"({"version": 2, "measureUnit": "SI", "configs": [{
    "name": "Тест", "propellantType": "CUSTOM_KNSB",
    "chamberInnerDiameter": 38.1, "chamberLength": "203.2", "throatDiameter": 10.16,
    "extraConfig": {
      "densityRatio": 0.95, "nozzleErosionInMillimeter": 0.5,
      "combustionEfficiencyRatio": "0.97", "ambiantPressureInMPa": 0.101,
      "erosiveBurningAreaRatioThreshold": 6, "erosiveBurningVelocityCoefficient": 0,
      "nozzleEfficiency": 0.85, "nozzleExpansionRatio": 8, "optimalNozzleDesign": false},
    "grainType": "HOLLOW",
    "grainConfig": {"outerDiameter": 31.75, "coreDiameter": 12.7, "segmentLength": 63.5,
      "numberOfSegment": 3, "outerSurface": "INHIBITED", "endsSurface": "EXPOSED",
      "coreSurface": "EXPOSED"},
    "nozzleDesign": {"convergenceAngle": 30, "divergenceAngle": 12},
    "customPropellant": {"name": "KNSB мой", "density": 1.841, "k": 1.1361, "k2ph": 1.042,
      "chamberTemperature": 1600, "molarMass": 39.9, "cstar": null,
      "burnRateDataSet": [
        {"fromPressureIncluded": 0.1, "toPressureExcluded": 0.807,
         "burnRateCoefficient": 10.708, "pressureExponent": 0.625},
        {"fromPressureIncluded": 0.807, "toPressureExcluded": 1.503,
         "burnRateCoefficient": 8.763, "pressureExponent": -0.314}]}}]})";

// Three BATES grains behind an end burner; a = 8e-6 m/(s Pa^0.5) is 8 mm/s at MPa^0.5.
inline constexpr std::string_view kRic = R"(data:
  config: {ambPressure: 101325, burnoutWebThres: 2.54e-05}
  grains:
  - properties: {diameter: 0.03, length: 0.05}
    type: End Burner
  - properties: {coreDiameter: 0.01, diameter: 0.03, inhibitedEnds: Neither, length: 0.06}
    type: BATES
  - properties: {coreDiameter: 0.01, diameter: 0.03, inhibitedEnds: Neither, length: 0.06}
    type: BATES
  nozzle: {convAngle: 35, divAngle: 12, efficiency: 0.9, exit: 0.02, throat: 0.008}
  propellant:
    density: 1764
    name: Sorbitol
    tabs:
    - {a: 8.0e-06, k: 1.14, m: 39.9, maxPressure: 5000000, minPressure: 100000, n: 0.5, t: 1600}
    - {a: 1.0e-03, k: 1.14, m: 39.9, maxPressure: 10000000, minPressure: 5000000, n: 0, t: 1600}
type: !!python/object/apply:uilib.fileIO.fileTypes [3]
version: !!python/tuple [0, 5, 0]
)";

// `base` with the first `from` replaced by `to`.
inline std::string Replaced(std::string_view base, std::string_view from, std::string_view to) {
    std::string text(base);
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// `base` with each change made in turn, as Replaced makes one.
inline std::string Replaced(
    std::string_view base,
    std::initializer_list<std::pair<std::string_view, std::string_view>> changes) {
    std::string text(base);
    for (const auto& [from, to] : changes) {
        text = Replaced(text, from, to);
    }
    return text;
}

// kMeteorSi in inches, psi, lb/in^3 and in/s at psi, with numbers written as text here and there.
inline std::string MeteorImperial() {
    return Replaced(
        kMeteorSi,
        {{R"("version": 2)", R"("version": 1)"},
         {R"("SI")", R"("IMPERIAL")"},
         {R"("chamberInnerDiameter": 38.1)", R"("chamberInnerDiameter": 1.5)"},
         {R"("chamberLength": "203.2")", R"("chamberLength": 8)"},
         {R"("throatDiameter": 10.16)", R"("throatDiameter": "0.4")"},
         {R"("outerDiameter": 31.75)", R"("outerDiameter": 1.25)"},
         {R"("coreDiameter": 12.7)", R"("coreDiameter": 0.5)"},
         {R"("segmentLength": 63.5)", R"("segmentLength": 2.5)"},
         {R"("numberOfSegment": 3)", R"("numberOfSegment": "3")"},
         {R"("density": 1.841)", R"("density": 0.0665103445722)"},
         {R"(, "cstar": null)", ""},
         {R"("fromPressureIncluded": 0.1,)", R"("fromPressureIncluded": 14.503773773,)"},
         {R"("toPressureExcluded": 0.807)", R"("toPressureExcluded": 117.045454348)"},
         {R"("burnRateCoefficient": 10.708)", R"("burnRateCoefficient": 0.0187909618229)"},
         {R"("fromPressureIncluded": 0.807)", R"("fromPressureIncluded": 117.045454348)"},
         {R"("toPressureExcluded": 1.503)", R"("toPressureExcluded": 217.991719809)"},
         {R"("burnRateCoefficient": 8.763)", R"("burnRateCoefficient": 1.64635745452)"}});
}

}  // namespace tarvo::testing
