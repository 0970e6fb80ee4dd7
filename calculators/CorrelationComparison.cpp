#include "calculators/CorrelationComparison.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace calculators {

using calckit::errorMessage;

namespace rdiffmsg {
const char* const EnterAll = "You must enter data in all white boxes.";
const char* const CorrelationRange = "Correlations must be less than 1 and greater than -1.";
const char* const ThreeSubjectsEach = "You must have more than three subjects per sample.";
const char* const ThreeSubjects = "You must have more than three subjects in your sample.";
} // namespace rdiffmsg

namespace {

namespace ar = platform::arith;

bool outOfRange(double r) { return r >= 1 || r <= -1; }

// Fisher's z: ln((1 + r) / (1 - r)) / 2.
double fisherZ(double r) { return ar::div(ar::log(ar::div(ar::add(1, r), ar::sub(1, r))), 2); }

void clear(Outcome& out, std::initializer_list<const char*> boxes)
{
    for (const char* b : boxes)
        out.set(QString::fromLatin1(b), QString());
}

} // namespace

Outcome compareIndependentRs(const QString& r1Text, const QString& n1Text, const QString& r2Text,
                             const QString& n2Text)
{
    Outcome out;
    clear(out, {"txtZ1", "txtZ2", "txtZD", "txtSEdr", "txtDF", "txt2PT", "txt1PT"});
    if (r1Text.isEmpty() || r2Text.isEmpty() || n1Text.isEmpty() || n2Text.isEmpty()) {
        out.message = QString::fromLatin1(rdiffmsg::EnterAll);
        return out;
    }
    try {
        const double r1 = platform::cdbl(r1Text);
        if (outOfRange(r1)) {
            out.message = QString::fromLatin1(rdiffmsg::CorrelationRange);
            return out;
        }
        const double r2 = platform::cdbl(r2Text);
        if (outOfRange(r2)) {
            out.message = QString::fromLatin1(rdiffmsg::CorrelationRange);
            return out;
        }
        const double n1 = platform::cdbl(n1Text);
        const double n2 = platform::cdbl(n2Text);
        if (n1 <= 3 || n2 <= 3) {
            out.message = QString::fromLatin1(rdiffmsg::ThreeSubjectsEach);
            return out;
        }
        const double z1 = fisherZ(r1);
        const double z2 = fisherZ(r2);
        out.set(QStringLiteral("txtZ1"), platform::roundText(z1, 8));
        out.set(QStringLiteral("txtZ2"), platform::roundText(z2, 8));
        const double se = ar::sqrt(ar::add(ar::div(1, ar::sub(n1, 3)), ar::div(1, ar::sub(n2, 3))));
        out.set(QStringLiteral("txtSEdr"), platform::roundText(se, 8));
        const double zd = ar::div(ar::sub(z1, z2), se);
        out.set(QStringLiteral("txtZD"), platform::roundText(zd, 8));
        const auto& dist = platform::StatDistributions::instance();
        const double P = dist.NormalCumulative(std::fabs(zd), 0, 1);
        const double df = ar::add(ar::sub(n1, 3), ar::sub(n2, 3));
        out.set(QStringLiteral("txt1PZ"), platform::roundText(1 - P, 8));
        out.set(QStringLiteral("txt2PZ"), platform::roundText(2 * (1 - P), 8));
        out.set(QStringLiteral("txtDF"), platform::numText(df));
        const double p2 = dist.TTailProbability(zd, df, 2);
        out.set(QStringLiteral("txt2PT"), platform::roundText(p2, 8));
        out.set(QStringLiteral("txt1PT"), platform::roundText(p2 / 2, 8));
    } catch (const platform::RuntimeError& e) {
        out.message = errorMessage(e);
    }
    return out;
}

Outcome compareDependentRs(const QString& rxyText, const QString& rvyText, const QString& rxvText,
                           const QString& nText)
{
    Outcome out;
    clear(out, {"txtTValue", "txtRValue", "txtDF", "txt1PT", "txt2PT"});
    if (rxyText.isEmpty() || rvyText.isEmpty() || rxvText.isEmpty() || nText.isEmpty()) {
        out.message = QString::fromLatin1(rdiffmsg::EnterAll);
        return out;
    }
    try {
        const double rxy = platform::cdbl(rxyText);
        const double rvy = platform::cdbl(rvyText);
        const double rxv = platform::cdbl(rxvText);
        if (outOfRange(rxy) || outOfRange(rvy) || outOfRange(rxv)) {
            out.message = QString::fromLatin1(rdiffmsg::CorrelationRange);
            return out;
        }
        const double n = platform::cdbl(nText);
        if (n <= 3) {
            out.message = QString::fromLatin1(rdiffmsg::ThreeSubjects);
            return out;
        }
        // Determinant of the correlation matrix of x, y and v.
        const double D = ar::add(ar::sub(ar::sub(ar::sub(1, ar::mul(rxy, rxy)), ar::mul(rvy, rvy)), ar::mul(rxv, rxv)),
                                 ar::mul(ar::mul(ar::mul(2, rxy), rxv), rvy));
        // Williams' t.
        const double nm1 = ar::sub(n, 1);
        const double half = ar::div(ar::add(rxy, rvy), 2);
        const double oneMinus = ar::sub(1, rxv);
        const double t = ar::div(ar::mul(ar::sub(rxy, rvy), ar::sqrt(ar::mul(nm1, ar::add(1, rxv)))),
                                 ar::sqrt(ar::add(ar::mul(ar::div(ar::mul(2, nm1), ar::sub(n, 3)), D),
                                                  ar::mul(ar::mul(half, half), ar::pow(oneMinus, 3)))));
        out.set(QStringLiteral("txtRValue"), platform::roundText(D, 5));
        out.set(QStringLiteral("txtTValue"), platform::roundText(t, 5));
        // A whole number of degrees of freedom; 32 bits, so that samples of
        // any realistic size are computed.
        const double df = platform::clng(ar::sub(n, 3));
        out.set(QStringLiteral("txtDF"), platform::numText(df));
        const double p2 = platform::StatDistributions::instance().TTailProbability(t, df, 2);
        out.set(QStringLiteral("txt2PT"), platform::roundText(p2, 8));
        out.set(QStringLiteral("txt1PT"), platform::roundText(p2 / 2, 8));
    } catch (const platform::RuntimeError& e) {
        out.message = errorMessage(e);
    }
    return out;
}

} // namespace calculators
