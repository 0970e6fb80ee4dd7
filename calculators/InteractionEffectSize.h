#pragma once
// Effect size of a group-by-time interaction in a 2 x 2 repeated-measures
// design: each group's change, the group differences at each time, the pooled
// standard deviations, Cohen's d and, with both group sizes, the 95 %
// interval of d and Hedges' g with its interval. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace interactmsg {
extern const char* const Experimental;
extern const char* const Control;
} // namespace interactmsg

// The texts of the window's ten input boxes.
struct InteractionInputs {
    QString exMean1, exSD1, exMean2, exSD2, exN;
    QString ctrlMean1, ctrlSD1, ctrlMean2, ctrlSD2, ctrlN;
};

// The sixteen result boxes in the order a computation empties them.
extern const char* const kInteractionResultBoxes[16];

// "Compute Effect Size Estimate": a refused input gives only its message;
// otherwise the sixteen result boxes are emptied, then written in their
// order. A computation stopped by an error (a mean or group size that is not
// a number, a zero denominator) keeps the writes made before it and carries
// the error's message.
Outcome computeInteraction(const InteractionInputs& in);

} // namespace calculators
