// The Morvane main window itself: its controls, load, key filters, the Step 1
// warning, Clear All and File > New, and the help buttons.
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"

#include <QGroupBox>
#include <QPushButton>

namespace morvane_test {
namespace {

using namespace morvane::ChangeText;

class WindowTest : public MorvaneWindowTest {};

TEST_F(WindowTest, ControlsCarryTheirNamesAtTheirPlaces)
{
    const char* const lineEdits[] = {
        "TxtReliabilityAnswer", "TxtAnswerSD", "TxtTime1Answer", "TxtTime2Answer", "TxtDevice", "TxtAssess",
        "TxtID", "TxtClinMean", "TxtClinSD", "TxtNormMean", "TxtNormSD", "Txt1sdConf", "Txt95Conf", "Txt99Conf",
        "TxtChangeScore", "Text2", "TxtClient68", "TxtClient95", "TxtClient99", "TxtSEM", "TxtSED", "TxtPointA",
        "TxtPointB", "TxtPointC", "TxtAAnswer", "TxtBAnswer", "TxtCAnswer", "TxtCNI", "txtPercentage", "txtChange",
        "txtPointChange", "txtConfidence", "txtZ", "txtSEM2", "txtSED2"};
    for (const char* n : lineEdits)
        EXPECT_NE(w->findChild<QLineEdit*>(QString::fromLatin1(n)), nullptr) << n;
    for (const char* n : {"txtClinStatus", "txtNote", "TxtExtraInfo"})
        EXPECT_NE(w->findChild<QPlainTextEdit*>(QString::fromLatin1(n)), nullptr) << n;
    for (const char* n : {"CmdClever", "cmdClear", "cmdCancel", "CmdHelpReliability", "CmdHelpSD", "CmdHelpTime1",
                          "CmdHelpTime2", "cmdCompute", "cmdPoint"})
        EXPECT_NE(w->findChild<QPushButton*>(QString::fromLatin1(n)), nullptr) << n;
    for (const QString& p : morvane::criterionPictures())
        EXPECT_EQ(picture(p), QStringLiteral("help.gif")) << p.toStdString();
    EXPECT_NE(w->findChild<QGroupBox*>(QStringLiteral("FraClever")), nullptr);

    QStringList titles;
    for (int i = 0; i < tabs()->count(); ++i)
        titles << tabs()->tabText(i);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Reliable Change"), QStringLiteral("Clinical Change"),
                                   QStringLiteral("Exact Confidence Rates"), QStringLiteral("Extra Information")}));
    EXPECT_EQ(text("CmdClever"), QStringLiteral("&OK, Do The Clever Stuff!"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Morvane"));
    // Design rectangles in twips, 15 to the pixel, under the 480-twip toolbar.
    EXPECT_EQ(box(QStringLiteral("TxtReliabilityAnswer"))->geometry(), QRect(158, 48, 57, 25));
    EXPECT_EQ(box(QStringLiteral("TxtNormSD"))->geometry(), QRect(731, 162, 65, 25));
    EXPECT_EQ(box(QStringLiteral("TxtID"))->geometry(), QRect(440, 128, 363, 19));
    EXPECT_EQ(multi(QStringLiteral("txtNote")), Note + QStringLiteral("\n"));
}

TEST_F(WindowTest, LoadOpensOnTheStoredStartTabAtTheFixedSize)
{
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(w->size(), QSize(12360 / 15, 10740 / 15));
    struct Case {
        const char* value;
        int tab;
    } cases[] = {{"op2", 2}, {"op3", 3}, {"op1", 1}, {"OP2", 0}, {"2", 0}, {"op0", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QString::fromLatin1(c.value));
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainWidth"), QStringLiteral("3000"));
        open();
        EXPECT_EQ(tabs()->currentIndex(), c.tab);
        EXPECT_EQ(w->size(), QSize(12360 / 15, 10740 / 15));
    }
}

TEST_F(WindowTest, KeyFiltersRefuseWhatTheBoxesCannotHold)
{
    step1(QStringLiteral("0.84"), QStringLiteral("7.5"));   // no Step 1 warning
    for (const char* n : {"TxtID", "TxtAssess", "TxtDevice"}) {
        testkit::retype(box(QString::fromLatin1(n)), QStringLiteral("a \"b\""));
        EXPECT_EQ(text(QString::fromLatin1(n)), QStringLiteral("a b")) << n;
    }
    tabs()->setCurrentIndex(3);
    auto* extra = testkit::find<QPlainTextEdit>(w.get(), QStringLiteral("TxtExtraInfo"));
    testkit::type(extra, QStringLiteral("say \"hi\""));
    EXPECT_EQ(extra->toPlainText(), QStringLiteral("say hi"));

    tabs()->setCurrentIndex(0);
    testkit::MsgBoxScript msgs;
    for (const char* n : {"TxtReliabilityAnswer", "TxtAnswerSD", "TxtTime1Answer", "TxtTime2Answer", "TxtClinMean",
                          "TxtClinSD", "TxtNormMean", "TxtNormSD", "txtPercentage", "txtPointChange"}) {
        if (QLatin1String(n) == QLatin1String("txtPercentage"))
            tabs()->setCurrentIndex(2);
        testkit::retype(box(QString::fromLatin1(n)), QStringLiteral("-1x2.5.6e"));
        EXPECT_EQ(text(QString::fromLatin1(n)), QStringLiteral("12.56")) << n;
    }
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(WindowTest, ScoreBoxesWarnWhileStep1IsIncomplete)
{
    paste(QStringLiteral("TxtReliabilityAnswer"), QStringLiteral("0.84"));
    testkit::MsgBoxScript msgs;
    testkit::type(box(QStringLiteral("TxtTime1Answer")), QStringLiteral("7"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts().first(), QStringLiteral("To Enter Data In This Field You Must Complete ALL of Step 1."));
    EXPECT_EQ(msgs.shown().first().title, QStringLiteral("Input Error"));
    EXPECT_EQ(msgs.shown().first().icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(text("TxtTime1Answer"), QStringLiteral("7"));

    // Also for a key the filter refuses, which stays refused.
    testkit::type(box(QStringLiteral("TxtTime2Answer")), QStringLiteral("x"));
    EXPECT_EQ(msgs.count(), 2);
    EXPECT_EQ(text("TxtTime2Answer"), QString());

    paste(QStringLiteral("TxtAnswerSD"), QStringLiteral("7.5"));
    testkit::type(box(QStringLiteral("TxtTime2Answer")), QStringLiteral("9"));
    EXPECT_EQ(msgs.count(), 2);
    EXPECT_EQ(text("TxtTime2Answer"), QStringLiteral("9"));
}

class ClearTest : public MorvaneWindowTest {
protected:
    void computeEverything()
    {
        step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
        scores(QStringLiteral("30"), QStringLiteral("15"));
        samples(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("5"));
        paste(QStringLiteral("TxtID"), QStringLiteral("Client 7"));
        testkit::find<QPlainTextEdit>(w.get(), QStringLiteral("TxtExtraInfo"))->setPlainText(QStringLiteral("x"));
        clever();
        paste(QStringLiteral("txtPercentage"), QStringLiteral("95"));
        exact(QStringLiteral("cmdCompute"));
        tabs()->setCurrentIndex(1);
        ASSERT_FALSE(multi(QStringLiteral("txtClinStatus")).isEmpty());
        ASSERT_EQ(picture(QStringLiteral("picCintersect")), QStringLiteral("tick.gif"));
    }
    void expectBoxesEmpty()
    {
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();
        EXPECT_EQ(multi(QStringLiteral("TxtExtraInfo")), QString());
    }
};

TEST_F(ClearTest, ClearAllEmptiesEveryBoxAndResetsPicturesAndNote)
{
    computeEverything();
    clickOn(QStringLiteral("cmdClear"));
    expectBoxesEmpty();
    EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), QString());
    EXPECT_EQ(multi(QStringLiteral("txtNote")), Note);
    for (const QString& p : morvane::criterionPictures())
        EXPECT_EQ(picture(p), QStringLiteral("help.gif")) << p.toStdString();
    EXPECT_EQ(tabs()->currentIndex(), 1);
}

TEST_F(ClearTest, FileNewKeepsTheStatusLine)
{
    computeEverything();
    const QString status = multi(QStringLiteral("txtClinStatus"));
    w->mnuFileNew_Click();
    expectBoxesEmpty();
    EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), status);
    EXPECT_EQ(multi(QStringLiteral("txtNote")), QString());
    EXPECT_EQ(picture(QStringLiteral("picCintersect")), QStringLiteral("tick.gif"));
}

