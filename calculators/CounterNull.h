#pragma once
// Counternull value of an effect size: the null value reflected about the
// effect size, for d or g directly, for a correlation on Fisher's z scale.
// No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace counternullmsg {
extern const char* const EnterBoth;
extern const char* const CorrelationRange;
}

// Text of the working panel before any correlation has been worked through.
QString counterNullWorkingStart();

// "Compute": resets txtCounterNull and txtWorking, then writes the
// counternull (d or g: 2 ES - null, unrounded; r: through Fisher's z,
// rounded to 5 places, with the working in txtWorking).
Outcome counterNull(bool correlation, const QString& effectSize, const QString& nullValue);

} // namespace calculators
