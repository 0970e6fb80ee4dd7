#include "metastats/HeterogeneityView.h"

#include "metastats/FailSafeTable.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

namespace metastats {

namespace {

// A value rounded half to even, "N/A" for one that is not a finite number.
QString rounded(double v, int places)
{
    try {
        return platform::roundText(v, places);
    } catch (const platform::RuntimeError&) {
        return kNotAvailable;
    }
}

} // namespace

HeterogeneityView computeHeterogeneityView(const RosenthalResults& r)
{
    HeterogeneityView v;
    v.numerator = rounded(r.SumRosenthalStudyWeightsByD, 5);
    v.denominator = rounded(r.SumOfRosenthalStudyWeights, 5);

    // The run counts its studies only once it has a weighted mean d and
    // computes Q; with none counted, or when the step ended on an error
    // before its p, there is no test to show.
    if (r.RosenthalN < 1 || r.stoppedEarly) {
        v.mean = v.q = v.qShort = v.df = v.iSquared = kNotAvailable;
        v.p = QStringLiteral("p = ") + kNotAvailable;
        v.significant = false;
        v.summary = heterogeneity_text::NoQ;
        return v;
    }

    v.mean = rounded(r.MeanRosenthalD, 5);
    v.q = rounded(r.RosenthalFormula, 5);
    v.qShort = rounded(r.RosenthalFormula, 3);
    const int df = int(r.RosenthalN) - 1;
    v.df = QString::number(df);

    // The p the run kept, rounded as the report rounds it (one study's Q of 0
    // on no degree of freedom has p 1). A single study shows no
    // heterogeneity.
    const QString p = rounded(r.RosenthalP2, 5);
    v.p = QStringLiteral("p = ") + p;
    v.significant = df >= 1 && p != kNotAvailable && v.q != kNotAvailable && r.RosenthalP2 < 0.05;
    if (v.significant)
        v.summary = heterogeneity_text::Significant;
    else if (p == kNotAvailable || v.q == kNotAvailable)
        v.summary = heterogeneity_text::NoQ;
    else
        v.summary = heterogeneity_text::NotSignificant;

    // I² from the Q and df just shown, so it agrees with the 5-place Q.
    double q = 0;
    if (!platform::tryCdbl(v.q, q)) {
        v.iSquared = kNotAvailable;
    } else if (df < q && q > 0) {
        v.iSquared = rounded((q - df) / q * 100, 5);
    } else {
        v.iSquared = QStringLiteral("0");
    }
    return v;
}

} // namespace metastats
