#pragma once
// Curves and stand logs the test-stand tests share.

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "stand/burn_window.h"
#include "stand/calculated_motor.h"
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

// How a logger writes the curve.
struct LogFormat {
    double rate = 1000;  // samples per second
    bool milliseconds = false;
    bool kilogramsForce = false;
    bool decimalComma = false;
    double offset = 0.2;    // s of waiting before the firing
    double baseline = 0.0;  // N the stand shows unloaded
    double noise = 0.0;     // standard deviation, N
    bool pressure = false;  // in bar, gauge
};

inline std::string LoggedNumber(double value, bool comma) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string text = buffer;
    if (comma) {
        std::replace(text.begin(), text.end(), '.', ',');
    }
    return text;
}

inline std::string StandLog(const CalculatedMotor& motor, const LogFormat& f) {
    const char separator = f.decimalComma ? ';' : ',';
    std::string text = std::string("Time (") + (f.milliseconds ? "ms" : "s") + ")" + separator +
                       "Thrust (" + (f.kilogramsForce ? "kgf" : "N") + ")" +
                       (f.pressure ? std::string(1, separator) + "Pressure (bar)" : "") + "\r\n";
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, f.noise > 0 ? f.noise : 1.0);
    const double end = f.offset + motor.time.back() + 0.3;
    std::vector<double> gauge(motor.pressure.size());
    for (std::size_t i = 0; i < gauge.size(); ++i) {
        gauge[i] = motor.pressure[i] - motor.Patm;
    }
    for (int k = 0; k / f.rate < end; ++k) {
        const double t = k / f.rate;
        const std::vector<double> at = {t - f.offset};
        const double thrust = ValuesAt(motor.time, motor.thrust, at)[0];
        const double pressure = ValuesAt(motor.time, gauge, at)[0];
        const double logged = thrust + f.baseline + (f.noise > 0 ? noise(random) : 0.0);
        text += LoggedNumber(f.milliseconds ? t * 1000 : t, f.decimalComma) + separator +
                LoggedNumber(f.kilogramsForce ? logged / 9.80665 : logged, f.decimalComma);
        if (f.pressure) {
            text += separator + LoggedNumber(pressure * 10, f.decimalComma);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace tarvo::testing
