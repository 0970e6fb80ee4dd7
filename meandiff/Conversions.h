#pragma once
// Effect-size conversions of the two conversion tabs: the formulas, their
// input checks and messages, and the rounded text they show. No widgets here.
#include "frame/ErrorTexts.h"

#include <QString>
#include <QStringList>

namespace platform {
class RuntimeError;
}

namespace meandiff {

// The seventeen conversions, first tab then second tab, each in the order in
// which its tab tests them.
enum class Conversion {
    RtoD, DtoR, FtoD, FtoR, TtoR, TtoD, ChitoR, GtoD,
    DtoG, GtoR, FsqToRsq, RtoZ, RtoT, RtoChi, WtoC, CtoW, ChitoC,
};

namespace conversions {

// The formulas, unrounded unless said otherwise. Every step is checked
// arithmetic: a division by zero, a square root or logarithm of a number out
// of range, or an overflow raises platform::RuntimeError.
double rToD(double r);                              // 2r / sqrt(1 - r^2)
double dToR(double d);                              // d / sqrt(d^2 + 4)
double dToRCorrected(double d, double n1, double n2); // d / sqrt(d^2 + (N^2 - 2N) / (n1 n2))
double fToD(double f, double df);                   // 2 sqrt(F) / sqrt(df)
double fToR(double f, double df);                   // sqrt(F / (F + df))
double tToR(double t, double df);                   // sqrt(t^2 / (t^2 + df))
double tToD(double t, double df);                   // 2t / sqrt(df), rounded to 5 places
double tToDCorrected(double d5, double n1, double n2); // sqrt(A / H) d5, rounded to 5 places
double chiToR(double chi, double n);                // sqrt(chi / N)
double gToD(double g, double n, double df);         // g sqrt(N / df)
double dToG(double d, double df, double n);         // d sqrt(df / N)
double gToR(double g, double df, double n);         // g / sqrt(g^2 + 4 df / N)
double fsqToRsq(double f2);                         // f2 / (f2 + 1)
double rToZ(double r);                              // ln|(r + 1) / (r - 1)| / 2
double rToT(double r, double df);                   // r / sqrt(1 - r^2) sqrt(df)
double rToChi(double r, double n);                  // r^2 N
double wToC(double w);                              // sqrt(w^2 / (w^2 + 1))
double cToW(double c);                              // sqrt(c^2 / (1 - c^2))
double chiToC(double chi, double n);                // sqrt(chi / (chi + N))

} // namespace conversions

// Messages of the conversion tabs.
namespace convmsg {
extern const char* const EnterValue;
extern const char* const RLessThanOne;
extern const char* const GroupSizes;
extern const char* const DfError;
extern const char* const TotalN;
extern const char* const TotalNAndDf;
extern const char* const TotalNAndWithinDf;
extern const char* const CorrelationRange;
extern const char* const WithinDf;
extern const char* const Subjects;
} // namespace convmsg

// conversionErrorMessage: frame/ErrorTexts.h.

struct ConversionOutcome {
    QString answer;        // text for the result box; "" when there is none
    QString message;       // message to show; "" when there is none
    bool showLine = false; // the From/To line names this conversion
};

// One press of "Convert" for the conversion c, x being the number already read
// from the value box and params the texts of the conversion's parameter boxes:
//   DtoR corrected: group 1 N, group 2 N      FtoD, FtoR, TtoR, RtoT: df
//   TtoD: df, then with the correction group 1 N, group 2 N
//   ChitoR, RtoChi, ChitoC: N      GtoD: N, df      DtoG, GtoR: df, N
// `corrected` is the "Yes" of the d-to-r or t-to-d correction. A box that is
// empty (or blank) gives the conversion's message; any other failure gives
// conversionErrorMessage, and then the answer is empty.
ConversionOutcome convert(Conversion c, double x, const QStringList& params, bool corrected = false);

} // namespace meandiff
