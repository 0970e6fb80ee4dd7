#include "platform/Arith.h"

#include <gtest/gtest.h>
#include <limits>

using namespace platform;

namespace {
int errorOf(double (*f)(double, double), double a, double b)
{
    try {
        f(a, b);
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(Arith, FaultsBecomeErrorsAtTheStep)
{
    EXPECT_EQ(errorOf(arith::div, 1, 0), ErrDivisionByZero);
    EXPECT_EQ(errorOf(arith::div, 0, 0), ErrOverflow);
    EXPECT_EQ(errorOf(arith::mul, 1e200, 1e200), ErrOverflow);
    EXPECT_EQ(errorOf(arith::add, 1e308, 1e308), ErrOverflow);
    EXPECT_EQ(errorOf(arith::pow, 0, -1), ErrDivisionByZero);
    EXPECT_EQ(errorOf(arith::pow, -8, 1.0 / 3.0), ErrInvalidCall);
    EXPECT_EQ(errorOf(arith::pow, 10, 400), ErrOverflow);
    EXPECT_THROW(arith::sqrt(-1e-300), RuntimeError);
    EXPECT_THROW(arith::log(0), RuntimeError);
    EXPECT_THROW(arith::exp(1000), RuntimeError);
    EXPECT_THROW(arith::check(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
    EXPECT_DOUBLE_EQ(arith::div(1, 4), 0.25);
    EXPECT_DOUBLE_EQ(arith::pow(-2, 3), -8);
    EXPECT_DOUBLE_EQ(arith::sqrt(0), 0);
}
