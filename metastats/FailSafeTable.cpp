#include "metastats/FailSafeTable.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

namespace metastats {

namespace {

namespace arith = platform::arith;
using platform::cdbl;

// A count box that says there is nothing to count.
bool missing(const QString& text) { return text.isEmpty() || text == QLatin1String("0"); }

// The text a cell computation gives, "N/A" when it raises (text that does
// not convert, a value out of range).
template <class F>
QString cell(F compute)
{
    try {
        return compute();
    } catch (const platform::RuntimeError&) {
        return kNotAvailable;
    }
}

// The reasonable number's text.
QString reasonableNumber(const QString& count)
{
    if (missing(count))
        return kNotAvailable;
    return cell([&] { return platform::numText(reasonableFailSafeN(cdbl(count))); });
}

QString unweightedMean(const QString& mean)
{
    if (mean.isEmpty())
        return kNotAvailable;
    return cell([&] { return platform::roundText(cdbl(mean), 5); });
}

QString weightedMean(const QString& mean)
{
    if (mean.isEmpty() || mean == kNotAvailable)
        return kNotAvailable;
    return cell([&] { return platform::roundText(cdbl(mean), 5); });
}

// k (mean - c) / c to 5 places.
QString orwinNumber(const QString& count, const QString& mean, double criterion)
{
    return cell([&] {
        const double k = cdbl(count);
        const double m = cdbl(mean);
        return platform::roundText(arith::div(arith::mul(k, arith::sub(m, criterion)), criterion), 5);
    });
}

FailSafeVerdict judge(const QString& derived, const QString& reasonable)
{
    if (derived == kNotAvailable || reasonable == kNotAvailable)
        return FailSafeVerdict::Unsure;
    double fsn = 0, rfsn = 0;
    if (!platform::tryCdbl(derived, fsn) || !platform::tryCdbl(reasonable, rfsn))
        return FailSafeVerdict::Unsure;
    return fsn > rfsn ? FailSafeVerdict::Thumb : FailSafeVerdict::Mad;
}

// One effect-size row from its four boxes, judged against the derived number.
FailSafeRow row(const QString& studies, const QString& count, const QString& mean, const QString& weighted)
{
    FailSafeRow r;
    r.reasonable = reasonableNumber(studies);
    r.count = count;
    r.unweighted = unweightedMean(mean);
    r.weighted = weightedMean(weighted);
    // The guard reads the row's own count and shown mean: a mean of exactly
    // zero shows as "0" and has no Orwin numbers.
    if (!missing(r.count) && !missing(r.unweighted) && r.unweighted != kNotAvailable) {
        r.c2 = orwinNumber(count, r.unweighted, 0.2);
        r.c5 = orwinNumber(count, r.unweighted, 0.5);
        r.c8 = orwinNumber(count, r.unweighted, 0.8);
    } else {
        r.c2 = r.c5 = r.c8 = kNotAvailable;
    }
    return r;
}

} // namespace

double reasonableFailSafeN(double k) { return arith::add(arith::mul(5.0, k), 10.0); }

double derivedFailSafeN(double sumZ, double k) { return arith::sub(arith::div(arith::mul(sumZ, sumZ), 2.706), k); }

QString verdictPictureName(FailSafeVerdict v)
{
    switch (v) {
    case FailSafeVerdict::Thumb: return QStringLiteral("thumb.gif");
    case FailSafeVerdict::Mad: return QStringLiteral("mad.gif");
    case FailSafeVerdict::Unsure: break;
    }
    return QStringLiteral("unsure.gif");
}

FailSafeTable computeFailSafeTable(const FailSafeInputs& in)
{
    FailSafeTable t;
    t.d = row(in.DStat, in.MeanDStatSummary, in.MeanCohen, in.WeightedD);
    t.g = row(in.MeanGStat, in.MeanGStatSummary, in.MeanG, in.WeightedG);

    // The derived number to 2 places; no sum, no number.
    if (missing(in.MeanZStat) || in.SumZ.isEmpty()) {
        t.derived = kNotAvailable;
    } else {
        t.derived = cell([&] {
            const double sumZ = cdbl(in.SumZ);
            const double k = cdbl(in.MeanZStat);
            return platform::roundText(derivedFailSafeN(sumZ, k), 2);
        });
    }

    t.warnD = in.MeanZStat != in.DStat;
    t.warnG = in.MeanZStat != in.MeanGStat;
    t.d.verdict = judge(t.derived, t.d.reasonable);
    t.g.verdict = judge(t.derived, t.g.reasonable);
    return t;
}

QString failSafeWarningTitle(bool forG)
{
    return forG ? QStringLiteral("Hedges' G & Fail-Safe N Inconsistency")
                : QStringLiteral("Cohen's D & Fail-Safe N Inconsistency");
}

QString failSafeWarningText(bool forG)
{
    return QStringLiteral("Interpret the FsN box cautiously as the number of studies upon which '%1' was based ")
               .arg(forG ? QLatin1Char('g') : QLatin1Char('d'))
           + QStringLiteral("\r\n")
           + QStringLiteral("is different to the number of studies from which the sum of the Z statistics was "
                            "obtained.");
}

OrwinOutcome computeOrwin(const QString& initialD, const QString& nStudies, const QString& endD)
{
    OrwinOutcome out;
    if (initialD.isEmpty() || endD.isEmpty() || nStudies.isEmpty()) {
        out.message = orwin_text::Empty;
        return out;
    }
    // Each box is converted where its check needs it, in the order of the
    // checks; text that is no number, or a number beyond range, is refused.
    try {
        const double d1 = cdbl(initialD);
        if (platform::roundHalfEven(d1, 7) == 0) {
            out.message = orwin_text::ZeroInitial;
            return out;
        }
        const double d2 = cdbl(endD);
        if (platform::roundHalfEven(d2, 7) == 0) {
            out.message = orwin_text::ZeroEnd;
            return out;
        }
        const double n = cdbl(nStudies);
        if (platform::roundHalfEven(n, 1) == 0) {
            out.message = orwin_text::ZeroStudies;
            return out;
        }
        out.result = platform::numText(arith::div(arith::mul(n, arith::sub(d1, d2)), d2));
    } catch (const platform::RuntimeError& e) {
        out.message = e.number() == platform::ErrTypeMismatch ? orwin_text::NotANumber : orwin_text::TooLarge;
    }
    return out;
}

} // namespace metastats
