#pragma once
// Effect size d of a repeated-measures (within-subjects) design from the
// correlation between the two occasions, the dependent-samples t and the
// number of subjects, with two 95 % confidence intervals. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace withinmsg {
extern const char* const EnterRTN;
extern const char* const CorrelationRange;
}

struct WithinESInput {
    QString r, t, n;     // texts of txtR, txtT, txtN
    QString sd1, sd2;    // texts of txtSD1, txtSD2 (may be empty)
    bool intervals = true;   // chkConf
};

// The result boxes, in the order a computation empties them.
const QStringList& withinResultBoxes();

// "Do It!": empties the result boxes, then writes d into txtD and txtDWithin
// (5 places), the independent-samples limits into txtMinus95 / txtPlus95 and,
// when both standard deviations are given, the dependent-samples limits into
// txtWithinMinus95 / txtWithinPlus95 (2 places). The dependent-samples
// half-width is t(.05, n - 1) * sqrt(2 (s1² + s2² - 2 r s1 s2) / (n (s1² + s2²))).
Outcome withinEffectSize(const WithinESInput& in);

} // namespace calculators
