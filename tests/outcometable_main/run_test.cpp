// The "Do It!" command through the window: input checks, the confidence
// level, "---" where a value cannot be computed, odds ratios with the log
// display, the NNT warnings and the chi-square group.
#include "WindowHarness.h"
#include "meandiff/EffectSize.h"
#include "outcometable/OutcomeStats.h"
#include "platform/Numbers.h"

#include <cmath>

namespace quellin_test {
namespace {

using platform::MsgIcon;

class RunTest : public QuellinWindowTest {
protected:
    // Every result box emptied by a run.
    void expectAllResultsEmpty()
    {
        for (const QString& name : quellin::resultBoxes())
            EXPECT_EQ(text(name), QString()) << name.toStdString();
    }
    // No box of the window shows an infinity or a NaN.
    void expectNoNonNumbers()
    {
        for (auto* e : w->findChildren<QLineEdit*>()) {
            const QString t = e->text().toLower();
            EXPECT_FALSE(t.contains(QLatin1String("inf")) || t.contains(QLatin1String("nan")))
                << e->objectName().toStdString() << " = " << t.toStdString();
        }
    }
};

TEST_F(RunTest, AnEmptyRequiredBoxGivesTheInputMessageAndEmptiesThePreviousResults)
{
    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    doIt();
    ASSERT_EQ(text(QStringLiteral("TotalN")), QStringLiteral("30"));
    enter(QStringLiteral("CtrlSame"), QString());
    testkit::MsgBoxScript boxes;
    doIt();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text, quellin::OutcomeText::InputError);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Quellin - Input Error"));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);
    expectAllResultsEmpty();
    // The log box stays as the previous run showed it, unticked.
    EXPECT_TRUE(shown(QStringLiteral("chkLogs")));

    // In 3 x 2 mode the deteriorated boxes are required too.
    table3({QStringLiteral("1"), QStringLiteral("2"), QString()}, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    doIt();
    EXPECT_EQ(boxes.count(), 2);
    expectAllResultsEmpty();
}

TEST_F(RunTest, LevelsOutsideTheOpenIntervalShowTheLevelMessageAfterTheTotals)
{
    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    // A level too large for a number is as far outside as any.
    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("abc"), QString(),
                               QStringLiteral("1e999%"), QStringLiteral("-1e999"), QString(400, QLatin1Char('9'))}) {
        SCOPED_TRACE(bad.toStdString());
        level(bad);
        testkit::MsgBoxScript boxes;
        doIt();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Your confidence level must be below 100 and above 0."));
        EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::None);
        EXPECT_EQ(text(QStringLiteral("TxN")), QStringLiteral("15"));
        EXPECT_EQ(text(QStringLiteral("TotalN")), QStringLiteral("30"));
        EXPECT_EQ(text(QStringLiteral("txtConf(0)")), QString());
        EXPECT_EQ(text(QStringLiteral("EventTxImp")), QString());
        EXPECT_EQ(text(QStringLiteral("txtChiSquared")), QString());
    }
}

TEST_F(RunTest, ATypedLevelUsesTheNormalQuantileAndAListedOneItsConstant)
{
    table2(QStringLiteral("45"), QStringLiteral("55"), QStringLiteral("30"), QStringLiteral("70"));
    const double D = 0.45 - 0.3;
    const double se = std::sqrt(0.45 * 0.55 / 100 + 0.3 * 0.7 / 100);
    level(QStringLiteral("95%"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("ARImpPlus")), platform::roundText(D + 1.95996 * se, 4));
    level(QStringLiteral("95"));
    doIt();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(QStringLiteral("txtConf(%1)").arg(i)), QStringLiteral("95%"));
    // 97.5 % sits at z = 2.2414027: the limits differ from the listed constants'.
    level(QStringLiteral("97.5"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtConf(3)")), QStringLiteral("97.5%"));
    EXPECT_EQ(text(QStringLiteral("ARImpPlus")), platform::roundText(D + 2.241402727604947 * se, 4));
}

TEST_F(RunTest, ACountThatIsNoNumberStopsTheRunWithAMessageFromTheButtonAndSilentlyFromTheToolbar)
{
    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    doIt();
    enter(QStringLiteral("TxImp"), QStringLiteral("."));
    EXPECT_EQ(text(QStringLiteral("TxImp")), QStringLiteral("."));
    {
        testkit::MsgBoxScript boxes;
        doIt();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.shown()[0].text, frame::EffectSizeText::ErrorLead + QStringLiteral("\r\nType mismatch"));
        expectAllResultsEmpty();
    }
    {
        testkit::MsgBoxScript boxes;
        w->Toolbar1_ButtonClick(QStringLiteral("Calculate"));
        EXPECT_EQ(boxes.count(), 0);
        expectAllResultsEmpty();
    }
}

