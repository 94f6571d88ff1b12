#pragma once
// The burn-rate law r = a * P^n with pressure ranges, raised by erosive burning.

#include "model/motor_model.h"

namespace tarvo {

inline constexpr int kCoefficientA = 1;  // any other kind asks for the exponent n

// The coefficient `a` (kind 1) or the exponent `n` (any other kind) of the first range that
// holds P (bounds inclusive, ranges tried 1 to 5); 0 when no range holds it.
double GetVar(int kind, double P, const BurnRateTable& table);

// 1 + kv * max(0, G* - Ap/At): erosive burning acts while the port is narrow.
double ErosionFactor(double portRatio, double GStar, double kv);

// a * factor * P^n, computed as the pressure stage does: exp(n ln P) * ((kv g + 1) a).
double BurnRate(double P, double a, double n, double erosionExcess, double kv);

}  // namespace tarvo
