// The compute button and the sample-size tab of the main window, driven as a
// person would: checks, messages, stops and what they leave in the boxes.
#include "WindowHarness.h"

#include "meandiff/EffectSize.h"
#include "platform/Numbers.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace effsize_test {
namespace {

namespace T = meandiff::EffectSizeText;
using platform::MsgResult;

const QStringList SampleBoxes = {"txtP1", "txtP2", "txtP3", "txtP4", "txtP5", "TxtP6", "txtP7", "txtP8"};
// Boxes that need the group sizes.
const QStringList SizeBoxes = {"TxtTotalN",   "txtDF",          "TxtESNeg95",      "TxtESPlus95",    "TxtHedges",
                               "TxtHedgesS1", "txtHedgesG",     "TxtMeanDiff",     "TxtSED",         "TxtTSD",
                               "txtT",        "txt2PT",         "txt1PT",          "txtZStat",       "txt2PZ",
                               "txt1PZ",      "TxtHedgesNeg95", "TxtHedgesPlus95", "TxtHedgesGNeg95", "TxtHedgesGPlus95"};

QString errorMessage(const QString& description) { return frame::EffectSizeText::ErrorLead + QStringLiteral("\r\n") + description; }

class CalculationTest : public MainWindowTest {
protected:
    QStringList grid()
    {
        QStringList out;
        for (const QString& b : SampleBoxes)
            out << text(b);
        return out;
    }
    void expectEmpty(const QStringList& names)
    {
        for (const QString& n : names)
            EXPECT_EQ(text(n).toStdString(), "") << n.toStdString();
    }
    void sampleSize(const QString& d)
    {
        enter(QStringLiteral("txtD"), d);
        testkit::click(testkit::find(w.get(), QStringLiteral("cmdSample")));
    }
};

TEST_F(CalculationTest, DesignedStateOfTheWindow)
{
    EXPECT_EQ(text(QStringLiteral("Combo1")), QStringLiteral("Weighted Average"));
    EXPECT_EQ(text(QStringLiteral("Combo2")), QStringLiteral("95%"));
    EXPECT_EQ(combo(QStringLiteral("Combo1"))->count(), 4);
    EXPECT_EQ(combo(QStringLiteral("Combo2"))->count(), 7);
    EXPECT_EQ(text(QStringLiteral("LblPercent(0)")), QStringLiteral("95"));
    EXPECT_EQ(text(QStringLiteral("LblPercent(1)")), QStringLiteral("-95%"));
    EXPECT_EQ(text(QStringLiteral("LblPercent(2)")), QStringLiteral("+95%"));
    QStringList tabTexts;
    for (int i = 0; i < tabs()->count(); ++i)
        tabTexts << tabs()->tabText(i);
    EXPECT_EQ(tabTexts, (QStringList{"Effect Sizes", "Significance", "Sample Size", " ES Conversions 1",
                                     " ES Conversions 2"}));
    auto* doIt = testkit::find<QPushButton>(w.get(), QStringLiteral("cmdDoIt"));
    EXPECT_EQ(doIt->text(), QStringLiteral("OK, show me what I've got!"));
    EXPECT_EQ(doIt->toolTip(),
              QStringLiteral("What's the answer? I promise I'll reference this programme in the finished paper."));
    EXPECT_EQ(text(QStringLiteral("cmdNew")), QStringLiteral("Start again"));
    EXPECT_EQ(text(QStringLiteral("cmdExit")), QStringLiteral("Get me out of here!!"));
    EXPECT_EQ(text(QStringLiteral("CmdDatabase")), QStringLiteral("Database / Meta-analysis"));
    EXPECT_EQ(text(QStringLiteral("cmdSample")), QStringLiteral("Calculate"));
    EXPECT_EQ(text(QStringLiteral("cmdPowerAssumptions")), QStringLiteral("Assumptions"));
    EXPECT_EQ(text(QStringLiteral("CmdTAssumptions")), QStringLiteral("t-test Assumptions"));
    EXPECT_EQ(box(QStringLiteral("txtD"))->palette().color(QPalette::Base), QColor(192, 255, 192));
    // The first box holds the focus and shows the focus colours until it loses it.
    box(QStringLiteral("txtMean1"))->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(box(QStringLiteral("TxtID"))->palette().color(QPalette::Base), QColor(0x80, 0x80, 0xFF));
    EXPECT_EQ(box(QStringLiteral("TxtN1"))->palette().color(QPalette::Base), QColor(0xFF, 0x80, 0x80));
}

TEST_F(CalculationTest, NoSizesFillsTheEffectSizeAndSampleSizesOnly)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2");
    tabs()->setCurrentIndex(1);
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(text("TxtUsedSD"), "2");
    EXPECT_EQ(text("TxtTarvoss"), "1");
    EXPECT_EQ(text("txtD"), "1");
    EXPECT_EQ(grid(), (QStringList{"16", "24", "21", "30", "13", "21", "18", "27"}));
    EXPECT_EQ(text("txtNegPlus"), T::Positive);
    EXPECT_EQ(box("txtNegPlus")->palette().color(QPalette::Text), QColor(0, 0, 255));
    expectEmpty(SizeBoxes);
}

