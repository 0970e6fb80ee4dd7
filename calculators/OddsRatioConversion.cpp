#include "calculators/OddsRatioConversion.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

#include <cmath>

namespace calculators {

namespace oddsmsg {
const char* const EnterD = "You must enter data in the d (Effect Size) To Convert box.";
const char* const EnterOR = "You must enter data in the Odds Ratio box.";
const char* const TooSmall = "Your odds ratio cannot be that small - it's virtually equivalent to zero.";
const char* const EnterLimits =
    "If you ticked the checkbox for confidence intervals, then you must enter data in these boxes.";
} // namespace oddsmsg

const char* const kDtoORClearedBoxes[6] = {"txtD",   "txtDMinus95",   "txtDPlus95",
                                           "txtLogOR", "txtLogORMinus", "txtLogORPlus"};
const char* const kORtoDClearedBoxes[3] = {"txtD", "txtDMinus95", "txtDPlus95"};

namespace {

namespace ar = platform::arith;

const char* const CitedAuthor = "Chinn";
const char* const Reference = "See: Chinn, S. (2000). A simple method for converting an odds ratio to effect size "
                              "for use in meta-analysis. Statistics in Medicine, 19, 3127-3131.";
const char* const NED =
    "Approximate difference in the normal equivalent deviate (NED) to the logistic distribution = ";

QString citedAuthor() { return QString::fromLatin1(CitedAuthor); }

// One line of the working panel: its label, then the value rounded.
struct WorkLine {
    QString label;
    double value;
    int places;
};

QString working(const QList<WorkLine>& lines, const QString& afterHeading, bool finalBreak)
{
    QStringList parts;
    for (const WorkLine& l : lines)
        parts << l.label + platform::roundText(l.value, l.places);
    QString text = QStringLiteral("Working ...\n") + afterHeading + parts.join(QStringLiteral("\n\n"));
    if (finalBreak)
        text += QLatin1Char('\n');
    return text;
}

Outcome emptied(const char* const* boxes, int count)
{
    Outcome out;
    for (int i = 0; i < count; ++i)
        out.set(QString::fromLatin1(boxes[i]), QString());
    return out;
}

} // namespace

QString dToOddsRatioCaution()
{
    return QStringLiteral("Caution: \n"
                          "In order to use this method to convert effect sizes to odds ratios and combine them in a "
                          "meta-analysis (or to directly compare two or more odds ratios) we are assuming that we "
                          "are dealing with continuous data and that the underlying standard deviation is the same "
                          "in both (or all) studies. Furthermore, this method is only reasonable in a meta-analysis "
                          "when the the range of proportions computed is between 0.03 and 0.97.\n")
        + QString::fromLatin1(Reference) + QLatin1Char('\n');
}

QString oddsRatioToDCaution()
{
    return QStringLiteral("Caution: \n"
                          "In order to use this method to convert odds ratios to effect sizes and combine them in a "
                          "meta-analysis (or to directly compare two or more effect sizes) we are \n"
                          "assuming that we are dealing with continuous data and that the underlying standard "
                          "deviation is the same in both (or all) studies. Furthermore, this method is \n"
                          "only reasonable in a meta-analysis when the the range of proportions computed is between "
                          "0.03 and 0.97.\n")
        + QString::fromLatin1(Reference) + QLatin1Char('\n');
}

double logisticScale() { return 4 * std::atan(1.0) / std::sqrt(3.0); }

Outcome dToOddsRatio(const OddsInputs& in)
{
    Outcome out = emptied(kDtoORClearedBoxes, 6);
    if (in.value.isEmpty()) {
        out.message = QString::fromLatin1(oddsmsg::EnterD);
        return out;
    }
    try {
        const double d = platform::cdbl(in.value);
        const double k = logisticScale();
        const double logOR = ar::mul(d, k);
        const double odds = ar::exp(logOR);
        // An odds ratio that is 0 in double precision has no logarithm.
        const double shownLog = ar::log(odds);
        out.set(QStringLiteral("txtD"), platform::roundText(odds, 5));
        out.set(QStringLiteral("txtLogOR"), platform::roundText(shownLog, 5));

        QList<WorkLine> lines{
            {QString::fromLatin1(NED), k, 8},
            {QStringLiteral("Log Odds Ratio (interpreted from ") + citedAuthor() + QStringLiteral(", 2000) = "),
             logOR, 10},
        };
        const QList<WorkLine> oddsLines{
            {QStringLiteral("Antilog of (D * NED): "), odds, 10},
            {QStringLiteral("Approximate Odds Ratio = "), odds, 5},
        };
        if (!in.limits) {
            out.set(QStringLiteral("txtWorking"), working(lines + oddsLines, QStringLiteral("\n\n"), true));
            return out;
        }
        if (in.lower.isEmpty() || in.upper.isEmpty()) {
            out.message = QString::fromLatin1(oddsmsg::EnterLimits);
            return out;
        }
        const double L = platform::cdbl(in.lower);
        const double U = platform::cdbl(in.upper);
        const double logL = ar::mul(L, k), logU = ar::mul(U, k);
        const double oddsL = ar::exp(logL), oddsU = ar::exp(logU);
        out.set(QStringLiteral("txtDMinus95"), platform::roundText(oddsL, 2));
        out.set(QStringLiteral("txtDPlus95"), platform::roundText(oddsU, 2));
        out.set(QStringLiteral("txtLogORMinus"), platform::roundText(logL, 2));
        out.set(QStringLiteral("txtLogORPlus"), platform::roundText(logU, 2));
        lines << WorkLine{QStringLiteral("Log of the lower bound odds ratio confidence interval: "), logL, 5}
              << WorkLine{QStringLiteral("Log of the upper bound odds ratio confidence interval: "), logU, 5};
        lines += oddsLines;
        lines << WorkLine{QStringLiteral("Lower bound confidence interval: "), oddsL, 5}
              << WorkLine{QStringLiteral("Upper bound confidence interval: "), oddsU, 5};
        out.set(QStringLiteral("txtWorking"), working(lines, QStringLiteral("\n\n"), true));
    } catch (const platform::RuntimeError& e) {
        out.message = calckit::errorMessage(e);
    }
    return out;
}

Outcome oddsRatioToD(const OddsInputs& in)
{
    Outcome out = emptied(kORtoDClearedBoxes, 3);
    if (in.value.isEmpty()) {
        out.message = QString::fromLatin1(oddsmsg::EnterOR);
        return out;
    }
    try {
        const double odds = platform::cdbl(in.value);
        if (odds < 0.000001) {
            out.message = QString::fromLatin1(oddsmsg::TooSmall);
            return out;
        }
        const double logOR = ar::log(odds);
        const double k = logisticScale();
        const double d = ar::div(logOR, k);
        out.set(QStringLiteral("txtD"), platform::roundText(d, 5));

        QList<WorkLine> lines{
            {QStringLiteral("Log odds ratio = "), logOR, 5},
            {QString::fromLatin1(NED), k, 8},
            {QStringLiteral("Log odds ratio divided by NED (") + citedAuthor() + QStringLiteral(", 2000) = "), d, 10},
            {QStringLiteral("Approximate Logit d = "), d, 5},
        };
        if (!in.limits) {
            out.set(QStringLiteral("txtWorking"), working(lines, QStringLiteral("\n"), false));
            return out;
        }
        if (in.lower.isEmpty() || in.upper.isEmpty()) {
            out.message = QString::fromLatin1(oddsmsg::EnterLimits);
            return out;
        }
        const double L = platform::cdbl(in.lower);
        const double U = platform::cdbl(in.upper);
        const double logL = ar::log(L), logU = ar::log(U);
        const double se = std::fabs(ar::div(ar::sub(logL, logU), 3.92));
        const double seD = ar::div(se, k);
        const double lower = ar::sub(d, ar::mul(1.96, seD));
        const double upper = ar::add(d, ar::mul(1.96, seD));
        out.set(QStringLiteral("txtDMinus95"), platform::roundText(lower, 2));
        out.set(QStringLiteral("txtDPlus95"), platform::roundText(upper, 2));
        lines << WorkLine{QStringLiteral("Log of the lower bound odds ratio confidence interval: "), logL, 5}
              << WorkLine{QStringLiteral("Log of the upper bound odds ratio confidence interval: "), logU, 5}
              << WorkLine{QStringLiteral("Standard error of the log of the odds ratio: "), se, 5}
              << WorkLine{QStringLiteral("Standard error to apply to d to create confidence intervals: "), seD, 5}
              << WorkLine{QStringLiteral("Lower bound confidence interval: "), lower, 5}
              << WorkLine{QStringLiteral("Upper bound confidence interval: "), upper, 5};
        out.set(QStringLiteral("txtWorking"), working(lines, QStringLiteral("\n"), true));
    } catch (const platform::RuntimeError& e) {
        out.message = calckit::errorMessage(e);
    }
    return out;
}

} // namespace calculators
