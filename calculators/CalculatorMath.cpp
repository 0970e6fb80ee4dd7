#include "calculators/CalculatorMath.h"

#include "platform/Arith.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <algorithm>

namespace calculators {

namespace A = platform::arith;

// ---- Confidence interval around a mean --------------------------------------

const char* const kConfMsgEnterData = "You must enter some data in the mean, standard deviation and sample size boxes.";
const char* const kConfMsgOneSubject = "You cannot have less than one subject in your sample.";
const char* const kConfMsgOwnValue = "You must enter a value in the z / t box if you select 'other'.";
const char* const kConfNoteCentralLimit =
    "Care required - using Central Limit Theorem yet the sample  size is less than 31. Click the help button.";
const char* const kConfNoteOwnValue =
    "Your sample size is less than 31 but you are (appropriately?) using your own t / z value.";

const ConfLevelInfo& confLevelInfo(ConfLevel level)
{
    static const ConfLevelInfo table[kListedConfLevels] = {
        {"op50", "50%", 0.674, 50},   {"op60", "60%", 0.841, 60},   {"op70", "70%", 1.036, 70},
        {"op80", "80%", 1.282, 80},   {"op90", "90%", 1.645, 90},   {"op95", "95%", 1.96, 95},
        {"op99", "99%", 2.576, 99},   {"op999", "99.9%", 3.291, 99.9},
    };
    const int i = std::clamp(static_cast<int>(level), 0, kListedConfLevels - 1);
    return table[i];
}

ConfOutcome computeConfidenceInterval(const ConfInputs& in)
{
    ConfOutcome out;
    // Every box is converted before any check.
    const double mean = platform::val(in.mean);
    const double sd = platform::val(in.sd);
    const int n = platform::cint(platform::val(in.n));
    const double own = platform::val(in.ownValue);

    if (in.n.isEmpty() || in.sd.isEmpty() || in.mean.isEmpty()) {
        out.message = QString::fromLatin1(kConfMsgEnterData);
        return out;
    }
    if (n < 1) {
        out.message = QString::fromLatin1(kConfMsgOneSubject);
        return out;
    }
    const bool other = in.level == ConfLevel::Other;
    if (other && in.ownValue.isEmpty()) {
        out.message = QString::fromLatin1(kConfMsgOwnValue);
        return out;
    }
    const double z = other ? own : confLevelInfo(in.level).z;
    const double level = other ? own : confLevelInfo(in.level).level;

    const double se = A::div(sd, A::sqrt(static_cast<double>(n)));
    const double error = A::mul(z, se);
    const double upper = A::add(error, mean);
    const double lower = A::sub(mean, error);

    out.se = platform::roundText(se, 5);
    out.z = platform::roundText(z, 5);
    out.error = platform::roundText(error, 5);
    out.lower = platform::roundText(lower, 5);
    out.upper = platform::roundText(upper, 5);
    out.mean = platform::roundText(mean, 5);
    out.levelCaption = platform::numText(level) + (in.ownValue.isEmpty() ? QStringLiteral("%") : QStringLiteral(" z/t"));
    if (n < 31)
        out.note = in.ownValue.isEmpty() ? ConfOutcome::Note::CentralLimit : ConfOutcome::Note::OwnValue;
    return out;
}

// ---- Contingency-table chi-square -------------------------------------------

bool hasSmallCount(const CountTable& counts)
{
    for (const auto& group : counts)
        for (double o : group)
            if (o < 5)
                return true;
    return false;
}

ContingencyResult contingencyChiSquare(const CountTable& counts)
{
    ContingencyResult r;
    const size_t groups = counts.size();
    const size_t conditions = groups ? counts[0].size() : 0;
    r.groupTotals.assign(groups, 0.0);
    r.conditionTotals.assign(conditions, 0.0);
    for (size_t j = 0; j < groups; ++j)
        for (size_t i = 0; i < conditions; ++i) {
            r.groupTotals[j] = A::add(r.groupTotals[j], counts[j][i]);
            r.conditionTotals[i] = A::add(r.conditionTotals[i], counts[j][i]);
            r.n = A::add(r.n, counts[j][i]);
        }

    const auto zero = [](double v) { return v == 0; };
    if (groups < 2 || conditions < 2 || std::any_of(r.groupTotals.begin(), r.groupTotals.end(), zero)
        || std::any_of(r.conditionTotals.begin(), r.conditionTotals.end(), zero))
        return r;
    r.defined = true;

    r.expected.assign(groups, std::vector<double>(conditions, 0.0));
    double chi = 0;
    for (size_t j = 0; j < groups; ++j)
        for (size_t i = 0; i < conditions; ++i) {
            const double e = A::div(A::mul(r.conditionTotals[i], r.groupTotals[j]), r.n);
            r.expected[j][i] = e;
            const double d = A::sub(counts[j][i], e);
            chi = A::add(chi, A::div(A::mul(d, d), e));
        }
    r.chiSquare = chi;
    r.df = QString::number((groups - 1) * (conditions - 1));

    const auto& dist = platform::StatDistributions::instance();
    const double lower = dist.ChiSquareCumulative(chi, r.df);
    r.pTwoTailed = A::sub(1, lower);
    r.pOneTailed = A::div(A::sub(1, dist.ChiSquareCumulative(chi, r.df)), 2);

    // Cramér's phi divides by N times the smaller side less one; for tables
    // with a side of two that is phi itself.
    const double smaller = static_cast<double>(std::min(groups, conditions) - 1);
    r.phi = A::sqrt(A::div(chi, A::mul(r.n, smaller)));

    double w2 = 0;
    for (size_t j = 0; j < groups; ++j)
        for (size_t i = 0; i < conditions; ++i) {
            const double po = A::div(counts[j][i], r.n);
            const double pe = A::div(r.expected[j][i], r.n);
            const double d = A::sub(po, pe);
            w2 = A::add(w2, A::div(A::mul(d, d), pe));
        }
    r.w = A::sqrt(w2);
    const double wSquared = A::mul(r.w, r.w);
    r.c = A::sqrt(A::div(wSquared, A::add(wSquared, 1)));
    return r;
}

// ---- f squared ----------------------------------------------------------------

FSquaredOutcome multipleRFSquared(const QString& r2Text)
{
    FSquaredOutcome out;
    const double r2 = platform::val(r2Text);
    if (r2Text.isEmpty())
        out.message = QStringLiteral("You must enter the squared multiple correlation in the white box.");
    else if (r2 > 1)
        out.message = QStringLiteral("You cannot have a r squared greater than 1.");
    else if (r2 < 0)
        out.message = QStringLiteral("You cannot have a negative r squared.");
    else if (r2 == 1)
        // f squared has no finite value there.
        out.message = QStringLiteral("You cannot have a r squared of 1.");
    else
        out.f2 = platform::roundText(A::div(r2, A::sub(1, r2)), 5);
    return out;
}

FSquaredOutcome hierarchicalRFSquared(const QString& r2aText, const QString& r2abText)
{
    FSquaredOutcome out;
    const double a = platform::val(r2aText);
    const double ab = platform::val(r2abText);
    if (r2aText.isEmpty() || r2abText.isEmpty())
        out.message = QStringLiteral("You must enter data into both white boxes.");
    else if (r2aText == QLatin1String("1") && r2abText == QLatin1String("1"))
        out.message = QStringLiteral("You cannot have *both* Ra and Rab equaling one.");
    else if (a > 1 || ab > 1)
        out.message = QStringLiteral("Neither white boxes can be greater than 1");
    else if (a < 0 || ab < 0)
        out.message = QStringLiteral("You cannot have a negative r squared.");
    else if (ab == 1)
        // f squared has no finite value there.
        out.message = QStringLiteral("You cannot have Rab equaling one.");
    else
        out.f2 = platform::roundText(A::div(A::sub(ab, a), A::sub(1, ab)), 5);
    return out;
}

} // namespace calculators
