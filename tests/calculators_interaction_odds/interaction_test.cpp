// The interaction window driven by objectName: its checks and messages, what
// a computation empties and keeps, stops on errors, the key filters, Reset,
// the proportional layout, one window per run, and the hand-over to a real
// Tarvoss main window.
#include "Harness.h"
#include "calculators/InteractionEffectSize.h"
#include "calculators/frmESInteract.h"
#include "meandiff/frmMain.h"
#include "platform/AppInfo.h"
#include "shell/Resize.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <memory>

using namespace calculators;
using namespace calc4test;
using testkit::MsgBoxScript;

namespace {

const char* const Inputs[10] = {"txtEXMean1",   "txtEXSD1",   "txtExN",       "txtEXMean2",   "txtEXSD2",
                                "txtCtrlMean1", "txtCtrlSD1", "txtCtrlN",     "txtCtrlMean2", "txtCtrlSD2"};

// The worked example: changes 8 and 3, D 5, d = 5 / sqrt(43.5).
void enterExample(QWidget* w, bool withSizes = true)
{
    const char* values[10] = {"30", "6", "15", "22", "8", "31", "5", "12", "28", "7"};
    for (int i = 0; i < 10; ++i)
        enter(w, Inputs[i], withSizes || (i != 2 && i != 7) ? QString::fromLatin1(values[i]) : QString());
}

QStringList results(QWidget* w)
{
    QStringList texts;
    for (const char* name : kInteractionResultBoxes)
        texts << box(w, name);
    return texts;
}

class Interaction : public ::testing::Test {
protected:
    void SetUp() override { w = showESInteract(); }
    void TearDown() override { closeWindow(w); }
    frmESInteract* w = nullptr;
};

} // namespace

