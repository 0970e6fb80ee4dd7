// The heterogeneity window: opens modal over the database window, fills its
// formulas, colours its verdict and closes with Exit.
#include "metastats/MetaAnalysis.h"
#include "metastats/HeterogeneityView.h"
#include "metastats/frmHeterogeneity.h"
#include "window_kit.h"

#include <QPushButton>

namespace {

using metastats::RosenthalResults;
namespace text = metastats::heterogeneity_text;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

RosenthalResults fiveStudies(double q, double p2)
{
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = 194.842032967033;
    r.SumOfRosenthalStudyWeights = 393.01510989011;
    r.MeanRosenthalD = 0.495762193523583;
    r.RosenthalFormula = q;
    r.RosenthalN = 5;
    r.RosenthalP2 = p2;
    return r;
}

} // namespace

TEST(HeterogeneityWindow, OpensModalOverTheDatabaseWindowWithTheLastResults)
{
    QWidget metData;
    QHash<QString, QString> shown;
    QString caption;
    QWidget* owner = nullptr;
    QSize size;
    QColor pColour, summaryColour;
    const bool came = metatest::inspectModal(
        [&] { metastats::showHeterogeneity(&metData, fiveStudies(16.419796235779323, 0.0025)); },
        [&](QWidget* w) {
            caption = w->windowTitle();
            owner = w->parentWidget();
            size = w->size();
            for (auto* box : w->findChildren<QLineEdit*>())
                shown[box->objectName()] = box->text();
            pColour = metatest::textColour(w, QStringLiteral("txtFormula4"));
            summaryColour = metatest::textColour(w, QStringLiteral("txtSummary"));
            for (const char* pic : {"picFormula1", "picFormula2", "picFormula3", "picFormula4", "picISquared"})
                EXPECT_NE(w->findChild<QWidget*>(QString::fromLatin1(pic)), nullptr) << pic;
        });
    ASSERT_TRUE(came);
    EXPECT_EQ(caption, QStringLiteral("Heterogeneity of Meta-analysis"));
    EXPECT_EQ(owner, &metData);
    EXPECT_EQ(size, QSize(875, 505));
    const QHash<QString, QString> expected{
        {"txtFormula2Numerator", "194.84203"}, {"txtFormula2Denominator", "393.01511"}, {"txtFormula2", "0.49576"},
        {"txtFormula3", "16.4198"},            {"txtFormula4x", "16.42"},               {"txtDF", "4"},
        {"txtFormula4", "p = 0.0025"},         {"txtSummary", text::Significant},       {"txtISquaredResult", "75.63917"}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(shown.value(it.key(), QStringLiteral("<none>")), it.value()) << it.key().toStdString();
    EXPECT_EQ(pColour, kRed);
    EXPECT_EQ(summaryColour, kRed);
    EXPECT_EQ(metData.findChild<metastats::frmHeterogeneity*>(), nullptr);
}

TEST(HeterogeneityWindow, VerdictAndColourTurnAtPointZeroFive)
{
    const struct {
        double p2;
        bool red;
    } cases[] = {{0.05, false}, {0.04999, true}, {0.05001, false}, {0.0, true}, {1.0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p2);
        QWidget metData;
        metastats::frmHeterogeneity w(&metData, fiveStudies(9.4877, c.p2));
        w.Form_Load();
        const QColor colour = c.red ? kRed : kBlack;
        EXPECT_EQ(metatest::textColour(&w, QStringLiteral("txtFormula4")), colour);
        EXPECT_EQ(metatest::textColour(&w, QStringLiteral("txtSummary")), colour);
        EXPECT_EQ(testkit::text(&w, QStringLiteral("txtSummary")), c.red ? text::Significant : text::NotSignificant);
    }
}

// I² from the Q shown: 5 studies (df 4), Q 5 gives 20, Q equal to df and
// below it give 0, and a Q of many decimals is taken at 5 places.
TEST(HeterogeneityWindow, ISquaredFollowsTheShownQ)
{
    const struct {
        double q;
        const char* q5;
        const char* q3;
        const char* i2;
    } cases[] = {{5, "5", "5", "20"},
                 {4, "4", "4", "0"},
                 {2.5, "2.5", "2.5", "0"},
                 {12.345678949, "12.34568", "12.346", "67.6"},
                 {4.000004999, "4", "4", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.q);
        QWidget metData;
        metastats::frmHeterogeneity w(&metData, fiveStudies(c.q, 0.5));
        w.Form_Load();
        EXPECT_EQ(testkit::text(&w, QStringLiteral("txtFormula3")), QString::fromLatin1(c.q5));
        EXPECT_EQ(testkit::text(&w, QStringLiteral("txtFormula4x")), QString::fromLatin1(c.q3));
        EXPECT_EQ(testkit::text(&w, QStringLiteral("txtDF")), QStringLiteral("4"));
        EXPECT_EQ(testkit::text(&w, QStringLiteral("txtISquaredResult")), QString::fromLatin1(c.i2));
    }
}

// After a run that computed no Q the window claims nothing (black, no p).
TEST(HeterogeneityWindow, NoQFromTheLastRunIsShownAsSuchAndExitCloses)
{
    QWidget metData;
    RosenthalResults r;
    r.SumRosenthalStudyWeightsByD = -3.5;
    r.SumOfRosenthalStudyWeights = 20;
    metastats::frmHeterogeneity w(&metData, r);
    w.Form_Load();
    w.show();
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtFormula2Numerator")), QStringLiteral("-3.5"));
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtDF")), QStringLiteral("N/A"));
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtFormula4")), QStringLiteral("p = N/A"));
    EXPECT_EQ(testkit::text(&w, QStringLiteral("txtSummary")), text::NoQ);
    EXPECT_EQ(metatest::textColour(&w, QStringLiteral("txtFormula4")), kBlack);
    EXPECT_EQ(metatest::textColour(&w, QStringLiteral("txtSummary")), kBlack);
    testkit::click(testkit::find<QPushButton>(&w, QStringLiteral("cmdExit")));
    EXPECT_FALSE(w.isVisible());
}
