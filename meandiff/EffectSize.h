#pragma once
// The effect-size calculation of the Tarvoss main window, without widgets:
// Cohen's d with the chosen standard deviation and its confidence interval,
// Hedges' adjustment and g with their intervals, the t and z tests and the
// a priori sample sizes. Results go, in the order they are computed, to a
// ResultWriter that the window implements; a run that stops keeps whatever
// was written before the stop.
#include "frame/ConfidenceLevel.h"
#include "frame/ErrorTexts.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace meandiff {

// Messages of the input checks.
namespace EffectSizeText {
inline const QString NoData = QStringLiteral("You must enter some data in at least the 2 mean and 2 SD boxes.");
inline const QString EqualMeans =
    QStringLiteral("The difference between the two mean scores must be more than zero.");
inline const QString PooledNeedsSizes =
    QStringLiteral("You must enter sample sizes to compute a pooled d adjusted by n.");
inline const QString ZeroSD = QStringLiteral("Standard Deviation must not equal 0 (zero).");
inline const QString BadLevel = QStringLiteral("Your confidence level must be below 100 and above 0.");
inline const QString TooSmall = QStringLiteral(
    "The derived effect size is too small for some of the analyses: leads to a division by zero");
inline const QString SampleBelow2 = QStringLiteral("You cannot have a sample of less than 2");
inline const QString NoExpectedES = QStringLiteral("You must enter an expected effect size into the green box.");
inline const QString Positive = QStringLiteral(
    "A positive effect size shows the Experimental Group to have scored higher than the Control Group.");
inline const QString Negative = QStringLiteral(
    "A negative effect size shows the Control Group to have scored higher than the Experimental Group.");
// ErrorLead: frame/ErrorTexts.h.
} // namespace EffectSizeText

// Entries of the standard-deviation choice (Combo1), in list order.
QStringList standardDeviationChoices();
// The confidence levels (Combo2): frame/ConfidenceLevel.h.

// Sample-size boxes txtP1 .. txtP8 and their constants K (n = K / d²).
extern const std::array<const char*, 8> SampleSizeBoxes;
extern const std::array<double, 8> SampleSizeConstants;

// Per-group sample sizes for the eight boxes: K / d² + 0.5 converted to a
// 32-bit whole number, halves to even. Raises RuntimeError (Division by
// zero, Overflow) when d is 0 or the sizes do not fit.
std::array<std::int32_t, 8> sampleSizes(double d);

// Result boxes emptied at the start of each run, in the order of emptying.
QStringList effectSizeResultBoxes();

// What the calculation writes into the window.
class ResultWriter {
public:
    virtual ~ResultWriter() = default;
    // Sets the text of the box with this objectName.
    virtual void write(const QString& box, const QString& text) = 0;
    // Shows the first tab ("Effect Sizes").
    virtual void selectFirstTab() = 0;
    // Captions of LblPercent(0), (1) and (2).
    virtual void setLevelCaptions(const frame::ConfidenceLevel& level) = 0;
    // The sign sentence: its text, red for a negative effect, else blue.
    virtual void setSignSentence(bool negative, const QString& text) = 0;
};

// The texts of the input boxes.
struct EffectSizeInput {
    QString mean1, mean2, sd1, sd2, n1, n2;
    QString sdChoice;   // Combo1
    QString level;      // Combo2
};

// One run of the calculation. Returns the message of the input check that
// stopped it, or an empty string when it ran to its end (or ended silently
// for want of sample sizes). Raises RuntimeError for a failure (text that is
// not a number, an arithmetic fault, an overflow, the statistics component);
// what was written before stays written.
QString runEffectSize(const EffectSizeInput& in, ResultWriter& out);

// The sample-size command of the "Sample Size" tab for the text of txtD:
// empties txtP1 .. txtP8, then fills them. Returns the message that stopped
// it, or an empty string; raises RuntimeError for text that is not a number.
QString runSampleSize(const QString& expectedEffect, ResultWriter& out);

} // namespace meandiff