TEST_F(CalculationTest, EqualSizesOfTwentyGiveTheTextbookValues)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2", "20", "20");
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(text("TxtTotalN"), "40");
    EXPECT_EQ(text("txtDF"), "38");
    EXPECT_EQ(text("TxtHedgesS1"), "2");
    EXPECT_EQ(text("TxtMeanDiff"), "2");
    EXPECT_EQ(text("TxtTSD"), "2");
    const double seD = std::sqrt(1.0 / 80 + 1.0 / 10);
    EXPECT_EQ(text("TxtESNeg95"), platform::roundText(1 - 1.95996 * seD, 5));
    EXPECT_EQ(text("TxtESPlus95"), platform::roundText(1 + 1.95996 * seD, 5));
    const QString J = platform::roundText(1 - 3.0 / 151, 5);
    EXPECT_EQ(text("TxtHedges"), J);
    EXPECT_EQ(text("txtHedgesG"), J);
    EXPECT_EQ(text("TxtSED"), platform::roundText(std::sqrt(0.1) * 2, 5));
    EXPECT_EQ(text("txtT"), platform::roundText(std::sqrt(10.0), 5));
    EXPECT_EQ(text("txtZStat"), platform::roundText(std::sqrt(10.0), 5));
    EXPECT_EQ(text("TxtHedgesNeg95"), text("TxtHedgesGNeg95"));
    EXPECT_EQ(text("TxtHedgesPlus95"), text("TxtHedgesGPlus95"));
    EXPECT_EQ(text("txt2PT"), "0.00307");
    EXPECT_EQ(text("txt1PT"), "0.00154");   // half before rounding: 0.001535...
    EXPECT_EQ(text("txt2PZ"), "0.00157");
    EXPECT_EQ(text("txt1PZ"), "0.00078");

    // Swapping the groups mirrors the effect and keeps the p values.
    const QStringList same = {"txt2PT", "txt1PT", "txt2PZ", "txt1PZ", "TxtSED", "TxtHedgesS1"};
    QStringList before;
    for (const QString& b : same)
        before << text(b);
    const QString lower = text("TxtESNeg95"), upper = text("TxtESPlus95");
    groups("8", "10", "2", "2", "20", "20");
    doIt();
    QStringList after;
    for (const QString& b : same)
        after << text(b);
    EXPECT_EQ(after, before);
    EXPECT_EQ(text("TxtTarvoss"), "-1");
    EXPECT_EQ(text("TxtESNeg95"), "-" + upper);
    EXPECT_EQ(text("TxtESPlus95"), "-" + lower);
    EXPECT_EQ(text("txtNegPlus"), T::Negative);
    EXPECT_EQ(box("txtNegPlus")->palette().color(QPalette::Text), QColor(255, 0, 0));
}

TEST_F(CalculationTest, ListedAndTypedLevelsSetTheCaptions)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2", "20", "20");
    choose("Combo2", "99%");
    doIt();
    EXPECT_EQ(text("LblPercent(0)"), "99");
    EXPECT_EQ(text("LblPercent(1)"), "-99%");
    EXPECT_EQ(text("LblPercent(2)"), "+99%");
    const double seD = std::sqrt(1.0 / 80 + 1.0 / 10);
    EXPECT_EQ(text("TxtESPlus95"), platform::roundText(1 + 2.57583 * seD, 5));

    // "95" typed without the percent sign is a typed level, not the entry.
    testkit::retype(combo("Combo2"), "95");
    EXPECT_EQ(text("Combo2"), "95");
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(text("LblPercent(0)"), "95");
    EXPECT_EQ(text("LblPercent(1)"), "-95%");
    EXPECT_EQ(text("LblPercent(2)"), "+95%");
    EXPECT_EQ(text("TxtESPlus95"), "1.65739");       // computed quantile 1.959964
    EXPECT_EQ(text("TxtHedgesPlus95"), "1.63609");   // the listed 1.95996 gives 1.63608
}

