// The heterogeneity window's texts against R, the 0.05 boundary, and the
// results that hold no test of heterogeneity.
#include "metastats/HeterogeneityView.h"
#include "platform/Numbers.h"
#include "testkit/QtTestKit.h"

#include <limits>

namespace {

using metastats::HeterogeneityView;
using metastats::RosenthalResults;
namespace text = metastats::heterogeneity_text;

RosenthalResults resultsOf(const testkit::FixtureRow& r)
{
    RosenthalResults in;
    in.SumRosenthalStudyWeightsByD = platform::cdbl(r.values["SumRosenthalStudyWeightsByD"]);
    in.SumOfRosenthalStudyWeights = platform::cdbl(r.values["SumOfRosenthalStudyWeights"]);
    in.MeanRosenthalD = platform::cdbl(r.values["MeanRosenthalD"]);
    in.RosenthalFormula = platform::cdbl(r.values["RosenthalFormula"]);
    in.RosenthalN = static_cast<std::int16_t>(r.values["RosenthalN"].toInt());
    in.RosenthalP2 = platform::cdbl(r.values["RosenthalP2"]);
    return in;
}

} // namespace

TEST(HeterogeneityView, AgreesWithTheReferenceToEveryDigit)
{
    const auto rows = testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/heterogeneity_reference.tsv"));
    ASSERT_GE(rows.size(), 10u);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        const HeterogeneityView v = metastats::computeHeterogeneityView(resultsOf(r));
        EXPECT_EQ(v.numerator, r.values["txtFormula2Numerator"]);
        EXPECT_EQ(v.denominator, r.values["txtFormula2Denominator"]);
        EXPECT_EQ(v.mean, r.values["txtFormula2"]);
        EXPECT_EQ(v.q, r.values["txtFormula3"]);
        EXPECT_EQ(v.qShort, r.values["txtFormula4x"]);
        EXPECT_EQ(v.df, r.values["txtDF"]);
        EXPECT_EQ(v.p, r.values["txtFormula4"]);
        const bool red = r.values["red"] == QLatin1String("1");
        EXPECT_EQ(v.significant, red);
        EXPECT_EQ(v.summary, red ? text::Significant : text::NotSignificant);
        EXPECT_EQ(v.iSquared, r.values["txtISquaredResult"]);
    }
}

// No Q was computed (the run stopped after its first pass, or before it):
// the window neither shows a made-up df and p nor claims heterogeneity.
TEST(HeterogeneityView, WithoutAQStatisticNothingIsClaimed)
{
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = -12.3456789;
    r.SumOfRosenthalStudyWeights = 45.6789012;
    const HeterogeneityView v = metastats::computeHeterogeneityView(r);
    EXPECT_EQ(v.numerator, QStringLiteral("-12.34568"));
    EXPECT_EQ(v.denominator, QStringLiteral("45.6789"));
    for (const QString& s : {v.mean, v.q, v.qShort, v.df, v.iSquared})
        EXPECT_EQ(s, QStringLiteral("N/A"));
    EXPECT_EQ(v.p, QStringLiteral("p = N/A"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, text::NoQ);

    const HeterogeneityView none = metastats::computeHeterogeneityView({});
    EXPECT_EQ(none.numerator, QStringLiteral("0"));
    EXPECT_FALSE(none.significant);
    EXPECT_EQ(none.summary, text::NoQ);
}

// One study: Q 0 on 0 degrees of freedom, whose p the run keeps as 1 (as the
// report shows it); it is never heterogeneous.
TEST(HeterogeneityView, OneStudyShowsPOfOneAndIsNotHeterogeneous)
{
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = 25;
    r.SumOfRosenthalStudyWeights = 50;
    r.MeanRosenthalD = 0.5;
    r.RosenthalN = 1;
    r.RosenthalP2 = 1;
    HeterogeneityView v = metastats::computeHeterogeneityView(r);
    EXPECT_EQ(v.mean, QStringLiteral("0.5"));
    EXPECT_EQ(v.q, QStringLiteral("0"));
    EXPECT_EQ(v.df, QStringLiteral("0"));
    EXPECT_EQ(v.p, QStringLiteral("p = 1"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, text::NotSignificant);
    EXPECT_EQ(v.iSquared, QStringLiteral("0"));

    // Whatever p is kept, one study claims no heterogeneity.
    r.RosenthalP2 = 0;
    v = metastats::computeHeterogeneityView(r);
    EXPECT_EQ(v.p, QStringLiteral("p = 0"));
    EXPECT_FALSE(v.significant);
}

// A step that ended on its error box (too many studies, a d of 1) left
// counts and sums but no p: nothing is claimed.
TEST(HeterogeneityView, AStepThatStoppedEarlyClaimsNothing)
{
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = 100;
    r.SumOfRosenthalStudyWeights = 200;
    r.MeanRosenthalD = 0.5;
    r.RosenthalFormula = 12345.678;
    r.RosenthalN = 32767;
    r.RosenthalP2 = 0;
    r.stoppedEarly = true;
    const HeterogeneityView v = metastats::computeHeterogeneityView(r);
    EXPECT_EQ(v.numerator, QStringLiteral("100"));
    EXPECT_EQ(v.denominator, QStringLiteral("200"));
    for (const QString& s : {v.mean, v.q, v.qShort, v.df, v.iSquared})
        EXPECT_EQ(s, QStringLiteral("N/A"));
    EXPECT_EQ(v.p, QStringLiteral("p = N/A"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, text::NoQ);
}

TEST(HeterogeneityView, ValuesThatAreNoFiniteNumberShowNotAvailable)
{
    const double inf = std::numeric_limits<double>::infinity();
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = inf;
    r.SumOfRosenthalStudyWeights = std::numeric_limits<double>::quiet_NaN();
    r.MeanRosenthalD = 0.5;
    r.RosenthalFormula = inf;
    r.RosenthalN = 4;
    r.RosenthalP2 = 0;
    const HeterogeneityView v = metastats::computeHeterogeneityView(r);
    EXPECT_EQ(v.numerator, QStringLiteral("N/A"));
    EXPECT_EQ(v.denominator, QStringLiteral("N/A"));
    EXPECT_EQ(v.q, QStringLiteral("N/A"));
    EXPECT_EQ(v.iSquared, QStringLiteral("N/A"));
    EXPECT_EQ(v.df, QStringLiteral("3"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, text::NoQ);
}
