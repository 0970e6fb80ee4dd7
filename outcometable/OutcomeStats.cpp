#include "outcometable/OutcomeStats.h"

#include "frame/ConfidenceLevel.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

namespace quellin {

namespace {

constexpr int Improved = 0, Same = 1, Worse = 2;

// Rounded half to even, or "---" for a value that is not a finite number
// (an undefined logarithm or square root of pasted negative counts).
QString rounded(double v, int places)
{
    return std::isfinite(v) ? platform::roundText(v, places) : OutcomeText::Dashes;
}

QString plain(double v) { return std::isfinite(v) ? platform::numText(v) : OutcomeText::Dashes; }

QString direction(double d)
{
    if (d > 0)
        return OutcomeText::TxIncrease;
    if (d < 0)
        return OutcomeText::TxDecrease;
    return OutcomeText::NoChange;
}

QString s(const char* name) { return QString::fromLatin1(name); }

// Boxes of one outcome row, in the order improved, no change, deteriorated.
const char* const EventTx[3] = {"EventTxImp", "EventTxSame", "EventTxWorse"};
const char* const EventCtrl[3] = {"EventCtrlImp", "EventCtrlSame", "EventCtrlWorse"};
const char* const RR[3] = {"RRImp", "RRSame", "RRWorse"};
const char* const RRMinus[3] = {"RRImpMinus", "RRSameMinus", "RRWorseMinus"};
const char* const RRPlus[3] = {"RRImpPlus", "RRSamePlus", "RRWorsePlus"};
const char* const RRI[3] = {"RRIImp", "RRISame", "RRIWorse"};
const char* const AR[3] = {"ARImp", "ARSame", "ARWorse"};
const char* const ARSign[3] = {"ARISign", "ARSSign", "ARWSign"};
const char* const ARMinus[3] = {"ARImpMinus", "ARSameMinus", "ARWorseMinus"};
const char* const ARPlus[3] = {"ARImpPlus", "ARSamePlus", "ARWorsePlus"};
const char* const EOTx[3] = {"EOTxImp", "EOTxSame", "EOTxWorse"};
const char* const EOCtrl[3] = {"EOCtrlImp", "EOCtrlSame", "EOCtrlWorse"};

// The chi-square p values of a statistic: two-tailed 1 - r, one-tailed half of it.
void writePValues(double chi, const QString& df, const char* twoTailed, const char* oneTailed, OutcomeWriter& out)
{
    if (!std::isfinite(chi)) {
        out.write(s(twoTailed), OutcomeText::Dashes);
        out.write(s(oneTailed), OutcomeText::Dashes);
        return;
    }
    const double r = platform::StatDistributions::instance().ChiSquareCumulative(chi, df);
    out.write(s(twoTailed), rounded(1.0 - r, 5));
    out.write(s(oneTailed), rounded((1.0 - r) / 2.0, 5));
}

// NNT or NNH with its limits; returns whether the limits lie on both sides of zero.
bool numberNeeded(bool defined, double D, double M, const char* box, const char* plus, const char* minus,
                  OutcomeWriter& out)
{
    if (!defined) {
        out.write(s(box), OutcomeText::Dashes);
        out.write(s(plus), OutcomeText::Dashes);
        out.write(s(minus), OutcomeText::Dashes);
        return false;
    }
    out.write(s(box), D != 0 ? rounded(1.0 / D, 5) : OutcomeText::Dashes);
    const double U = D - M, V = D + M;
    if (U != 0 && V != 0) {
        const double lu = 1.0 / U, lv = 1.0 / V;
        out.write(s(plus), rounded(lu, 4));
        out.write(s(minus), rounded(lv, 4));
        return (lu > 0 && lv < 0) || (lu < 0 && lv > 0);
    }
    out.write(s(plus), OutcomeText::Dashes);
    out.write(s(minus), OutcomeText::Dashes);
    return false;
}

} // namespace

const std::array<const char*, 6> CountBoxes = {"TxImp", "TxSame", "TxWorse", "CtrlImp", "CtrlSame", "CtrlWorse"};

const std::array<std::array<const char*, 3>, 3> OddsRatioBoxes = {{
    {"RORImp", "RORImpMinus", "RORImpPlus"},
    {"RORSame", "RORSameMinus", "RORSamePlus"},
    {"RORWorse", "RORWorseMinus", "RORWorsePlus"},
}};

QStringList resultBoxes()
{
    QStringList b = {s("TxN"), s("CtrlN"), s("txtImpN"), s("txtSameN"), s("txtWorseN"), s("TotalN"),
                     s("txtChiSquared"), s("txtDF"), s("txtPhi"), s("txt2P"), s("txt1P"), s("txtYates"),
                     s("txtYates1P"), s("txtYates2P"), s("txtFishers1P"), s("txtFishers2P"), s("txtESW"),
                     s("txtESC")};
    for (int k = 0; k < 3; ++k)
        b << s(EventTx[k]);
    for (int k = 0; k < 3; ++k)
        b << s(EventCtrl[k]);
    for (int k = 0; k < 3; ++k)
        b << s(RR[k]) << s(RRMinus[k]) << s(RRPlus[k]);
    for (int k = 0; k < 3; ++k)
        b << s(RRI[k]);
    for (int k = 0; k < 3; ++k)
        b << s(AR[k]) << s(ARMinus[k]) << s(ARPlus[k]) << s(ARSign[k]);
    b << s("NNT") << s("NNH");
    for (int k = 0; k < 3; ++k)
        b << s(EOTx[k]);
    for (int k = 0; k < 3; ++k)
        b << s(EOCtrl[k]);
    for (const auto& row : OddsRatioBoxes)
        for (const char* name : row)
            b << s(name);
    b << s("NNTConfPlus") << s("NNTConfMinus") << s("NNHConfPlus") << s("NNHConfMinus");
    return b;
}

RunResult runOutcomeTable(const OutcomeInput& in, OutcomeWriter& out)
{
    // Reset.
    for (const QString& b : resultBoxes())
        out.write(b, QString());
    out.setVisible(s("cmdNNTWarning"), false);
    out.setVisible(s("cmdNNHWarning"), false);
    out.untickLogs();

    // Input check.
    const bool three = in.mode == OutcomeMode::Three;
    for (int i = 0; i < 6; ++i) {
        const bool needed = three || (i != 2 && i != 5);
        if (needed && in.counts[static_cast<size_t>(i)].isEmpty())
            return RunResult::MissingInput;
    }

    // Counts, in the order a, b, c, d, e, f.
    double x[3] = {0, 0, 0}, y[3] = {0, 0, 0};
    x[Improved] = platform::cdbl(in.counts[0]);
    x[Same] = platform::cdbl(in.counts[1]);
    if (three)
        x[Worse] = platform::cdbl(in.counts[2]);
    y[Improved] = platform::cdbl(in.counts[3]);
    y[Same] = platform::cdbl(in.counts[4]);
    if (three)
        y[Worse] = platform::cdbl(in.counts[5]);
    // A table with a negative count has no meaning: nothing is computed.
    for (int k = 0; k < 3; ++k)
        if (x[k] < 0 || y[k] < 0)
            return RunResult::NegativeCount;

    // Totals.
    const double Nt = x[0] + x[1] + x[2];
    const double Nc = y[0] + y[1] + y[2];
    const double N = Nt + Nc;
    out.write(s("TxN"), plain(Nt));
    out.write(s("CtrlN"), plain(Nc));
    out.write(s("txtImpN"), plain(x[0] + y[0]));
    out.write(s("txtSameN"), plain(x[1] + y[1]));
    out.write(s("txtWorseN"), plain(x[2] + y[2]));
    out.write(s("TotalN"), plain(N));

    // Confidence level.
    frame::ConfidenceLevel level;
    if (!frame::confidenceLevel(in.level, level))
        return RunResult::BadLevel;
    const double z = level.z;
    const QString levelText = level.level + QStringLiteral("%");
    for (int i = 0; i < 5; ++i)
        out.write(QStringLiteral("txtConf(%1)").arg(i), levelText);

    // Event rates; a group without cases has none (counted as 0).
    const bool txCases = Nt != 0, ctrlCases = Nc != 0;
    // With exactly one group empty the comparisons between the groups have
    // no value: they show "---".
    const bool oneEmpty = txCases != ctrlCases;
    double p[3], q[3];
    for (int k = 0; k < 3; ++k) {
        p[k] = txCases ? x[k] / Nt : 0.0;
        q[k] = ctrlCases ? y[k] / Nc : 0.0;
    }
    for (int k = 0; k < 3; ++k) {
        const bool shown = k != Worse || three;
        out.write(s(EventTx[k]), shown && txCases ? rounded(p[k], 5) : OutcomeText::Dashes);
    }
    for (int k = 0; k < 3; ++k) {
        const bool shown = k != Worse || three;
        out.write(s(EventCtrl[k]), shown && ctrlCases ? rounded(q[k], 5) : OutcomeText::Dashes);
    }

    // Relative risks.
    double R[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        if (q[k] != 0 && !oneEmpty) {
            R[k] = p[k] / q[k];
            out.write(s(RR[k]), rounded(R[k], 5));
        } else {
            out.write(s(RR[k]), OutcomeText::Dashes);
        }
    }
    // Their limits (log method), when both groups have events of the outcome.
    for (int k = 0; k < 3; ++k) {
        if (p[k] * Nt != 0 && q[k] * Nc != 0) {
            const double se = std::sqrt((1 - p[k]) / (p[k] * Nt) + (1 - q[k]) / (q[k] * Nc));
            const double m = z * se;
            out.write(s(RRMinus[k]), rounded(std::exp(std::log(R[k]) - m), 2));
            out.write(s(RRPlus[k]), rounded(std::exp(std::log(R[k]) + m), 2));
        } else {
            out.write(s(RRMinus[k]), OutcomeText::Dashes);
            out.write(s(RRPlus[k]), OutcomeText::Dashes);
        }
    }
    // Relative risk increases.
    for (int k = 0; k < 3; ++k) {
        const double v = (p[k] - q[k]) / q[k] * 100;
        const bool ok = q[k] != 0 && !oneEmpty && std::isfinite(v);
        out.write(s(RRI[k]), ok ? rounded(v, 2) + QStringLiteral("%") : OutcomeText::Dashes);
    }
    // Absolute risk differences.
    double D[3];
    for (int k = 0; k < 3; ++k) {
        D[k] = p[k] - q[k];
        out.write(s(AR[k]), oneEmpty ? OutcomeText::Dashes : rounded(D[k], 5));
        out.write(s(ARSign[k]), oneEmpty ? OutcomeText::Dashes : direction(D[k]));
    }
    // Their limits (Wald).
    double M[3] = {0, 0, 0};
    if (N > 0 && !oneEmpty) {
        for (int k = 0; k < 3; ++k)
            M[k] = z * std::sqrt(p[k] * (1 - p[k]) / Nt + q[k] * (1 - q[k]) / Nc);
        for (int k = 0; k < 3; ++k) {
            out.write(s(ARMinus[k]), rounded(D[k] - M[k], 4));
            out.write(s(ARPlus[k]), rounded(D[k] + M[k], 4));
        }
    } else {
        for (int k = 0; k < 3; ++k) {
            out.write(s(ARMinus[k]), OutcomeText::Dashes);
            out.write(s(ARPlus[k]), OutcomeText::Dashes);
        }
    }

    // Event odds: each outcome against the other two of its group.
    const double X[3] = {x[1] + x[2], x[0] + x[2], x[0] + x[1]};
    const double Y[3] = {y[1] + y[2], y[0] + y[2], y[0] + y[1]};
    std::optional<double> O[3], P[3];
    for (int k = 0; k < 3; ++k) {
        if ((k != Worse || three) && X[k] != 0)
            O[k] = x[k] / X[k];
        out.write(s(EOTx[k]), O[k] ? rounded(*O[k], 5) : OutcomeText::Dashes);
    }
    for (int k = 0; k < 3; ++k) {
        if ((k != Worse || three) && Y[k] != 0)
            P[k] = y[k] / Y[k];
        out.write(s(EOCtrl[k]), P[k] ? rounded(*P[k], 5) : OutcomeText::Dashes);
    }
    // Odds ratios and their Woolf limits.
    StoredOddsRatios stored;
    double OR[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const auto& names = OddsRatioBoxes[static_cast<size_t>(k)];
        if (O[k] && P[k] && *P[k] != 0) {
            OR[k] = *O[k] / *P[k];
            out.write(s(names[0]), rounded(OR[k], 5));
            if (std::isfinite(OR[k]))
                stored.value[k][0] = OR[k];
        } else {
            out.write(s(names[0]), OutcomeText::Dashes);
        }
    }
    for (int k = 0; k < 3; ++k) {
        const auto& names = OddsRatioBoxes[static_cast<size_t>(k)];
        if (x[k] != 0 && y[k] != 0 && X[k] != 0 && Y[k] != 0) {
            const double m = z * std::sqrt(1 / x[k] + 1 / y[k] + 1 / X[k] + 1 / Y[k]);
            const double lower = std::exp(std::log(OR[k]) - m);
            const double upper = std::exp(std::log(OR[k]) + m);
            out.write(s(names[1]), rounded(lower, 2));
            out.write(s(names[2]), rounded(upper, 2));
            if (std::isfinite(lower) && std::isfinite(upper)) {
                stored.value[k][1] = lower;
                stored.value[k][2] = upper;
            }
        } else {
            out.write(s(names[1]), OutcomeText::Dashes);
            out.write(s(names[2]), OutcomeText::Dashes);
        }
    }
    out.storeOddsRatios(stored);
    out.setVisible(s("chkLogs"), true);

    // Numbers needed to treat and to harm.
    const bool nntWarning =
        numberNeeded(!oneEmpty, D[Improved], M[Improved], "NNT", "NNTConfPlus", "NNTConfMinus", out);
    out.setVisible(s("cmdNNTWarning"), nntWarning);
    const bool nnhWarning = numberNeeded(!oneEmpty, D[Worse], M[Worse], "NNH", "NNHConfPlus", "NNHConfMinus", out);
    out.setVisible(s("cmdNNHWarning"), three && nnhWarning);

    computeChiSquare(in.mode, in.counts, in.fisher, out);
    return RunResult::Done;
}

void computeChiSquare(OutcomeMode mode, const std::array<QString, 6>& counts, bool fisher, OutcomeWriter& out)
{
    const bool three = mode == OutcomeMode::Three;
    const int cols = three ? 3 : 2;
    // Rows: treatment, control; columns: the outcomes.
    double O[2][3] = {{0, 0, 0}, {0, 0, 0}};
    for (int c = 0; c < cols; ++c) {
        O[0][c] = platform::cdbl(counts[static_cast<size_t>(c)]);
        O[1][c] = platform::cdbl(counts[static_cast<size_t>(3 + c)]);
        if (O[0][c] < 0 || O[1][c] < 0)
            return;
    }
    double row[2] = {0, 0}, col[3] = {0, 0, 0}, N = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < cols; ++c) {
            row[r] += O[r][c];
            col[c] += O[r][c];
            N += O[r][c];
        }
    if (row[0] == 0 || row[1] == 0 || N == 0)
        return;
    for (int c = 0; c < cols; ++c)
        if (col[c] == 0)
            return;

