#pragma once
// The statistics component: distribution functions and a few numeric
// functions for all three programs. One object per class per program run,
// made at the first call (StatDistributions::instance() and so on).
// A failure inside raises a RuntimeError, which the caller's handler reports.
#include <QString>

namespace platform {

class StatDistributions {
public:
    static StatDistributions& instance();

    // P(X <= x) for chi-square with df degrees of freedom (0 for x <= 0).
    // Above 1/2 both cumulative functions are formed from the upper tail, so
    // a caller's 1 - r is that tail to within a unit in the last place of 1.
    double ChiSquareCumulative(double x, double df) const;
    double ChiSquareCumulative(double x, const QString& df) const;
    // Normal P(X <= x).
    double NormalCumulative(double x, double mean, double sd) const;
    // x with P(X <= x) = p, for 0 < p < 1.
    double NormalInverse(double p, double mean, double sd) const;
    // P(|T| >= |t|) for tails 2, P(T >= |t|) for tails 1.
    double TTailProbability(double t, double df, int tails) const;
    double TTailProbability(double t, const QString& df, int tails) const;
    // t > 0 with P(|T| >= t) = p for tails 2 (0 < p <= 1); for tails 1 the t
    // with P(T >= t) = p (0 < p < 1), negative for p above 1/2.
    double TInverse(double p, double df, int tails) const;
    double TInverse(double p, const QString& df, int tails) const;

private:
    StatDistributions() = default;
};

class StatMath {
public:
    static StatMath& instance();
    double SquareRoot(double x) const;

private:
    StatMath() = default;
};

class StatFunctions {
public:
    static StatFunctions& instance();
    // ½·ln((1 + r) / (1 − r)), for |r| < 1.
    double FisherZ(double r) const;
    // tanh z.
    double FisherZInverse(double z) const;
    // The smallest of four numbers.
    double Minimum(const double (&values)[4]) const;

private:
    StatFunctions() = default;
};

} // namespace platform
