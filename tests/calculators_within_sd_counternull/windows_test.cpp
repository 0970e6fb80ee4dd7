// The three windows driven by objectName as a person would: their checks and
// messages, what stays and what is emptied, failures that must leave the
// window usable, the key filters and the one-window-per-kind rule.
#include "../calculators_comparisons_significance/CalcHarness.h"
#include "calculators/CounterNull.h"
#include "calculators/SDEstimate.h"
#include "calculators/WithinES.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmWithinES.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace calculators;
using calctest::box;
using calctest::closeWindow;
using calctest::enter;
using testkit::MsgBoxScript;

namespace {

void press(QWidget* w, const char* button) { testkit::click(testkit::find(w, QString::fromLatin1(button))); }

std::string s(const QString& q) { return q.toStdString(); }

QLineEdit* edit(QWidget* w, const char* name) { return testkit::find<QLineEdit>(w, QString::fromLatin1(name)); }

bool white(QWidget* w, const char* name)
{
    return edit(w, name)->palette().color(QPalette::Base) == QColor(Qt::white);
}

// The lead sentence of the message of a computation stopped by an error.
const char* const ErrorLead = "Please check the numbers you entered. Something went very wrong";

const char* const WithinResults[] = {"txtD", "txtDWithin", "txtMinus95", "txtPlus95", "txtWithinMinus95",
                                     "txtWithinPlus95"};

void within(QWidget* w, const char* r, const char* t, const char* n, const char* sd1 = "", const char* sd2 = "")
{
    enter(w, "txtR", QString::fromLatin1(r));
    enter(w, "txtT", QString::fromLatin1(t));
    enter(w, "txtN", QString::fromLatin1(n));
    enter(w, "txtSD1", QString::fromLatin1(sd1));
    enter(w, "txtSD2", QString::fromLatin1(sd2));
}

std::string withinRow(QWidget* w)
{
    QStringList texts;
    for (const char* b : WithinResults)
        texts << box(w, b);
    return s(texts.join(QLatin1Char(' ')));
}

} // namespace

// ---- within-subjects d ----

TEST(WithinES, OpensEmptyWithIntervalsTicked)
{
    auto* w = showWithinES();
    EXPECT_EQ(s(w->windowTitle()), "Compute Effect Size (d) For A Dependent Samples Analysis");
    EXPECT_EQ(w->size(), QSize(814, 794));
    EXPECT_TRUE(testkit::find<QCheckBox>(w, QStringLiteral("chkConf"))->isChecked());
    for (const char* b : {"txtR", "txtT", "txtN", "txtSD1", "txtSD2"}) {
        EXPECT_TRUE(box(w, b).isEmpty()) << b;
        EXPECT_TRUE(white(w, b)) << b;
    }
    for (const char* b : WithinResults)
        EXPECT_EQ(edit(w, b)->focusPolicy(), Qt::ClickFocus) << b;
    EXPECT_TRUE(box(w, "Text3").contains(QStringLiteral("Method to come, still being programmed.......")));
    closeWindow(w);
}

TEST(WithinES, IntervalsFollowTheCheckBoxAndTheStandardDeviations)
{
    auto* w = showWithinES();
    MsgBoxScript msgs;
    within(w, "0.5", "2", "10");
    press(w, "cmdDoIt");
    EXPECT_EQ(withinRow(w), "0.63246 0.63246 -0.27 1.53  ");
    within(w, "0.5", "2", "10", "1", "1");
    press(w, "cmdDoIt");
    EXPECT_EQ(withinRow(w), "0.63246 0.63246 -0.27 1.53 -0.08 1.35");
    // One standard deviation only: no dependent-samples limits, no message;
    // earlier limits do not linger.
    enter(w, "txtSD2", QString());
    press(w, "cmdDoIt");
    EXPECT_EQ(withinRow(w), "0.63246 0.63246 -0.27 1.53  ");
    testkit::click(testkit::find(w, QStringLiteral("chkConf")));
    within(w, "0.5", "-2", "10", "1", "1");
    press(w, "cmdDoIt");
    EXPECT_EQ(withinRow(w), "-0.63246 -0.63246    ");
    EXPECT_EQ(msgs.count(), 0);
    closeWindow(w);
}

