#include "ballistics/burn_rate.h"

#include <cmath>

namespace tarvo {

double GetVar(int kind, double P, const BurnRateTable& table) {
    for (const BurnRateRange& range : table.ranges) {
        if (range.lower <= P && P <= range.upper) {
            return kind == kCoefficientA ? range.a : range.n;
        }
    }
    return 0.0;
}

double ErosionFactor(double portRatio, double GStar, double kv) {
    double excess = GStar - portRatio;
    if (excess < 0) {
        excess = 0;
    }
    return kv * excess + 1;
}

double BurnRate(double P, double a, double n, double erosionExcess, double kv) {
    return std::exp(n * std::log(P)) * ((kv * erosionExcess + 1) * a);
}

}  // namespace tarvo
