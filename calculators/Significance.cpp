#include "calculators/Significance.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>
#include <functional>

namespace calculators {

using calckit::errorMessage;

namespace sigmsg {
const char* const EnterT = "You must enter the t-test statistic and degrees of freedom in the boxes provided.";
const char* const EnterZ = "You must enter a z statistic in the box provided.";
const char* const EnterR = "You must enter the coefficient and the sample size in the boxes provided.";
const char* const RBelowOne = "Correlation coefficient must be less than 1.";
const char* const EnterChi =
    "You must enter the chi square value and the degrees of freedom in the boxes provided.";
} // namespace sigmsg

namespace {

namespace ar = platform::arith;

// A row's answer: its message and "?" in both p boxes.
Outcome refused(const QString& row, const QString& message)
{
    Outcome out;
    out.message = message;
    out.set(QStringLiteral("txt2P") + row, QStringLiteral("?"));
    out.set(QStringLiteral("txt1P") + row, QStringLiteral("?"));
    return out;
}

// Runs a row's computation; a run-time error (a text that is no number, a
// square root of a negative number, degrees of freedom of 0 or below) ends it
// like a refused input, keeping what was written before it.
Outcome runRow(const QString& row, const std::function<void(Outcome&)>& body)
{
    Outcome out;
    try {
        body(out);
    } catch (const platform::RuntimeError& e) {
        Outcome failed = refused(row, errorMessage(e));
        failed.writes = out.writes + failed.writes;
        return failed;
    }
    return out;
}

void setPair(Outcome& out, const QString& row, double twoTailed, double oneTailed)
{
    out.set(QStringLiteral("txt2P") + row, platform::roundText(twoTailed, 5));
    out.set(QStringLiteral("txt1P") + row, platform::roundText(oneTailed, 5));
}

} // namespace

Outcome significanceOfT(const QString& tText, const QString& dfText)
{
    const QString row = QStringLiteral("T");
    if (tText.isEmpty() || dfText.isEmpty())
        return refused(row, QString::fromLatin1(sigmsg::EnterT));
    return runRow(row, [&](Outcome& out) {
        const double t = platform::cdbl(tText);
        const double df = platform::cdbl(dfText);
        out.set(QStringLiteral("txtWorking"), QString());
        const double p = platform::StatDistributions::instance().TTailProbability(t, df, 2);
        setPair(out, row, p, p / 2);
    });
}

Outcome significanceOfZ(const QString& zText)
{
    const QString row = QStringLiteral("Z");
    if (zText.isEmpty())
        return refused(row, QString::fromLatin1(sigmsg::EnterZ));
    return runRow(row, [&](Outcome& out) {
        const double z = platform::cdbl(zText);
        out.set(QStringLiteral("txtWorking"), QString());
        const double P = platform::StatDistributions::instance().NormalCumulative(std::fabs(z), 0, 1);
        setPair(out, row, 2 * (1 - P), 1 - P);
    });
}

Outcome significanceOfR(const QString& rText, const QString& nText)
{
    const QString row = QStringLiteral("R");
    if (rText.isEmpty() || nText.isEmpty())
        return refused(row, QString::fromLatin1(sigmsg::EnterR));
    bool tooLarge = false;
    Outcome out = runRow(row, [&](Outcome& o) {
        const double r = platform::cdbl(rText);
        const double n = platform::cdbl(nText);
        const double df = ar::sub(n, 2);
        if (r > 0.999999999) {
            tooLarge = true;
            return;
        }
        const double t = ar::mul(r, ar::sqrt(ar::div(df, ar::sub(1, ar::mul(r, r)))));
        o.set(QStringLiteral("txtWorking"), QStringLiteral("t value = ") + platform::numText(t) + QLatin1Char('\n')
                                                + QStringLiteral("Degrees of Freedom = ") + platform::numText(df)
                                                + QStringLiteral(".\n"));
        const double p = platform::StatDistributions::instance().TTailProbability(t, df, 2);
        setPair(o, row, p, p / 2);
    });
    return tooLarge ? refused(row, QString::fromLatin1(sigmsg::RBelowOne)) : out;
}

Outcome significanceOfChi(const QString& chiText, const QString& dfText)
{
    const QString row = QStringLiteral("Chi");
    if (chiText.isEmpty() || dfText.isEmpty())
        return refused(row, QString::fromLatin1(sigmsg::EnterChi));
    return runRow(row, [&](Outcome& out) {
        const double x = platform::cdbl(chiText);
        const double df = platform::cdbl(dfText);
        out.set(QStringLiteral("txtWorking"), QString());
        const double C = platform::StatDistributions::instance().ChiSquareCumulative(std::fabs(x), df);
        setPair(out, row, 1 - C, (1 - C) / 2);
    });
}

} // namespace calculators
