#include "personchange/ReliableChange.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

#include <cmath>

namespace morvane {

namespace A = platform::arith;
using platform::cdbl;
using platform::roundText;

namespace {

const char* const PictureNames[] = {"picAwithin",     "picAover",  "picAreliable", "picBawayNorm", "picBwithinNorm",
                                    "picBreliable",   "picCtime1", "picCtime2",    "picCreliable", "picCintersect"};

const char* const ResultBoxes[] = {"Txt1sdConf", "Txt95Conf",  "Txt99Conf",  "TxtChangeScore", "TxtClient68",
                                   "TxtClient95", "TxtClient99", "TxtPointA",  "TxtPointB",      "TxtPointC",
                                   "TxtCNI",      "TxtAAnswer",  "TxtBAnswer", "TxtCAnswer"};

const char* const ExactBoxes[] = {"txtSEM2", "txtSED2", "txtZ", "txtChange", "txtConfidence"};

QStringList names(const char* const* list, size_t count)
{
    QStringList out;
    for (size_t i = 0; i < count; ++i)
        out << QString::fromLatin1(list[i]);
    return out;
}

double square(double x) { return A::pow(x, 2); }

// SEM = SD x sqrt(1 - r) and SEd = sqrt(SEM² + SEM²), both unrounded.
double semOf(double r, double sd) { return A::mul(sd, A::sqrt(A::sub(1.0, r))); }
double sedOf(double sem) { return A::sqrt(A::add(square(sem), square(sem))); }

struct Errors {
    double sem = 0;
    double sed = 0;
};

Errors measurementErrors(double r, double sd)
{
    Errors e;
    e.sem = semOf(r, sd);
    e.sed = sedOf(e.sem);
    return e;
}

bool reliabilityOutOfRange(double r) { return r >= 1 || r <= 0; }

// Which side of a cut-off counts as clinical.
struct Direction {
    bool clinicalHigher = true;
    bool clinicalSide(double x, double k) const { return clinicalHigher ? x > k : x < k; }
    bool normativeSide(double x, double k) const { return clinicalHigher ? x < k : x > k; }
};

// Tick when `met`, cross when `failed`, else the picture stays as it is.
void markIf(ChangeWriter& out, const char* picture, bool met, bool failed)
{
    if (met)
        out.mark(QString::fromLatin1(picture), Mark::Tick);
    else if (failed)
        out.mark(QString::fromLatin1(picture), Mark::Cross);
}

void markReliable(ChangeWriter& out, const char* picture, const QString& verdict95)
{
    markIf(out, picture, verdict95 == ChangeText::Has, verdict95 == ChangeText::HasNot);
}

// The criteria of one cut-off (displayed value k): Time 1 on the clinical
// side, Time 2 on the normative side, reliable change at 95 %.
struct CutOffCriteria {
    const char* answerBox;
    const char* time1Picture;
    const char* time2Picture;
    const char* reliablePicture;
};

bool allCriteriaMet(const Direction& dir, double t1, double t2, double k, const QString& verdict95)
{
    return verdict95 == ChangeText::Has && dir.clinicalSide(t1, k) && dir.normativeSide(t2, k);
}

void markCriteria(ChangeWriter& out, const CutOffCriteria& c, const Direction& dir, double t1, double t2, double k,
                  const QString& verdict95)
{
    markIf(out, c.time1Picture, dir.clinicalSide(t1, k), dir.normativeSide(t1, k));
    markIf(out, c.time2Picture, dir.normativeSide(t2, k), dir.clinicalSide(t2, k));
    markReliable(out, c.reliablePicture, verdict95);
}

struct ClinicalValues {
    bool clinMeanGiven, clinSDGiven, normMeanGiven, normSDGiven, timesGiven;
    double mc, sc, mn, sn;
};

// Cut-off A or B: writes the box and, when the scores are there, the answer
// and the three pictures. Returns whether the cut-off was computed.
void cutOff(ChangeWriter& out, const char* box, bool given, double value, const CutOffCriteria& c,
            const Direction& dir, const ChangeInput& in, const ClinicalValues& v, const QString& verdict95)
{
    const QString text = given ? roundText(value, 5) : ChangeText::NA;
    out.write(QString::fromLatin1(box), text);
    if (v.timesGiven && text != ChangeText::NA) {
        const double t1 = cdbl(in.time1), t2 = cdbl(in.time2), k = cdbl(text);
        out.write(QString::fromLatin1(c.answerBox),
                  allCriteriaMet(dir, t1, t2, k, verdict95) ? ChangeText::Yes : ChangeText::NotMet);
        markCriteria(out, c, dir, t1, t2, k, verdict95);
    } else {
        out.write(QString::fromLatin1(c.answerBox), ChangeText::NotEnough);
    }
}

// The clinical step. Returns the message that ended the command, or an
// empty string; `completed` tells whether the command goes on.
QString clinicalStep(const ChangeInput& in, const QString& verdict95, ChangeWriter& out, bool& completed)
{
    completed = false;
    ClinicalValues v{};
    v.clinMeanGiven = !in.clinMean.isEmpty();
    v.clinSDGiven = !in.clinSD.isEmpty();
    v.normMeanGiven = !in.normMean.isEmpty();
    v.normSDGiven = !in.normSD.isEmpty();
    v.timesGiven = !in.time1.isEmpty() && !in.time2.isEmpty();
    v.mc = v.clinMeanGiven ? cdbl(in.clinMean) : 0.0;
    v.sc = v.clinSDGiven ? cdbl(in.clinSD) : 0.0;
    v.mn = v.normMeanGiven ? cdbl(in.normMean) : 0.0;
    v.sn = v.normSDGiven ? cdbl(in.normSD) : 0.0;

    if (!v.normMeanGiven && v.clinMeanGiven)
        out.inform(ChangeText::ClinicalOnly);
    if (v.normMeanGiven && !v.clinMeanGiven)
        out.inform(ChangeText::NormativeOnly);

    const bool bothMeans = v.clinMeanGiven && v.normMeanGiven;
    if (bothMeans && v.mc > v.mn)
        out.setStatus(ChangeText::ClinicalHigher, StatusColour::Red);
    else if (bothMeans && v.mn > v.mc)
        out.setStatus(ChangeText::NormativeHigher, StatusColour::Blue);
    else
        out.setStatus(ChangeText::NotComputable, StatusColour::Black);

    Direction dir;
    if (bothMeans) {
        if (v.mc == v.mn)
            return ChangeText::EqualMeans;
        dir.clinicalHigher = v.mc > v.mn;
    } else if (v.clinMeanGiven) {
        dir.clinicalHigher = true;
    } else if (v.normMeanGiven) {
        dir.clinicalHigher = false;
    } else {
        return {};
    }

    // A: 1.96 SD from the clinical mean towards the normative side.
    double a = 0;
    const bool aGiven = v.clinMeanGiven && v.clinSDGiven;
    if (aGiven) {
        const double reach = A::mul(CutOffFactor, v.sc);
        a = dir.clinicalHigher ? A::sub(v.mc, reach) : A::add(v.mc, reach);
    }
    cutOff(out, "TxtPointA", aGiven, a, {"TxtAAnswer", "picAwithin", "picAover", "picAreliable"}, dir, in, v,
           verdict95);

    // B: 1.96 SD from the normative mean towards the clinical side.
    double b = 0;
    const bool bGiven = v.normMeanGiven && v.normSDGiven;
    if (bGiven) {
        const double reach = A::mul(CutOffFactor, v.sn);
        b = dir.clinicalHigher ? A::add(v.mn, reach) : A::sub(v.mn, reach);
    }
    cutOff(out, "TxtPointB", bGiven, b, {"TxtBAnswer", "picBawayNorm", "picBwithinNorm", "picBreliable"}, dir, in,
           v, verdict95);

    // C: between the means, the same number of each sample's SDs from each.
    const bool cGiven = aGiven && bGiven;
    double c = 0;
    QString cText = ChangeText::NA;
    if (cGiven) {
        c = A::div(A::add(A::mul(v.mn, v.sc), A::mul(v.mc, v.sn)), A::add(v.sc, v.sn));
        cText = roundText(c, 5);
    }
    out.write(QStringLiteral("TxtPointC"), cText);
    if (!v.timesGiven || cText == ChangeText::NA) {
        out.write(QStringLiteral("TxtCAnswer"), ChangeText::NotEnough);
    } else {
        const double t1 = cdbl(in.time1), t2 = cdbl(in.time2), k = cdbl(cText);
        const bool apart = (a > c && b > c) || (a < c && b < c) ||
                           (dir.clinicalSide(a, c) && dir.normativeSide(b, c));
        if (apart) {
            out.write(QStringLiteral("TxtCAnswer"), ChangeText::NoIntersection);
            out.write(QStringLiteral("TxtCNI"), ChangeText::NI);
        } else {
            out.write(QStringLiteral("TxtCAnswer"),
                      allCriteriaMet(dir, t1, t2, k, verdict95) ? ChangeText::Yes : ChangeText::NotMet);
        }
        markCriteria(out, {"TxtCAnswer", "picCtime1", "picCtime2", "picCreliable"}, dir, t1, t2, k, verdict95);
        markIf(out, "picCintersect", dir.normativeSide(a, c) && dir.clinicalSide(b, c),
               dir.clinicalSide(a, c) || dir.normativeSide(b, c));
    }
    completed = true;
    return {};
}

} // namespace

QString markFile(Mark m)
{
    switch (m) {
    case Mark::Tick: return QStringLiteral("tick.gif");
    case Mark::Cross: return QStringLiteral("cross.gif");
    case Mark::Help: break;
    }
    return QStringLiteral("help.gif");
}

QStringList criterionPictures() { return names(PictureNames, std::size(PictureNames)); }
QStringList reliableChangeResultBoxes() { return names(ResultBoxes, std::size(ResultBoxes)); }
QStringList exactConfidenceBoxes() { return names(ExactBoxes, std::size(ExactBoxes)); }

QString runReliableChange(const ChangeInput& in, ChangeWriter& out)
{
    for (const char* name : ResultBoxes)
        out.write(QString::fromLatin1(name), QString());
    for (const char* name : PictureNames)
        out.mark(QString::fromLatin1(name), Mark::Help);

    if (in.reliability.isEmpty() || in.sd.isEmpty())
        return ChangeText::NoStep1;
    const double r = cdbl(in.reliability);
    if (reliabilityOutOfRange(r))
        return ChangeText::BadReliability;

    const double sem = semOf(r, cdbl(in.sd));
    out.write(QStringLiteral("TxtSEM"), roundText(sem, 5));
    const double sed = sedOf(sem);
    out.write(QStringLiteral("TxtSED"), roundText(sed, 5));

    // The thresholds as displayed; each verdict is decided against them.
    const char* const thresholdBoxes[] = {"Txt1sdConf", "Txt95Conf", "Txt99Conf"};
    const char* const verdictBoxes[] = {"TxtClient68", "TxtClient95", "TxtClient99"};
    QString thresholds[3];
    thresholds[0] = roundText(sed, 3);
    out.write(QString::fromLatin1(thresholdBoxes[0]), thresholds[0]);
    thresholds[1] = roundText(A::mul(sed, Z95), 5);
    out.write(QString::fromLatin1(thresholdBoxes[1]), thresholds[1]);
    thresholds[2] = roundText(A::mul(sed, Z99), 5);
    out.write(QString::fromLatin1(thresholdBoxes[2]), thresholds[2]);

    QString verdict95;
    if (!in.time1.isEmpty() && !in.time2.isEmpty()) {
        const double change = A::sub(cdbl(in.time2), cdbl(in.time1));
        out.write(QStringLiteral("TxtChangeScore"), platform::numText(change));
        for (int i = 0; i < 3; ++i) {
            const double t = cdbl(thresholds[i]);
            const QString verdict = A::sub(square(change), square(t)) > 0 ? ChangeText::Has : ChangeText::HasNot;
            out.write(QString::fromLatin1(verdictBoxes[i]), verdict);
            if (i == 1)
                verdict95 = verdict;
        }
    }

    bool completed = false;
    const QString message = clinicalStep(in, verdict95, out, completed);
    if (completed)
        out.selectStartTab();
    return message;
}

namespace {

// Steps common to both calculators: empty the outputs, check the inputs, and
// compute SEM and SEd. Returns the message that stopped it, or "".
QString exactCommon(const QString& reliability, const QString& sd, const QString& own, const QString& noData,
                    ChangeWriter& out)
{
    for (const char* name : ExactBoxes)
        out.write(QString::fromLatin1(name), QString());
    if (own.isEmpty() || reliability.isEmpty() || sd.isEmpty())
        return noData;
    if (reliabilityOutOfRange(cdbl(reliability)))
        return ChangeText::BadReliability;
    return {};
}

void writeErrors(ChangeWriter& out, const Errors& e)
{
    out.write(QStringLiteral("txtSEM2"), roundText(e.sem, 8));
    out.write(QStringLiteral("txtSED2"), roundText(e.sed, 8));
}

} // namespace

QString runChangeForLevel(const QString& reliability, const QString& sd, const QString& percentage,
                          ChangeWriter& out)
{
    if (QString m = exactCommon(reliability, sd, percentage, ChangeText::NoLevelData, out); !m.isEmpty())
        return m;
    const double level = cdbl(percentage);
    if (level >= 100 || level <= 0)
        return ChangeText::BadLevel;
    const Errors e = measurementErrors(cdbl(reliability), cdbl(sd));
    const double p = A::sub(1.0, A::div(A::sub(1.0, A::div(level, 100.0)), 2.0));
    const double z = platform::StatDistributions::instance().NormalInverse(p, 0, 1);
    const QString zText = platform::numText(z);
    const QString change = roundText(A::mul(e.sed, z), 8);
    writeErrors(out, e);
    out.write(QStringLiteral("txtZ"), zText);
    out.write(QStringLiteral("txtChange"), change);
    return {};
}

QString runConfidenceForChange(const QString& reliability, const QString& sd, const QString& pointChange,
                               ChangeWriter& out)
{
    if (QString m = exactCommon(reliability, sd, pointChange, ChangeText::NoPointData, out); !m.isEmpty())
        return m;
    const double d = cdbl(pointChange);
    if (d == 0)
        return ChangeText::ZeroPoint;
    const Errors e = measurementErrors(cdbl(reliability), cdbl(sd));
    const double z = A::div(d, e.sed);
    const QString zText = platform::numText(z);
    const double phi = platform::StatDistributions::instance().NormalCumulative(std::fabs(z), 0, 1);
    const double confidence = A::sub(100.0, A::mul(A::mul(2.0, A::sub(1.0, phi)), 100.0));
    const QString confidenceText = roundText(confidence, 8);
    writeErrors(out, e);
    out.write(QStringLiteral("txtZ"), zText);
    out.write(QStringLiteral("txtConfidence"), confidenceText);
    return {};
}

} // namespace morvane
