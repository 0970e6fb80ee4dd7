// The computation command through the window: reliable change, its checks,
// what a stopped run leaves, and the start tab at the end of a run.
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"
#include "platform/AppInfo.h"
#include "platform/Numbers.h"

#include <cmath>

namespace morvane_test {
namespace {

using morvane::ChangeText::ErrorLead;

class ReliableChangeTest : public MorvaneWindowTest {};

TEST_F(ReliableChangeTest, TypedExampleGivesThresholdsChangeAndVerdicts)
{
    testkit::MsgBoxScript msgs;
    testkit::type(box(QStringLiteral("TxtAnswerSD")), QStringLiteral("7.5"));
    testkit::type(box(QStringLiteral("TxtReliabilityAnswer")), QStringLiteral("0.84"));
    testkit::type(box(QStringLiteral("TxtTime1Answer")), QStringLiteral("30"));
    testkit::type(box(QStringLiteral("TxtTime2Answer")), QStringLiteral("20"));
    clever();
    EXPECT_EQ(msgs.count(), 0);
    const double sed = 3 * std::sqrt(2.0);
    EXPECT_EQ(text("TxtSEM"), QStringLiteral("3"));
    EXPECT_EQ(text("TxtSED"), platform::roundText(sed, 5));
    EXPECT_EQ(text("Txt1sdConf"), QStringLiteral("4.243"));
    EXPECT_EQ(text("Txt95Conf"), platform::roundText(sed * 1.95996398454005, 5));
    EXPECT_EQ(text("Txt99Conf"), QStringLiteral("10.92832"));
    EXPECT_EQ(text("TxtChangeScore"), QStringLiteral("-10"));
    EXPECT_EQ(text("TxtClient68"), QStringLiteral("HAS"));
    EXPECT_EQ(text("TxtClient95"), QStringLiteral("HAS"));
    EXPECT_EQ(text("TxtClient99"), QStringLiteral("Has NOT"));
    EXPECT_EQ(text("Text2"), QString());
}

TEST_F(ReliableChangeTest, ReliabilityBoundsAndCheckOrder)
{
    struct Case {
        const char* r;
        const char* sd;
        const char* message;   // nullptr: accepted
    } cases[] = {
        {"1", "7.5", "The test-retest reliability must be less than 1 and greater than 0."},
        {"0", "7.5", "The test-retest reliability must be less than 1 and greater than 0."},
        {"1.5", "", "You must enter some data in both Step 1 boxes."},
        {"", "7.5", "You must enter some data in both Step 1 boxes."},
        {"0.99", "7.5", nullptr},
        {"0.01", "7.5", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.r) + " / " + c.sd);
        step1(QString::fromLatin1(c.r), QString::fromLatin1(c.sd));
        testkit::MsgBoxScript msgs;
        clever();
        if (c.message) {
            ASSERT_EQ(msgs.count(), 1);
            EXPECT_EQ(msgs.texts().first(), QString::fromLatin1(c.message));
            EXPECT_EQ(msgs.shown().first().title, platform::appInfo().title);
            EXPECT_EQ(text("Txt1sdConf"), QString());
        } else {
            EXPECT_EQ(msgs.count(), 0);
            EXPECT_FALSE(text("Txt1sdConf").isEmpty());
        }
    }
}

TEST_F(ReliableChangeTest, ZeroAndNegativeStandardDeviations)
{
    step1(QStringLiteral("0.84"), QStringLiteral("0"));
    scores(QStringLiteral("5"), QStringLiteral("5.001"));
    clever();
    for (const char* b : {"TxtSEM", "TxtSED", "Txt1sdConf", "Txt95Conf", "Txt99Conf"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QStringLiteral("0")) << b;
    for (const char* b : {"TxtClient68", "TxtClient95", "TxtClient99"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QStringLiteral("HAS")) << b;
    scores(QStringLiteral("5"), QStringLiteral("5"));
    clever();
    for (const char* b : {"TxtClient68", "TxtClient95", "TxtClient99"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QStringLiteral("Has NOT")) << b;

    // A negative SD (pasted): negative SEM, positive SEd and thresholds.
    step1(QStringLiteral("0.84"), QStringLiteral("-7.5"));
    clever();
    EXPECT_EQ(text("TxtSEM"), QStringLiteral("-3"));
    EXPECT_EQ(text("TxtSED"), QStringLiteral("4.24264"));
    EXPECT_EQ(text("Txt95Conf"), QStringLiteral("8.31542"));
}

TEST_F(ReliableChangeTest, VerdictsAreDecidedAgainstTheDisplayedThreshold)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    clever();
    const QString t68 = text("Txt1sdConf");
    ASSERT_EQ(t68, QStringLiteral("4.243"));
    struct Case {
        QString t1, t2, verdict;
    } cases[] = {
        {QStringLiteral("0"), t68, QStringLiteral("Has NOT")},
        {QStringLiteral("0"), QStringLiteral("4.244"), QStringLiteral("HAS")},
        {QStringLiteral("4.244"), QStringLiteral("0"), QStringLiteral("HAS")},
        {t68, QStringLiteral("0"), QStringLiteral("Has NOT")},
        // 34.243 - 30 is a little above 4.243 in double precision.
        {QStringLiteral("30"), QStringLiteral("34.243"), QStringLiteral("HAS")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.t1 + QStringLiteral(" -> ") + c.t2).toStdString());
        scores(c.t1, c.t2);
        clever();
        EXPECT_EQ(text("TxtClient68"), c.verdict);
    }
}

TEST_F(ReliableChangeTest, ChangeScoreIsShownUnrounded)
{
    step1(QStringLiteral("0.84"), QStringLiteral("3.2"));
    scores(QStringLiteral("12"), QStringLiteral("12.3"));
    clever();
    EXPECT_EQ(text("TxtChangeScore"), QStringLiteral("0.300000000000001"));
}

TEST_F(ReliableChangeTest, MissingScoreLeavesChangeEmptyAndTheClinicalStepStillRuns)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    scores(QStringLiteral("30"), QString());
    samples(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("5"));
    clever();
    EXPECT_EQ(text("Txt95Conf"), QStringLiteral("8.31542"));
    for (const char* b : {"TxtChangeScore", "TxtClient68", "TxtClient95", "TxtClient99"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QString()) << b;
    EXPECT_EQ(text("TxtPointA"), QStringLiteral("18.24"));
    EXPECT_EQ(text("TxtPointC"), QStringLiteral("19.09091"));
    for (const char* b : {"TxtAAnswer", "TxtBAnswer", "TxtCAnswer"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QStringLiteral("Not Enough Data To Compute Answer")) << b;
    for (const QString& p : morvane::criterionPictures())
        EXPECT_EQ(picture(p), QStringLiteral("help.gif")) << p.toStdString();
}

TEST_F(ReliableChangeTest, StoppedRunClearsResultsButKeepsSemSedAndStatus)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    scores(QStringLiteral("30"), QStringLiteral("15"));
    samples(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("5"));
    clever();
    ASSERT_EQ(picture(QStringLiteral("picAwithin")), QStringLiteral("tick.gif"));
    const QString status = multi(QStringLiteral("txtClinStatus"));
    ASSERT_TRUE(status.startsWith(QStringLiteral("It appears that clinical samples score higher.")));

    for (const char* r : {"1", ""}) {
        SCOPED_TRACE(r);
        paste(QStringLiteral("TxtReliabilityAnswer"), QString::fromLatin1(r));
        testkit::MsgBoxScript msgs;
        clever();
        EXPECT_EQ(msgs.count(), 1);
        for (const QString& b : morvane::reliableChangeResultBoxes())
            EXPECT_EQ(text(b), QString()) << b.toStdString();
        for (const QString& p : morvane::criterionPictures())
            EXPECT_EQ(picture(p), QStringLiteral("help.gif")) << p.toStdString();
        EXPECT_EQ(text("TxtSEM"), QStringLiteral("3"));
        EXPECT_EQ(text("TxtSED"), QStringLiteral("4.24264"));
        EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), status);
    }
}

