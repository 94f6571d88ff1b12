#include "ballistics/burn_rate.h"

#include <cmath>

namespace tarvo {

const BurnRateRange* FindBurnRateRange(double P, const BurnRateTable& table) {
    for (const BurnRateRange& range : table.ranges) {
        if (range.lower <= P && P <= range.upper) {
            return &range;
        }
    }
    return nullptr;
}

double BurnRate(double P, double a, double n, double erosionExcess, double kv) {
    return std::exp(n * std::log(P)) * ((kv * erosionExcess + 1) * a);
}

}  // namespace tarvo
