#pragma once
// Checked floating-point arithmetic: a division by zero, an overflow or an
// invalid operation raises a RuntimeError at that step, so no box ever shows
// an infinity or a not-a-number.
#include "platform/Errors.h"
#include <cmath>

namespace platform::arith {

// Raises Overflow for an infinity and Invalid procedure call for a NaN.
double check(double v);

double add(double a, double b);
double sub(double a, double b);
double mul(double a, double b);
// x / 0 raises Division by zero, 0 / 0 raises Overflow.
double div(double a, double b);
// Negative argument raises Invalid procedure call.
double sqrt(double x);
// Argument <= 0 raises Invalid procedure call.
double log(double x);
// Overflow raises Overflow.
double exp(double x);
// a ^ b: 0 ^ negative raises Division by zero, negative ^ fraction raises
// Invalid procedure call, overflow raises Overflow.
double pow(double a, double b);

} // namespace platform::arith
