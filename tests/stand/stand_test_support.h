#pragma once
// Curves the test-stand tests share.

#include "stand/stand_log.h"

namespace tarvo::testing {

// A trapezoid: 0 until `start`, up to `level` in 10 ms, held for 1 s, down to 0 in 10 ms,
// sampled every `step` s from `from` to `to`, on top of `baseline`.
inline StandSamples Trapezoid(double start, double level, double baseline, double step,
                              double from = 0.0, double to = 1.5) {
    StandSamples s;
    for (double t = from; t <= to; t += step) {
        const double x = t - start;
        double f = 0.0;
        if (x > 0 && x < 0.01) {
            f = level * x / 0.01;
        } else if (x >= 0.01 && x <= 1.01) {
            f = level;
        } else if (x > 1.01 && x < 1.02) {
            f = level * (1.02 - x) / 0.01;
        }
        s.time.push_back(t);
        s.thrust.push_back(baseline + f);
    }
    return s;
}

}  // namespace tarvo::testing