TEST(WithinES, DependentIntervalDoesNotDependOnTheUnitOfMeasurement)
{
    // The variance of the differences is s1² + s2² - 2 r s1 s2: the same
    // scores in other units give the same interval, and small standard
    // deviations with a high correlation are no error.
    auto* w = showWithinES();
    MsgBoxScript msgs;
    QStringList rows;
    for (const char* scale : {"0.5", "5", "50"}) {
        within(w, "0.9", "2.5", "18", scale, scale);
        press(w, "cmdDoIt");
        rows << QString::fromStdString(withinRow(w));
    }
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(s(rows[0]), "0.26352 0.26352 -0.39 0.92 0.04 0.49");
    EXPECT_EQ(rows[1], rows[0]);
    EXPECT_EQ(rows[2], rows[0]);
    closeWindow(w);
}

TEST(WithinES, RefusedInputsEmptyTheResultsAndKeepTheInputs)
{
    auto* w = showWithinES();
    struct Refusal {
        const char *r, *t, *n, *message;
    };
    const Refusal refusals[] = {
        {"0", "2", "10", withinmsg::CorrelationRange},   {"1", "2", "10", withinmsg::CorrelationRange},
        {"1.5", "2", "10", withinmsg::CorrelationRange}, {"-0.2", "2", "10", withinmsg::CorrelationRange},
        {"0.5", "2", "", withinmsg::EnterRTN},           {"", "2", "10", withinmsg::EnterRTN},
        {"0.5", "", "10", withinmsg::EnterRTN},
    };
    for (const Refusal& c : refusals) {
        within(w, "0.5", "2", "10", "1", "1");
        press(w, "cmdDoIt");
        ASSERT_EQ(box(w, "txtWithinPlus95"), QStringLiteral("1.35"));
        within(w, c.r, c.t, c.n, "1", "1");
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        ASSERT_EQ(msgs.count(), 1) << c.r << " " << c.n;
        EXPECT_EQ(s(msgs.texts()[0]), c.message);
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        EXPECT_EQ(withinRow(w), "     ") << c.r;
        EXPECT_EQ(s(box(w, "txtR")), c.r);
        EXPECT_EQ(s(box(w, "txtN")), c.n);
    }
    closeWindow(w);
}

TEST(WithinES, FailuresAreReportedAndTheWindowStaysUsable)
{
    auto* w = showWithinES();
    struct Failure {
        const char *n, *sd1, *sd2;
        const char* shown;   // the result row left by the failure
    };
    const Failure failures[] = {
        {"0", "", "", "     "},                          // division by zero
        {"40000", "", "", "     "},                      // beyond the whole-number range
        {"10", "abc", "1", "     "},                     // a standard deviation that is no number
        {"1", "1", "1", "2 2 -1.39 5.39  "},             // no degrees of freedom for t
        {"10", "0", "0", "0.63246 0.63246 -0.27 1.53  "},   // no variance at all
    };
    for (const Failure& c : failures) {
        within(w, "0.5", "2", c.n, c.sd1, c.sd2);
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        ASSERT_EQ(msgs.count(), 1) << c.n << " " << c.sd1;
        EXPECT_TRUE(msgs.texts()[0].startsWith(QString::fromLatin1(ErrorLead))) << s(msgs.texts()[0]);
        EXPECT_EQ(withinRow(w), c.shown) << c.n << " " << c.sd1;
    }
    within(w, "0.5", "2", "10");
    press(w, "cmdDoIt");
    EXPECT_EQ(s(box(w, "txtD")), "0.63246");
    closeWindow(w);
}

TEST(WithinES, StartAgainEmptiesOnlyTheResults)
{
    auto* w = showWithinES();
    within(w, "0.5", "2", "10", "2", "3");
    testkit::click(testkit::find(w, QStringLiteral("chkConf")));
    testkit::click(testkit::find(w, QStringLiteral("chkConf")));
    press(w, "cmdDoIt");
    const std::string first = withinRow(w);
    press(w, "cmdClear");
    EXPECT_EQ(withinRow(w), "     ");
    EXPECT_EQ(s(box(w, "txtSD2")), "3");
    EXPECT_TRUE(testkit::find<QCheckBox>(w, QStringLiteral("chkConf"))->isChecked());
    press(w, "cmdDoIt");
    EXPECT_EQ(withinRow(w), first);
    closeWindow(w);
}

