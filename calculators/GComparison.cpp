#include "calculators/GComparison.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace calculators {

using calckit::errorMessage;

namespace gdiffmsg {
const char* const EnterAll = "You must enter data in all white boxes.";
const char* const NoWeight =
    "The difference cannot be tested with these numbers: each study needs two groups with at least one subject "
    "each and more than two subjects in all.";
} // namespace gdiffmsg

namespace {

namespace ar = platform::arith;

struct Weight {
    double numerator, denominator, w;
};

// Reciprocal of the variance of a study's g, through its t.
// Its quotient is left unchecked: the caller refuses a weight that is not a
// positive number.
Weight weightOf(double n1, double n2, double t)
{
    const double n = ar::add(n1, n2);
    const double numerator = ar::mul(ar::mul(ar::mul(n1, n2), 2), ar::sub(n, 2));
    const double denominator = ar::mul(ar::add(ar::mul(t, t), ar::mul(2, ar::sub(n, 2))), n);
    return {numerator, denominator, numerator / denominator};
}

Outcome noAnswer(const QString& message)
{
    Outcome out;
    out.set(QStringLiteral("txt1PZ"), QStringLiteral("?"));
    out.set(QStringLiteral("txt2PZ"), QStringLiteral("?"));
    out.set(QStringLiteral("txtWorking"), QString());
    out.message = message;
    return out;
}

QString weightLine(const char* lead, const Weight& w)
{
    return QString::fromLatin1(lead) + platform::numText(w.numerator) + QStringLiteral(" / ")
        + platform::numText(w.denominator) + QStringLiteral(" = ") + platform::numText(w.w) + QLatin1Char('\n');
}

} // namespace

Outcome compareTwoGs(const GStudy& a, const GStudy& b)
{
    for (const QString* s : {&a.g, &a.n1, &a.n2, &a.t, &b.g, &b.n1, &b.n2, &b.t})
        if (s->trimmed().isEmpty())
            return noAnswer(QString::fromLatin1(gdiffmsg::EnterAll));
    try {
        const double nA1 = platform::cdbl(a.n1), nA2 = platform::cdbl(a.n2);
        const double tA = platform::cdbl(a.t), gA = platform::cdbl(a.g);
        const double nB1 = platform::cdbl(b.n1), nB2 = platform::cdbl(b.n2);
        const double tB = platform::cdbl(b.t), gB = platform::cdbl(b.g);
        const Weight wa = weightOf(nA1, nA2, tA);
        const Weight wb = weightOf(nB1, nB2, tB);
        // A weight must be a positive number: a study with an empty group or
        // with two subjects in all has none, and a negative one (group sizes
        // below 0 typed past the filter) is no variance.
        if (!(wa.w > 0) || !(wb.w > 0) || !std::isfinite(wa.w) || !std::isfinite(wb.w))
            return noAnswer(QString::fromLatin1(gdiffmsg::NoWeight));
        const double z = ar::div(ar::sub(gA, gB),
                                 platform::StatMath::instance().SquareRoot(ar::add(ar::div(1, wb.w), ar::div(1, wa.w))));
        const double P = platform::StatDistributions::instance().NormalCumulative(std::fabs(z), 0, 1);
        Outcome out;
        const QString p1 = platform::roundText(1 - P, 8);
        const QString p2 = platform::roundText(2 * (1 - P), 8);
        out.set(QStringLiteral("txt1PZ"), p1);
        out.set(QStringLiteral("txt2PZ"), p2);
        out.set(QStringLiteral("txtWorking"), weightLine("Wa = ", wa) + weightLine("Wb = ", wb)
                                                  + QStringLiteral("z statistic = ") + platform::numText(z)
                                                  + QLatin1Char('\n') + QStringLiteral("2 sided p = ") + p2
                                                  + QLatin1Char('\n') + QStringLiteral("1 sided p = ") + p1
                                                  + QLatin1Char('\n'));
        return out;
    } catch (const platform::RuntimeError& e) {
        return noAnswer(errorMessage(e));
    }
}

} // namespace calculators
