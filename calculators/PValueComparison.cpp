#include "calculators/PValueComparison.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace calculators {

using calckit::errorMessage;

namespace zdiffmsg {
const char* const EnterP = "You must enter one tailed P values for both studies - more than 0 and less than 0.5.";
}

namespace {
const char* const ResultBoxes[] = {"txtZ1", "txtZ2", "txtAnswerZ", "txt1PZ", "txt2PZ"};
}

Outcome compareTwoPValues(const QString& p1Text, const QString& p2Text, bool negativeDirection)
{
    namespace ar = platform::arith;
    Outcome out;
    for (const char* box : ResultBoxes)
        out.set(QString::fromLatin1(box), QString());
    double p1 = 0, p2 = 0;
    // A text that is no number is refused like a p out of range.
    if (p1Text.isEmpty() || p2Text.isEmpty() || !platform::tryCdbl(p1Text, p1) || !platform::tryCdbl(p2Text, p2)
        || p1 <= 0 || p1 > 0.5 || p2 <= 0 || p2 > 0.5) {
        out.message = QString::fromLatin1(zdiffmsg::EnterP);
        return out;
    }
    try {
        const auto& dist = platform::StatDistributions::instance();
        // Unticked, the larger p goes first, so the difference is never negative.
        const bool swap = !negativeDirection && p1 < p2;
        const double first = swap ? p2 : p1;
        const double second = swap ? p1 : p2;
        const double zFirst = dist.NormalInverse(first, 0, 1);
        const double zSecond = dist.NormalInverse(second, 0, 1);
        const double z1 = swap ? zSecond : zFirst;
        const double z2 = swap ? zFirst : zSecond;
        out.set(QStringLiteral("txtZ1"), platform::roundText(std::fabs(z1), 5));
        out.set(QStringLiteral("txtZ2"), platform::roundText(std::fabs(z2), 5));
        const double zDiff = negativeDirection
            ? ar::div(ar::add(std::fabs(zFirst), std::fabs(zSecond)), std::sqrt(2.0))
            : ar::div(ar::sub(zFirst, zSecond), std::sqrt(2.0));
        out.set(QStringLiteral("txtAnswerZ"), platform::roundText(zDiff, 5));
        const double p = 1.0 - dist.NormalCumulative(zDiff, 0, 1);
        out.set(QStringLiteral("txt1PZ"), platform::roundText(p, 5));
        out.set(QStringLiteral("txt2PZ"), platform::roundText(2.0 * p, 5));
    } catch (const platform::RuntimeError& e) {
        out.message = errorMessage(e);
    }
    return out;
}

} // namespace calculators