TEST_F(ReliableChangeTest, TextThatIsNoNumberReportsTheErrorAndKeepsWhatWasWritten)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    scores(QStringLiteral("30"), QStringLiteral("abc"));
    tabs()->setCurrentIndex(3);
    testkit::MsgBoxScript msgs;
    clever();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.texts().first().startsWith(ErrorLead + QStringLiteral("\r\n")));
    EXPECT_GT(msgs.texts().first().size(), ErrorLead.size() + 2);
    EXPECT_EQ(text("Txt99Conf"), QStringLiteral("10.92832"));
    EXPECT_EQ(text("TxtChangeScore"), QString());
    EXPECT_EQ(tabs()->currentIndex(), 3);
}

TEST_F(ReliableChangeTest, CompletedRunEndsOnTheStartTabAndAStoppedOneDoesNot)
{
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QStringLiteral("op2"));
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    samples(QStringLiteral("30"), QStringLiteral("6"), QString(), QString());
    tabs()->setCurrentIndex(3);
    testkit::MsgBoxScript msgs;
    clever();
    EXPECT_EQ(tabs()->currentIndex(), 2);

    struct Stop {
        const char* what;
        QString r, cm, nm;
    } stops[] = {
        {"message", QStringLiteral("1"), QStringLiteral("30"), QString()},
        {"equal means", QStringLiteral("0.84"), QStringLiteral("25"), QStringLiteral("25")},
        {"no means", QStringLiteral("0.84"), QString(), QString()},
    };
    for (const auto& s : stops) {
        SCOPED_TRACE(s.what);
        paste(QStringLiteral("TxtReliabilityAnswer"), s.r);
        samples(s.cm, QStringLiteral("6"), s.nm, QStringLiteral("5"));
        tabs()->setCurrentIndex(1);
        clever();
        EXPECT_EQ(tabs()->currentIndex(), 1);
    }

    for (const char* value : {"OP2", "2", "op4", ""}) {
        SCOPED_TRACE(value);
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QString::fromLatin1(value));
        paste(QStringLiteral("TxtReliabilityAnswer"), QStringLiteral("0.84"));
        samples(QStringLiteral("30"), QStringLiteral("6"), QString(), QString());
        tabs()->setCurrentIndex(3);
        clever();
        EXPECT_EQ(tabs()->currentIndex(), 0);
    }
}

TEST_F(ReliableChangeTest, ToolbarCalculateRunsTheCommand)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    w->Toolbar1_ButtonClick(QStringLiteral("Calculate"));
    EXPECT_EQ(text("TxtSEM"), QStringLiteral("3"));
}

} // namespace
} // namespace morvane_test
