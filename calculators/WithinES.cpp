#include "calculators/WithinES.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

namespace calculators {

namespace withinmsg {
const char* const EnterRTN = "You must enter data for R, T and N (at least).";
const char* const CorrelationRange = "Correlation must be less than one and greater than zero.";
} // namespace withinmsg

namespace ar = platform::arith;

const QStringList& withinResultBoxes()
{
    static const QStringList boxes = {
        QStringLiteral("txtD"),       QStringLiteral("txtMinus95"),       QStringLiteral("txtPlus95"),
        QStringLiteral("txtDWithin"), QStringLiteral("txtWithinMinus95"), QStringLiteral("txtWithinPlus95"),
    };
    return boxes;
}

Outcome withinEffectSize(const WithinESInput& in)
{
    Outcome out;
    for (const QString& b : withinResultBoxes())
        out.set(b, QString());
    if (in.r.trimmed().isEmpty() || in.t.trimmed().isEmpty() || in.n.trimmed().isEmpty()) {
        out.message = QString::fromLatin1(withinmsg::EnterRTN);
        return out;
    }
    try {
        const double r = platform::cdbl(in.r);
        const double t = platform::cdbl(in.t);
        const double n = platform::cint(platform::cdbl(in.n));
        const bool haveSDs = !in.sd1.trimmed().isEmpty() && !in.sd2.trimmed().isEmpty();
        double s1 = 0, s2 = 0;
        if (!in.sd1.trimmed().isEmpty())
            s1 = platform::cdbl(in.sd1);
        if (!in.sd2.trimmed().isEmpty())
            s2 = platform::cdbl(in.sd2);
        if (!(r > 0 && r < 1)) {
            out.message = QString::fromLatin1(withinmsg::CorrelationRange);
            return out;
        }
        const double d = ar::mul(ar::sqrt(ar::div(ar::mul(2, ar::sub(1, r)), n)), t);
        const QString dText = platform::roundText(d, 5);
        out.set(QStringLiteral("txtD"), dText);
        out.set(QStringLiteral("txtDWithin"), dText);
        if (!in.intervals)
            return out;

        const double sigma = ar::sqrt(ar::add(ar::div(ar::mul(d, d), ar::mul(4, n)), ar::div(ar::add(n, n), ar::mul(n, n))));
        out.set(QStringLiteral("txtMinus95"), platform::roundText(ar::sub(d, ar::mul(1.96, sigma)), 2));
        out.set(QStringLiteral("txtPlus95"), platform::roundText(ar::add(d, ar::mul(1.96, sigma)), 2));
        if (!haveSDs)
            return out;

        // The variance of the differences, s1² + s2² - 2 r s1 s2, over the sum
        // of the two variances: a ratio free of the scale of measurement.
        const double c = platform::StatDistributions::instance().TInverse(0.05, ar::sub(n, 1), 2);
        const double sumSquares = ar::add(ar::mul(s1, s1), ar::mul(s2, s2));
        const double differences = ar::sub(sumSquares, ar::mul(ar::mul(2, r), ar::mul(s1, s2)));
        const double h = ar::mul(c, ar::sqrt(ar::div(ar::mul(2, differences), ar::mul(n, sumSquares))));
        out.set(QStringLiteral("txtWithinMinus95"), platform::roundText(ar::sub(d, h), 2));
        out.set(QStringLiteral("txtWithinPlus95"), platform::roundText(ar::add(d, h), 2));
        return out;
    } catch (const platform::RuntimeError& e) {
        out.message = calckit::errorMessage(e);
        return out;
    }
}

} // namespace calculators