    double E[2][3] = {{0, 0, 0}, {0, 0, 0}};
    double chi = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < cols; ++c) {
            E[r][c] = col[c] * row[r] / N;
            const double dev = O[r][c] - E[r][c];
            chi += dev * dev / E[r][c];
        }
    const QString df = three ? QStringLiteral("2") : QStringLiteral("1");
    out.write(s("txtChiSquared"), rounded(chi, 5));
    out.write(s("txtDF"), df);
    writePValues(chi, df, "txt2P", "txt1P", out);

    if (!three) {
        double yates = 0;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) {
                const double dev = std::fabs(O[r][c] - E[r][c]) - 0.5;
                yates += dev * dev / E[r][c];
            }
        out.write(s("txtYates"), rounded(yates, 5));
        writePValues(yates, df, "txtYates2P", "txtYates1P", out);
    }
    out.write(s("txtPhi"), rounded(std::sqrt(chi / N), 5));
    if (!three && fisher) {
        // The counts are judged as typed: a double has already rounded a
        // count above 2^53 or one with a tiny fraction to a whole number.
        FisherCount worst = FisherCount::Whole;
        for (size_t i : {size_t(0), size_t(1), size_t(3), size_t(4)}) {
            const FisherCount c = fisherCount(counts[i]);
            if (c == FisherCount::TooLarge || (c == FisherCount::NotWhole && worst == FisherCount::Whole))
                worst = c;
        }
        if (worst == FisherCount::Whole) {
            out.write(s("txtFishers1P"), rounded(FisherExactOneTailed(O[0][0], O[0][1], O[1][0], O[1][1]), 5));
            out.write(s("txtFishers2P"), OutcomeText::Dashes);
        } else {
            out.write(s("txtFishers1P"), OutcomeText::Dashes);
            out.write(s("txtFishers2P"), OutcomeText::Dashes);
            out.showMessage(worst == FisherCount::TooLarge ? OutcomeText::FisherTooLarge : OutcomeText::FisherNotWhole);
        }
    }

    double w2 = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < cols; ++c) {
            const double o = O[r][c] / N, e = E[r][c] / N;
            w2 += (o - e) * (o - e) / e;
        }
    const double w = std::sqrt(w2);
    out.write(s("txtESW"), rounded(w, 5));
    out.write(s("txtESC"), rounded(std::sqrt(w * w / (w * w + 1)), 5));
}