TEST(WithinES, KeyFiltersAndOneWindowPerRun)
{
    auto* w = showWithinES();
    enter(w, "txtR", QStringLiteral("-0.5.5-a\r"));
    EXPECT_EQ(s(box(w, "txtR")), "-0.55");
    enter(w, "txtT", QStringLiteral("1-2.x3"));
    EXPECT_EQ(s(box(w, "txtT")), "12.3");
    enter(w, "txtN", QStringLiteral("1.5-e2"));
    EXPECT_EQ(s(box(w, "txtN")), "152");
    EXPECT_EQ(w->NumericCharsOnly(edit(w, "txtR"), '7'), '7');
    EXPECT_EQ(w->NumericCharsOnly(edit(w, "txtR"), '.'), 0);
    EXPECT_EQ(w->NumericCharsOnly(edit(w, "txtR"), 22), 0);
    // The standard-deviation boxes take any text.
    enter(w, "txtSD1", QStringLiteral("a-1"));
    EXPECT_EQ(s(box(w, "txtSD1")), "a-1");

    EXPECT_EQ(showWithinES(), w);
    EXPECT_EQ(s(box(w, "txtN")), "152");
    press(w, "cmdExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* again = showWithinES();
    EXPECT_TRUE(box(again, "txtN").isEmpty());
    closeWindow(again);
}

// ---- standard-deviation estimates ----

TEST(SDEstimate, OpensOnWeightedMeanWithTheOtherBoxesGreyButTyping)
{
    auto* w = showSDEstimate();
    EXPECT_EQ(s(w->windowTitle()), "Standard Deviation (Sigma) Estimates");
    EXPECT_EQ(w->size(), QSize(641, 614));
    EXPECT_TRUE(testkit::find<QRadioButton>(w, QStringLiteral("Op2"))->isChecked());
    EXPECT_TRUE(white(w, "Text1"));
    EXPECT_TRUE(white(w, "Text2"));
    for (const char* b : {"Text9", "Text12", "Text13", "txtSE"}) {
        EXPECT_FALSE(white(w, b)) << b;
        EXPECT_TRUE(edit(w, b)->isEnabled()) << b;
    }
    // Typed into a grey box at open: accepted, and ignored by the estimate.
    enter(w, "Text12", QStringLiteral("99"));
    EXPECT_EQ(s(box(w, "Text12")), "99");
    enter(w, "Text1", QStringLiteral("4"));
    enter(w, "Text2", QStringLiteral("6"));
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtAnswer")), "5.09902");
    EXPECT_EQ(edit(w, "txtAnswer")->focusPolicy(), Qt::ClickFocus);
    closeWindow(w);
}

TEST(SDEstimate, OptionButtonsEmptyTheAnswerAndSetTheBoxes)
{
    auto* w = showSDEstimate();
    const char* all[] = {"Text1", "Text2", "Text12", "Text13", "Text9", "txtSE"};
    const std::pair<const char*, const char*> options[] = {
        {"Op1", "Text1 Text2"}, {"Op2", "Text1 Text2"},   {"Op3", "Text1 Text2"},
        {"Op4", "Text1 Text2"}, {"Op5", "Text9"},         {"Op6", "Text1 Text2 Text12 Text13"},
        {"Op7", "Text12 txtSE"},
    };
    MsgBoxScript msgs;   // the mean-square and standard-error methods find their boxes empty
    enter(w, "Text1", QStringLiteral("4"));
    enter(w, "Text2", QStringLiteral("6"));
    for (const auto& [op, used] : options) {
        press(w, "cmdCompute");
        testkit::click(testkit::find(w, QString::fromLatin1(op)));
        EXPECT_TRUE(box(w, "txtAnswer").isEmpty()) << op;
        const QStringList usedBoxes = QString::fromLatin1(used).split(QLatin1Char(' '));
        for (const char* b : all) {
            const bool on = usedBoxes.contains(QString::fromLatin1(b));
            EXPECT_EQ(edit(w, b)->isEnabled(), on) << op << " " << b;
            EXPECT_EQ(white(w, b), on) << op << " " << b;
        }
    }
    // Text in a box that became disabled stays.
    EXPECT_EQ(s(box(w, "Text2")), "6");
    closeWindow(w);
}

TEST(SDEstimate, MissingInputsAreRefusedAndOnlyAMissingPooledSizeKeepsTheAnswer)
{
    auto* w = showSDEstimate();
    struct Refusal {
        const char* op;
        const char *a, *b, *na, *nb, *ms, *se;
        const char* message;
        bool keepsAnswer;
    };
    const Refusal refusals[] = {
        {"Op1", "", "6", "", "", "", "", sdmsg::EnterBoxes, false},
        {"Op6", "4", "", "10", "20", "", "", sdmsg::EnterBoxes, false},
        // The sizes of the pooled estimate are asked for after the standard
        // deviations: the earlier answer stays.
        {"Op6", "4", "6", "10", "", "", "", sdmsg::EnterSizes, true},
        {"Op6", "4", "6", "", "20", "", "", sdmsg::EnterSizes, true},
        {"Op5", "", "", "", "", "", "", sdmsg::EnterBox, false},
        {"Op7", "", "", "", "", "", "0.5", sdmsg::EnterBoxes, false},
        {"Op7", "", "", "16", "", "", "", sdmsg::EnterBoxes, false},
    };
    for (const Refusal& c : refusals) {
        testkit::click(testkit::find(w, QString::fromLatin1(c.op)));
        const char* values[] = {c.a, c.b, c.na, c.nb, c.ms, c.se};
        const char* boxes[] = {"Text1", "Text2", "Text12", "Text13", "Text9", "txtSE"};
        const char* good[] = {"4", "6", "10", "20", "25", "0.5"};
        for (int i = 0; i < 6; ++i)
            if (edit(w, boxes[i])->isEnabled())
                enter(w, boxes[i], QString::fromLatin1(good[i]));
        press(w, "cmdCompute");
        const QString earlier = box(w, "txtAnswer");
        ASSERT_FALSE(earlier.isEmpty()) << c.op;
        for (int i = 0; i < 6; ++i)
            if (edit(w, boxes[i])->isEnabled())
                enter(w, boxes[i], QString::fromLatin1(values[i]));
        MsgBoxScript msgs;
        press(w, "cmdCompute");
        ASSERT_EQ(msgs.count(), 1) << c.op;
        EXPECT_EQ(s(msgs.texts()[0]), c.message) << c.op;
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        EXPECT_EQ(box(w, "txtAnswer"), c.keepsAnswer ? earlier : QString()) << c.op;
    }
    closeWindow(w);
}

TEST(SDEstimate, ImpossibleEstimatesAreReportedNotShown)
{
    auto* w = showSDEstimate();
    struct Failure {
        const char *op, *a, *b, *na, *nb;
    };
    const Failure failures[] = {
        {"Op3", "0", "0", "", ""},    // harmonic mean of two zeros
        {"Op6", "4", "6", "1", "1"},  // no degrees of freedom
        {"Op6", "10", "1", "0", "5"}, // a negative pooled variance
        {"Op1", ".", "6", "", ""},    // no number
    };
    for (const Failure& c : failures) {
        testkit::click(testkit::find(w, QString::fromLatin1(c.op)));
        enter(w, "Text1", QStringLiteral("4"));
        enter(w, "Text2", QStringLiteral("6"));
        if (edit(w, "Text13")->isEnabled()) {
            enter(w, "Text12", QStringLiteral("10"));
            enter(w, "Text13", QStringLiteral("20"));
        }
        press(w, "cmdCompute");
        ASSERT_FALSE(box(w, "txtAnswer").isEmpty());
        enter(w, "Text1", QString::fromLatin1(c.a));
        enter(w, "Text2", QString::fromLatin1(c.b));
        if (edit(w, "Text13")->isEnabled()) {
            enter(w, "Text12", QString::fromLatin1(c.na));
            enter(w, "Text13", QString::fromLatin1(c.nb));
        }
        MsgBoxScript msgs;
        press(w, "cmdCompute");
        ASSERT_EQ(msgs.count(), 1) << c.op << " " << c.a;
        EXPECT_TRUE(msgs.texts()[0].startsWith(QString::fromLatin1(ErrorLead))) << s(msgs.texts()[0]);
        EXPECT_TRUE(box(w, "txtAnswer").isEmpty()) << c.op << " " << c.a;
    }
    closeWindow(w);
}

TEST(SDEstimate, StartAgainKeepsTheMethodAndKeyFiltersHold)
{
    auto* w = showSDEstimate();
    testkit::click(testkit::find(w, QStringLiteral("Op7")));
    enter(w, "Text12", QStringLiteral("1.6-x"));
    EXPECT_EQ(s(box(w, "Text12")), "16");
    enter(w, "txtSE", QStringLiteral("-0.5.0a\r"));
    EXPECT_EQ(s(box(w, "txtSE")), "0.50");
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtAnswer")), "2");
    press(w, "cmdClear");
    for (const char* b : {"Text1", "Text2", "Text12", "Text13", "Text9", "txtSE", "txtAnswer"})
        EXPECT_TRUE(box(w, b).isEmpty()) << b;
    EXPECT_TRUE(testkit::find<QRadioButton>(w, QStringLiteral("Op7"))->isChecked());
    EXPECT_FALSE(edit(w, "Text1")->isEnabled());
    EXPECT_TRUE(white(w, "txtSE"));

    EXPECT_EQ(showSDEstimate(), w);
    press(w, "cmdExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* again = showSDEstimate();
    EXPECT_TRUE(testkit::find<QRadioButton>(again, QStringLiteral("Op2"))->isChecked());
    closeWindow(again);
}

// ---- counternull ----

TEST(CounterNull, OpensOnDWithNullZero)
{
    auto* w = showCounterNull();
    EXPECT_EQ(s(w->windowTitle()), "Counternull Statistics");
    EXPECT_TRUE(testkit::find<QRadioButton>(w, QStringLiteral("OpG"))->isChecked());
    EXPECT_FALSE(testkit::find<QRadioButton>(w, QStringLiteral("OpR"))->isChecked());
    EXPECT_EQ(s(box(w, "txtNull")), "0");
    EXPECT_EQ(s(box(w, "txtWorking")), "Working ...");
    EXPECT_TRUE(box(w, "txtCounterNull").isEmpty());
    EXPECT_TRUE(box(w, "Text1").startsWith(QStringLiteral("For more information see:\n")));
    closeWindow(w);
}

TEST(CounterNull, SwitchingMetricWaitsForCompute)
{
    auto* w = showCounterNull();
    MsgBoxScript msgs;
    testkit::click(testkit::find(w, QStringLiteral("OpR")));
    enter(w, "txtES", QStringLiteral("0.3"));
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtCounterNull")), "0.55046");
    EXPECT_TRUE(box(w, "txtWorking").contains(QStringLiteral("Fisher Counternull Equivalent = 0.61904")));
    testkit::click(testkit::find(w, QStringLiteral("OpG")));
    EXPECT_EQ(s(box(w, "txtCounterNull")), "0.55046");
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtCounterNull")), "0.6");
    EXPECT_EQ(s(box(w, "txtWorking")), "Working ...");
    EXPECT_EQ(msgs.count(), 0);
    closeWindow(w);
}

TEST(CounterNull, RefusalsAndFailuresLeaveTheWindowUsable)
{
    auto* w = showCounterNull();
    testkit::click(testkit::find(w, QStringLiteral("OpR")));
    struct Refusal {
        const char *es, *null;
        const char* message;   // null: an error message
    };
    const Refusal refusals[] = {
        {"0.5", "", counternullmsg::EnterBoth},   {"", "0", counternullmsg::EnterBoth},
        {"0.9991", "0", counternullmsg::CorrelationRange}, {"0.5", "1", counternullmsg::CorrelationRange},
        {"-", "0", nullptr},                      {"0.5", ".", nullptr},
    };
    for (const Refusal& c : refusals) {
        enter(w, "txtES", QStringLiteral("0.5"));
        enter(w, "txtNull", QStringLiteral("0.2"));
        press(w, "cmdCompute");
        ASSERT_EQ(s(box(w, "txtCounterNull")), "0.71429");
        enter(w, "txtES", QString::fromLatin1(c.es));
        enter(w, "txtNull", QString::fromLatin1(c.null));
        MsgBoxScript msgs;
        press(w, "cmdCompute");
        ASSERT_EQ(msgs.count(), 1) << c.es << " " << c.null;
        if (c.message)
            EXPECT_EQ(s(msgs.texts()[0]), c.message);
        else
            EXPECT_TRUE(msgs.texts()[0].startsWith(QString::fromLatin1(ErrorLead))) << s(msgs.texts()[0]);
        EXPECT_TRUE(box(w, "txtCounterNull").isEmpty());
        EXPECT_EQ(s(box(w, "txtWorking")), "Working ...");
    }
    closeWindow(w);
}

TEST(CounterNull, KeyFiltersAndOneWindowPerRun)
{
    auto* w = showCounterNull();
    enter(w, "txtES", QStringLiteral("-1-.2.5x\r"));
    EXPECT_EQ(s(box(w, "txtES")), "-1.25");
    enter(w, "txtNull", QStringLiteral("0.1-"));
    EXPECT_EQ(s(box(w, "txtNull")), "0.1");
    EXPECT_EQ(w->NumericCharsOnly(edit(w, "txtES"), '-'), 0);
    EXPECT_EQ(showCounterNull(), w);
    EXPECT_EQ(s(box(w, "txtES")), "-1.25");
    closeWindow(w);
    auto* again = showCounterNull();
    EXPECT_TRUE(box(again, "txtES").isEmpty());
    EXPECT_EQ(s(box(again, "txtNull")), "0");
    closeWindow(again);
}
