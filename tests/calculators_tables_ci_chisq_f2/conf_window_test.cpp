// The confidence-interval calculator driven as a person would.
#include "calc_test_util.h"

#include "calculators/frmConf.h"
#include "calculators/frmCriticalTable.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using calculators::frmConf;
using testkit::MsgBoxScript;

namespace {

const char* const kResultNames[] = {"lblSE",       "txtSE",         "lblPercent1", "lblPercent2", "lblPercent3",
                                    "lblError",    "lblPlusMinus",  "txtError",    "lblPlus",     "lblMinus",
                                    "lblMean",     "txtMinConf",    "txtMeanOutput", "txtPlusConf", "txtSampleSize",
                                    "txtSEFormula", "lblZValue",    "txtZValue"};
const char* const kResultTexts[] = {"txtSE", "txtZValue", "txtError", "txtMinConf", "txtPlusConf", "txtMeanOutput",
                                    "lblPercent1", "lblPercent2", "lblPercent3", "txtSampleSize"};

struct Conf {
    frmConf w;
    Conf() { w.show(); testkit::settle(); }
    QWidget* c(const char* name) { return testkit::find(&w, QString::fromLatin1(name)); }
    QString t(const char* name) { return testkit::text(c(name)); }
    void enter(const char* mean, const char* sd, const char* n)
    {
        testkit::retype(c("txtMean"), QString::fromLatin1(mean));
        testkit::retype(c("txtSD"), QString::fromLatin1(sd));
        testkit::retype(c("txtN"), QString::fromLatin1(n));
    }
    void doIt() { testkit::click(c("cmdConfidence")); }
    QString note() { return testkit::find<QPlainTextEdit>(&w, "txtSampleSize")->toPlainText(); }
    QColor noteColour() { return c("txtSampleSize")->palette().color(QPalette::Text); }
    bool resultsVisible(bool visible)
    {
        bool all = true;
        for (const char* n : kResultNames)
            if (c(n)->isVisible() != visible) {
                ADD_FAILURE() << n << " visible " << !visible;
                all = false;
            }
        return all;
    }
    bool resultsEmpty()
    {
        bool all = true;
        for (const char* n : kResultTexts) {
            const QString s = n[0] == 't' && QLatin1String(n) == QLatin1String("txtSampleSize") ? note() : t(n);
            if (!s.isEmpty()) {
                ADD_FAILURE() << n << " holds " << s.toStdString();
                all = false;
            }
        }
        return all;
    }
};

} // namespace

