#pragma once
// The burn-rate law r = a * P^n with pressure ranges, raised by erosive burning.

#include "model/motor_design.h"

namespace tarvo {

// The first range that holds P (bounds inclusive, ranges tried 1 to 5), or nullptr when none
// does. A range with n = 0 is a plateau, as valid as any other.
const BurnRateRange* FindBurnRateRange(double P, const BurnRateTable& table);

// a * P^n raised by erosive burning, 1 + kv * g where g = max(0, G* - Ap/At) is how far the
// port is narrower than the threshold G*; computed as exp(n ln P) * ((kv g + 1) a).
double BurnRate(double P, double a, double n, double erosionExcess, double kv);

}  // namespace tarvo
