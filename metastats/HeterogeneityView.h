#pragma once
// What the heterogeneity window shows of the last run's Rosenthal results:
// the filled formulas, the verdict and I². No widgets here.
#include "metastats/MetaAnalysis.h"

#include <QString>

namespace metastats {

struct HeterogeneityView {
    QString numerator;    // txtFormula2Numerator: sum of w d
    QString denominator;  // txtFormula2Denominator: sum of w
    QString mean;         // txtFormula2: weighted mean d
    QString q;            // txtFormula3: Q to 5 places
    QString qShort;       // txtFormula4x: Q to 3 places
    QString df;           // txtDF: k - 1
    QString p;            // txtFormula4: "p = ..."
    bool significant = false; // red text in txtFormula4 and txtSummary
    QString summary;      // txtSummary
    QString iSquared;     // txtISquaredResult
};

namespace heterogeneity_text {
inline const QString Significant =
    QStringLiteral("This analysis (Q Statistic) suggests significant heterogeneity in study effect sizes.");
inline const QString NotSignificant =
    QStringLiteral("This analysis (Q Statistic) does not suggest significant heterogeneity in study effect sizes.");
inline const QString NoQ =
    QStringLiteral("No Q Statistic could be computed, so nothing can be said about heterogeneity.");
} // namespace heterogeneity_text

// The window's texts. Q, its p and I² exist only when the last run's step
// completed with a Q over at least one study; a test of heterogeneity needs
// two studies (one degree of freedom), so one study never gets a significant
// verdict.
HeterogeneityView computeHeterogeneityView(const RosenthalResults& r);

} // namespace metastats