namespace {

// Whole numbers above 2^53 are no longer held exactly by a double.
constexpr double ExactCountLimit = 9007199254740992.0;
constexpr double TwoPi = 6.283185307179586;

__extension__ typedef __int128 Wide;

// ln n! - (n ln n - n) for n >= 0: what Stirling's series adds to its main
// term, 0.5 ln(2 pi n) + 1/(12 n) - 1/(360 n^3) + ...; from the log-gamma
// itself for small n, where the main term is small too.
double stirlingRest(double n)
{
    if (n <= 0)
        return 0.0;
    if (n < 15)
        return std::lgamma(n + 1) - n * std::log(n) + n;
    const double q = 1 / (n * n);
    return 0.5 * std::log(TwoPi * n) +
           (1.0 / 12 - q * (1.0 / 360 - q * (1.0 / 1260 - q * (1.0 / 1680 - q / 1188)))) / n;
}

// O ln(O / E) + E - O for a cell O with expected count E, given its deviation
// delta = O - E. Near E the direct form loses every digit to cancellation;
// the series of -ln(1 - u) - u in u = delta / O does not.
double deviance(double O, double E, double delta)
{
    if (O <= 0)
        return E;
    const double u = delta / O;
    if (!(std::fabs(u) < 0.1))
        return O * std::log(O / E) + E - O;
    double power = u * u, sum = 0;
    for (int k = 2; k < 64; ++k) {
        const double term = power / k;
        sum += term;
        if (std::fabs(term) <= 1e-17 * sum)
            break;
        power *= u;
    }
    return O * sum;
}

// ln(n! / m!) for whole n and m that differ by a few units.
double logFactorialRatio(int64_t n, int64_t m)
{
    if (n < m)
        return -logFactorialRatio(m, n);
    if (n - m > 64)
        return std::lgamma(static_cast<double>(n) + 1) - std::lgamma(static_cast<double>(m) + 1);
    double sum = 0;
    for (int64_t i = m + 1; i <= n; ++i)
        sum += std::log(static_cast<double>(i));
    return sum;
}

// The 2 x 2 tables of whole counts with the margins of one table (a, b / c,
// d), indexed by how far t the first cell has moved from a: the cells are
// a + t, b - t, c - t and d + t. Probabilities come as ln P, the ln of the
// margins' factorials over those of N and of the cells, with the n ln n - n
// parts of Stirling's series gathered into deviances from the expected cells,
// so that no digits are lost to cancellation at any size of count.
struct WholeTables {
    static constexpr int Move[4] = {1, -1, -1, 1};
    int64_t cell[4];
    double expected[4] = {0, 0, 0, 0};
    double delta0 = 0;     // a - E(a)
    double constant = 0;   // the Stirling remainders of the margins less N's
    bool single = false;   // a margin is 0: the table is the only one

