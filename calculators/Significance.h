#pragma once
// p values from a test statistic the user already has: t with its degrees of
// freedom, z, a correlation with its sample size, chi-square with its degrees
// of freedom. Each row stands alone; a p that cannot be given shows "?".
// No widgets here.
#include "calculators/CalcKit.h"

namespace calculators {

using calckit::Outcome;

namespace sigmsg {
extern const char* const EnterT;
extern const char* const EnterZ;
extern const char* const EnterR;
extern const char* const RBelowOne;
extern const char* const EnterChi;
}

// Each writes its row's two p boxes (two-tailed first) and txtWorking.
Outcome significanceOfT(const QString& t, const QString& df);        // txt2PT, txt1PT
Outcome significanceOfZ(const QString& z);                           // txt2PZ, txt1PZ
Outcome significanceOfR(const QString& r, const QString& n);         // txt2PR, txt1PR
Outcome significanceOfChi(const QString& chi, const QString& df);    // txt2PChi, txt1PChi

} // namespace calculators
