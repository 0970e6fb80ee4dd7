#include "calculators/InteractionEffectSize.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

namespace calculators {

namespace interactmsg {
const char* const Experimental =
    "You must enter a mean and standard deviation for the experimental group at both time points.";
const char* const Control = "You must enter a mean and standard deviation for the control group at both time points.";
} // namespace interactmsg

const char* const kInteractionResultBoxes[16] = {
    "txtEXDiff",    "txtCtrlDiff",      "txtEXPooledSD", "txtCtrlPooledSD", "txtDiffTime1",     "txtDiffTime2",
    "txtTime1PooledSD", "txtTime2PooledSD", "txtTotDiff", "txtPooledSD", "txtESD",      "TxtESNeg95",
    "TxtESPlus95",  "txtHedgesG",       "TxtHedgesGNeg95", "TxtHedgesGPlus95"};

namespace {

namespace ar = platform::arith;

// Square root of the mean of the squares of the standard deviations.
double pooled(std::initializer_list<double> sds)
{
    double sum = 0;
    for (double s : sds)
        sum = ar::add(sum, ar::mul(s, s));
    return ar::sqrt(ar::div(sum, static_cast<double>(sds.size())));
}

// Standard error of an effect size of two groups.
double standardError(double es, double nE, double nC, double n)
{
    return ar::sqrt(ar::add(ar::div(n, ar::mul(nE, nC)), ar::div(ar::mul(es, es), ar::mul(2, n))));
}

} // namespace

Outcome computeInteraction(const InteractionInputs& in)
{
    Outcome out;
    if (in.exMean1.isEmpty() || in.exSD1.isEmpty() || in.exMean2.isEmpty() || in.exSD2.isEmpty()) {
        out.message = QString::fromLatin1(interactmsg::Experimental);
        return out;
    }
    if (in.ctrlMean1.isEmpty() || in.ctrlSD1.isEmpty() || in.ctrlMean2.isEmpty() || in.ctrlSD2.isEmpty()) {
        out.message = QString::fromLatin1(interactmsg::Control);
        return out;
    }
    for (const char* name : kInteractionResultBoxes)
        out.set(QString::fromLatin1(name), QString());
    auto show = [&out](const char* box, double v) { out.set(QString::fromLatin1(box), platform::roundText(v, 5)); };

    try {
        const double sE1 = platform::val(in.exSD1), sE2 = platform::val(in.exSD2);
        const double sC1 = platform::val(in.ctrlSD1), sC2 = platform::val(in.ctrlSD2);
        const double mE1 = platform::cdbl(in.exMean1), mE2 = platform::cdbl(in.exMean2);
        const double mC1 = platform::cdbl(in.ctrlMean1), mC2 = platform::cdbl(in.ctrlMean2);

        const double exChange = ar::sub(mE1, mE2);
        const double ctrlChange = ar::sub(mC1, mC2);
        const double diffTime1 = ar::sub(mE1, mC1);
        const double diffTime2 = ar::sub(mE2, mC2);
        const double D = ar::sub(diffTime1, diffTime2);
        const double SDE = pooled({sE1, sE2});
        const double SDC = pooled({sC1, sC2});
        const double SD1 = pooled({sE1, sC1});
        const double SD2 = pooled({sE2, sC2});
        const double SDP = pooled({sE1, sE2, sC1, sC2});
        const double d = ar::div(D, SDP);

        show("txtEXDiff", exChange);
        show("txtCtrlDiff", ctrlChange);
        show("txtDiffTime1", diffTime1);
        show("txtDiffTime2", diffTime2);
        show("txtTotDiff", D);
        show("txtEXPooledSD", SDE);
        show("txtCtrlPooledSD", SDC);
        show("txtTime1PooledSD", SD1);
        show("txtTime2PooledSD", SD2);
        show("txtPooledSD", SDP);
        show("txtESD", d);

        if (in.exN.isEmpty() || in.ctrlN.isEmpty())
            return out;

        const double nE = platform::cdbl(in.exN), nC = platform::cdbl(in.ctrlN);
        const double N = ar::add(nE, nC);
        const double seD = standardError(d, nE, nC, N);
        show("TxtESNeg95", ar::sub(d, ar::mul(1.96, seD)));
        show("TxtESPlus95", ar::add(d, ar::mul(1.96, seD)));

        const double J = ar::sub(1, ar::div(3, ar::sub(ar::mul(4, N), 9)));
        const double S = ar::sqrt(ar::div(ar::add(ar::mul(ar::sub(nE, 1), ar::mul(SDE, SDE)),
                                                  ar::mul(ar::sub(nC, 1), ar::mul(SDC, SDC))),
                                          ar::sub(N, 2)));
        const double g = ar::div(ar::mul(J, D), S);
        show("txtHedgesG", g);

        const double seG = standardError(g, nE, nC, N);
        show("TxtHedgesGNeg95", ar::sub(g, ar::mul(1.96, seG)));
        show("TxtHedgesGPlus95", ar::add(g, ar::mul(1.96, seG)));
    } catch (const platform::RuntimeError& e) {
        out.message = calckit::errorMessage(e);
    }
    return out;
}

} // namespace calculators
