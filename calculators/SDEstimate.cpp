#include "calculators/SDEstimate.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

namespace calculators {

namespace sdmsg {
const char* const EnterBoxes = "You MUST enter data in the appropriate white boxes.";
const char* const EnterBox = "You MUST enter data in the appropriate white box.";
const char* const EnterSizes = "You Must enter data in the appropriate white boxes.";
} // namespace sdmsg

namespace ar = platform::arith;

namespace {

bool blank(const QString& s) { return s.trimmed().isEmpty(); }

double root(double x) { return platform::StatMath::instance().SquareRoot(x); }

Outcome refused(const char* message)
{
    Outcome out;
    out.set(QStringLiteral("txtAnswer"), QString());
    out.message = QString::fromLatin1(message);
    return out;
}

} // namespace

const QStringList& sdInputBoxes()
{
    static const QStringList boxes = {QStringLiteral("Text1"),  QStringLiteral("Text2"), QStringLiteral("Text12"),
                                      QStringLiteral("Text13"), QStringLiteral("Text9"), QStringLiteral("txtSE")};
    return boxes;
}

QStringList sdBoxesUsed(SDMethod method)
{
    switch (method) {
    case SDMethod::OneWayAnova:
        return {QStringLiteral("Text9")};
    case SDMethod::PooledSD:
        return {QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Text12"), QStringLiteral("Text13")};
    case SDMethod::FromStandardError:
        return {QStringLiteral("Text12"), QStringLiteral("txtSE")};
    default:
        return {QStringLiteral("Text1"), QStringLiteral("Text2")};
    }
}

Outcome estimateSD(SDMethod method, const SDInputs& in)
{
    if (method == SDMethod::OneWayAnova) {
        if (blank(in.msWithin))
            return refused(sdmsg::EnterBox);
    } else if (method == SDMethod::FromStandardError) {
        if (blank(in.nA) || blank(in.se))
            return refused(sdmsg::EnterBoxes);
    } else {
        if (blank(in.sdA) || blank(in.sdB))
            return refused(sdmsg::EnterBoxes);
        // The sizes of the pooled estimate are asked for once the standard
        // deviations are there; that refusal leaves the answer box as it was.
        if (method == SDMethod::PooledSD && (blank(in.nA) || blank(in.nB))) {
            Outcome out;
            out.message = QString::fromLatin1(sdmsg::EnterSizes);
            return out;
        }
    }
    try {
        double estimate = 0;
        switch (method) {
        case SDMethod::ArithmeticMean:
        case SDMethod::WeightedMean:
        case SDMethod::HarmonicMean:
        case SDMethod::GeometricMean:
        case SDMethod::PooledSD: {
            const double a = platform::cdbl(in.sdA);
            const double b = platform::cdbl(in.sdB);
            if (method == SDMethod::ArithmeticMean)
                estimate = ar::div(ar::add(a, b), 2);
            else if (method == SDMethod::WeightedMean)
                estimate = root(ar::div(ar::add(ar::mul(a, a), ar::mul(b, b)), 2));
            else if (method == SDMethod::HarmonicMean)
                estimate = ar::div(ar::mul(2, ar::mul(a, b)), ar::add(a, b));
            else if (method == SDMethod::GeometricMean)
                estimate = root(ar::mul(a, b));
            else {
                const double na = platform::cdbl(in.nA);
                const double nb = platform::cdbl(in.nB);
                const double within = ar::add(ar::mul(ar::mul(a, a), ar::sub(na, 1)), ar::mul(ar::mul(b, b), ar::sub(nb, 1)));
                estimate = root(ar::div(within, ar::sub(ar::add(na, nb), 2)));
            }
            break;
        }
        case SDMethod::OneWayAnova:
            estimate = root(platform::cdbl(in.msWithin));
            break;
        case SDMethod::FromStandardError: {
            const double n = platform::cdbl(in.nA);
            const double e = platform::cdbl(in.se);
            estimate = ar::mul(root(n), e);
            break;
        }
        }
        Outcome out;
        out.set(QStringLiteral("txtAnswer"), platform::roundText(estimate, 5));
        return out;
    } catch (const platform::RuntimeError& e) {
        Outcome out;
        out.set(QStringLiteral("txtAnswer"), QString());
        out.message = calckit::errorMessage(e);
        return out;
    }
}

} // namespace calculators