TEST(ConfWindow, OpensWithNinetyFiveStandardLayoutAndHiddenResults)
{
    Conf f;
    EXPECT_EQ(f.w.windowTitle(), QString("Confidence Intervals Around A Mean"));
    EXPECT_TRUE(testkit::find<QRadioButton>(&f.w, "op95")->isChecked());
    EXPECT_EQ(f.c("Frame1")->geometry(), QRect(156, 18, 129, 125));
    EXPECT_FALSE(f.c("Frame2")->isVisible());
    f.resultsVisible(false);
    EXPECT_FALSE(f.c("cmdHelp")->isVisible());
    EXPECT_FALSE(f.c("cmdTable")->isVisible());
    EXPECT_EQ(f.t("txtSEFormula"), QString("SE Formula = SD/sqrt(N)"));
    EXPECT_EQ(f.c("txtMean")->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(f.c("txtSE")->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(f.c("txtMinConf")->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(f.c("txtSE")->palette().color(QPalette::Base), f.c("txtSE")->palette().color(QPalette::Button));
    // Whole numbers only in N; the other boxes take any key.
    testkit::type(f.c("txtN"), "1a.-2 ");
    EXPECT_EQ(f.t("txtN"), QString("12"));
    testkit::type(f.c("txtMean"), "x-1.5");
    EXPECT_EQ(f.t("txtMean"), QString("x-1.5"));
}

TEST(ConfWindow, WorkedExampleAndSmallSampleNotes)
{
    Conf f;
    MsgBoxScript msgs;
    f.enter("100", "15", "25");
    f.doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(f.t("txtSE"), QString("3"));
    EXPECT_EQ(f.t("txtZValue"), QString("1.96"));
    EXPECT_EQ(f.t("txtError"), QString("5.88"));
    EXPECT_EQ(f.t("txtMinConf"), QString("94.12"));
    EXPECT_EQ(f.t("txtPlusConf"), QString("105.88"));
    EXPECT_EQ(f.t("txtMeanOutput"), QString("100"));
    for (const char* l : {"lblPercent1", "lblPercent2", "lblPercent3"})
        EXPECT_EQ(f.t(l), QString("95%"));
    EXPECT_EQ(f.note(), QString("Care required - using Central Limit Theorem yet the sample  size is less than 31. "
                                "Click the help button."));
    EXPECT_EQ(f.noteColour(), QColor(255, 0, 0));
    auto* note = testkit::find<QPlainTextEdit>(&f.w, "txtSampleSize");
    EXPECT_EQ(note->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    f.resultsVisible(true);
    EXPECT_TRUE(f.c("cmdHelp")->isVisible());
    EXPECT_TRUE(f.c("cmdTable")->isVisible());

    // N 31: no note, the note box shown empty, Help and t-Table hidden.
    testkit::retype(f.c("txtN"), "31");
    f.doIt();
    EXPECT_TRUE(f.note().isEmpty());
    EXPECT_TRUE(f.c("txtSampleSize")->isVisible());
    EXPECT_FALSE(f.c("cmdHelp")->isVisible());
    EXPECT_FALSE(f.c("cmdTable")->isVisible());
    testkit::retype(f.c("txtN"), "30");
    f.doIt();
    EXPECT_FALSE(f.note().isEmpty());

    // The Help button's advice.
    testkit::click(f.c("cmdHelp"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.texts()[0].startsWith("If your sample is less than 30 then we would suggest that you use a t "
                                           "(alpha/2) value corresponding to n-1 degrees of freedom."));
}

TEST(ConfWindow, OwnValueLayoutBlueNoteAndLevelClicksClear)
{
    Conf f;
    MsgBoxScript msgs;
    testkit::click(f.c("opOther"));
    EXPECT_TRUE(f.c("Frame2")->isVisible());
    EXPECT_EQ(f.c("Frame1")->geometry(), QRect(156, 18, 129, 213));
    EXPECT_EQ(testkit::find<QPlainTextEdit>(&f.w, "Text1")->toPlainText(),
              QString("Enter the z or t value to use in formula:\n"));
    f.enter("10", "2", "16");
    f.doIt();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString("You must enter a value in the z / t box if you select 'other'."));
    testkit::type(f.c("txtZ"), "1.5");
    f.doIt();
    EXPECT_EQ(f.t("txtZValue"), QString("1.5"));
    EXPECT_EQ(f.t("txtSE"), QString("0.5"));
    EXPECT_EQ(f.t("txtError"), QString("0.75"));
    EXPECT_EQ(f.t("lblPercent2"), QString("1.5 z/t"));
    EXPECT_EQ(f.note(), QString("Your sample size is less than 31 but you are (appropriately?) using your own t / z value."));
    EXPECT_EQ(f.noteColour(), QColor(0, 0, 255));
    EXPECT_TRUE(f.c("cmdHelp")->isVisible());

    // A level click hides and empties the results and the own value.
    testkit::click(f.c("op99"));
    EXPECT_FALSE(f.c("Frame2")->isVisible());
    EXPECT_EQ(f.c("Frame1")->geometry(), QRect(156, 18, 129, 125));
    f.resultsVisible(false);
    f.resultsEmpty();
    EXPECT_TRUE(f.t("txtZ").isEmpty());
    EXPECT_EQ(f.t("txtMean"), QString("10"));
    f.doIt();
    EXPECT_EQ(f.t("txtZValue"), QString("2.576"));
    EXPECT_EQ(f.t("lblPercent1"), QString("99%"));

    // A listed level clicked after an own result empties the own value too.
    testkit::click(f.c("opOther"));
    testkit::type(f.c("txtZ"), "abc");
    f.doIt();
    EXPECT_EQ(f.t("txtZValue"), QString("0"));
    EXPECT_EQ(f.t("txtMinConf"), QString("10"));
    EXPECT_EQ(f.t("txtPlusConf"), QString("10"));
    testkit::click(f.c("op999"));
    EXPECT_TRUE(f.t("txtZ").isEmpty());
    f.resultsVisible(false);
}

TEST(ConfWindow, InputMessagesErrorsAndReset)
{
    Conf f;
    MsgBoxScript msgs;
    f.enter("100", "15", "25");
    f.doIt();
    // Empty N: the first message; the results stay shown, their boxes empty.
    testkit::retype(f.c("txtN"), "");
    f.doIt();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString("You must enter some data in the mean, standard deviation and sample size boxes."));
    f.resultsEmpty();
    EXPECT_TRUE(f.c("txtSE")->isVisible());
    EXPECT_EQ(f.t("txtSEFormula"), QString("SE Formula = SD/sqrt(N)"));
    testkit::retype(f.c("txtN"), "0");
    f.doIt();
    ASSERT_EQ(msgs.count(), 2);
    EXPECT_EQ(msgs.texts()[1], QString("You cannot have less than one subject in your sample."));

    // N beyond the whole-number range: the error message, even with the mean empty.
    testkit::retype(f.c("txtMean"), "");
    testkit::retype(f.c("txtN"), "40000");
    f.doIt();
    ASSERT_EQ(msgs.count(), 3);
    EXPECT_TRUE(msgs.texts()[2].startsWith("Something went very wrong and resulted in the following error\r\n"))
        << msgs.texts()[2].toStdString();
    EXPECT_EQ(msgs.shown()[2].icon, platform::MsgIcon::None);

    // Reset from the own-value layout.
    testkit::click(f.c("opOther"));
    testkit::type(f.c("txtZ"), "2");
    testkit::retype(f.c("txtMean"), "5");
    testkit::retype(f.c("txtN"), "5");
    f.doIt();
    testkit::click(f.c("cmdReset"));
    EXPECT_TRUE(testkit::find<QRadioButton>(&f.w, "op95")->isChecked());
    EXPECT_FALSE(f.c("Frame2")->isVisible());
    EXPECT_EQ(f.c("Frame1")->geometry(), QRect(156, 18, 129, 125));
    for (const char* n : {"txtMean", "txtSD", "txtN", "txtZ"})
        EXPECT_TRUE(f.t(n).isEmpty()) << n;
    f.resultsEmpty();
    f.resultsVisible(false);
    EXPECT_EQ(f.t("txtSEFormula"), QString("SE Formula = SD/sqrt(N)"));
}

TEST(ConfWindow, BothTableButtonsOpenTheConfidenceTable)
{
    Conf f;
    MsgBoxScript msgs;
    f.enter("1", "1", "5");
    f.doIt();
    const bool fromNote = calctest::withModal([&] { testkit::click(f.c("cmdTable")); }, [&](QWidget* w) {
        EXPECT_EQ(w->objectName(), QString("frmCITable"));
        EXPECT_EQ(w->parentWidget(), &f.w);
        EXPECT_EQ(calctest::listRows(w).size(), 37);
    });
    EXPECT_TRUE(fromNote);
    testkit::click(f.c("opOther"));
    const bool fromFrame = calctest::withModal([&] { testkit::click(f.c("cmdTable2")); },
                                               [&](QWidget* w) { EXPECT_EQ(w->objectName(), QString("frmCITable")); });
    EXPECT_TRUE(fromFrame);
    EXPECT_EQ(msgs.count(), 0);

    // Without its database the table reports that and the calculator goes on.
    QTemporaryDir empty;
    calculators::setLookupFolder(empty.path());
    const bool opened = calctest::withModal([&] { testkit::click(f.c("cmdTable2")); }, [](QWidget*) {});
    calculators::setLookupFolder(QString());
    EXPECT_FALSE(opened);
    EXPECT_EQ(msgs.count(), 1);
    testkit::type(f.c("txtZ"), "2");
    f.doIt();
    EXPECT_EQ(f.t("txtError"), QString("0.89443"));
}

TEST(ConfWindow, OneWindowPerRunBroughtForwardWithItsContents)
{
    QPointer<frmConf> first = calculators::showConf();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->parentWidget());
    testkit::type(testkit::find(first, "txtMean"), "42");
    QPointer<frmConf> second = calculators::showConf();
    EXPECT_EQ(first, second);
    EXPECT_EQ(testkit::text(first, "txtMean"), QString("42"));
    EXPECT_EQ(QApplication::topLevelWidgets().count(first.data()), 1);
    // Exit unloads it; the next opening starts from the design texts.
    testkit::click(testkit::find(first, "cmdExit"));
    testkit::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    QPointer<frmConf> third = calculators::showConf();
    EXPECT_TRUE(testkit::text(third, "txtMean").isEmpty());
    third->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(third);
}

// A close-all while the Help message is open: the calculator hides at once
// and goes only once its command has returned.
TEST(ConfWindow, CloseAllDuringAMessageDeletesTheWindowAfterTheCommand)
{
    QPointer<frmConf> w = calculators::showConf();
    ASSERT_TRUE(w);
    {
        testkit::CloseAllInBox closing(w);
        testkit::click(testkit::find(w, QStringLiteral("cmdHelp")));
        EXPECT_EQ(closing.boxes(), 1);
        EXPECT_TRUE(closing.wholeInBox());
        EXPECT_TRUE(closing.hiddenInBox());
    }
    testkit::settle();
    EXPECT_TRUE(w.isNull());
}