TEST_F(Interaction, OpensEmptyWithItsCaptionAndStaysOnePerRun)
{
    EXPECT_EQ(s(w->windowTitle()), "Repeated Measures Interaction Effect Size Estimate");
    for (const char* name : Inputs)
        EXPECT_TRUE(box(w, name).isEmpty()) << name;
    EXPECT_EQ(s(testkit::text(testkit::find(w, QStringLiteral("cmdCopy")))), "&Copy To Tarvoss");
    const QColor optional = testkit::find<QLineEdit>(w, QStringLiteral("txtExN"))->palette().color(QPalette::Base);
    EXPECT_EQ(optional, QColor(255, 128, 128));
    EXPECT_EQ(testkit::find<QLineEdit>(w, QStringLiteral("txtESD"))->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(testkit::find<QLineEdit>(w, QStringLiteral("TxtESNeg95"))->palette().color(QPalette::Text),
              QColor(0, 0, 255));

    enter(w, "txtEXMean1", QStringLiteral("12"));
    EXPECT_EQ(showESInteract(), w) << "pressing the launcher again brings the same window forward";
    EXPECT_EQ(s(box(w, "txtEXMean1")), "12");
}

TEST_F(Interaction, MissingMeansOrSDsAreRefusedAndLeaveEarlierResults)
{
    enterExample(w);
    press(w, "cmdES");
    const QStringList before = results(w);
    EXPECT_EQ(s(box(w, "txtESD")), "0.7581");

    struct Refusal {
        const char* emptied;
        const char* message;
    };
    for (const Refusal& r : {Refusal{"txtEXSD2", interactmsg::Experimental},
                             Refusal{"txtEXMean1", interactmsg::Experimental},
                             Refusal{"txtCtrlMean2", interactmsg::Control},
                             Refusal{"txtCtrlSD1", interactmsg::Control}}) {
        enterExample(w);
        enter(w, r.emptied, QString());
        MsgBoxScript messages;
        press(w, "cmdES");
        ASSERT_EQ(messages.count(), 1) << r.emptied;
        EXPECT_EQ(s(messages.shown()[0].text), r.message);
        EXPECT_EQ(messages.shown()[0].icon, platform::MsgIcon::None);
        EXPECT_EQ(results(w), before) << r.emptied;
    }
}

TEST_F(Interaction, SameChangeInBothGroupsGivesZeroWhateverTheGroupDifferences)
{
    const char* values[10] = {"50", "4", "10", "44", "6", "12", "3", "10", "6", "5"};
    for (int i = 0; i < 10; ++i)
        enter(w, Inputs[i], QString::fromLatin1(values[i]));
    MsgBoxScript messages;
    press(w, "cmdES");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(s(box(w, "txtDiffTime1")), "38");
    EXPECT_EQ(s(box(w, "txtTotDiff")), "0");
    EXPECT_EQ(s(box(w, "txtESD")), "0");
    EXPECT_EQ(s(box(w, "txtHedgesG")), "0");
}

// Each stop leaves the window open, shows the error and keeps exactly the
// boxes written before it; the earlier results are gone.
TEST_F(Interaction, StopsOnBadTextOrZeroDenominatorKeepWhatWasWrittenBefore)
{
    struct Stop {
        const char* box;
        const char* text;
        const char* lastFilled;   // nullptr: no result written
        const char* firstEmpty;
    };
    const Stop stops[] = {
        {"txtEXMean1", "-", nullptr, "txtEXDiff"},       // a mean that is not a number
        {"txtCtrlMean2", ".", nullptr, "txtEXDiff"},
        {"txtExN", "0", "txtESD", "TxtESNeg95"},          // nE nC = 0
        {"txtCtrlN", "0", "txtESD", "TxtESNeg95"},
    };
    for (const Stop& st : stops) {
        enterExample(w);
        press(w, "cmdES");
        enter(w, st.box, QString::fromLatin1(st.text));
        MsgBoxScript messages;
        press(w, "cmdES");
        ASSERT_EQ(messages.count(), 1) << st.box;
        EXPECT_TRUE(messages.shown()[0].text.startsWith(QString::fromLatin1(ErrorLead))) << s(messages.shown()[0].text);
        if (st.lastFilled) {
            EXPECT_FALSE(box(w, st.lastFilled).isEmpty()) << st.box;
        }
        EXPECT_TRUE(box(w, st.firstEmpty).isEmpty()) << st.box;
        EXPECT_TRUE(box(w, "TxtHedgesGPlus95").isEmpty()) << st.box;
        EXPECT_TRUE(w->isVisible());
    }

    // Four SDs of 0: no pooled SD, nothing written.
    enterExample(w);
    for (const char* sd : {"txtEXSD1", "txtEXSD2", "txtCtrlSD1", "txtCtrlSD2"})
        enter(w, sd, QStringLiteral("0"));
    {
        MsgBoxScript messages;
        press(w, "cmdES");
        EXPECT_EQ(messages.count(), 1);
        for (const QString& t : results(w))
            EXPECT_TRUE(t.isEmpty());
    }

    // Both groups of one: the interval of d is shown, g is not.
    enterExample(w);
    enter(w, "txtExN", QStringLiteral("1"));
    enter(w, "txtCtrlN", QStringLiteral("1"));
    {
        MsgBoxScript messages;
        press(w, "cmdES");
        EXPECT_EQ(messages.count(), 1);
        EXPECT_FALSE(box(w, "TxtESPlus95").isEmpty());
        EXPECT_TRUE(box(w, "txtHedgesG").isEmpty());
    }
}

TEST_F(Interaction, SDBoxesReadTheLeadingNumberAndALoneDotIsZero)
{
    enterExample(w);
    enter(w, "txtEXSD1", QStringLiteral("."));
    enter(w, "txtEXSD2", QStringLiteral("6"));
    enter(w, "txtCtrlSD1", QStringLiteral("6"));
    enter(w, "txtCtrlSD2", QStringLiteral("6"));
    MsgBoxScript messages;
    press(w, "cmdES");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(s(box(w, "txtEXPooledSD")), "4.24264");   // sqrt(18)
}

TEST_F(Interaction, KeyFiltersAndResetAll)
{
    enter(w, "txtEXMean1", QStringLiteral("-1-2.3.4a"));
    EXPECT_EQ(s(box(w, "txtEXMean1")), "-12.34");
    enter(w, "txtCtrlMean2", QStringLiteral("5-"));
    EXPECT_EQ(s(box(w, "txtCtrlMean2")), "5");
    enter(w, "txtEXSD1", QStringLiteral("-1.2.3x"));
    EXPECT_EQ(s(box(w, "txtEXSD1")), "1.23");
    enter(w, "txtCtrlN", QStringLiteral("1.5-e"));
    EXPECT_EQ(s(box(w, "txtCtrlN")), "15");

    enterExample(w);
    press(w, "cmdES");
    press(w, "cmdReset");
    for (const char* name : Inputs)
        EXPECT_TRUE(box(w, name).isEmpty()) << name;
    for (const QString& t : results(w))
        EXPECT_TRUE(t.isEmpty());
}

TEST_F(Interaction, ResizingScalesTheControls)
{
    auto* d = testkit::find<QLineEdit>(w, QStringLiteral("txtESD"));
    const QRect before = d->geometry();
    w->resize(w->width() * 2, w->height() * 2);
    testkit::settle();
    EXPECT_GE(shell::Resize::FindFormEntry(QStringLiteral("frmESInteract")), 0);
    EXPECT_NEAR(d->geometry().left(), before.left() * 2, 3);
    EXPECT_NEAR(d->geometry().width(), before.width() * 2, 3);
}

TEST_F(Interaction, ExitDiscardsEverything)
{
    enterExample(w);
    press(w, "cmdES");
    QPointer<QWidget> guard(w);
    press(w, "cmdExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    w = showESInteract();
    EXPECT_TRUE(box(w, "txtEXMean1").isEmpty());
    EXPECT_TRUE(box(w, "txtESD").isEmpty());
}

// ---- hand-over to the main window ----

namespace {

class HandOver : public Interaction {
protected:
    void SetUp() override
    {
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
        main = std::make_unique<tarvoss::frmMain>();
        main->show();
        testkit::settle();
        Interaction::SetUp();
    }
    void TearDown() override
    {
        Interaction::TearDown();
        main.reset();
    }
    QString mainBox(const char* name) { return box(main.get(), name); }
    void fillMainStudy()
    {
        for (const char* name : {"TxtID", "TxtYear", "TxtDevice", "TxtAssess", "txtStudySample", "txtT1Sample",
                                 "txtT2Sample", "txtD"})
            testkit::find<QLineEdit>(main.get(), QString::fromLatin1(name))->setText(QStringLiteral("old"));
        testkit::find<QTabWidget>(main.get(), QStringLiteral("SSTab1"))->setCurrentIndex(2);
    }

    std::unique_ptr<tarvoss::frmMain> main;
};

} // namespace

TEST_F(HandOver, CopiesTheChangeScoresAndRunsTheMainCalculation)
{
    enterExample(w);
    press(w, "cmdES");
    const QStringList own = results(w);
    fillMainStudy();
    MsgBoxScript messages;
    press(w, "cmdCopy");
    EXPECT_EQ(messages.count(), 0) << s(messages.texts().join(QLatin1Char('|')));

    const std::pair<const char*, const char*> expected[] = {
        {"txtMean1", "8"},
        {"txtMean2", "3"},
        {"txtSD1", "7.07107"},
        {"txtSD2", "6.08276"},
        {"TxtN1", "15"},
        {"TxtN2", "12"},
        {"TxtAssess", "Change Scores"},
        {"TxtDevice", ""},
        {"txtStudySample", ""},
        {"TxtYear", ""},
        {"TxtID", ""},
        {"txtT1Sample", "Change score for Experimental group"},
        {"txtT2Sample", "Change score for Control group"},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(s(mainBox(name)), text) << name;
    EXPECT_EQ(testkit::find<QTabWidget>(main.get(), QStringLiteral("SSTab1"))->currentIndex(), 0);

    // The main window's own calculation ran on the copied values.
    EXPECT_EQ(s(mainBox("TxtMeanDiff")), "5");
    EXPECT_EQ(s(mainBox("TxtTotalN")), "27");
    for (const char* result : {"TxtTarvoss", "TxtESNeg95", "TxtESPlus95", "txtHedgesG", "TxtHedgesGPlus95"})
        EXPECT_FALSE(mainBox(result).isEmpty()) << result;

    // This window stays open and unchanged.
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(results(w), own);
    EXPECT_EQ(s(box(w, "txtEXMean1")), "30");
}

TEST_F(HandOver, AnEmptyWindowCopiesEmptyTextsAndTheMainChecksApply)
{
    fillMainStudy();
    MsgBoxScript messages;
    press(w, "cmdCopy");
    EXPECT_EQ(messages.count(), 1) << "the main window refuses the empty group data with its own message";
    EXPECT_TRUE(mainBox("txtMean1").isEmpty());
    EXPECT_TRUE(mainBox("TxtID").isEmpty());
    EXPECT_EQ(s(mainBox("TxtAssess")), "Change Scores");
    EXPECT_TRUE(mainBox("TxtTarvoss").isEmpty());
}

TEST_F(Interaction, WithoutAMainWindowCopyDoesNothing)
{
    // A window named frmMain that is not the Tarvoss main window is left alone.
    QWidget stranger;
    stranger.setObjectName(QStringLiteral("frmMain"));
    auto* mean = new QLineEdit(&stranger);
    mean->setObjectName(QStringLiteral("txtMean1"));
    stranger.show();
    enterExample(w);
    press(w, "cmdES");
    MsgBoxScript messages;
    press(w, "cmdCopy");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(mean->text().isEmpty());
    EXPECT_EQ(s(box(w, "txtEXDiff")), "8");
}
