#include "stand/curve_fit.h"

#include <algorithm>
#include <cmath>

namespace tarvo {
namespace {

using Vector = std::vector<double>;
using Matrix = std::vector<Vector>;

constexpr int kMaxIterations = 60;
// Central differences over a thousandth of each parameter's range: wide enough to step over
// the calculation's own discretisation, narrow against the curvature of the problem.
constexpr double kDifferenceStep = 1e-3;
constexpr double kStartDamping = 1e-3;
constexpr double kLeastDamping = 1e-12;
constexpr double kMostDamping = 1e10;
constexpr double kCostTolerance = 1e-10;  // relative decrease that ends the fit
constexpr double kStepTolerance = 1e-8;   // in units of the parameter ranges
constexpr double kNoEffect = 1e-14;       // a column this small beside the largest: no effect
constexpr double kSingularPivot = 1e-12;

double Dot(const Vector& a, const Vector& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += a[i] * b[i];
    }
    return sum;
}

double LargestOf(const Vector& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

// Solves a x = b by Gauss-Jordan elimination with partial pivoting; nothing when a pivot is
// below `smallest` (a is scaled so that its diagonal is about 1).
std::optional<Vector> Solve(Matrix a, Vector b, double smallest) {
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a[row][col]) > std::abs(a[pivot][col])) {
                pivot = row;
            }
        }
        if (!(std::abs(a[pivot][col]) > smallest)) {
            return std::nullopt;
        }
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = 0; row < n; ++row) {
            if (row == col) {
                continue;
            }
            const double factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k) {
                a[row][k] -= factor * a[col][k];
            }
            b[row] -= factor * b[col];
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        b[i] /= a[i][i];
    }
    return b;
}

// The differences of a calculated motor from the measured curve, from ignition until as long
// again after the measured burn: a calculated burn that lasts longer than the measured one
// must cost as much as one that stops early. A log that stops sooner is taken on at its mean
// sample interval with the motor burnt out. The RMS counts the measured burn alone.
constexpr double kWindowSpans = 2.0;

class BurnResiduals {
public:
    explicit BurnResiduals(const MeasuredCurve& curve) {
        const StandSamples& s = curve.samples;
        const double windowEnd = curve.burn.ignition + kWindowSpans * curve.burn.span();
        for (std::size_t i = 0; i < s.time.size(); ++i) {
            if (s.time[i] >= curve.burn.ignition && s.time[i] <= windowEnd) {
                burnCount_ += s.time[i] <= curve.burn.end ? 1 : 0;
                times_.push_back(s.time[i]);
                thrust_.push_back(s.thrust[i]);
                if (curve.hasPressure()) {
                    pressure_.push_back(s.pressure[i]);
                }
            }
        }
        extendBurntOut(s, windowEnd, curve.hasPressure());
        thrustScale_ = LargestOf(thrust_);
        pressureScale_ = LargestOf(pressure_);
    }

    std::size_t burnCount() const { return burnCount_; }
    bool withPressure() const { return pressureScale_ > 0; }

    // Thrust differences, then pressure differences; nothing for a motor without a burn.
    std::optional<Vector> of(const CalculatedMotor& motor) const {
        if (!motor.ok() || !(thrustScale_ > 0)) {
            return std::nullopt;
        }
        const std::optional<BurnWindow> burn = FindBurnWindow(motor.time, motor.thrust);
        if (!burn) {
            return std::nullopt;
        }
        Vector out = ValuesAt(motor.time, motor.thrust, times_, burn->ignition);
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = (out[i] - thrust_[i]) / thrustScale_;
        }
        if (withPressure()) {
            Vector gauge(motor.pressure.size());
            std::transform(motor.pressure.begin(), motor.pressure.end(), gauge.begin(),
                           [&motor](double p) { return p - motor.Patm; });
            const Vector calculated = ValuesAt(motor.time, gauge, times_, burn->ignition);
            for (std::size_t i = 0; i < calculated.size(); ++i) {
                out.push_back((calculated[i] - pressure_[i]) / pressureScale_);
            }
        }
        return out;
    }

    double thrustRms(const Vector& residuals) const {
        double sum = 0.0;
        for (std::size_t i = 0; i < burnCount_; ++i) {
            sum += residuals[i] * residuals[i];
        }
        return thrustScale_ * std::sqrt(sum / static_cast<double>(burnCount_));
    }

private:
    void extendBurntOut(const StandSamples& s, double windowEnd, bool withPressure) {
        const double interval =
            (s.time.back() - s.time.front()) / static_cast<double>(s.time.size() - 1);
        for (double t = s.time.back() + interval; t <= windowEnd; t += interval) {
            times_.push_back(t);
            thrust_.push_back(0.0);
            if (withPressure) {
                pressure_.push_back(0.0);
            }
        }
    }

    std::size_t burnCount_ = 0;
    Vector times_;
    Vector thrust_;
    Vector pressure_;
    double thrustScale_ = 0.0;
    double pressureScale_ = 0.0;
};

