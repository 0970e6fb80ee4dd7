#pragma once
// The computations of the Morvane main window, without widgets: the reliable
// change index with its three verdicts, the clinical cut-offs A, B and C with
// their criteria, and the two exact-confidence calculators. Results go, in the
// order they are computed, to a ChangeWriter that the window implements; a run
// that stops keeps whatever was written before the stop.
#include "frame/ErrorTexts.h"

#include <QString>
#include <QStringList>

namespace morvane {

// Messages and fixed texts of the computations.
namespace ChangeText {
inline const QString NoStep1 = QStringLiteral("You must enter some data in both Step 1 boxes.");
inline const QString BadReliability =
    QStringLiteral("The test-retest reliability must be less than 1 and greater than 0.");
inline const QString ClinicalOnly = QStringLiteral(
    "You have specified a clinical mean and SD, but no normative data. This programme will assume that clinical "
    "scores are HIGHER.");
inline const QString NormativeOnly = QStringLiteral(
    "You have specified a normative mean and SD, but no clinical data. This programme will now assume that "
    "clinical scores are LOWER.");
inline const QString EqualMeans = QStringLiteral("You cannot have the clinical mean and normative mean equal.");
inline const QString NoLevelData = QStringLiteral(
    "You must enter some data in both Step 1 boxes and the desired confidence interval box.");
inline const QString NoPointData =
    QStringLiteral("You must enter some data in both Step 1 boxes and the observed point change.");
inline const QString BadLevel = QStringLiteral("Confidence must be between 0 and 100%.");
inline const QString ZeroPoint = QStringLiteral("Point change must be more than 0.");
// First line of the message that reports a failure, as in the other main
// windows; the failure's description follows after a line break.
using frame::EffectSizeText::ErrorLead;

inline const QString Has = QStringLiteral("HAS");
inline const QString HasNot = QStringLiteral("Has NOT");
inline const QString Yes = QStringLiteral("YES");
inline const QString NotMet = QStringLiteral("Some Criteria Were Not Met");
inline const QString NotEnough = QStringLiteral("Not Enough Data To Compute Answer");
inline const QString NoIntersection = QStringLiteral("*The Two Samples Do Not Intersect (1.96SD)");
inline const QString NI = QStringLiteral("*NI");
inline const QString NA = QStringLiteral("NA");

inline const QString ClinicalHigher = QStringLiteral(
    "It appears that clinical samples score higher. Therefore, a decrease in scores over time equates to "
    "improvement. \n      This programme has made the necessary adjustments to the clinical change "
    "computations.");
inline const QString NormativeHigher = QStringLiteral(
    "It appears that normative samples score higher. Therefore, an increase in scores over time equates to "
    "improvement.\n      This programme has made the necessary adjustments to the clinical change computations.");
inline const QString NotComputable = QStringLiteral(
    "Not all clinical change statistics can be computed as the necessary data have not been entered.");
inline const QString Note = QStringLiteral(
    "NA = Not Available; NI = The two distributions do not intersect within 1.96 standard deviations of both "
    "sample means and in the desired direction.");
} // namespace ChangeText

// The two-sided normal quantiles of the 95 % and 99 % thresholds.
constexpr double Z95 = 1.95996398454005;
constexpr double Z99 = 2.5758293035489;
// Factor of the clinical cut-offs A and B.
constexpr double CutOffFactor = 1.96;

// What a criterion picture shows.
enum class Mark { Help, Tick, Cross };
// File name of a criterion picture in the program folder.
QString markFile(Mark m);

// Colour of the status line txtClinStatus.
enum class StatusColour { Red, Blue, Black };

// The ten criterion pictures, in the order they are reset.
QStringList criterionPictures();
// The result boxes a computation run empties first, in the order of emptying.
QStringList reliableChangeResultBoxes();
// The output boxes of the exact-confidence calculators.
QStringList exactConfidenceBoxes();

// What the computations write into the window.
class ChangeWriter {
public:
    virtual ~ChangeWriter() = default;
    // Sets the text of the box with this objectName.
    virtual void write(const QString& box, const QString& text) = 0;
    // Shows a picture in the criterion picture with this objectName.
    virtual void mark(const QString& picture, Mark m) = 0;
    // The status line and its text colour.
    virtual void setStatus(const QString& text, StatusColour colour) = 0;
    // A message with an OK button after which the run goes on.
    virtual void inform(const QString& message) = 0;
    // The last step of a completed run: shows the start tab.
    virtual void selectStartTab() = 0;
};

// The texts of the window's input boxes.
struct ChangeInput {
    QString reliability;   // TxtReliabilityAnswer
    QString sd;            // TxtAnswerSD
    QString time1;         // TxtTime1Answer
    QString time2;         // TxtTime2Answer
    QString clinMean;      // TxtClinMean
    QString clinSD;        // TxtClinSD
    QString normMean;      // TxtNormMean
    QString normSD;        // TxtNormSD
};

// One run of the computation command: reliable change, then the clinical
// step, then the start tab. Returns the message of the check that stopped it,
// or an empty string (also when it ended silently for want of clinical
// means). Raises RuntimeError for text that is not a number, an arithmetic
// fault or a missing picture; what was written before stays written.
QString runReliableChange(const ChangeInput& in, ChangeWriter& out);

// The exact-confidence calculators. Each empties the five output boxes, then
// checks its inputs and returns the message of the check that stopped it, or
// an empty string. The results are written only once all of them were
// computed, so a failure (RuntimeError) leaves the five boxes empty.
QString runChangeForLevel(const QString& reliability, const QString& sd, const QString& percentage,
                          ChangeWriter& out);
QString runConfidenceForChange(const QString& reliability, const QString& sd, const QString& pointChange,
                               ChangeWriter& out);

} // namespace morvane
