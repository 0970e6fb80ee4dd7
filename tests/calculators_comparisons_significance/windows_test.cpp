// The calculator windows driven by objectName as a person would: their checks
// and messages, what stays and what is emptied, the key filters, the reset
// and Exit buttons and the one-window-per-kind rule.
#include "CalcHarness.h"
#include "calculators/CorrelationComparison.h"
#include "calculators/GComparison.h"
#include "calculators/PValueComparison.h"
#include "calculators/Significance.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmZDifferences.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace calculators;
using calctest::box;
using calctest::closeWindow;
using calctest::enter;
using testkit::MsgBoxScript;

namespace {

void press(QWidget* w, const char* button) { testkit::click(testkit::find(w, QString::fromLatin1(button))); }

std::string s(const QString& q) { return q.toStdString(); }

// The lead sentence of the message of a computation stopped by an error.
const char* const ErrorLead = "Please check the numbers you entered. Something went very wrong";

} // namespace

// ---- two p values ----

TEST(ZDifferences, CheckBoxCaptionFollowsItsValueAndResultsWaitForCompute)
{
    auto* w = showZDifferences();
    EXPECT_EQ(s(w->windowTitle()),
              "Compute Difference Of Two p Values - Assumes Normally Distributed Samples Within Studies");
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w->size(), QSize(762, 327));
    EXPECT_TRUE(box(w, "Text1").startsWith(QStringLiteral(
        "If you have two studies with derived p values, you may wish to see whether they are significantly "
        "different.")));
    auto* chk = testkit::find<QCheckBox>(w, QStringLiteral("chkNegative"));
    EXPECT_FALSE(chk->isChecked());
    EXPECT_EQ(s(chk->text()), "No");

    enter(w, "txtP1", QStringLiteral("0.05"));
    enter(w, "txtP2", QStringLiteral("0.01"));
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtAnswerZ")), "0.48189");
    testkit::click(chk);
    EXPECT_TRUE(chk->isChecked());
    EXPECT_EQ(s(chk->text()), "Yes");
    EXPECT_EQ(s(box(w, "txtAnswerZ")), "0.48189");
    press(w, "cmdCompute");
    EXPECT_EQ(s(box(w, "txtAnswerZ")), "2.80806");
    testkit::click(chk);
    EXPECT_EQ(s(chk->text()), "No");
    closeWindow(w);
}

TEST(ZDifferences, RefusedPValuesEmptyTheResults)
{
    auto* w = showZDifferences();
    // Not a number is refused with the same message (the input boxes take
    // any character).
    const QStringList refused[] = {{"", "0.05"}, {"0.05", ""}, {"0", "0.05"},    {"0.6", "0.05"},
                                   {"-0.01", "0.05"}, {"0.05", "0.50001"}, {"abc", "0.05"}, {"0.05", "."}};
    for (const QStringList& c : refused) {
        enter(w, "txtP1", QStringLiteral("0.05"));
        enter(w, "txtP2", QStringLiteral("0.01"));
        press(w, "cmdCompute");
        ASSERT_EQ(s(box(w, "txt2PZ")), "0.62988");
        enter(w, "txtP1", c[0]);
        enter(w, "txtP2", c[1]);
        EXPECT_EQ(box(w, "txtP1"), c[0]);
        MsgBoxScript msgs;
        press(w, "cmdCompute");
        ASSERT_EQ(msgs.count(), 1) << s(c.join(QLatin1Char(',')));
        EXPECT_EQ(s(msgs.texts().first()), zdiffmsg::EnterP);
        EXPECT_EQ(msgs.shown().first().icon, platform::MsgIcon::None);
        for (const char* b : {"txtZ1", "txtZ2", "txtAnswerZ", "txt1PZ", "txt2PZ"})
            EXPECT_EQ(s(box(w, b)), "") << b;
    }
    closeWindow(w);
}

TEST(ZDifferences, ZBoxesTakeSignedDecimalsOnly)
{
    auto* w = showZDifferences();
    testkit::type(testkit::find(w, QStringLiteral("txtZ1")), QStringLiteral("-1.2.3a-"));
    EXPECT_EQ(s(box(w, "txtZ1")), "-1.23");
    testkit::type(testkit::find(w, QStringLiteral("txtZ2")), QStringLiteral("x5,6 "));
    EXPECT_EQ(s(box(w, "txtZ2")), "56");
    closeWindow(w);
}