TEST_F(WindowTest, HelpButtonsExplainTheirBoxes)
{
    struct Case {
        const char* button;
        const char* start;
    } cases[] = {
        {"CmdHelpReliability", "To estimate the error inherent to the measurement device"},
        {"CmdHelpSD", "The standard deviation entered into this programme"},
        {"CmdHelpTime1", "This is the score your client got at the first time point (e.g., at intake)."},
        {"CmdHelpTime2", "This is the score your client got at the second time point"},
    };
    for (const auto& c : cases) {
        testkit::MsgBoxScript msgs;
        clickOn(QString::fromLatin1(c.button));
        ASSERT_EQ(msgs.count(), 1) << c.button;
        EXPECT_TRUE(msgs.texts().first().startsWith(QString::fromLatin1(c.start))) << c.button;
        EXPECT_TRUE(msgs.texts().first().endsWith(QStringLiteral("See the Help file for more information.")));
        EXPECT_EQ(msgs.shown().first().icon, platform::MsgIcon::Information);
        EXPECT_EQ(msgs.shown().first().title, QStringLiteral("Morvane"));
    }
}

} // namespace
} // namespace morvane_test

namespace morvane_test {
namespace {

TEST_F(WindowTest, ExitButtonClosesTheWindowAndAsksAboutChangedData)
{
    {
        testkit::MsgBoxScript msgs{platform::MsgResult::Cancel};
        testkit::type(box(QStringLiteral("TxtID")), QStringLiteral("Client 7"));
        clickOn(QStringLiteral("cmdCancel"));
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.texts().first(), QStringLiteral("Data appears to have changed, do you wish to save these changes?"));
        EXPECT_TRUE(w->isVisible());
    }
    w->RecordChanged(true);
    testkit::MsgBoxScript msgs;
    clickOn(QStringLiteral("cmdCancel"));
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
} // namespace morvane_test