TEST_F(RunTest, TheToolbarCalculatesLikeTheButtonAndIgnoresAKeyInAnotherCase)
{
    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    w->Toolbar1_ButtonClick(QStringLiteral("calculate"));
    EXPECT_EQ(text(QStringLiteral("TotalN")), QString());
    w->Toolbar1_ButtonClick(QStringLiteral("Calculate"));
    EXPECT_EQ(text(QStringLiteral("TotalN")), QStringLiteral("30"));
    EXPECT_EQ(text(QStringLiteral("txtChiSquared")), platform::roundText(1470.0 / 221, 5));
}

TEST_F(RunTest, InTwoByTwoModeTheDeterioratedCountsAreIgnored)
{
    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    box(QStringLiteral("TxWorse"))->setText(QStringLiteral("7"));
    box(QStringLiteral("CtrlWorse"))->setText(QStringLiteral("9"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtWorseN")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("TxN")), QStringLiteral("15"));
    for (const char* name : {"EventTxWorse", "EventCtrlWorse", "RRWorse", "RRWorseMinus", "RRWorsePlus", "RRIWorse",
                             "EOTxWorse", "EOCtrlWorse", "RORWorse", "RORWorseMinus", "RORWorsePlus", "NNH",
                             "NNHConfPlus", "NNHConfMinus"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("---")) << name;
    EXPECT_EQ(text(QStringLiteral("ARWorse")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("ARWSign")), QStringLiteral("No Change"));
    EXPECT_EQ(text(QStringLiteral("ARWorseMinus")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("ARWorsePlus")), QStringLiteral("0"));
    EXPECT_FALSE(shown(QStringLiteral("cmdNNHWarning")));
    // The odds of the second outcome are those of not improving.
    EXPECT_EQ(text(QStringLiteral("EOTxImp")), QStringLiteral("2"));
    EXPECT_EQ(text(QStringLiteral("EOTxSame")), QStringLiteral("0.5"));
    EXPECT_EQ(text(QStringLiteral("EOCtrlImp")), QStringLiteral("0.25"));
    EXPECT_EQ(text(QStringLiteral("EOCtrlSame")), QStringLiteral("4"));
    EXPECT_EQ(text(QStringLiteral("RORImp")), QStringLiteral("8"));
    EXPECT_EQ(text(QStringLiteral("RORSame")), QStringLiteral("0.125"));
}

TEST_F(RunTest, ATableOfZerosShowsDashesAndNoChangeAndLeavesTheChiSquareGroupEmpty)
{
    table3({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    doIt();
    for (const char* name : {"TxN", "CtrlN", "TotalN", "txtImpN", "txtSameN", "txtWorseN", "ARImp", "ARSame", "ARWorse"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("0")) << name;
    for (const char* name : {"ARISign", "ARSSign", "ARWSign"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("No Change")) << name;
    for (const char* name :
         {"EventTxImp", "EventTxSame", "EventTxWorse", "EventCtrlImp", "EventCtrlSame", "EventCtrlWorse", "RRImp",
          "RRImpMinus", "RRImpPlus", "RRSame", "RRWorse", "RRIImp", "RRISame", "RRIWorse", "ARImpMinus", "ARImpPlus",
          "ARSameMinus", "ARSamePlus", "ARWorseMinus", "ARWorsePlus", "EOTxImp", "EOCtrlWorse", "RORImp",
          "RORSameMinus", "RORWorsePlus", "NNT", "NNH", "NNTConfPlus", "NNTConfMinus", "NNHConfPlus", "NNHConfMinus"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("---")) << name;
    EXPECT_FALSE(shown(QStringLiteral("cmdNNTWarning")));
    EXPECT_FALSE(shown(QStringLiteral("cmdNNHWarning")));
    EXPECT_TRUE(shown(QStringLiteral("chkLogs")));
    for (const char* name : {"txtChiSquared", "txtDF", "txt2P", "txtPhi", "txtESW", "txtESC", "txtFishers2P"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QString()) << name;
}

TEST_F(RunTest, RatesOfZeroGiveDashesOnlyWhereADivisionOrLogarithmFails)
{
    // Control improved 0: relative risk and its increase "---", the difference computed.
    // Treatment deteriorated 0 with control cases: relative risk 0, limits "---", increase -100%.
    table3({QStringLiteral("6"), QStringLiteral("4"), QStringLiteral("0")}, {QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("4")});
    doIt();
    EXPECT_EQ(text(QStringLiteral("RRImp")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("RRIImp")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("ARImp")), QStringLiteral("0.6"));
    EXPECT_EQ(text(QStringLiteral("ARISign")), QStringLiteral("Tx Increase"));
    EXPECT_NE(text(QStringLiteral("ARImpMinus")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("RRWorse")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("RRWorseMinus")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("RRWorsePlus")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("RRIWorse")), QStringLiteral("-100%"));
    // d = 0: control odds of improving 0 and the odds ratio "---".
    EXPECT_EQ(text(QStringLiteral("EOCtrlImp")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("RORImp")), QStringLiteral("---"));
}

TEST_F(RunTest, ADifferenceThatRoundsToZeroKeepsTheDirectionOfItsSign)
{
    table2(QStringLiteral("100000"), QStringLiteral("100001"), QStringLiteral("1"), QStringLiteral("1"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("ARImp")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("ARISign")), QStringLiteral("Tx Decrease"));
    EXPECT_EQ(text(QStringLiteral("ARSSign")), QStringLiteral("Tx Increase"));
}

TEST_F(RunTest, OneEmptyGroupAndPastedNegativeCountsShowDashesNeverInfinityOrNaN)
{
    // Mended: with one group empty the comparisons have no value.
    table2(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("5"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("EventTxImp")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("EventCtrlImp")), QStringLiteral("0.5"));
    for (const char* name : {"RRImp", "RRIImp", "ARImp", "ARISign", "ARImpMinus", "ARImpPlus", "NNT", "NNTConfPlus",
                             "NNTConfMinus"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("---")) << name;
    EXPECT_FALSE(shown(QStringLiteral("cmdNNTWarning")));
    expectNoNonNumbers();

    testkit::MsgBoxScript boxes;
    table2(QStringLiteral("1e300"), QStringLiteral("1e300"), QStringLiteral("1"), QStringLiteral("2"));
    fisher(true);
    doIt();
    expectNoNonNumbers();
    // Only the counts of 1e300 bring a message: too large for Fisher's test.
    EXPECT_EQ(boxes.texts(), QStringList{quellin::OutcomeText::FisherTooLarge});
}

TEST_F(RunTest, FisherTellsWhenACountIsTooLargeToHoldExactlyAndGivesNoP)
{
    testkit::MsgBoxScript boxes;
    const QString huge = QStringLiteral("10000000000000000");
    table2(huge, huge, QStringLiteral("1"), QStringLiteral("1"));
    fisher(true);
    doIt();
    EXPECT_EQ(boxes.texts(), QStringList{quellin::OutcomeText::FisherTooLarge});
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QStringLiteral("---"));
    EXPECT_FALSE(text(QStringLiteral("txtChiSquared")).isEmpty());   // the rest of the group is shown
    expectNoNonNumbers();

    // 2^53 itself is still exact: a p, no message.
    boxes.clear();
    const QString limit = QStringLiteral("9007199254740992");
    table2(limit, limit, limit, limit);
    doIt();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("0.5"));
}

// Fisher's test is defined for whole counts: a table with a count that is not
// whole gets no p and one message, while every other result is as without
// the test.
TEST_F(RunTest, FisherGivesNoPForCountsThatAreNotWhole)
{
    const QStringList tables[] = {
        {"1.9", "4.1", "7", "10"},   // once 0.39279 from a margin one too small
        {"2.5", "7.5", "5", "5"},    {"6", "3.5", "4", "8"},     {"1.5", "1.5", "1.5", "1.5"},
        {"10.5", "10.5", "10.5", "10.5"}, {"10", "5", "3", "12.000000000000001"}, {"0.5", "3", "4", "5"},
        {"3", "4", "5", "4.9406564584124654e-324"}, {"1e-400", "3", "4", "5"}, {"7", "2.25e0", "9", "1"},
    };
    const QStringList boxesOfTheGroup = {"txtChiSquared", "txtDF", "txt2P", "txt1P", "txtYates", "txtYates2P",
                                         "txtYates1P", "txtPhi", "txtESW", "txtESC", "TotalN", "RORImp"};
    for (const QStringList& t : tables) {
        SCOPED_TRACE(t.join(QLatin1Char(' ')).toStdString());
        table2(t[0], t[1], t[2], t[3]);
        fisher(false);
        doIt();
        QStringList without;
        for (const QString& b : boxesOfTheGroup)
            without << text(b);
        testkit::MsgBoxScript boxes;
        fisher(true);
        doIt();
        EXPECT_EQ(boxes.texts(), QStringList{quellin::OutcomeText::FisherNotWhole});
        EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("---"));
        EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QStringLiteral("---"));
        QStringList with;
        for (const QString& b : boxesOfTheGroup)
            with << text(b);
        EXPECT_EQ(with, without);
        expectNoNonNumbers();
    }
    // Whole counts in any notation are whole: the p of 10 / 5 / 3 / 12.
    testkit::MsgBoxScript boxes;
    table2(QStringLiteral("1e1"), QStringLiteral("5.000"), QStringLiteral("003"), QStringLiteral("1.2E+1"));
    fisher(true);
    doIt();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("0.01266"));
}

// The typed text decides whether a count is beyond 2^53: 9007199254740993
// becomes the double 2^53, and once passed unnoticed.
TEST_F(RunTest, FisherJudgesATypedCountAbove2To53OnItsText)
{
    const char* const tooLarge[] = {"9007199254740993", "9007199254740992.5", "9.007199254740993e15",
                                    "00009007199254740993", "90071992547409930e-1"};
    for (const char* count : tooLarge) {
        SCOPED_TRACE(count);
        testkit::MsgBoxScript boxes;
        table2(QString::fromLatin1(count), QStringLiteral("9007199254740992"), QStringLiteral("1"),
               QStringLiteral("1"));
        fisher(true);
        doIt();
        EXPECT_EQ(boxes.texts(), QStringList{quellin::OutcomeText::FisherTooLarge});
        EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("---"));
        EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QStringLiteral("---"));
        EXPECT_FALSE(text(QStringLiteral("txtChiSquared")).isEmpty());
    }
    // Exactly 2^53 written otherwise is still within range.
    for (const char* count : {"9.007199254740992e15", "0009007199254740992", "90071992547409920e-1",
                              "9007199254740992.000"}) {
        SCOPED_TRACE(count);
        testkit::MsgBoxScript boxes;
        const QString c = QString::fromLatin1(count);
        table2(c, c, c, c);
        fisher(true);
        doIt();
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("0.5"));
    }
}

TEST_F(RunTest, ANegativeCountGivesItsMessageAndNoResultInEitherLayout)
{
    struct Case {
        int outcomes;
        QStringList tx, ctrl;
    };
    const QList<Case> cases = {
        {2, {"-3", "20", "-"}, {"30", "40", "-"}},
        {2, {"10", "-0.5", "-"}, {"30", "40", "-"}},
        {2, {"10", "20", "-"}, {"30", "-40", "-"}},
        {2, {"-1", "-2", "-"}, {"3", "-4", "-"}},
        {3, {"10", "20", "-3"}, {"30", "40", "5"}},
        {3, {"10", "20", "3"}, {"30", "40", "-5"}},
        {3, {"-3", "4", "1"}, {"2", "-7", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.tx + c.ctrl).join(QLatin1Char(' ')).toStdString());
        // A good table first, so that there are results to lose.
        if (c.outcomes == 2) {
            table2(QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40"));
            fisher(true);
        } else {
            table3({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("3")},
                   {QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("5")});
        }
        doIt();
        ASSERT_FALSE(text(QStringLiteral("txtChiSquared")).isEmpty());

        // Pasted or read from a file: the key filter lets no "-" through.
        if (c.outcomes == 2)
            table2(c.tx[0], c.tx[1], c.ctrl[0], c.ctrl[1]);
        else
            table3(c.tx, c.ctrl);
        testkit::MsgBoxScript boxes;
        doIt();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.shown()[0].text, quellin::OutcomeText::NegativeCount);
        EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Quellin - Input Error"));
        EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Exclamation);
        expectAllResultsEmpty();
        EXPECT_FALSE(shown(QStringLiteral("cmdNNTWarning")));
        EXPECT_FALSE(shown(QStringLiteral("cmdNNHWarning")));
    }
}

TEST_F(RunTest, TheLogDisplaySwitchesTheOddsRatiosAndARunUnticksIt)
{
    table3({QStringLiteral("20"), QStringLiteral("15"), QStringLiteral("5")}, {QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("15")});
    doIt();
    const QString plainOR = text(QStringLiteral("RORImp"));
    const QString plainLower = text(QStringLiteral("RORWorseMinus"));
    auto* logs = testkit::find<QCheckBox>(w.get(), QStringLiteral("chkLogs"));
    ASSERT_TRUE(shown(QStringLiteral("chkLogs")));
    EXPECT_FALSE(shown(QStringLiteral("lblLogs")));
    testkit::click(logs);
    EXPECT_TRUE(shown(QStringLiteral("lblLogs")));
    const double OR = (20.0 / 20) / (10.0 / 30);
    EXPECT_EQ(text(QStringLiteral("RORImp")), platform::roundText(std::log(OR), 5));
    const double m = 1.95996 * std::sqrt(1 / 5.0 + 1 / 15.0 + 1 / 35.0 + 1 / 25.0);
    const double ORw = (5.0 / 35) / (15.0 / 25);
    EXPECT_EQ(text(QStringLiteral("RORWorseMinus")), platform::roundText(std::log(ORw) - m, 2));
    testkit::click(logs);
    EXPECT_EQ(text(QStringLiteral("RORImp")), plainOR);
    EXPECT_EQ(text(QStringLiteral("RORWorseMinus")), plainLower);
    EXPECT_FALSE(shown(QStringLiteral("lblLogs")));

    testkit::click(logs);
    doIt();
    EXPECT_FALSE(logs->isChecked());
    EXPECT_FALSE(shown(QStringLiteral("lblLogs")));
    EXPECT_EQ(text(QStringLiteral("RORImp")), plainOR);
}

TEST_F(RunTest, AnOddsRatioOfZeroHasNoLogarithm)
{
    table2(QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("4"), QStringLiteral("6"));
    doIt();
    EXPECT_EQ(text(QStringLiteral("EOTxImp")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("RORImp")), QStringLiteral("0"));
    EXPECT_EQ(text(QStringLiteral("RORImpMinus")), QStringLiteral("---"));
    auto* logs = testkit::find<QCheckBox>(w.get(), QStringLiteral("chkLogs"));
    testkit::click(logs);
    EXPECT_EQ(text(QStringLiteral("RORImp")), QStringLiteral("---"));
    EXPECT_EQ(text(QStringLiteral("RORImpMinus")), QStringLiteral("---"));
    testkit::click(logs);
    EXPECT_EQ(text(QStringLiteral("RORImp")), QStringLiteral("0"));

    // Every treatment patient improved: b + c = 0.
    table2(QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("6"));
    doIt();
    for (const char* name : {"EOTxImp", "RORImp", "RORImpMinus", "RORImpPlus"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QStringLiteral("---")) << name;
}

TEST_F(RunTest, LimitsOnBothSidesOfZeroShowTheWarningButtonWithItsMessage)
{
    // D = 0.1 with a margin near 0.3: the NNT interval passes through infinity.
    table3({QStringLiteral("6"), QStringLiteral("2"), QStringLiteral("2")}, {QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("1")});
    doIt();
    EXPECT_EQ(text(QStringLiteral("NNT")), QStringLiteral("10"));
    EXPECT_EQ(text(QStringLiteral("NNH")), QStringLiteral("10"));
    EXPECT_TRUE(text(QStringLiteral("NNTConfPlus")).startsWith(QLatin1Char('-')));
    EXPECT_FALSE(text(QStringLiteral("NNTConfMinus")).startsWith(QLatin1Char('-')));
    ASSERT_TRUE(shown(QStringLiteral("cmdNNTWarning")));
    ASSERT_TRUE(shown(QStringLiteral("cmdNNHWarning")));
    testkit::MsgBoxScript boxes;
    testkit::click(control(QStringLiteral("cmdNNTWarning")));
    testkit::click(control(QStringLiteral("cmdNNHWarning")));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("NNT CI Warning"));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Information);
    const QStringList lines = boxes.shown()[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("The Number Needed to Treat (NNT) confidence intervals pass through"));
    EXPECT_EQ(lines[3], QStringLiteral("means that the range passes through infinity (which does include the NNT)."));
    EXPECT_EQ(boxes.shown()[1].title, QStringLiteral("NNH CI Warning"));
    EXPECT_TRUE(boxes.shown()[1].text.startsWith(
        QStringLiteral("The Number Needed to Harm (NNH) confidence intervals pass through\r\n")));
    // A clear interval: no warning.
    table2(QStringLiteral("90"), QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("90"));
    doIt();
    EXPECT_FALSE(shown(QStringLiteral("cmdNNTWarning")));
    EXPECT_EQ(text(QStringLiteral("NNT")), QStringLiteral("1.25"));
}