TEST(ZDifferences, OneWindowWhichKeepsItsContentsUntilClosed)
{
    auto* first = showZDifferences();
    enter(first, "txtP1", QStringLiteral("0.2"));
    testkit::click(testkit::find(first, QStringLiteral("chkNegative")));
    auto* again = showZDifferences();
    EXPECT_EQ(first, again);
    EXPECT_EQ(s(box(again, "txtP1")), "0.2");
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_FALSE(first->isModal());
    closeWindow(first);
    auto* fresh = showZDifferences();
    EXPECT_EQ(s(box(fresh, "txtP1")), "");
    EXPECT_EQ(s(testkit::text(fresh, QStringLiteral("chkNegative"))), "No");
    closeWindow(fresh);
}

// ---- two correlations ----

TEST(DiffBetweenRs, AfterARefusalOnlyTheZTestPValuesKeepTheLastResults)
{
    auto* w = showDiffBetweenRs();
    enter(w, "txtR1", QStringLiteral("0.3"));
    enter(w, "txtN1r", QStringLiteral("50"));
    enter(w, "txtR2", QStringLiteral("0.1"));
    enter(w, "txtN2r", QStringLiteral("60"));
    press(w, "cmdDoIt");
    ASSERT_EQ(s(box(w, "txtDF")), "104");

    struct Refusal {
        const char* box;
        const char* text;
        std::string message;
    };
    const Refusal refusals[] = {
        {"txtN2r", "", rdiffmsg::EnterAll},
        {"txtR1", "1", rdiffmsg::CorrelationRange},
        {"txtR2", "-1", rdiffmsg::CorrelationRange},
        {"txtR1", "-1.5", rdiffmsg::CorrelationRange},
        {"txtN1r", "3", rdiffmsg::ThreeSubjectsEach},
        {"txtR1", ".", ErrorLead},   // a text that is no number
    };
    for (const Refusal& r : refusals) {
        const QString kept = box(w, r.box);
        enter(w, r.box, QString::fromLatin1(r.text));
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        ASSERT_EQ(msgs.count(), 1) << r.box << " " << r.text;
        EXPECT_EQ(s(msgs.texts().first()).substr(0, r.message.size()), r.message);
        for (const char* b : {"txtZ1", "txtZ2", "txtZD", "txtSEdr", "txtDF", "txt2PT", "txt1PT"})
            EXPECT_EQ(s(box(w, b)), "") << b;
        EXPECT_EQ(s(box(w, "txt1PZ")), "0.14418769");
        EXPECT_EQ(s(box(w, "txt2PZ")), "0.28837538");
        enter(w, r.box, kept);
    }
    // Only the first failing check speaks: an empty box before a bad r, a bad
    // r before too small a sample.
    enter(w, "txtR1", QStringLiteral("1"));
    enter(w, "txtN1r", QStringLiteral("3"));
    {
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        EXPECT_EQ(msgs.texts(), QStringList{QString::fromLatin1(rdiffmsg::CorrelationRange)});
        enter(w, "txtN2r", QString());
        press(w, "cmdDoIt");
        EXPECT_EQ(s(msgs.texts().last()), rdiffmsg::EnterAll);
    }
    // Four subjects are enough; 0.999 and -0.999 are correlations.
    enter(w, "txtR1", QStringLiteral("0.999"));
    enter(w, "txtN1r", QStringLiteral("4"));
    enter(w, "txtR2", QStringLiteral("-0.999"));
    enter(w, "txtN2r", QStringLiteral("60"));
    MsgBoxScript none;
    press(w, "cmdDoIt");
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(s(box(w, "txtDF")), "58");
    closeWindow(w);
}

