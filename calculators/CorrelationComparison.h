#pragma once
// Difference between two correlations: two independent samples through
// Fisher's z (a z test and a t test), or two correlations of one sample that
// share a variable through Williams' t. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace rdiffmsg {
extern const char* const EnterAll;            // "You must enter data in all white boxes."
extern const char* const CorrelationRange;    // r at or beyond 1 or -1
extern const char* const ThreeSubjectsEach;   // independent samples: N <= 3
extern const char* const ThreeSubjects;       // one sample: N <= 3
}

// "Do It!" of the independent-samples window: texts of txtR1, txtN1r, txtR2,
// txtN2r. Writes txtZ1, txtZ2, txtSEdr, txtZD, txt1PZ, txt2PZ, txtDF, txt2PT
// and txt1PT; the two p boxes of the z test keep their text when a check
// stops the computation.
Outcome compareIndependentRs(const QString& r1, const QString& n1, const QString& r2, const QString& n2);

// "Do It!" of the dependent-samples window: texts of txtR1 (r-xy), txtR2
// (r-vy), txtR3 (r-xv) and txtN1r. Writes txtRValue (determinant), txtTValue
// (Williams' t), txtDF, txt2PT and txt1PT.
Outcome compareDependentRs(const QString& rxy, const QString& rvy, const QString& rxv, const QString& n);

} // namespace calculators
