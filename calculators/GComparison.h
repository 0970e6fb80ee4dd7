#pragma once
// Difference between the Hedges' g of two studies: each g is weighted by the
// reciprocal of its variance, expressed through the study's t, and the
// difference is tested as a z. No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace gdiffmsg {
extern const char* const EnterAll;
extern const char* const NoWeight;
}

struct GStudy {
    QString g, n1, n2, t;   // texts of the study's boxes
};

// "Do It!": writes txt1PZ, txt2PZ and txtWorking (the weights with their
// numerators and denominators, z and the two p values). When the inputs give
// no answer the p boxes show "?" and the working box is emptied.
Outcome compareTwoGs(const GStudy& a, const GStudy& b);

} // namespace calculators
