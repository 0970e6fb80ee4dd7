#include "meandiff/EffectSize.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace meandiff {

namespace A = platform::arith;
using platform::cdbl;
using platform::roundText;

namespace {

const QString WeightedAverage = QStringLiteral("Weighted Average");
const QString Pooled = QStringLiteral("Pooled (Adjusted By n)");
const QString Group1 = QStringLiteral("Group / Time 1");
const QString Group2 = QStringLiteral("Group / Time 2");

// Whole-number arithmetic of 16-bit signed integers.
std::int16_t add16(int a, int b)
{
    const int r = a + b;
    if (r < -32768 || r > 32767)
        throw platform::errOverflow();
    return static_cast<std::int16_t>(r);
}

double square(double x) { return A::mul(x, x); }

QString round5(double v) { return roundText(v, 5); }

} // namespace

const std::array<const char*, 8> SampleSizeBoxes = {"txtP1", "txtP2", "txtP3", "txtP4",
                                                     "txtP5", "TxtP6", "txtP7", "txtP8"};
const std::array<double, 8> SampleSizeConstants = {15.702, 23.3655, 20.9952, 29.7375, 12.37, 20.073, 17.11, 26.007};

QStringList standardDeviationChoices() { return {WeightedAverage, Pooled, Group1, Group2}; }

std::array<std::int32_t, 8> sampleSizes(double d)
{
    const double d2 = square(d);
    std::array<std::int32_t, 8> out{};
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = platform::clng(A::add(A::div(SampleSizeConstants[i], d2), 0.5));
    return out;
}

QStringList effectSizeResultBoxes()
{
    QStringList out = {
        QStringLiteral("TxtUsedSD"),       QStringLiteral("TxtTarvoss"),      QStringLiteral("TxtHedges"),
        QStringLiteral("txtHedgesG"),      QStringLiteral("TxtHedgesS1"),     QStringLiteral("TxtESNeg95"),
        QStringLiteral("TxtESPlus95"),     QStringLiteral("TxtHedgesNeg95"),  QStringLiteral("TxtHedgesPlus95"),
        QStringLiteral("TxtHedgesGNeg95"), QStringLiteral("TxtHedgesGPlus95"), QStringLiteral("txtNegPlus"),
        QStringLiteral("TxtTotalN"),       QStringLiteral("TxtMeanDiff"),     QStringLiteral("TxtSED"),
        QStringLiteral("TxtTSD"),          QStringLiteral("txtDF"),           QStringLiteral("txtT"),
        QStringLiteral("txtZStat"),        QStringLiteral("txt2PT"),          QStringLiteral("txt1PT"),
        QStringLiteral("txt2PZ"),          QStringLiteral("txt1PZ"),          QStringLiteral("txtD"),
    };
    for (const char* b : SampleSizeBoxes)
        out << QString::fromLatin1(b);
    return out;
}