// A point of the search: the chosen parameters scaled to 0..1 over their bounds.
struct Point {
    Vector u;
    Vector residuals;
    CalculatedMotor motor;
    double cost = 0.0;
};

class Fitter {
public:
    Fitter(const MeasuredCurve& curve, std::span<const FitParameter> chosen, const FitValues& start,
           const FitBounds& bounds, const MotorCalculator& calculate)
        : residuals_(curve),
          chosen_(chosen.begin(), chosen.end()),
          start_(start),
          bounds_(bounds),
          calculate_(calculate) {}

    CurveFit run() {
        CurveFit fit;
        std::optional<Point> point = evaluate(startingPoint());
        if (!point) {
            fit.message = failure_.empty() ? "расчётная кривая тяги не содержит горения" : failure_;
            fit.calculations = calculations_;
            return fit;
        }
        fit.startRms = residuals_.thrustRms(point->residuals);
        descend(*point);
        const std::optional<Matrix> jacobian = jacobianAt(*point);
        fit.ambiguous = jacobian ? Ambiguous(Normal(*jacobian)) : chosen_;
        fit.outcome = fit.ambiguous.empty() ? FitOutcome::kFitted : FitOutcome::kAmbiguous;
        fit.values = valuesAt(point->u);
        fit.rms = residuals_.thrustRms(point->residuals);
        fit.fitted = std::move(point->motor);
        fit.calculations = calculations_;
        return fit;
    }

private:
    double range(std::size_t j) const {
        return bounds_.upper[chosen_[j]] - bounds_.lower[chosen_[j]];
    }

    Vector startingPoint() const {
        Vector u(chosen_.size());
        for (std::size_t j = 0; j < u.size(); ++j) {
            const double span = range(j);
            u[j] = span > 0 ? std::clamp((start_[chosen_[j]] - bounds_.lower[chosen_[j]]) / span,
                                         0.0, 1.0)
                            : 0.0;
        }
        return u;
    }

    FitValues valuesAt(const Vector& u) const {
        FitValues values = start_;
        for (std::size_t j = 0; j < u.size(); ++j) {
            values[chosen_[j]] = bounds_.lower[chosen_[j]] + u[j] * range(j);
        }
        return values;
    }

    std::optional<Point> evaluate(Vector u) {
        ++calculations_;
        CalculatedMotor motor = calculate_(valuesAt(u));
        if (!motor.ok()) {
            failure_ = motor.failure;
        }
        std::optional<Vector> residuals = residuals_.of(motor);
        if (!residuals) {
            return std::nullopt;
        }
        const double cost = Dot(*residuals, *residuals);
        return Point{std::move(u), std::move(*residuals), std::move(motor), cost};
    }

    std::optional<Vector> residualsAt(Vector u) {
        std::optional<Point> point = evaluate(std::move(u));
        return point ? std::optional<Vector>(std::move(point->residuals)) : std::nullopt;
    }

