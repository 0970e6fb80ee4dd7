#include "outcometable/OutcomeStats.h"

#include "frame/ConfidenceLevel.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    meandiff::ConfidenceLevel level;
    if (!meandiff::confidenceLevel(in.level, level))
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
        const double p = FisherExactOneTailed(O[0][0], O[0][1], O[1][0], O[1][1]);
        out.write(s("txtFishers1P"), rounded(p, 5));
        out.write(s("txtFishers2P"), OutcomeText::Dashes);
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

namespace MathsFormula {

double Log10(double x) { return std::log(x) / std::log(10.0); }

double AntiLog10(double x) { return std::pow(10.0, x); }

double LogFactorial(double n)
{
    if (!(n >= 2))
        return 0.0;
    return std::lgamma(std::floor(n) + 1.0) / std::log(10.0);
}

} // namespace MathsFormula

namespace {

// A sum of terms held as logarithms: e^top x scaled, so that no term over- or
// underflows.
struct LogSum {
    double top = -std::numeric_limits<double>::infinity();
    double scaled = 0;
    void add(double l)
    {
        if (l > top) {
            scaled = scaled * std::exp(top - l) + 1.0;
            top = l;
        } else {
            scaled += std::exp(l - top);
        }
    }
    // Whether a remainder of e^l cannot change the sum any more.
    bool negligible(double l) const { return std::exp(l - top) < 1e-18 * scaled; }
    double log() const { return top + std::log(scaled); }
};

// The tables of a 2 x 2 table with fixed margins, indexed by the first cell x:
// the others are r1 - x, k1 - x and r2 - k1 + x.
struct Margins {
    double r1, r2, k1;
    double lo() const { return std::max(0.0, k1 - r2); }
    double hi() const { return std::min(r1, k1); }
    // ln of P(x + step) / P(x), step +1 or -1.
    double logRatio(double x, double step) const
    {
        const double b = r1 - x, c = k1 - x, d = r2 - k1 + x;
        return step > 0 ? std::log(b * c / ((x + 1) * (d + 1))) : std::log(x * d / ((b + 1) * (c + 1)));
    }
    // ln of the sum of the probabilities from x (ln weight l) on in the
    // direction of step, relative to the same weight scale. The weights are
    // log-concave in x, so once they fall each ratio to the next is at most
    // the last one and the rest of the sum is below next / (1 - ratio).
    double logSumFrom(double x, double l, double step) const
    {
        LogSum sum;
        for (;;) {
            sum.add(l);
            const double next = x + step;
            if (next < lo() || next > hi())
                break;
            const double lr = logRatio(x, step);
            x = next;
            l += lr;
            if (lr < 0 && sum.negligible(l - std::log1p(-std::exp(lr))))
                break;
        }
        return sum.log();
    }
};

// Fisher's sum for whole, non-negative counts: the tail from the observed
// first cell a in the direction of step, over the whole distribution, both
// summed by ratios of neighbouring tables from the most likely table (no
// factorials, so no loss of digits for large counts).
double fisherWhole(double a, double b, double c, double d, double step)
{
    const Margins m{a + b, c + d, a + c};
    const double N = m.r1 + m.r2;
    const double mode = std::clamp(std::floor((m.r1 + 1) * (m.k1 + 1) / (N + 2)), m.lo(), m.hi());
    LogSum total;
    total.add(m.logSumFrom(mode, 0.0, 1.0));
    if (mode - 1 >= m.lo())
        total.add(m.logSumFrom(mode - 1, m.logRatio(mode, -1.0), -1.0));
    // The observed table's weight relative to the most likely one.
    double l = 0;
    const double toward = a > mode ? 1.0 : -1.0;
    for (double x = mode; x != a; x += toward)
        l += m.logRatio(x, toward);
    return std::exp(m.logSumFrom(a, l, step) - total.log());
}

bool wholeCount(double v) { return v >= 0 && std::floor(v) == v && v < 9007199254740992.0; }

} // namespace

double FisherExactOneTailed(double a, double b, double c, double d)
{
    using namespace MathsFormula;
    const double r1 = a + b, r2 = c + d, k1 = a + c, k2 = b + d, N = r1 + r2;
    if (!std::isfinite(N))
        return std::numeric_limits<double>::quiet_NaN();
    const double cells[4] = {a, b, c, d};
    const double smallest = platform::StatFunctions::instance().Minimum(cells);
    // The chosen cell walks towards 0 one unit at a time; a moves with it
    // (cells 1 and 4) or against it (cells 2 and 3), the margins stay.
    const double* chosen = nullptr;
    double step = 0;
    if (a == smallest) {
        chosen = &a;
        step = -1;
    } else if (b == smallest) {
        chosen = &b;
        step = 1;
    } else if (c == smallest) {
        chosen = &c;
        step = 1;
    } else if (d == smallest) {
        chosen = &d;
        step = -1;
    }
    if (!chosen)
        return 0.0;
    if (wholeCount(a) && wholeCount(b) && wholeCount(c) && wholeCount(d))
        return fisherWhole(a, b, c, d, step);

    // Counts with fractions (or below 0): the walk goes on while the chosen
    // cell is above -1, each table's probability from the log-factorials of
    // the whole parts.
    const double margins = LogFactorial(r1) + LogFactorial(r2) + LogFactorial(k1) + LogFactorial(k2) - LogFactorial(N);
    LogSum sum;
    double previous = 0;
    bool first = true;
    while (*chosen > -1) {
        const double term =
            (margins - (LogFactorial(a) + LogFactorial(b) + LogFactorial(c) + LogFactorial(d))) * std::log(10.0);
        sum.add(term);
        if (!first && term < previous && sum.negligible(term - std::log1p(-std::exp(term - previous))))
            break;
        first = false;
        previous = term;
        a += step;
        b -= step;
        c -= step;
        d += step;
    }
    return std::exp(sum.log());
}

} // namespace quellin
