#include "calculators/CounterNull.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace calculators {

namespace counternullmsg {
const char* const EnterBoth = "The effect size and null statistic text boxes must not be empty. Please enter some "
                              "values in both of these two boxes.";
const char* const CorrelationRange = "A Pearson Correlation must be less than .999 or greater than -.999.";
} // namespace counternullmsg

namespace ar = platform::arith;

QString counterNullWorkingStart() { return QStringLiteral("Working ..."); }

Outcome counterNull(bool correlation, const QString& effectSize, const QString& nullValue)
{
    Outcome out;
    out.set(QStringLiteral("txtCounterNull"), QString());
    out.set(QStringLiteral("txtWorking"), counterNullWorkingStart());
    if (effectSize.trimmed().isEmpty() || nullValue.trimmed().isEmpty()) {
        out.message = QString::fromLatin1(counternullmsg::EnterBoth);
        return out;
    }
    try {
        const double es = platform::cdbl(effectSize);
        const double n0 = platform::cdbl(nullValue);
        if (!correlation) {
            out.set(QStringLiteral("txtCounterNull"), platform::numText(ar::sub(ar::mul(2, es), n0)));
            return out;
        }
        if (std::fabs(es) > 0.999 || std::fabs(n0) > 0.999) {
            out.message = QString::fromLatin1(counternullmsg::CorrelationRange);
            return out;
        }
        const auto& f = platform::StatFunctions::instance();
        const double zES = f.FisherZ(es);
        const double zN0 = f.FisherZ(n0);
        const double zC = ar::sub(ar::mul(2, zES), zN0);
        const double rC = f.FisherZInverse(zC);
        out.set(QStringLiteral("txtCounterNull"), platform::roundText(rC, 5));
        out.set(QStringLiteral("txtWorking"),
                counterNullWorkingStart() + QStringLiteral("\n\nFisher Zr equivalent of Effect Size= ")
                    + platform::roundText(zES, 5) + QStringLiteral("\nFisher Zr equivalent of Null Value = ")
                    + platform::roundText(zN0, 5) + QStringLiteral("\nFisher Counternull Equivalent = ")
                    + platform::roundText(zC, 5) + QStringLiteral("\nDerived Counternull Statistic: ")
                    + platform::numText(rC) + QLatin1Char('\n'));
        return out;
    } catch (const platform::RuntimeError& e) {
        out.message = calckit::errorMessage(e);
        return out;
    }
}

} // namespace calculators