TEST_F(CalculationTest, TypedLevelsOutsideTheOpenRangeAreRefused)
{
    groups("10", "8", "2", "2", "20", "20");
    choose("Combo2", "99%");
    doIt();
    for (const QString& level : QStringList{"0", "100", "150", ".", "1e999", "-1e999%", QString(400, QLatin1Char('9'))}) {
        SCOPED_TRACE(level.toStdString());
        testkit::MsgBoxScript msgs;
        choose("Combo2", level);
        doIt();
        EXPECT_EQ(msgs.texts(), QStringList{T::BadLevel});
        EXPECT_EQ(text("LblPercent(0)"), "99");   // the last level that passed
        expectEmpty({"TxtUsedSD", "TxtTarvoss", "txtD"});
        expectEmpty(SampleBoxes);
    }
}

TEST_F(CalculationTest, InputChecksInTheirOrder)
{
    struct Case {
        QStringList in;   // mean1, mean2, sd1, sd2, n1, n2
        QString sdChoice;
        QString message;
    };
    const Case cases[] = {
        {{"", "8", "2", "2", "", ""}, "Weighted Average", T::NoData},
        {{"10", "8", "2", "", "20", "20"}, "Weighted Average", T::NoData},
        {{"10", "10", "2", "2", "20", "20"}, "Weighted Average", T::EqualMeans},
        {{"10", "8", "2", "2", "20", ""}, "Pooled (Adjusted By n)", T::PooledNeedsSizes},
        {{"10", "8", "0", "0", "20", "20"}, "Weighted Average", T::ZeroSD},
        {{"10", "8", "0", "2", "20", "20"}, "Group / Time 1", T::ZeroSD},
        {{"10", "8", "2", "2", "20", "20"}, ".", T::ZeroSD},
        {{"10", "8", "2", "2", "20", "20"}, "abc", T::ZeroSD},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.join(',').toStdString() + " " + c.sdChoice.toStdString());
        testkit::MsgBoxScript msgs;
        groups(c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5]);
        choose("Combo1", c.sdChoice);
        doIt();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, c.message);
        EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::OK);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        expectEmpty({"TxtUsedSD", "TxtTarvoss", "txtD", "txtNegPlus"});
        expectEmpty(SampleBoxes);
    }
}

TEST_F(CalculationTest, TypedStandardDeviationUsesItsLeadingNumber)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2");
    choose("Combo1", "12.5abc");
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(text("TxtUsedSD"), "12.5");
    EXPECT_EQ(text("TxtTarvoss"), "0.16");
}

TEST_F(CalculationTest, TooSmallEffectStopsBeforeTheSampleSizes)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2", "20", "20");
    doIt();   // fill every box first
    groups("10", "9.99", "10", "10", "20", "20");
    doIt();
    EXPECT_EQ(msgs.texts(), QStringList{T::TooSmall});
    EXPECT_EQ(text("TxtTarvoss"), "0.001");
    EXPECT_EQ(text("txtD"), "0.001");
    expectEmpty(SampleBoxes);
    expectEmpty(SizeBoxes);
    expectEmpty({"txtNegPlus"});
}

TEST_F(CalculationTest, SizeOfOneOrNoSizeStopsAfterTheSignSentence)
{
    {
        testkit::MsgBoxScript msgs;
        groups("10", "8", "2", "2", "1", "20");
        doIt();
        EXPECT_EQ(msgs.texts(), QStringList{T::SampleBelow2});
        EXPECT_EQ(grid(), (QStringList{"16", "24", "21", "30", "13", "21", "18", "27"}));
        EXPECT_EQ(text("txtNegPlus"), T::Positive);
        expectEmpty(SizeBoxes);
    }
    {
        testkit::MsgBoxScript msgs;
        groups("10", "8", "2", "2", "20", "");
        doIt();
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(text("txtNegPlus"), T::Positive);
        expectEmpty(SizeBoxes);
    }
}