TEST(DiffBetweenRs, KeyFiltersStartAgainAndExit)
{
    auto* w = showDiffBetweenRs();
    EXPECT_EQ(s(w->windowTitle()), "Compare Two Indepedent Correlations");
    EXPECT_EQ(s(box(w, "Text1")),
              "Significance of the difference between two correlations from two independent samples\n");
    EXPECT_EQ(s(box(w, "Text2")), "Assumes 'normality'\n");
    testkit::type(testkit::find(w, QStringLiteral("txtR1")), QStringLiteral("-0.5-.1x"));
    EXPECT_EQ(s(box(w, "txtR1")), "-0.51");
    testkit::type(testkit::find(w, QStringLiteral("txtN1r")), QStringLiteral("1.-5e"));
    EXPECT_EQ(s(box(w, "txtN1r")), "15");
    enter(w, "txtR2", QStringLiteral("0.2"));
    enter(w, "txtN2r", QStringLiteral("30"));
    press(w, "cmdDoIt");
    ASSERT_FALSE(box(w, "txt2PZ").isEmpty());

    press(w, "cmdClear");
    for (auto* e : w->findChildren<QLineEdit*>())
        EXPECT_EQ(s(e->text()), "") << s(e->objectName());
    EXPECT_EQ(s(box(w, "Text1")), "");
    EXPECT_EQ(s(box(w, "Text2")), "");

    QPointer<QWidget> guard(w);
    press(w, "cmdExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    auto* fresh = showDiffBetweenRs();
    EXPECT_EQ(s(box(fresh, "Text2")), "Assumes 'normality'\n");
    closeWindow(fresh);
}

TEST(DiffBetRsDependent, ChecksMessagesAndImpossibleCorrelations)
{
    auto* w = showDiffBetRsDependent();
    EXPECT_EQ(s(w->windowTitle()), "Compare Two Depedent Correlations");
    auto fill = [&](const char* a, const char* b, const char* c, const char* n) {
        enter(w, "txtR1", QString::fromLatin1(a));
        enter(w, "txtR2", QString::fromLatin1(b));
        enter(w, "txtR3", QString::fromLatin1(c));
        enter(w, "txtN1r", QString::fromLatin1(n));
    };
    struct Refusal {
        const char *a, *b, *c, *n;
        std::string message;
    };
    // Three correlations that cannot occur together take the square root of
    // a negative number; the boxes stay as the first step left them.
    const Refusal refusals[] = {
        {"0.5", "", "0.4", "50", rdiffmsg::EnterAll},
        {"0.5", "0.3", "0.4", "", rdiffmsg::EnterAll},
        {"0.5", "1", "0.4", "3", rdiffmsg::CorrelationRange},
        {"0.5", "0.3", "-1", "50", rdiffmsg::CorrelationRange},
        {"0.5", "0.3", "0.4", "3", rdiffmsg::ThreeSubjects},
        {"0.9", "-0.9", "0.9", "50", ErrorLead},
        {"-", "0.3", "0.4", "50", ErrorLead},
    };
    for (const Refusal& r : refusals) {
        fill("0.5", "0.3", "0.4", "50");
        press(w, "cmdDoIt");
        ASSERT_EQ(s(box(w, "txtRValue")), "0.62");
        fill(r.a, r.b, r.c, r.n);
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        ASSERT_EQ(msgs.count(), 1) << r.a << " " << r.b << " " << r.c << " " << r.n;
        EXPECT_EQ(s(msgs.texts().first()).substr(0, r.message.size()), r.message);
        for (const char* b : {"txtTValue", "txtRValue", "txtDF", "txt1PT", "txt2PT"})
            EXPECT_EQ(s(box(w, b)), "") << b;
    }
    // A sample larger than a 16-bit count of degrees of freedom is computed.
    fill("0.6", "0.58", "0.3", "40000");
    MsgBoxScript none;
    press(w, "cmdDoIt");
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(s(box(w, "txtDF")), "39997");

    press(w, "cmdClear");
    EXPECT_EQ(s(box(w, "Text1")), "");
    EXPECT_EQ(s(box(w, "Text2")), "");
    EXPECT_EQ(s(box(w, "txtDF")), "");
    closeWindow(w);
    auto* fresh = showDiffBetRsDependent();
    EXPECT_TRUE(box(fresh, "Text1").startsWith(QStringLiteral("Significance of the difference")));
    // The note box wraps the caption at its own width.
    EXPECT_EQ(s(box(fresh, "Text2")), "The determinant of the correlation matrix for X, Y, and V:\n");
    closeWindow(fresh);
}

// ---- p values from a statistic ----

namespace {

struct SigRow {
    const char* button;
    QStringList inputs;     // boxes of the row
    const char* twoTailed;
    const char* oneTailed;
    QStringList good;       // inputs that compute
};

const SigRow& sigRow(int i)
{
    static const SigRow rows[] = {
        {"cmdT", {"txtT", "txtTDF"}, "txt2PT", "txt1PT", {"2", "10"}},
        {"cmdZ", {"txtZStat"}, "txt2PZ", "txt1PZ", {"1.96"}},
        {"cmdR", {"txtR", "txtRN"}, "txt2PR", "txt1PR", {"0.5", "27"}},
        {"cmdChi", {"txtChi", "txtChiDF"}, "txt2PChi", "txt1PChi", {"6", "2"}},
    };
    return rows[i];
}

void fillRow(QWidget* w, const SigRow& r, const QStringList& values)
{
    for (int i = 0; i < r.inputs.size(); ++i)
        testkit::retype(testkit::find(w, r.inputs[i]), values.value(i));
}

} // namespace

TEST(Significance, ARefusedRowShowsQuestionMarksAndLeavesTheRestAlone)
{
    auto* w = showSignificance();
    EXPECT_EQ(s(w->windowTitle()), "Tests Of Significance");
    struct Refusal {
        int row;
        QStringList values;
        std::string message;
    };
    const Refusal refusals[] = {
        {0, {"", "10"}, sigmsg::EnterT},
        {0, {"2", ""}, sigmsg::EnterT},
        {1, {""}, sigmsg::EnterZ},
        {2, {"0.5", ""}, sigmsg::EnterR},
        {2, {"1", "27"}, sigmsg::RBelowOne},
        {2, {"0.9999999991", "27"}, sigmsg::RBelowOne},
        {3, {"6", ""}, sigmsg::EnterChi},
        {3, {"", "2"}, sigmsg::EnterChi},
        // Inputs the statistics cannot take: no number, df of 0, r of -1 or
        // below, fewer than two subjects.
        {0, {".", "10"}, ErrorLead},
        {0, {"2", "0"}, ErrorLead},
        {1, {"-"}, ErrorLead},
        {2, {"-1", "27"}, ErrorLead},
        {2, {"-1.5", "27"}, ErrorLead},
        {2, {"0.5", "1"}, ErrorLead},
        {3, {"6", "0"}, ErrorLead},
    };
    for (const Refusal& r : refusals) {
        // Every row computed, the correlation row last so that the working
        // box holds its lines.
        for (int i : {0, 1, 3, 2}) {
            fillRow(w, sigRow(i), sigRow(i).good);
            press(w, sigRow(i).button);
        }
        const QString working = box(w, "txtWorking");
        ASSERT_TRUE(working.startsWith(QStringLiteral("t value = ")));
        QStringList before;
        for (int i = 0; i < 4; ++i)
            before << box(w, sigRow(i).twoTailed) << box(w, sigRow(i).oneTailed);

        const SigRow& row = sigRow(r.row);
        fillRow(w, row, r.values);
        MsgBoxScript msgs;
        press(w, row.button);
        ASSERT_EQ(msgs.count(), 1) << row.button << " " << s(r.values.join(QLatin1Char(',')));
        EXPECT_EQ(s(msgs.texts().first()).substr(0, r.message.size()), r.message);
        EXPECT_EQ(s(box(w, row.twoTailed)), "?");
        EXPECT_EQ(s(box(w, row.oneTailed)), "?");
        for (int i = 0; i < 4; ++i) {
            if (i == r.row)
                continue;
            EXPECT_EQ(box(w, sigRow(i).twoTailed), before[2 * i]);
            EXPECT_EQ(box(w, sigRow(i).oneTailed), before[2 * i + 1]);
        }
        // A refusal before any computation leaves the working box; a row
        // that fails inside the statistics has emptied or rewritten it.
        if (r.message != ErrorLead) {
            EXPECT_EQ(box(w, "txtWorking"), working);
        }
    }
    closeWindow(w);
}

TEST(Significance, WorkingBoxAndResetAll)
{
    auto* w = showSignificance();
    fillRow(w, sigRow(2), {"0.5", "27"});
    press(w, "cmdR");
    EXPECT_EQ(s(box(w, "txtWorking")), "t value = 2.88675134594813\nDegrees of Freedom = 25.\n");
    // Any other row that computes empties the working box.
    fillRow(w, sigRow(1), {"-1.96"});
    press(w, "cmdZ");
    EXPECT_EQ(s(box(w, "txtWorking")), "");
    EXPECT_EQ(s(box(w, "txt2PZ")), "0.05");
    EXPECT_EQ(s(box(w, "txt2PR")), "0.00791");
    // Key filters: signed statistic, whole-number df.
    testkit::retype(testkit::find(w, QStringLiteral("txtChi")), QStringLiteral("-6.5.1e"));
    EXPECT_EQ(s(box(w, "txtChi")), "-6.51");
    testkit::retype(testkit::find(w, QStringLiteral("txtChiDF")), QStringLiteral("-2.5"));
    EXPECT_EQ(s(box(w, "txtChiDF")), "25");
    press(w, "cmdChi");
    press(w, "cmdR");
    press(w, "cmdReset");
    for (auto* e : w->findChildren<QLineEdit*>())
        EXPECT_EQ(s(e->text()), "") << s(e->objectName());
    EXPECT_EQ(s(box(w, "txtWorking")), "");
    closeWindow(w);
}

// ---- two g values ----

namespace {

void fillGs(QWidget* w, const QStringList& v)
{
    const char* const names[] = {"txtGA", "txtN1GA", "txtN2GA", "txtTA", "txtGB", "txtN1GB", "txtN2GB", "txtTB"};
    for (int i = 0; i < 8; ++i)
        enter(w, names[i], v.value(i));
}

const QStringList GoodGs = {"0.9", "10", "10", "2", "0.45", "10", "10", "1"};

} // namespace

TEST(DiffBetGs, InputsThatGiveNoAnswerShowQuestionMarks)
{
    auto* w = showDiffBetGs();
    EXPECT_EQ(s(w->windowTitle()), "Significant Difference Between The Size Of Two Hedges' g Effect Sizes");
    EXPECT_EQ(s(box(w, "txtWorking")), "Working ...");
    struct Refusal {
        QStringList values;
        std::string message;
    };
    const Refusal refusals[] = {
        {{"", "10", "10", "2", "0.45", "10", "10", "1"}, gdiffmsg::EnterAll},
        {{"0.9", "10", "10", "2", "0.45", "10", "10", ""}, gdiffmsg::EnterAll},
        {{"0.9", "0", "10", "2", "0.45", "10", "10", "1"}, gdiffmsg::NoWeight},
        {{"0.9", "1", "1", "0", "0.45", "10", "10", "1"}, gdiffmsg::NoWeight},   // 0 / 0
        {{"0.9", "10", "10", "2", "0.45", "0", "0", "1"}, gdiffmsg::NoWeight},
        {{"-", "10", "10", "2", "0.45", "10", "10", "1"}, ErrorLead},
    };
    for (const Refusal& r : refusals) {
        fillGs(w, GoodGs);
        press(w, "cmdDoIt");
        ASSERT_EQ(s(box(w, "txt1PZ")), "0.24571893");
        fillGs(w, r.values);
        MsgBoxScript msgs;
        press(w, "cmdDoIt");
        ASSERT_EQ(msgs.count(), 1) << s(r.values.join(QLatin1Char(',')));
        EXPECT_EQ(s(msgs.texts().first()).substr(0, r.message.size()), r.message);
        EXPECT_EQ(s(box(w, "txt1PZ")), "?");
        EXPECT_EQ(s(box(w, "txt2PZ")), "?");
        EXPECT_EQ(s(box(w, "txtWorking")), "");
    }
    closeWindow(w);
}

TEST(DiffBetGs, KeyFiltersStartAgainAndReopening)
{
    auto* w = showDiffBetGs();
    testkit::type(testkit::find(w, QStringLiteral("txtN1GA")), QStringLiteral("-1.2"));
    EXPECT_EQ(s(box(w, "txtN1GA")), "12");
    testkit::type(testkit::find(w, QStringLiteral("txtTA")), QStringLiteral("-1.2-.3"));
    EXPECT_EQ(s(box(w, "txtTA")), "-1.23");
    // Equal g in both studies: z of 0.
    fillGs(w, {"0.3", "25", "25", "1.5", "0.3", "40", "38", "1.9"});
    press(w, "cmdDoIt");
    EXPECT_EQ(s(box(w, "txt2PZ")), "1");
    EXPECT_EQ(s(box(w, "txt1PZ")), "0.5");
    press(w, "cmdClear");
    for (const char* b : {"Text1", "Text2", "txtWorking", "txtGA", "txtTB", "txt1PZ", "txt2PZ"})
        EXPECT_EQ(s(box(w, b)), "") << b;
    closeWindow(w);
    auto* fresh = showDiffBetGs();
    EXPECT_EQ(s(box(fresh, "txtWorking")), "Working ...");
    EXPECT_EQ(s(box(fresh, "Text2")), "Assumes 'normality'\n");
    EXPECT_TRUE(box(fresh, "Text1").startsWith(
        QStringLiteral("Significance of the difference between two Hedges' g effect size estimates.\n\nEnter")));
    closeWindow(fresh);
}
