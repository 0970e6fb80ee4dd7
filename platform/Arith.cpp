#include "platform/Arith.h"

namespace platform::arith {

double check(double v)
{
    if (std::isnan(v))
        throw errInvalidCall();
    if (std::isinf(v))
        throw errOverflow();
    return v;
}

double add(double a, double b) { return check(check(a) + check(b)); }
double sub(double a, double b) { return check(check(a) - check(b)); }
double mul(double a, double b) { return check(check(a) * check(b)); }

double div(double a, double b)
{
    check(a);
    check(b);
    if (b == 0.0) {
        if (a == 0.0)
            throw errOverflow();
        throw errDivisionByZero();
    }
    return check(a / b);
}

double sqrt(double x)
{
    check(x);
    if (x < 0.0)
        throw errInvalidCall();
    return std::sqrt(x);
}

double log(double x)
{
    check(x);
    if (x <= 0.0)
        throw errInvalidCall();
    return std::log(x);
}

double exp(double x) { return check(std::exp(check(x))); }

double pow(double a, double b)
{
    check(a);
    check(b);
    if (a == 0.0 && b < 0.0)
        throw errDivisionByZero();
    if (a < 0.0 && b != std::floor(b))
        throw errInvalidCall();
    return check(std::pow(a, b));
}

} // namespace platform::arith
