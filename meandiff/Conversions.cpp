#include "meandiff/Conversions.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"

namespace meandiff {

namespace conversions {

namespace A = platform::arith;

double rToD(double r) { return A::div(A::mul(2, r), A::sqrt(A::sub(1, A::mul(r, r)))); }

double dToR(double d) { return A::div(d, A::sqrt(A::add(A::mul(d, d), 4))); }

double dToRCorrected(double d, double n1, double n2)
{
    const double n = A::add(n1, n2);
    const double a = A::div(A::sub(A::mul(n, n), A::mul(2, n)), A::mul(n1, n2));
    return A::div(d, A::sqrt(A::add(A::mul(d, d), a)));
}

double fToD(double f, double df) { return A::div(A::mul(2, A::sqrt(f)), A::sqrt(df)); }

double fToR(double f, double df) { return A::sqrt(A::div(f, A::add(f, df))); }

double tToR(double t, double df)
{
    const double t2 = A::mul(t, t);
    return A::sqrt(A::div(t2, A::add(t2, df)));
}

double tToD(double t, double df) { return platform::roundHalfEven(A::div(A::mul(2, t), A::sqrt(df)), 5); }

double tToDCorrected(double d5, double n1, double n2)
{
    const double a = A::div(A::add(n2, n1), 2);                                 // arithmetic mean
    const double h = A::div(1, A::mul(A::add(A::div(1, n2), A::div(1, n1)), 0.5));       // harmonic mean
    return platform::roundHalfEven(A::mul(A::sqrt(A::div(a, h)), d5), 5);
}

double chiToR(double chi, double n) { return A::sqrt(A::div(chi, n)); }

double gToD(double g, double n, double df) { return A::mul(g, A::sqrt(A::div(n, df))); }

double dToG(double d, double df, double n) { return A::mul(d, A::sqrt(A::div(df, n))); }

double gToR(double g, double df, double n) { return A::div(g, A::sqrt(A::add(A::mul(g, g), A::div(A::mul(4, df), n)))); }

double fsqToRsq(double f2) { return A::div(f2, A::add(f2, 1)); }

double rToZ(double r) { return A::div(A::log(std::fabs(A::div(A::add(r, 1), A::sub(r, 1)))), 2); }

double rToT(double r, double df) { return A::mul(A::div(r, A::sqrt(A::sub(1, A::mul(r, r)))), A::sqrt(df)); }

double rToChi(double r, double n) { return A::mul(A::mul(r, r), n); }

double wToC(double w)
{
    const double w2 = A::mul(w, w);
    return A::sqrt(A::div(w2, A::add(w2, 1)));
}

double cToW(double c)
{
    const double c2 = A::mul(c, c);
    return A::sqrt(A::div(c2, A::sub(1, c2)));
}

double chiToC(double chi, double n) { return A::sqrt(A::div(chi, A::add(chi, n))); }

} // namespace conversions

namespace convmsg {
const char* const EnterValue = "You must enter some data into the 'Enter Value' box.";
const char* const RLessThanOne = "Your r value must be less than 1.";
const char* const GroupSizes = "You must enter the group sample sizes if you wish to correct for this.";
const char* const DfError = "You must enter the degrees of freedom (error) to compute this.";
const char* const TotalN = "You must enter the total sample size to compute this.";
const char* const TotalNAndDf = "You must enter the total sample size and degrees of freedom to compute this.";
const char* const TotalNAndWithinDf =
    "You must enter the total sample size and within degrees of freedom to compute this.";
const char* const CorrelationRange = "You cannot have a correlation equal to, or more than, 1, or equal to, or less "
                                     "than, 0, for this analysis.";
const char* const WithinDf = "You must enter the within degrees of freedom (e.g., N-2) to compute this.";
const char* const Subjects = "You must enter the number of subjects to compute this.";
} // namespace convmsg

ConversionOutcome convert(Conversion c, double x, const QStringList& params, bool corrected)
{
    namespace cv = conversions;
    ConversionOutcome out;
    auto text = [&](int i) { return i < params.size() ? params[i] : QString(); };
    auto missing = [&](int i) { return text(i).trimmed().isEmpty(); };
    auto num = [&](int i) { return platform::cdbl(text(i)); };
    auto refuse = [&](const char* message) { out.message = QString::fromUtf8(message); };
    auto show = [&](double v) {
        out.answer = platform::roundText(v, 5);
        out.showLine = true;
    };

    try {
        switch (c) {
        case Conversion::RtoD:
            if (x >= 1)
                refuse(convmsg::RLessThanOne);
            else
                show(cv::rToD(x));
            break;
        case Conversion::DtoR:
            if (!corrected)
                show(cv::dToR(x));
            else if (missing(0) || missing(1))
                refuse(convmsg::GroupSizes);
            else
                show(cv::dToRCorrected(x, num(0), num(1)));
            break;
        case Conversion::FtoD:
            if (missing(0))
                refuse(convmsg::DfError);
            else
                show(cv::fToD(x, num(0)));
            break;
        case Conversion::FtoR:
            if (missing(0))
                refuse(convmsg::DfError);
            else
                show(cv::fToR(x, num(0)));
            break;
        case Conversion::TtoR:
            if (missing(0))
                refuse(convmsg::DfError);
            else
                show(cv::tToR(x, num(0)));
            break;
        case Conversion::TtoD: {
            if (missing(0)) {
                refuse(convmsg::DfError);
                break;
            }
            out.showLine = true; // named as soon as the degrees of freedom are there
            const double d5 = cv::tToD(x, num(0));
            if (!corrected)
                out.answer = platform::numText(d5);
            else if (missing(1) || missing(2))
                refuse(convmsg::GroupSizes);
            else
                out.answer = platform::numText(cv::tToDCorrected(d5, num(1), num(2)));
            break;
        }
        case Conversion::ChitoR:
            if (missing(0))
                refuse(convmsg::TotalN);
            else
                show(cv::chiToR(x, num(0)));
            break;
        case Conversion::GtoD:
            if (missing(0) || missing(1))
                refuse(convmsg::TotalNAndDf);
            else
                show(cv::gToD(x, num(0), num(1)));
            break;
        case Conversion::DtoG:
            if (missing(0) || missing(1))
                refuse(convmsg::TotalNAndWithinDf);
            else
                show(cv::dToG(x, num(0), num(1)));
            break;
        case Conversion::GtoR:
            if (missing(0) || missing(1))
                refuse(convmsg::TotalNAndWithinDf);
            else
                show(cv::gToR(x, num(0), num(1)));
            break;
        case Conversion::FsqToRsq:
            show(cv::fsqToRsq(x));
            break;
        case Conversion::RtoZ:
            if (!(x > 0 && x < 1))
                refuse(convmsg::CorrelationRange);
            else
                show(cv::rToZ(x));
            break;
        case Conversion::RtoT:
            if (missing(0))
                refuse(convmsg::WithinDf);
            else
                show(cv::rToT(x, num(0)));
            break;
        case Conversion::RtoChi:
            if (missing(0))
                refuse(convmsg::Subjects);
            else
                show(cv::rToChi(x, num(0)));
            break;
        case Conversion::WtoC:
            show(cv::wToC(x));
            break;
        case Conversion::CtoW:
            show(cv::cToW(x));
            break;
        case Conversion::ChitoC:
            if (missing(0))
                refuse(convmsg::TotalN);
            else
                show(cv::chiToC(x, num(0)));
            break;
        }
    } catch (const platform::RuntimeError& e) {
        out.answer.clear();
        out.message = frame::conversionErrorMessage(e);
    }
    return out;
}

} // namespace meandiff