TEST_F(CalculationTest, PooledChoiceRoundsTheSizesForTheStandardDeviationOnly)
{
    testkit::MsgBoxScript msgs;
    groups("12.4", "9.6", "3.1", "2.8", "10.4", "10.6");
    choose("Combo1", "Pooled (Adjusted By n)");
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(text("TxtUsedSD"), platform::roundText(std::sqrt((9 * 3.1 * 3.1 + 10 * 2.8 * 2.8) / 19), 5));
    EXPECT_EQ(text("TxtTotalN"), "21");
    const double ss = 9.4 * 3.1 * 3.1 + 9.6 * 2.8 * 2.8;
    EXPECT_EQ(text("TxtHedgesS1"), platform::roundText(std::sqrt(ss / 19), 5));
}

TEST_F(CalculationTest, FailuresEndTheRunWithTheErrorMessage)
{
    struct Case {
        const char* what;
        QStringList in;   // mean1, mean2, sd1, sd2, n1, n2
        QString sdChoice;
        QString description;
        QStringList filled;   // boxes that keep what they were given
        QStringList empty;    // boxes after the failure
    };
    const Case cases[] = {
        {"pooled overflow", {"10", "8", "2", "2", "20000", "20000"}, "Pooled (Adjusted By n)", "Overflow", {}, {"TxtUsedSD"}},
        {"pooled size too big", {"10", "8", "2", "2", "40000", "2"}, "Pooled (Adjusted By n)", "Overflow", {}, {"TxtUsedSD"}},
        {"pooled zero divisor", {"10", "8", "2", "2", "1", "1"}, "Pooled (Adjusted By n)", "Overflow", {}, {"TxtUsedSD"}},
        {"pooled 0 and 2", {"10", "8", "2", "3", "0", "2"}, "Pooled (Adjusted By n)", "Division by zero", {}, {"TxtUsedSD"}},
        {"negative root", {"10", "8", "10", "1", "0", "3"}, "Pooled (Adjusted By n)", "Invalid procedure call or argument", {}, {"TxtUsedSD"}},
        {"lone minus", {"-", "8", "2", "2", "20", "20"}, "Weighted Average", "Type mismatch", {}, {"TxtUsedSD"}},
        {"lone point", {"10", "8", ".", "2", "20", "20"}, "Weighted Average", "Type mismatch", {}, {"TxtUsedSD"}},
        {"letters in a size", {"10", "8", "2", "2", "2O", "20"}, "Weighted Average", "Type mismatch",
         {"TxtTarvoss", "txtP1", "txtNegPlus"}, {"TxtTotalN"}},
        {"4N - 9 = 0", {"10", "8", "2", "2", "1.125", "1.125"}, "Weighted Average", "Division by zero",
         {"TxtTotalN", "txtDF", "TxtESNeg95", "TxtESPlus95"}, {"TxtHedges", "TxtHedgesS1"}},
        {"s* = 0", {"10", "8", "0", "0", "5", "5"}, "2", "Division by zero",
         {"TxtESPlus95", "TxtHedges", "TxtHedgesS1"}, {"txtHedgesG", "TxtMeanDiff", "txtT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testkit::MsgBoxScript msgs;
        groups(c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5]);
        choose("Combo1", c.sdChoice);
        doIt();
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.shown()[0].text, errorMessage(c.description));
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        for (const QString& b : c.filled)
            EXPECT_NE(text(b).toStdString(), "") << b.toStdString();
        expectEmpty(c.empty);
    }
    // s* = 0 shows 0 before the stop.
    EXPECT_EQ(text("TxtHedgesS1"), "0");

    // The window stays usable.
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2", "20", "20");
    choose("Combo1", "Weighted Average");
    doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(text("txtHedgesG"), "0.98013");
}

TEST_F(CalculationTest, StopBeforeTheSampleSizesLeavesTheGridEmpty)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2");
    doIt();
    ASSERT_EQ(text("txtP5"), "13");
    groups("10", "10", "2", "2");
    doIt();
    expectEmpty(SampleBoxes);
    expectEmpty({"txtD", "TxtTarvoss"});
}

TEST_F(CalculationTest, PressingTheButtonByProgramRunsTheCalculation)
{
    // As the interaction calculator does: boxes written, then the button pressed.
    testkit::MsgBoxScript msgs;
    box("txtMean1")->setText("10");
    box("txtMean2")->setText("8");
    box("txtSD1")->setText("2");
    box("txtSD2")->setText("2");
    testkit::find<QPushButton>(w.get(), "cmdDoIt")->click();
    EXPECT_EQ(text("TxtTarvoss"), "1");
}