TEST_F(RunTest, TheChiSquareGroupStaysEmptyForAZeroMarginAndFisherOnlyWhenAsked)
{
    table2(QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("7"));
    fisher(true);
    doIt();
    EXPECT_EQ(text(QStringLiteral("TotalN")), QStringLiteral("12"));
    for (const char* name : {"txtChiSquared", "txtDF", "txt2P", "txt1P", "txtYates", "txtPhi", "txtFishers1P",
                             "txtFishers2P", "txtESW", "txtESC"})
        EXPECT_EQ(text(QString::fromLatin1(name)), QString()) << name;

    table2(QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("12"));
    fisher(false);
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtDF")), QStringLiteral("1"));
    EXPECT_EQ(text(QStringLiteral("txtYates")), platform::roundText(1080.0 / 221, 5));
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QString());
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QString());
    fisher(true);
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QStringLiteral("0.01266"));
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QStringLiteral("---"));

    // 3 x 2: no Yates or Fisher even with the question ticked; no deteriorated case: nothing.
    table3({QStringLiteral("10"), QStringLiteral("6"), QStringLiteral("4")}, {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("8")});
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtChiSquared")), platform::roundText(40.0 / 13, 5));
    EXPECT_EQ(text(QStringLiteral("txtDF")), QStringLiteral("2"));
    EXPECT_EQ(text(QStringLiteral("txtYates")), QString());
    EXPECT_EQ(text(QStringLiteral("txtFishers1P")), QString());
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QString());
    table3({QStringLiteral("10"), QStringLiteral("6"), QStringLiteral("0")}, {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("0")});
    doIt();
    EXPECT_EQ(text(QStringLiteral("txtChiSquared")), QString());
    EXPECT_EQ(text(QStringLiteral("RRImp")), platform::roundText((10.0 / 16) / (5.0 / 12), 5));
}

} // namespace
} // namespace quellin_test
