// The d-to-odds-ratio and odds-ratio-to-d windows driven by objectName: state
// at open, the check box, the checks and their messages, errors that must not
// end the program, the key filters, Exit and one window per run.
#include "Harness.h"
#include "calculators/OddsRatioConversion.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmORtoD.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace calculators;
using namespace calc4test;
using testkit::MsgBoxScript;

namespace {

QColor textColour(QWidget* root, const char* name)
{
    QWidget* w = testkit::find(root, QString::fromLatin1(name));
    return w ? w->palette().color(QPalette::WindowText) : QColor();
}

QLineEdit* lineEdit(QWidget* root, const char* name) { return testkit::find<QLineEdit>(root, QString::fromLatin1(name)); }

void checkStateAtOpen(QWidget* w)
{
    EXPECT_EQ(s(box(w, "txtWorking")), "Working...");
    EXPECT_TRUE(testkit::find<QPlainTextEdit>(w, QStringLiteral("txtWorking"))->isReadOnly());
    EXPECT_FALSE(testkit::find<QCheckBox>(w, QStringLiteral("chkConfidence"))->isChecked());
    EXPECT_EQ(s(testkit::text(testkit::find(w, QStringLiteral("chkConfidence")))),
              "Do you want to convert 95% confidence intervals too?");
    EXPECT_EQ(s(testkit::find<QGroupBox>(w, QStringLiteral("Frame1"))->title()), "Confidence Intervals");
    EXPECT_FALSE(lineEdit(w, "txtORMinus95")->isEnabled());
    EXPECT_FALSE(lineEdit(w, "txtORPlus95")->isEnabled());
    EXPECT_TRUE(box(w, "txtOR").isEmpty());
    EXPECT_TRUE(box(w, "txtD").isEmpty());
    EXPECT_TRUE(box(w, "Text1").startsWith(QStringLiteral("Caution: \nIn order to use this method")));
    // Its line breaks inside sentences do not break the box's own lines again.
    EXPECT_FALSE(box(w, "Text1").contains(QStringLiteral(" \nassuming"))) << box(w, "Text1").toStdString();
    EXPECT_TRUE(box(w, "Text1").endsWith(QStringLiteral("Statistics in Medicine, 19, 3127-3131.\n")));
    EXPECT_TRUE(lineEdit(w, "txtD")->isReadOnly());
    EXPECT_EQ(lineEdit(w, "txtD")->focusPolicy(), Qt::ClickFocus);
}

} // namespace