QString runEffectSize(const EffectSizeInput& in, ResultWriter& out)
{
    namespace T = EffectSizeText;

    // Every run starts from empty result boxes.
    for (const QString& box : effectSizeResultBoxes())
        out.write(box, QString());

    if (in.mean1.isEmpty() || in.mean2.isEmpty() || in.sd1.isEmpty() || in.sd2.isEmpty())
        return T::NoData;

    const double m1 = cdbl(in.mean1);
    const double m2 = cdbl(in.mean2);
    const double diff = A::sub(m1, m2);
    if (diff == 0.0)
        return T::EqualMeans;

    out.selectFirstTab();

    const double sd1 = cdbl(in.sd1);
    const double sd2 = cdbl(in.sd2);
    const double var1 = square(sd1);
    const double var2 = square(sd2);

    // The standard deviation that divides the mean difference.
    double s = 0;
    const auto& stat = platform::StatMath::instance();
    if (in.sdChoice == WeightedAverage) {
        s = stat.SquareRoot(A::div(A::add(var1, var2), 2.0));
    } else if (in.sdChoice == Pooled) {
        if (in.n1.isEmpty() || in.n2.isEmpty())
            return T::PooledNeedsSizes;
        const std::int16_t r1 = platform::cint(cdbl(in.n1));
        const std::int16_t r2 = platform::cint(cdbl(in.n2));
        const std::int16_t a = add16(r1, -1);
        const std::int16_t b = add16(r2, -1);
        const std::int16_t df = add16(add16(r1, r2), -2);
        s = stat.SquareRoot(A::div(A::add(A::mul(a, var1), A::mul(b, var2)), df));
    } else if (in.sdChoice == Group1) {
        s = sd1;
    } else if (in.sdChoice == Group2) {
        s = sd2;
    } else {
        s = platform::val(in.sdChoice);
    }
    if (s == 0.0)
        return T::ZeroSD;

    frame::ConfidenceLevel level;
    if (!frame::confidenceLevel(in.level, level))
        return T::BadLevel;
    out.setLevelCaptions(level);
    const double z = level.z;

    out.write(QStringLiteral("TxtUsedSD"), round5(s));

    const double d = A::div(diff, s);
    const QString dText = round5(d);
    out.write(QStringLiteral("TxtTarvoss"), dText);
    out.write(QStringLiteral("txtD"), dText);

    // Sample sizes from d as displayed.
    const double dShown = cdbl(dText);
    if (square(dShown) < 0.00001)
        return T::TooSmall;
    const auto sizes = sampleSizes(dShown);
    for (size_t i = 0; i < sizes.size(); ++i)
        out.write(QString::fromLatin1(SampleSizeBoxes[i]), QString::number(sizes[i]));

    const bool negative = platform::roundHalfEven(d, 5) < 0.0;
    out.setSignSentence(negative, negative ? T::Negative : T::Positive);

    if (in.n1.isEmpty() || in.n2.isEmpty())
        return QString();

    const double n1 = cdbl(in.n1);
    const double n2 = cdbl(in.n2);
    if (!(n1 > 1.0) || !(n2 > 1.0))
        return T::SampleBelow2;

    // The total N is held in single precision; what derives from it uses
    // that value.
    const float totalN = platform::csng(A::add(n1, n2));
    const double N = totalN;
    out.write(QStringLiteral("TxtTotalN"), platform::numTextSingle(totalN));
    const QString dfText = platform::numTextSingle(platform::csng(A::sub(N, 2.0)));
    out.write(QStringLiteral("txtDF"), dfText);

    const double twoN = A::mul(2.0, N);
    const double nTerm = A::div(N, A::mul(n1, n2));

    const double seD = A::sqrt(A::add(A::div(square(d), twoN), nTerm));
    out.write(QStringLiteral("TxtESNeg95"), round5(A::sub(d, A::mul(z, seD))));
    out.write(QStringLiteral("TxtESPlus95"), round5(A::add(d, A::mul(z, seD))));

    const double J = A::sub(1.0, A::div(3.0, A::sub(A::mul(4.0, N), 9.0)));
    const double dJ = A::mul(d, J);
    out.write(QStringLiteral("TxtHedges"), round5(dJ));

    const double ss = A::add(A::mul(A::sub(n1, 1.0), var1), A::mul(A::sub(n2, 1.0), var2));
    const double nMinus2 = A::sub(N, 2.0);
    const double sStar = A::sqrt(A::div(ss, nMinus2));
    out.write(QStringLiteral("TxtHedgesS1"), round5(sStar));

    // Hedges' g is held in single precision.
    const float g = platform::csng(A::mul(A::div(diff, sStar), J));
    out.write(QStringLiteral("txtHedgesG"),
              platform::numTextSingle(platform::csng(platform::roundHalfEven(g, 5))));

    out.write(QStringLiteral("TxtMeanDiff"), platform::numText(diff));

    const double se = A::sqrt(A::div(A::mul(A::add(A::div(1.0, n1), A::div(1.0, n2)), ss), nMinus2));
    out.write(QStringLiteral("TxtSED"), round5(se));
    out.write(QStringLiteral("TxtTSD"), round5(sStar));

    const double t = A::div(diff, se);
    out.write(QStringLiteral("txtT"), round5(t));

    const double pt = platform::StatDistributions::instance().TTailProbability(t, dfText, 2);
    out.write(QStringLiteral("txt2PT"), round5(pt));
    out.write(QStringLiteral("txt1PT"), round5(A::div(pt, 2.0)));

    const double zs = A::div(diff, A::sqrt(A::add(A::div(var1, n1), A::div(var2, n2))));
    out.write(QStringLiteral("txtZStat"), round5(zs));

    const double P = platform::StatDistributions::instance().NormalCumulative(std::fabs(zs), 0.0, 1.0);
    out.write(QStringLiteral("txt2PZ"), round5(A::mul(2.0, A::sub(1.0, P))));
    out.write(QStringLiteral("txt1PZ"), round5(A::sub(1.0, P)));

    const double seDJ = A::sqrt(A::add(A::div(square(dJ), twoN), nTerm));
    out.write(QStringLiteral("TxtHedgesNeg95"), round5(A::sub(dJ, A::mul(z, seDJ))));
    out.write(QStringLiteral("TxtHedgesPlus95"), round5(A::add(dJ, A::mul(z, seDJ))));

    const double gd = g;
    const double seG = A::sqrt(A::add(A::div(square(gd), twoN), nTerm));
    out.write(QStringLiteral("TxtHedgesGNeg95"), round5(A::sub(gd, A::mul(z, seG))));
    out.write(QStringLiteral("TxtHedgesGPlus95"), round5(A::add(gd, A::mul(z, seG))));
    return QString();
}

QString runSampleSize(const QString& expectedEffect, ResultWriter& out)
{
    for (const char* b : SampleSizeBoxes)
        out.write(QString::fromLatin1(b), QString());
    if (expectedEffect.isEmpty())
        return EffectSizeText::NoExpectedES;
    const double d = cdbl(expectedEffect);
    // A d whose square overflows is a failure, not a small effect.
    square(d);
    std::array<std::int32_t, 8> sizes{};
    try {
        sizes = sampleSizes(d);
    } catch (const platform::RuntimeError&) {
        return EffectSizeText::TooSmall;
    }
    for (size_t i = 0; i < sizes.size(); ++i)
        out.write(QString::fromLatin1(SampleSizeBoxes[i]), QString::number(sizes[i]));
    return QString();
}

} // namespace meandiff