    WholeTables(int64_t a, int64_t b, int64_t c, int64_t d) : cell{a, b, c, d}
    {
        const int64_t r1 = a + b, r2 = c + d, k1 = a + c, k2 = b + d, n = r1 + r2;
        single = r1 == 0 || r2 == 0 || k1 == 0 || k2 == 0;
        if (single)
            return;
        const double N = static_cast<double>(n);
        const double rows[2] = {static_cast<double>(r1), static_cast<double>(r2)};
        const double cols[2] = {static_cast<double>(k1), static_cast<double>(k2)};
        for (int i = 0; i < 4; ++i)
            expected[i] = rows[i / 2] * cols[i % 2] / N;
        // a N - r1 k1 is exact in 128 bits, so the deviation keeps every digit.
        delta0 = static_cast<double>(static_cast<Wide>(a) * n - static_cast<Wide>(r1) * k1) / N;
        constant = stirlingRest(rows[0]) + stirlingRest(rows[1]) + stirlingRest(cols[0]) + stirlingRest(cols[1]) -
                   stirlingRest(N);
    }
    double at(int i, double t) const { return static_cast<double>(cell[i]) + Move[i] * t; }
    // ln P of the table at t (t may have a fraction: the continuous
    // extension through the log-gamma function).
    double logP(double t) const
    {
        const double delta = delta0 + t;
        double sum = constant;
        for (int i = 0; i < 4; ++i) {
            const double O = at(i, t);
            sum -= deviance(O, expected[i], Move[i] * delta) + stirlingRest(O);
        }
        return sum;
    }
    // The first and second derivatives of ln P in t, with the digamma
    // function as ln(x + 1/2) and its derivative as 1/(x + 1/2) (close
    // enough for the large cells where they are used).
    double slope(double t) const
    {
        return std::log((at(1, t) + 0.5) * (at(2, t) + 0.5) / ((at(0, t) + 0.5) * (at(3, t) + 0.5)));
    }
    double curvature(double t) const
    {
        double sum = 0;
        for (int i = 0; i < 4; ++i)
            sum -= 1 / (at(i, t) + 0.5);
        return sum;
    }
};

// The walk sums the tables one by one for this many tables. When their sum
// has not settled by then, the probabilities fall so slowly that the cells are
// above 10^7 and the probability is a smooth function of the position; the
// Euler-Maclaurin formula then gives the rest of the sum from an integral.
constexpr int64_t TablesOneByOne = 65536;

template <class F>
double gaussLegendre(const F& f, double from, double to)
{
    static constexpr double X[5] = {0.1488743389816312, 0.4333953941292472, 0.6794095682990244, 0.8650633666889845,
                                    0.9739065285171717};
    static constexpr double W[5] = {0.2955242247147529, 0.2692667193099963, 0.2190863625159820, 0.1494513491505806,
                                    0.0666713443086881};
    const double mid = (from + to) / 2, half = (to - from) / 2;
    double sum = 0;
    for (int i = 0; i < 5; ++i)
        sum += W[i] * (f(mid - half * X[i]) + f(mid + half * X[i]));
    return sum * half;
}

// The sum of the probabilities of the tables first..last of the walk (the
// first cell moved by step times the index), relative to e^base, where the
// one-by-one sum of the tables before them is `before`.
double smoothSum(const WholeTables& w, int step, int64_t first, int64_t last, double base, double before)
{
    const double K = static_cast<double>(last - first);
    const auto t = [&](double y) { return step * (static_cast<double>(first) + y); };
    const auto g = [&](double y) { return std::exp(w.logP(t(y)) - base); };
    const auto slope = [&](double y) { return step * w.slope(t(y)); };   // of ln g in y
    // The Euler-Maclaurin end terms g/2 -/+ g'/12 +/- g'''/720, the derivatives
    // from those of ln g.
    const auto endTerms = [&](double y, double sign) {
        const double gy = g(y), s = slope(y), c = w.curvature(t(y));
        return gy / 2 + sign * (gy * s / 12 - gy * (s * s * s + 3 * s * c) / 720);
    };
    double sum = endTerms(0, -1);
    double integral = 0, y = 0;
    for (;;) {
        // Panels over which ln g changes by about 1/2.
        const double width = std::max(1.0, 0.5 / (std::fabs(slope(y)) + std::sqrt(-w.curvature(t(y)))));
        const double to = std::min(K, y + width);
        integral += gaussLegendre(g, y, to);
        y = to;
        if (y >= K) {
            sum += endTerms(K, 1);
            break;
        }
        // g falls ever faster (ln g is concave), so the rest of the integral
        // is below g(y) / |slope(y)|.
        if (!(g(y) > 1e-20 * (before + integral) * std::fabs(slope(y))))
            break;
    }
    return integral + sum;
}

// ln of the sum of the probabilities of the table and of every table beyond
// it, the first cell moving by step (+1 or -1) until a cell that falls with
// it is 0.
double logTail(const WholeTables& w, int step)
{
    if (w.single)
        return 0.0;
    const int falling[2] = {step < 0 ? 0 : 1, step < 0 ? 3 : 2};
    const int rising[2] = {step < 0 ? 1 : 0, step < 0 ? 2 : 3};
    const int64_t last = std::min(w.cell[falling[0]], w.cell[falling[1]]);
    // The next table's probability over that of the table j steps on.
    const auto ratio = [&](int64_t j) {
        return static_cast<double>(w.cell[falling[0]] - j) * static_cast<double>(w.cell[falling[1]] - j) /
               (static_cast<double>(w.cell[rising[0]] + j + 1) * static_cast<double>(w.cell[rising[1]] + j + 1));
    };
    if (last > 0 && ratio(0) > 1) {
        // The walk leads first towards the most likely table and through it:
        // its sum is 1 less the tables on the other side, whose probabilities
        // only fall.
        const int64_t next[4] = {w.cell[0] - step, w.cell[1] + step, w.cell[2] + step, w.cell[3] - step};
        for (int64_t v : next)
            if (v < 0)
                return 0.0;
        return std::log1p(-std::exp(logTail(WholeTables(next[0], next[1], next[2], next[3]), -step)));
    }
    // From here on the probabilities only fall, and each ratio is below the last.
    const double base = w.logP(0);
    double term = 1, sum = 1;
    int64_t j = 0;
    for (; j < last && j < TablesOneByOne; ++j) {
        const double r = ratio(j);
        term *= r;
        sum += term;
        // The rest is below a geometric series of the current ratio.
        if (r < 1 && term * r / (1 - r) < 1e-17 * sum)
            return base + std::log(sum);
    }
    if (j < last)
        sum += smoothSum(w, step, j + 1, last, base, sum);
    return base + std::log(sum);
}

} // namespace

