#pragma once
// Logistic conversions between a standardised mean difference d and an odds
// ratio: OR = e^(d k) and d = ln(OR) / k with k = pi / sqrt(3), each with the
// working panel's lines. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace oddsmsg {
extern const char* const EnterD;
extern const char* const EnterOR;
extern const char* const TooSmall;
extern const char* const EnterLimits;
} // namespace oddsmsg

// The caution notes of the two windows.
QString dToOddsRatioCaution();
QString oddsRatioToDCaution();

// k = pi / sqrt(3), pi taken as 4 atan(1).
double logisticScale();

// The texts of a window's three input boxes and its check box.
struct OddsInputs {
    QString value;    // txtOR
    QString lower;    // txtORMinus95
    QString upper;    // txtORPlus95
    bool limits = false;   // chkConfidence ticked
};

// The boxes a conversion (and a click of the check box) empties first.
extern const char* const kDtoORClearedBoxes[6];
extern const char* const kORtoDClearedBoxes[3];

// "Do It!" of the d-to-odds-ratio window: the odds ratio and its logarithm,
// with the limits converted one by one when the check box is ticked, and the
// working panel txtWorking. A computation stopped by an error keeps what was
// written before it and carries the error's message.
Outcome dToOddsRatio(const OddsInputs& in);
// "Do It!" of the odds-ratio-to-d window: d, and with the check box ticked
// its interval from the standard error of the log odds ratio.
Outcome oddsRatioToD(const OddsInputs& in);

} // namespace calculators
