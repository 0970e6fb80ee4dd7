#pragma once
// Estimates of a standard deviation to use as the denominator of an effect
// size: four means of two groups' standard deviations, the pooled standard
// deviation, the root of an ANOVA's within-groups mean square and one
// sample's standard deviation from its standard error. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace sdmsg {
extern const char* const EnterBoxes;      // two standard deviations, or n and SE
extern const char* const EnterBox;        // the mean square
extern const char* const EnterSizes;      // the two sizes of the pooled method
}

// The methods by the number of their option button (Op1 .. Op7).
enum class SDMethod {
    ArithmeticMean = 1,
    WeightedMean = 2,   // root mean square of the two standard deviations
    HarmonicMean = 3,
    GeometricMean = 4,
    OneWayAnova = 5,
    PooledSD = 6,
    FromStandardError = 7,
};

struct SDInputs {
    QString sdA, sdB;     // Text1, Text2
    QString nA, nB;       // Text12, Text13
    QString msWithin;     // Text9
    QString se;           // txtSE
};

// The input boxes the method uses (enabled and white in the window).
QStringList sdBoxesUsed(SDMethod method);
// All six input boxes.
const QStringList& sdInputBoxes();

// "Compute !": writes txtAnswer, the estimate rounded to 5 places; a refused
// or failed computation empties it and shows its message, except the pooled
// estimate refused for a missing size, which leaves txtAnswer as it was.
Outcome estimateSD(SDMethod method, const SDInputs& in);

} // namespace calculators
