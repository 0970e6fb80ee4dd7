#pragma once
// The statistics of Quellin's treatment-by-outcome table, without widgets:
// totals, event rates, relative risks, absolute risk differences, event odds,
// odds ratios, numbers needed to treat and to harm (each with its confidence
// limits), chi-square with Yates' correction, phi, w, C and Fisher's exact
// test. Results go, in the order they are computed, to an OutcomeWriter that
// the window implements. A value that cannot be computed is written as "---".
#include "outcometable/OutcomeMode.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace quellin {


namespace OutcomeText {
inline const QString Dashes = QStringLiteral("---");
inline const QString InputErrorTitle = QStringLiteral("Quellin - Input Error");
inline const QString InputError =
    QStringLiteral("You must enter data in ALL the white boxes before hitting the 'Do It' button");
inline const QString NegativeCount =
    QStringLiteral("A count cannot be negative. Please enter 0 or more in every white box before hitting the "
                   "'Do It' button.");
inline const QString BadLevel = QStringLiteral("Your confidence level must be below 100 and above 0.");
inline const QString TxIncrease = QStringLiteral("Tx Increase");
inline const QString NoChange = QStringLiteral("No Change");
inline const QString TxDecrease = QStringLiteral("Tx Decrease");
inline const QString FisherTooLarge =
    QStringLiteral("Fisher's Exact Test cannot be computed: a count is larger than 9007199254740992 (2 to the power "
                   "53), and such a count cannot be held exactly as a whole number.");
inline const QString FisherNotWhole =
    QStringLiteral("Fisher's Exact Test cannot be computed: a count is not a whole number, and the test is defined "
                   "for whole counts only.");
} // namespace OutcomeText

// The six count boxes in reading order: treatment improved, no change,
// deteriorated, then control improved, no change, deteriorated.
extern const std::array<const char*, 6> CountBoxes;

// The texts of one run: the six count boxes (same order as CountBoxes), the
// confidence level and the tick of the Fisher question.
struct OutcomeInput {
    OutcomeMode mode = OutcomeMode::Three;
    std::array<QString, 6> counts;
    QString level;
    bool fisher = false;
};

// Unrounded odds ratios of one run with their lower and upper limits, for the
// outcomes improved, no change (not improved), deteriorated; empty where the
// run showed "---".
struct StoredOddsRatios {
    std::array<std::array<std::optional<double>, 3>, 3> value;   // [outcome][ratio, lower, upper]
};

// The odds-ratio boxes: [outcome][ratio, lower limit, upper limit].
extern const std::array<std::array<const char*, 3>, 3> OddsRatioBoxes;

// What a run does to the window.
class OutcomeWriter {
public:
    virtual ~OutcomeWriter() = default;
    // Sets the text of the box with this objectName ("txtConf(0)" for an
    // element of the level box array).
    virtual void write(const QString& box, const QString& text) = 0;
    // Shows or hides a control (the two warning buttons, the log check box).
    virtual void setVisible(const QString& control, bool visible) = 0;
    // Unticks the log check box (its click handler runs).
    virtual void untickLogs() = 0;
    // The unrounded odds ratios of this run, for the log display.
    virtual void storeOddsRatios(const StoredOddsRatios& stored) = 0;
    // Tells the user something about the run in a message box.
    virtual void showMessage(const QString& text) = 0;
};

enum class RunResult {
    Done,
    MissingInput,   // a count box of the mode is empty: OutcomeText::InputError
    BadLevel,       // the typed level is not in (0, 100): OutcomeText::BadLevel
    NegativeCount,  // a count of the mode is below 0: OutcomeText::NegativeCount
};

// The result boxes: emptied at the start of every run and by a change of mode.
QStringList resultBoxes();

// The whole computation of "Do It!": reset, input check, counts, totals,
// level, risks, odds, NNT / NNH, then computeChiSquare. A count text that is
// not a number raises RuntimeError (Type mismatch) after the reset; so may a
// failure of the statistics component. A negative count stops the run after
// the reset, with nothing written.
RunResult runOutcomeTable(const OutcomeInput& in, OutcomeWriter& out);

// The chi-square group for the count texts of the mode (read again here):
// chi-square, df, p values, Yates' correction, phi, Fisher's one-tailed p
// when asked for, w and C. Writes nothing when a margin total is 0 or a count
// is negative.
void computeChiSquare(OutcomeMode mode, const std::array<QString, 6>& counts, bool fisher, OutcomeWriter& out);

// Fisher's exact test of the 2 x 2 table of whole counts (a, b / c, d): the
// one-tailed p in the direction in which the table's smallest cell (first one
// on a tie, in the order a, b, c, d) moves towards zero with the margins kept:
// the sum of the probabilities of the observed table and of every table beyond
// it. Not a number when fisherCountsTooLarge or a count is not whole.
double FisherExactOneTailed(double a, double b, double c, double d);

// Whether a count is beyond 2^53 (or not finite), where whole numbers are no
// longer held exactly: Fisher's test gives no p for such a table.
bool fisherCountsTooLarge(double a, double b, double c, double d);
// Whether every count is a whole number: the test is defined for those only.
bool fisherCountsWhole(double a, double b, double c, double d);

// What the typed text of a count is to Fisher's test, judged on its exact
// decimal value (a double rounds 9007199254740993 to 2^53, and 2.0000000000000001
// to 2).
enum class FisherCount {
    Whole,       // a whole number not above 2^53 (in any notation: 007, 1.2e1, 30.00)
    NotWhole,    // a number with a fraction
    TooLarge,    // a number above 2^53, whole or not
    NotANumber,  // no number in the strict sense
};
FisherCount fisherCount(const QString& text);

} // namespace quellin
