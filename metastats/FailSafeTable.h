#pragma once
// The fail-safe window's numbers, worked out from the texts of the summary
// boxes that the last meta-analysis run left in the database window:
// Rosenthal's reasonable (5k + 10) and derived fail-safe numbers, Orwin's
// criterion numbers for d and g, the pictures that judge them, and Orwin's
// calculator. No widgets here: the window reads boxes and writes these texts.
#include <QString>

namespace metastats {

// The texts of the database window's summary boxes ("" for a missing box).
struct FailSafeInputs {
    QString DStat;              // txtDStat: studies with a d
    QString MeanDStatSummary;   // txtMeanDStatSummary: unweighted d count
    QString MeanCohen;          // txtMeanCohen: mean d
    QString WeightedD;          // txtWeightedD: N-weighted mean d or "N/A"
    QString MeanGStat;          // txtMeanGStat: studies with a g
    QString MeanGStatSummary;   // txtMeanGStatSummary: unweighted g count
    QString MeanG;              // txtMeanG: mean g
    QString WeightedG;          // txtWeightedG: N-weighted mean g or "N/A"
    QString MeanZStat;          // txtMeanZStat: studies with a Z statistic
    QString SumZ;               // txtSumZ: sum of the Z statistics
};

// Which picture judges a fail-safe row.
enum class FailSafeVerdict {
    Unsure, // a number is missing
    Thumb,  // the derived number beats the reasonable one
    Mad,    // it does not (equal numbers included)
};

// File-like name of a verdict's picture ("unsure.gif", "thumb.gif", "mad.gif").
QString verdictPictureName(FailSafeVerdict v);

// One effect-size row of the table.
struct FailSafeRow {
    QString unweighted;  // txtMeanDSummary / txtMeanGSummary
    QString weighted;    // txtMeanDWeighted / txtMeanGWeighted
    QString count;       // txtMeanDStatSummary / txtMeanGStatSummary
    QString reasonable;  // txtNFSRosen / txtNFSRosenG
    QString c2, c5, c8;  // Orwin at criteria 0.2, 0.5, 0.8
    FailSafeVerdict verdict = FailSafeVerdict::Unsure;
};

struct FailSafeTable {
    FailSafeRow d;
    FailSafeRow g;
    QString derived;     // txtFSN
    bool warnD = false;  // the Z count differs from the d count
    bool warnG = false;  // ... from the g count
};

// Rosenthal's reasonable fail-safe number for k studies: 5k + 10.
double reasonableFailSafeN(double k);
// Rosenthal's derived fail-safe number from the sum of k studies' Z
// statistics: (sum Z)^2 / 2.706 - k.
double derivedFailSafeN(double sumZ, double k);

// The text shown where a number cannot be given.
inline const QString kNotAvailable = QStringLiteral("N/A");

// The whole table. A box whose text does not convert to a number (a run that
// stopped early can leave such text) makes the cells that need it "N/A";
// nothing here raises.
FailSafeTable computeFailSafeTable(const FailSafeInputs& in);

// Titles and texts of the two inconsistency warnings.
QString failSafeWarningTitle(bool forG);
QString failSafeWarningText(bool forG);

// Orwin's calculator: studies of zero effect that bring a mean effect d1 over
// N studies down to d2. Either `message` is set (a refusal, shown in an OK
// box; the result box keeps "X") or `result` holds N (d1 - d2) / d2 as
// general number text.
struct OrwinOutcome {
    QString result;
    QString message;
};
OrwinOutcome computeOrwin(const QString& initialD, const QString& nStudies, const QString& endD);

namespace orwin_text {
inline const QString Placeholder = QStringLiteral("X");
inline const QString Empty = QStringLiteral("You must enter data into all three white boxes.");
inline const QString ZeroInitial = QStringLiteral(
    "You cannot have an initial effect size of '0' to compute the number of studies with a '0' effect size "
    "required to obtain the desired effect.");
inline const QString ZeroEnd = QStringLiteral(
    "Using Orwin's formula you cannot have an end effect size of '0' (as he assumed no 'negative' effect "
    "sized, unpublished studies).");
inline const QString ZeroStudies = QStringLiteral("Having an effect size from '0' studies is not logical.");
inline const QString NotANumber = QStringLiteral(
    "Each of the three white boxes must hold a number (for example 0.5 under \"d1\", 10 under \"N\" and 0.2 "
    "under \"d2\").");
inline const QString TooLarge = QStringLiteral(
    "The number of studies required is too large to be computed from these values.");
} // namespace orwin_text

} // namespace metastats
