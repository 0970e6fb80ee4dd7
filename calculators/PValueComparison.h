#pragma once
// Difference between two one-tailed p values: each p becomes a standard
// normal deviate and the difference of the deviates, over the square root of
// 2, is tested as a z. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace zdiffmsg {
extern const char* const EnterP;   // empty box, p outside (0, 0.5], or no number
}

// "Compute": the texts of txtP1 and txtP2 and whether the results go in
// opposite directions. Writes txtZ1, txtZ2, txtAnswerZ, txt1PZ and txt2PZ.
Outcome compareTwoPValues(const QString& p1Text, const QString& p2Text, bool negativeDirection);

} // namespace calculators