TEST_F(CalculationTest, StartAgainEmptiesTheBoxes)
{
    testkit::MsgBoxScript msgs;
    groups("10", "8", "2", "2", "20", "20");
    enter("TxtID", "Smith");
    choose("Combo2", "99%");
    doIt();
    choose("Combo1", "4.5");
    testkit::click(testkit::find(w.get(), "cmdNew"));
    expectEmpty({"txtMean1", "TxtID", "TxtTarvoss", "txtD", "txtP5", "txtHedgesG", "txtNegPlus"});
    EXPECT_EQ(text("Combo1"), "4.5");
    EXPECT_EQ(text("Combo2"), "99%");
    EXPECT_EQ(text("LblPercent(0)"), "99");
}

TEST_F(CalculationTest, GetMeOutOfHereClosesTheWindow)
{
    testkit::MsgBoxScript msgs{MsgResult::No};
    testkit::FileDialogScript files;
    auto* exit = testkit::find<QPushButton>(w.get(), "cmdExit");
    EXPECT_EQ(exit->toolTip(), "That's it! I hate stats and am now returning to the real world.");
    testkit::click(exit);
    EXPECT_FALSE(w->isVisible());
}

// ---- Sample Size tab -----------------------------------------------------

TEST_F(CalculationTest, SampleSizesForTypedEffects)
{
    struct Case {
        QString d;
        QStringList sizes;
    };
    const Case cases[] = {
        {"0.5", {"63", "94", "84", "119", "50", "81", "69", "105"}},
        {"1", {"16", "24", "21", "30", "13", "21", "18", "27"}},
        {"-0.5", {"63", "94", "84", "119", "50", "81", "69", "105"}},
        {"0.1", {"1571", "2337", "2100", "2974", "1237", "2008", "1711", "2601"}},
        // Whole quotients: 98137500 stays, 146034375 and 185859375 go up.
        {"0.0004", {"98137500", "146034376", "131220000", "185859376", "77312500", "125456250", "106937500",
                    "162543750"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d.toStdString());
        testkit::MsgBoxScript msgs;
        sampleSize(c.d);
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(text("txtD"), c.d);
        EXPECT_EQ(grid(), c.sizes);
    }
}

TEST_F(CalculationTest, SampleSizeMessagesLeaveTheGridBlank)
{
    struct Case {
        QString d;
        QString message;
    };
    const Case cases[] = {
        {"", T::NoExpectedES},
        {"0", T::TooSmall},
        {"0.0001", T::TooSmall},   // 29.7375 / d² does not fit
        {".", errorMessage("Type mismatch")},
        {"1x", errorMessage("Type mismatch")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d.toStdString());
        testkit::MsgBoxScript msgs;
        sampleSize("1");
        ASSERT_EQ(text("txtP5"), "13");
        sampleSize(c.d);
        EXPECT_EQ(msgs.texts(), QStringList{c.message});
        expectEmpty(SampleBoxes);
    }
}

TEST_F(CalculationTest, AssumptionMessages)
{
    testkit::MsgBoxScript msgs;
    testkit::click(testkit::find(w.get(), "cmdPowerAssumptions"));
    testkit::click(testkit::find(w.get(), "CmdTAssumptions"));
    ASSERT_EQ(msgs.count(), 2);
    EXPECT_EQ(msgs.shown()[0].title, "Sample Size Assumptions");
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(msgs.shown()[0].text,
              "(a) The power analysis is based upon an independent groups design (b) the data upon which the effect "
              "size estimation is based is normally distributed (i.e., bell-shaped) and (c) the variance of the two "
              "sample distributions from which the effect size is estimated are similar (assumption of equal "
              "variance).");
    EXPECT_EQ(msgs.shown()[1].title, "Independent Samples T-Test Assumptions");
    EXPECT_EQ(msgs.shown()[1].icon, platform::MsgIcon::Question);
    EXPECT_EQ(msgs.shown()[1].text,
              "(a) the responses of different participants should be independent, (b) the data on which the "
              "analysis is based (e.g., responses in each condition) should be normally distributed (i.e., "
              "bell-shaped) and (c) the variance of the distributions which are compared should be similar "
              "(assumption of equal variance).");
}

} // namespace
} // namespace effsize_test
