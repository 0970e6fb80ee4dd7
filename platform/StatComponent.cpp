#include "platform/StatComponent.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace platform {

namespace {

// Runs a Boost computation and turns its errors into RuntimeErrors.
template <class F>
double guarded(F&& f)
{
    double r;
    try {
        r = f();
    } catch (const std::overflow_error&) {
        throw errOverflow();
    } catch (const std::exception&) {
        throw errInvalidCall();
    }
    if (std::isnan(r))
        throw errInvalidCall();
    if (std::isinf(r))
        throw errOverflow();
    return r;
}

void requirePositiveDf(double df)
{
    if (!(df > 0.0) || std::isinf(df))
        throw errInvalidCall();
}

void requireTails(int tails)
{
    if (tails != 1 && tails != 2)
        throw errInvalidCall();
}

// P(X <= x). Callers take 1 - r for the upper tail, so above the middle r is
// made from the upper tail itself: 1 - r then gives that tail back to within
// half a unit in the last place of 1, rather than adding the error of a lower
// tail near 1.
template <class Dist>
double lowerTail(const Dist& dist, double x)
{
    const double lower = guarded([&] { return boost::math::cdf(dist, x); });
    if (lower <= 0.5)
        return lower;
    return 1.0 - guarded([&] { return boost::math::cdf(boost::math::complement(dist, x)); });
}

} // namespace

StatDistributions& StatDistributions::instance()
{
    static StatDistributions d;
    return d;
}

double StatDistributions::ChiSquareCumulative(double x, double df) const
{
    requirePositiveDf(df);
    if (std::isnan(x))
        throw errInvalidCall();
    if (x <= 0.0)
        return 0.0;
    if (std::isinf(x))
        return 1.0;
    return lowerTail(boost::math::chi_squared(df), x);
}

double StatDistributions::ChiSquareCumulative(double x, const QString& df) const
{
    return ChiSquareCumulative(x, cdbl(df));
}

double StatDistributions::NormalCumulative(double x, double mean, double sd) const
{
    if (!(sd > 0.0) || std::isnan(x) || std::isnan(mean))
        throw errInvalidCall();
    if (std::isinf(x))
        return x > 0 ? 1.0 : 0.0;
    return lowerTail(boost::math::normal(mean, sd), x);
}

double StatDistributions::NormalInverse(double p, double mean, double sd) const
{
    if (!(sd > 0.0) || !(p > 0.0 && p < 1.0))
        throw errInvalidCall();
    const boost::math::normal n(mean, sd);
    // Upper half through the complement keeps the precision of p near 1.
    if (p > 0.5)
        return guarded([&] { return boost::math::quantile(boost::math::complement(n, 1.0 - p)); });
    return guarded([&] { return boost::math::quantile(n, p); });
}

double StatDistributions::TTailProbability(double t, double df, int tails) const
{
    requirePositiveDf(df);
    requireTails(tails);
    if (std::isnan(t))
        throw errInvalidCall();
    const double at = std::fabs(t);
    if (std::isinf(at))
        return 0.0;
    const double upper =
        guarded([&] { return boost::math::cdf(boost::math::complement(boost::math::students_t(df), at)); });
    return tails == 2 ? std::min(1.0, 2.0 * upper) : upper;
}

double StatDistributions::TTailProbability(double t, const QString& df, int tails) const
{
    return TTailProbability(t, cdbl(df), tails);
}

double StatDistributions::TInverse(double p, double df, int tails) const
{
    requirePositiveDf(df);
    requireTails(tails);
    // Two tails: p in (0, 1], the positive t. One tail: p in (0, 1), the t
    // with P(T >= t) = p, which is negative for p above 1/2.
    if (!(p > 0.0 && (tails == 2 ? p <= 1.0 : p < 1.0)))
        throw errInvalidCall();
    const double upper = tails == 2 ? p / 2.0 : p;
    if (upper == 0.5)
        return 0.0;
    return guarded(
        [&] { return boost::math::quantile(boost::math::complement(boost::math::students_t(df), upper)); });
}

double StatDistributions::TInverse(double p, const QString& df, int tails) const
{
    return TInverse(p, cdbl(df), tails);
}

StatMath& StatMath::instance()
{
    static StatMath m;
    return m;
}

double StatMath::SquareRoot(double x) const
{
    if (std::isnan(x) || x < 0.0)
        throw errInvalidCall();
    if (std::isinf(x))
        throw errOverflow();
    return std::sqrt(x);
}

StatFunctions& StatFunctions::instance()
{
    static StatFunctions f;
    return f;
}

double StatFunctions::FisherZ(double r) const
{
    if (std::isnan(r) || !(std::fabs(r) < 1.0))
        throw errInvalidCall();
    return std::atanh(r);
}

double StatFunctions::FisherZInverse(double z) const
{
    if (std::isnan(z))
        throw errInvalidCall();
    return std::tanh(z);
}

double StatFunctions::Minimum(const double (&values)[4]) const
{
    for (double v : values)
        if (std::isnan(v))
            throw errInvalidCall();
    return *std::min_element(std::begin(values), std::end(values));
}

} // namespace platform