bool fisherCountsTooLarge(double a, double b, double c, double d)
{
    for (double v : {a, b, c, d})
        if (!(std::fabs(v) <= ExactCountLimit))
            return true;
    return false;
}

bool fisherCountsWhole(double a, double b, double c, double d)
{
    for (double v : {a, b, c, d})
        if (!(std::floor(v) == v))
            return false;
    return true;
}

FisherCount fisherCount(const QString& text)
{
    // [sign] digits [. digits] [e [sign] digits], with blanks around it.
    const QString t = text.trimmed();
    int i = 0;
    const int n = t.size();
    const auto digit = [&](int at) { return at < n && t[at] >= QLatin1Char('0') && t[at] <= QLatin1Char('9'); };
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    // The significant digits without leading zeros; `scale` is the power of
    // ten of the last of them.
    std::string significant;
    int64_t scale = 0;
    int digits = 0;
    for (; digit(i); ++i, ++digits)
        if (!significant.empty() || t[i] != QLatin1Char('0'))
            significant.push_back(static_cast<char>(t[i].unicode()));
    if (i < n && t[i] == QLatin1Char('.')) {
        for (++i; digit(i); ++i, ++digits) {
            --scale;
            if (!significant.empty() || t[i] != QLatin1Char('0'))
                significant.push_back(static_cast<char>(t[i].unicode()));
        }
    }
    if (digits == 0)
        return FisherCount::NotANumber;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        bool negative = false;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            negative = t[i++] == QLatin1Char('-');
        if (!digit(i))
            return FisherCount::NotANumber;
        int64_t e = 0;
        for (; digit(i); ++i)
            e = std::min<int64_t>(e * 10 + (t[i].unicode() - '0'), int64_t(1) << 40);   // far beyond any count
        scale += negative ? -e : e;
    }
    if (i != n)
        return FisherCount::NotANumber;
    if (significant.empty())
        return FisherCount::Whole;   // zero, however written
    while (significant.back() == '0') {
        significant.pop_back();
        ++scale;
    }
    // The value is significant x 10^scale, whose last digit is not 0.
    const int64_t length = static_cast<int64_t>(significant.size()) + scale;   // digits before the point
    if (length > 16)
        return FisherCount::TooLarge;
    // The whole part (below 10^16, so exact in 64 bits).
    uint64_t whole = 0;
    for (int64_t k = 0; k < length; ++k)
        whole = whole * 10 + (k < static_cast<int64_t>(significant.size()) ? static_cast<uint64_t>(significant[k] - '0') : 0);
    const auto limit = static_cast<uint64_t>(ExactCountLimit);
    if (scale < 0)   // a fraction: above 2^53 when the whole part is 2^53 already
        return whole >= limit ? FisherCount::TooLarge : FisherCount::NotWhole;
    return whole <= limit ? FisherCount::Whole : FisherCount::TooLarge;
}

double FisherExactOneTailed(double a, double b, double c, double d)
{
    if (fisherCountsTooLarge(a, b, c, d) || !fisherCountsWhole(a, b, c, d))
        return std::numeric_limits<double>::quiet_NaN();
    const double cells[4] = {a, b, c, d};
    const double smallest = platform::StatFunctions::instance().Minimum(cells);
    // The chosen cell walks towards 0 one unit at a time; a moves with it
    // (cells 1 and 4) or against it (cells 2 and 3), the margins stay. A tie
    // goes to the first cell. The walk goes on while the chosen cell is above -1.
    int chosen = -1;
    for (int i = 0; i < 4 && chosen < 0; ++i)
        if (cells[i] == smallest)
            chosen = i;
    if (chosen < 0 || !(cells[chosen] > -1))
        return 0.0;
    // The chosen cell is the smallest and at least 0, so every cell is.
    const int step = chosen == 0 || chosen == 3 ? -1 : 1;
    const WholeTables own(static_cast<int64_t>(a), static_cast<int64_t>(b), static_cast<int64_t>(c),
                          static_cast<int64_t>(d));
    // Rounding must not take the sum past 1.
    return std::min(std::exp(logTail(own, step)), 1.0);
}

} // namespace quellin
