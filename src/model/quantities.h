#pragma once
// The one list of a calculation's figures by symbol: what the labels show, what tarvo-calc
// prints and what the exports write all come from here.

#include <span>
#include <string_view>

#include "model/calculation_result.h"

namespace tarvo {

struct QuantityInfo {
    std::string_view symbol;  // as the window's captions name it: "Pmax", "Ae/At opt", "c*"
    double (*value)(const CalculationResult& result);
    std::string_view unit;  // "mm^3", "MPa", "N*s"; "-" for a ratio
    Stage stage;            // the stage that computes it (a propellant constant: geometry)
};

// Every figure, in the order of the window's tabs.
std::span<const QuantityInfo> QuantityTable();
const QuantityInfo* FindQuantity(std::string_view symbol);

// The motor class letter ("--" when there is none) has this symbol.
inline constexpr std::string_view kMotorClassSymbol = "MotorClass";

}  // namespace tarvo