    // One column of J: central where both sides lie within the bounds and calculate, one-sided
    // otherwise.
    std::optional<Vector> column(const Point& at, std::size_t j) {
        const auto shifted = [&](double delta) -> std::optional<Vector> {
            Vector u = at.u;
            u[j] += delta;
            if (u[j] < 0.0 || u[j] > 1.0) {
                return std::nullopt;
            }
            return residualsAt(std::move(u));
        };
        const std::optional<Vector> up = shifted(kDifferenceStep);
        const std::optional<Vector> down = shifted(-kDifferenceStep);
        if (!up && !down) {
            return std::nullopt;
        }
        const Vector& high = up ? *up : at.residuals;
        const Vector& low = down ? *down : at.residuals;
        const double width = (up ? kDifferenceStep : 0.0) + (down ? kDifferenceStep : 0.0);
        Vector out(high.size());
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = (high[i] - low[i]) / width;
        }
        return out;
    }

    std::optional<Matrix> jacobianAt(const Point& at) {
        Matrix columns;
        for (std::size_t j = 0; j < chosen_.size(); ++j) {
            std::optional<Vector> c = column(at, j);
            if (!c) {
                return std::nullopt;
            }
            columns.push_back(std::move(*c));
        }
        return columns;
    }

    static Matrix Normal(const Matrix& columns) {
        Matrix a(columns.size(), Vector(columns.size()));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            for (std::size_t j = 0; j < columns.size(); ++j) {
                a[i][j] = Dot(columns[i], columns[j]);
            }
        }
        return a;
    }

    // The damped step, with the parameters that sit on a bound and would leave it held there.
    static Vector Step(const Matrix& a, const Vector& g, double damping, const Vector& u) {
        const std::size_t n = u.size();
        std::vector<bool> held(n, false);
        Vector step(n, 0.0);
        for (std::size_t pass = 0; pass <= n; ++pass) {
            std::vector<std::size_t> free;
            for (std::size_t j = 0; j < n; ++j) {
                if (!held[j]) {
                    free.push_back(j);
                }
            }
            Matrix m(free.size(), Vector(free.size()));
            Vector rhs(free.size());
            for (std::size_t p = 0; p < free.size(); ++p) {
                for (std::size_t q = 0; q < free.size(); ++q) {
                    m[p][q] = a[free[p]][free[q]];
                }
                m[p][p] += damping * std::max(a[free[p]][free[p]], kNoEffect);
                rhs[p] = -g[free[p]];
            }
            step.assign(n, 0.0);
            const std::optional<Vector> solved = Solve(m, rhs, 0.0);
            if (!solved) {
                return step;
            }
            bool leaves = false;
            for (std::size_t p = 0; p < free.size(); ++p) {
                const std::size_t j = free[p];
                step[j] = (*solved)[p];
                if ((u[j] <= 0.0 && step[j] < 0.0) || (u[j] >= 1.0 && step[j] > 0.0)) {
                    held[j] = true;
                    leaves = true;
                }
            }
            if (!leaves) {
                return step;
            }
        }
        return Vector(n, 0.0);
    }

    // Levenberg-Marquardt from `point`, which ends at the best point found.
    void descend(Point& point) {
        double damping = kStartDamping;
        for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
            const std::optional<Matrix> jacobian = jacobianAt(point);
            if (!jacobian) {
                return;
            }
            const Matrix a = Normal(*jacobian);
            Vector g(chosen_.size());
            for (std::size_t j = 0; j < g.size(); ++j) {
                g[j] = Dot((*jacobian)[j], point.residuals);
            }
            std::optional<Point> next;
            double moved = 0.0;
            while (!next && damping <= kMostDamping) {
                const Vector step = Step(a, g, damping, point.u);
                Vector u = point.u;
                moved = 0.0;
                for (std::size_t j = 0; j < u.size(); ++j) {
                    u[j] = std::clamp(u[j] + step[j], 0.0, 1.0);
                    moved = std::max(moved, std::abs(u[j] - point.u[j]));
                }
                if (moved < kStepTolerance) {
                    return;
                }
                next = evaluate(std::move(u));
                if (!next || !(next->cost < point.cost)) {
                    next.reset();
                    damping *= 10;
                }
            }
            if (!next) {
                return;
            }
            damping = std::max(damping / 10, kLeastDamping);
            const double decrease = point.cost - next->cost;
            const double before = point.cost;
            point = std::move(*next);
            if (decrease <= kCostTolerance * before) {
                return;
            }
        }
    }

    // The chosen parameters that the data cannot determine: those without any effect, all of
    // them when J^T J is singular, else the pairs correlated by more than kAmbiguousCorrelation.
    std::vector<FitParameter> Ambiguous(const Matrix& a) const {
        const std::size_t n = a.size();
        double largest = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            largest = std::max(largest, a[j][j]);
        }
        std::vector<bool> named(n, false);
        for (std::size_t j = 0; j < n; ++j) {
            named[j] = !(a[j][j] > kNoEffect * largest) || !(largest > 0);
        }
        if (std::none_of(named.begin(), named.end(), [](bool b) { return b; })) {
            named = correlated(a);
        }
        std::vector<FitParameter> out;
        for (std::size_t j = 0; j < n; ++j) {
            if (named[j]) {
                out.push_back(chosen_[j]);
            }
        }
        return out;
    }

    static std::vector<bool> correlated(const Matrix& a) {
        const std::size_t n = a.size();
        Matrix scaled = a;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                scaled[i][j] = a[i][j] / std::sqrt(a[i][i] * a[j][j]);
            }
        }
        Matrix inverse(n, Vector(n));
        for (std::size_t j = 0; j < n; ++j) {
            Vector unit(n, 0.0);
            unit[j] = 1.0;
            const std::optional<Vector> column = Solve(scaled, unit, kSingularPivot);
            if (!column) {
                return std::vector<bool>(n, true);
            }
            for (std::size_t i = 0; i < n; ++i) {
                inverse[i][j] = (*column)[i];
            }
        }
        std::vector<bool> named(n, false);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                const double correlation = inverse[i][j] / std::sqrt(inverse[i][i] * inverse[j][j]);
                if (!(std::abs(correlation) <= kAmbiguousCorrelation)) {
                    named[i] = named[j] = true;
                }
            }
        }
        return named;
    }

    BurnResiduals residuals_;
    std::vector<FitParameter> chosen_;
    FitValues start_;
    FitBounds bounds_;
    const MotorCalculator& calculate_;
    std::string failure_;
    int calculations_ = 0;
};

}  // namespace

CurveFit FitCurve(const MeasuredCurve& curve, std::span<const FitParameter> chosen,
                  const FitValues& start, const FitBounds& bounds,
                  const MotorCalculator& calculate) {
    if (chosen.empty()) {
        CurveFit fit;
        fit.message = "не выбран ни один параметр подбора";
        return fit;
    }
    return Fitter(curve, chosen, start, bounds, calculate).run();
}

std::optional<double> ThrustRms(const MeasuredCurve& curve, const CalculatedMotor& motor) {
    const BurnResiduals residuals(curve);
    const std::optional<Vector> differences = residuals.of(motor);
    if (!differences || residuals.burnCount() == 0) {
        return std::nullopt;
    }
    return residuals.thrustRms(*differences);
}

}  // namespace tarvo