TEST(OddsWindows, StateAtOpenAndOneWindowPerRun)
{
    frmDtoOR* d = showDtoOR();
    EXPECT_EQ(s(d->windowTitle()), "Convert Effect Size To  Odds Ratio");
    EXPECT_EQ(s(testkit::text(testkit::find(d, QStringLiteral("cmdDoIt")))), "&Do It!");
    EXPECT_EQ(s(testkit::text(testkit::find(d, QStringLiteral("Label22")))), "d (Effect Size) To Convert:");
    checkStateAtOpen(d);
    frmORtoD* o = showORtoD();
    EXPECT_EQ(s(o->windowTitle()), "Convert Odds Ratio To Effect Size");
    EXPECT_EQ(s(testkit::text(testkit::find(o, QStringLiteral("cmdExit")))), "Exit");
    EXPECT_EQ(s(testkit::text(testkit::find(o, QStringLiteral("Label22")))), "Odds Ratio To Convert:");
    checkStateAtOpen(o);

    enter(o, "txtOR", QStringLiteral("3"));
    EXPECT_EQ(showORtoD(), o);
    EXPECT_EQ(s(box(o, "txtOR")), "3");
    press(o, "cmdExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    o = showORtoD();
    EXPECT_TRUE(box(o, "txtOR").isEmpty()) << "the next opening starts again from the state at open";
    closeWindow(o);
    closeWindow(d);
}

TEST(OddsWindows, CheckBoxEmptiesResultsAndEnablesOrGreysTheLimits)
{
    for (QWidget* w : {static_cast<QWidget*>(showDtoOR()), static_cast<QWidget*>(showORtoD())}) {
        enter(w, "txtOR", QStringLiteral("2"));
        setTicked(w, true);
        EXPECT_TRUE(lineEdit(w, "txtORMinus95")->isEnabled());
        EXPECT_EQ(lineEdit(w, "txtORPlus95")->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(textColour(w, "Label1"), QColor(Qt::black));
        EXPECT_EQ(textColour(w, "Frame1"), QColor(Qt::black));
        enter(w, "txtORMinus95", QStringLiteral("1.5"));
        enter(w, "txtORPlus95", QStringLiteral("2.5"));
        press(w, "cmdDoIt");
        EXPECT_FALSE(box(w, "txtDMinus95").isEmpty());

        setTicked(w, false);
        for (const char* r : {"txtD", "txtDMinus95", "txtDPlus95"})
            EXPECT_TRUE(box(w, r).isEmpty()) << r;
        EXPECT_FALSE(lineEdit(w, "txtORMinus95")->isEnabled());
        EXPECT_EQ(lineEdit(w, "txtORMinus95")->palette().color(QPalette::Base), QColor(213, 209, 200));
        EXPECT_EQ(textColour(w, "Label2"), QColor(128, 128, 128));
        EXPECT_EQ(textColour(w, "Frame1"), QColor(128, 128, 128));
        EXPECT_EQ(s(box(w, "txtOR")), "2");
        EXPECT_EQ(s(box(w, "txtORMinus95")), "1.5") << "typed limits stay";

        // Limits are ignored while the box is clear: the short working text.
        press(w, "cmdDoIt");
        EXPECT_FALSE(box(w, "txtD").isEmpty());
        EXPECT_TRUE(box(w, "txtDMinus95").isEmpty());
        EXPECT_FALSE(box(w, "txtWorking").contains(QStringLiteral("Lower bound")));
        EXPECT_EQ(testkit::find(w, QStringLiteral("txtWorking"))->palette().color(QPalette::Text), QColor(0, 0, 255));
        closeWindow(w);
    }
}

// No box of the d-to-odds-ratio window keeps a result of an earlier
// conversion: the log limits go with the odds-ratio limits.
TEST(OddsWindows, DToOddsRatioLeavesNoStaleLogLimits)
{
    frmDtoOR* w = showDtoOR();
    enter(w, "txtOR", QStringLiteral("0.5"));
    setTicked(w, true);
    enter(w, "txtORMinus95", QStringLiteral("0.1"));
    enter(w, "txtORPlus95", QStringLiteral("0.9"));
    press(w, "cmdDoIt");
    EXPECT_EQ(s(box(w, "txtLogORMinus")), "0.18");
    EXPECT_EQ(s(box(w, "txtLogORPlus")), "1.63");
    setTicked(w, false);
    EXPECT_TRUE(box(w, "txtLogORMinus").isEmpty());
    press(w, "cmdDoIt");
    EXPECT_EQ(s(box(w, "txtLogOR")), "0.9069");
    EXPECT_TRUE(box(w, "txtLogORMinus").isEmpty());
    EXPECT_TRUE(box(w, "txtLogORPlus").isEmpty());
    closeWindow(w);
}

TEST(OddsWindows, EmptyInputsAreRefusedWithTheirMessages)
{
    struct Check {
        QWidget* window;
        const char* emptyMessage;
        const char* value;
    };
    for (const Check& c : {Check{showDtoOR(), oddsmsg::EnterD, "0.5"}, Check{showORtoD(), oddsmsg::EnterOR, "2"}}) {
        QWidget* w = c.window;
        {
            MsgBoxScript messages;
            press(w, "cmdDoIt");
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(s(messages.shown()[0].text), c.emptyMessage);
            EXPECT_EQ(messages.shown()[0].icon, platform::MsgIcon::None);
            EXPECT_TRUE(messages.shown()[0].title.isEmpty() || messages.shown()[0].title == QStringLiteral("Tarvoss"));
        }
        EXPECT_EQ(s(box(w, "txtWorking")), "Working...");

        // Ticked with a limit missing: the value is converted first, the
        // working panel keeps its earlier text.
        enter(w, "txtOR", QString::fromLatin1(c.value));
        press(w, "cmdDoIt");
        const QString working = box(w, "txtWorking");
        setTicked(w, true);
        enter(w, "txtORMinus95", QStringLiteral("1.1"));
        MsgBoxScript messages;
        press(w, "cmdDoIt");
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(s(messages.shown()[0].text), oddsmsg::EnterLimits);
        EXPECT_FALSE(box(w, "txtD").isEmpty());
        EXPECT_TRUE(box(w, "txtDMinus95").isEmpty());
        EXPECT_EQ(box(w, "txtWorking"), working);
        closeWindow(w);
    }
}

TEST(OddsWindows, OddsRatioBelowOneInAMillionIsRefused)
{
    frmORtoD* w = showORtoD();
    for (const char* tiny : {"0", "0.0000009", "0.00000099999"}) {
        enter(w, "txtOR", QString::fromLatin1(tiny));
        MsgBoxScript messages;
        press(w, "cmdDoIt");
        ASSERT_EQ(messages.count(), 1) << tiny;
        EXPECT_EQ(s(messages.shown()[0].text), oddsmsg::TooSmall);
        EXPECT_TRUE(box(w, "txtD").isEmpty());
    }
    enter(w, "txtOR", QStringLiteral("0.000001"));
    MsgBoxScript messages;
    press(w, "cmdDoIt");
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(s(box(w, "txtD")), "-7.61689");
    closeWindow(w);
}

// Bad text, an odds ratio beyond the largest double, one that is 0 in double
// precision, and a limit of zero: a message, never an ending program, and
// nothing shown that was not computed.
TEST(OddsWindows, ConversionErrorsAreReportedAndTheWindowStaysUsable)
{
    struct Bad {
        bool dToOR;
        const char* value;
        const char* lower;   // nullptr: the check box stays clear
        const char* upper;
        bool valueShown;     // txtD keeps the converted value
    };
    const Bad cases[] = {
        {true, ".", nullptr, nullptr, false},
        {true, "-", nullptr, nullptr, false},
        {true, "400", nullptr, nullptr, false},    // e^(400 k) overflows
        {true, "-500", nullptr, nullptr, false},   // e^(-500 k) is 0
        {true, "1", "-", "2", true},
        {true, "1", "0.5", "400", true},
        {false, ".", nullptr, nullptr, false},
        {false, "2", "0", "3", true},              // a limit of zero has no logarithm
        {false, "2", "1.5", ".", true},
    };
    for (const Bad& b : cases) {
        QWidget* w = b.dToOR ? static_cast<QWidget*>(showDtoOR()) : static_cast<QWidget*>(showORtoD());
        if (b.lower) {
            setTicked(w, true);
            enter(w, "txtORMinus95", QString::fromLatin1(b.lower));
            enter(w, "txtORPlus95", QString::fromLatin1(b.upper));
        }
        enter(w, "txtOR", QString::fromLatin1(b.value));
        MsgBoxScript messages;
        press(w, "cmdDoIt");
        ASSERT_EQ(messages.count(), 1) << b.value;
        EXPECT_TRUE(messages.shown()[0].text.startsWith(QString::fromLatin1(ErrorLead))) << s(messages.shown()[0].text);
        EXPECT_EQ(!box(w, "txtD").isEmpty(), b.valueShown) << b.value << " " << s(box(w, "txtD"));
        EXPECT_TRUE(box(w, "txtDMinus95").isEmpty());
        EXPECT_TRUE(box(w, "txtDPlus95").isEmpty());
        EXPECT_EQ(s(box(w, "txtWorking")), "Working...");
        EXPECT_TRUE(w->isVisible());
        closeWindow(w);
    }
}

TEST(OddsWindows, KeyFiltersOfTheThreeInputBoxes)
{
    frmDtoOR* d = showDtoOR();
    frmORtoD* o = showORtoD();
    setTicked(d, true);
    setTicked(o, true);
    for (const char* name : {"txtOR", "txtORMinus95", "txtORPlus95"}) {
        enter(d, name, QStringLiteral("-1.2.-3a"));
        EXPECT_EQ(s(box(d, name)), "-1.23") << name;
        enter(o, name, QStringLiteral("-1.2.-3a"));
        EXPECT_EQ(s(box(o, name)), "1.23") << name;
    }
    EXPECT_EQ(frmDtoOR::NumericCharsOnly(lineEdit(d, "txtOR"), 13), 0);
    EXPECT_EQ(frmDtoOR::NumericCharsOnly(lineEdit(d, "txtOR"), '7'), '7');
    closeWindow(d);
    closeWindow(o);
}
