// The simple calculator driven as a person would: buttons and keyboard.
#include "shell/ShellWindows.h"
#include "shell/frmSCalc.h"
#include "shell_test_util.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using shell::frmSCalc;
using shell::SCalcState;
using testkit::MsgBoxScript;

namespace {

struct Calc {
    SCalcState state;
    frmSCalc w{&state};
    Calc() { w.show(); testkit::settle(); }

    QLineEdit* display() { return testkit::find<QLineEdit>(&w, "txtDisplay"); }
    QString shown() { return display()->text(); }
    // Keys typed into the display: the window sees each before the display.
    void keys(const QString& text) { testkit::type(display(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(display(), k, m);
        testkit::settle();
    }
    void press(const QString& button) { testkit::click(testkit::find(&w, button)); }
};

TEST(SimpleCalculator, LayoutCaptionAndButtons)
{
    for (auto [title, caption] : {std::pair{"Tarvoss", "Calculator (TVQ)"}, std::pair{"Quellin", "Calculator (QLN)"},
                                  std::pair{"Morvane", "Calculator (MRV)"}}) {
        shelltest::AsProgram as(title);
        SCalcState s;
        frmSCalc w(&s);
        EXPECT_EQ(w.windowTitle(), QString(caption));
        EXPECT_EQ(w.size(), QSize(273, 215));
        EXPECT_EQ(testkit::find(&w, "txtDisplay")->geometry(), QRect(16, 16, 137, 26));
        EXPECT_EQ(testkit::find(&w, "cmdNumber(7)")->geometry(), QRect(16, 48, 41, 33));
        EXPECT_EQ(testkit::find(&w, "cmdNumber(0)")->geometry().topLeft(), QPoint(16, 168));
        EXPECT_EQ(testkit::find(&w, "cmdNumber(3)")->geometry().topLeft(), QPoint(112, 128));
        EXPECT_EQ(testkit::text(&w, "cmdOperator(3)"), QString("x"));
        EXPECT_EQ(testkit::find(&w, "cmdOperator(4)")->geometry().topLeft(), QPoint(168, 168));
        EXPECT_EQ(testkit::text(&w, "cmdClearEntry"), QString("CE"));
        EXPECT_EQ(testkit::find(&w, "cmdEquals")->geometry().topLeft(), QPoint(216, 168));
        EXPECT_EQ(testkit::text(&w, "txtDisplay"), QString());
    }
}

TEST(SimpleCalculator, EvaluatesLeftToRightWithoutPrecedence)
{
    struct Case {
        const char* keys;
        const char* shows;
    };
    const Case cases[] = {
        {"12+3=", "15"},       {"12+3==", "15"},  // the last operation is not repeated
        {"5++", "10"},         {"2+3x4=", "20"},  {"2+3*4=", "20"},   {"9-12=", "-3"},
        {"7/2=", "3.5"},       {"1/3=", "0.333333333333333"},         {"0.1+0.2=", "0.3"},
        {"=", "0"},            {"007", "007"},    {"5c", ""},          {"3X3=", "9"},
        {"a5b", "5"},          {"4.5.", "4.5"},   {"6=.5", ".5"},      {".5x4\r", "2"},
    };
    for (const Case& c : cases) {
        Calc calc;
        calc.keys(QString::fromLatin1(c.keys));
        EXPECT_EQ(calc.shown(), QString::fromLatin1(c.shows)) << c.keys;
    }
}

TEST(SimpleCalculator, ButtonsAndStateRules)
{
    Calc c;
    c.press("cmdNumber(1)");
    c.press("cmdNumber(2)");
    c.press("cmdPlusMinus");
    EXPECT_EQ(c.shown(), "-12");
    c.press("cmdPlusMinus");
    EXPECT_EQ(c.shown(), "12");
    c.press("cmdOperator(1)");
    EXPECT_EQ(c.state.PendingOp, 1);
    EXPECT_TRUE(c.state.NewEntry);
    // +/- on a new entry gives "-" alone, which the next digit replaces.
    c.press("cmdPlusMinus");
    EXPECT_EQ(c.shown(), "-");
    c.press("cmdNumber(4)");
    EXPECT_EQ(c.shown(), "4");
    c.press("cmdEquals");
    EXPECT_EQ(c.shown(), "16");

    // After a result holding a point, "." beeps and changes nothing.
    c.keys("1/4=");
    EXPECT_EQ(c.shown(), "0.25");
    c.press("cmdDecimal");
    EXPECT_EQ(c.shown(), "0.25");

    // Typed "C" clears only the entry; the button also clears value and operator.
    c.keys("8+2");
    c.keys("c");
    EXPECT_EQ(c.shown(), "");
    EXPECT_EQ(c.state.PendingOp, 1);
    EXPECT_EQ(c.state.Accumulator, 8);
    c.keys("5=");
    EXPECT_EQ(c.shown(), "13");
    c.keys("+3");
    c.press("cmdClear");
    EXPECT_EQ(c.shown(), "");
    EXPECT_EQ(c.state.PendingOp, 0);
    EXPECT_EQ(c.state.Accumulator, 0);
    c.press("cmdClearEntry");
    EXPECT_EQ(c.shown(), "");
}

TEST(SimpleCalculator, DeleteLastCharacter)
{
    Calc c;
    c.keys("56");
    c.press("cmdPlusMinus");
    ASSERT_EQ(c.shown(), "-56");
    c.key(Qt::Key_Backspace);
    EXPECT_EQ(c.shown(), "-5");
    c.key(Qt::Key_Backspace);
    EXPECT_EQ(c.shown(), "0");
    c.press("cmdClearEntry");
    c.keys("7");
    c.key(Qt::Key_Delete);
    EXPECT_EQ(c.shown(), "0");
    c.keys("12");
    c.key(Qt::Key_Delete);
    EXPECT_EQ(c.shown(), "01");
}

TEST(SimpleCalculator, KeypadKeysActOnce)
{
    Calc c;
    c.key(Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(c.shown(), "7");
    c.key(Qt::Key_Asterisk, Qt::KeypadModifier);
    c.key(Qt::Key_6, Qt::KeypadModifier);
    c.key(Qt::Key_Period, Qt::KeypadModifier);
    c.key(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(c.shown(), "6.5");
    c.key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(c.shown(), "45.5");
    c.key(Qt::Key_Minus, Qt::KeypadModifier);
    c.key(Qt::Key_1, Qt::KeypadModifier);
    c.key(Qt::Key_Slash, Qt::KeypadModifier);
    c.key(Qt::Key_2, Qt::KeypadModifier);
    c.key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(c.shown(), "22.25");
    // A key the focused button would take (space) is consumed too.
    auto* five = testkit::find<QPushButton>(&c.w, "cmdNumber(5)");
    five->setFocus();
    QTest::keyClick(five, Qt::Key_Space);
    EXPECT_EQ(c.shown(), "22.25");
}

TEST(SimpleCalculator, FaultsEndInAMessageOrNothing)
{
    {
        Calc c;
        MsgBoxScript msgs;
        c.keys("5/0=");
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.texts().front(), "Cannot divide by zero.");
        EXPECT_EQ(c.shown(), "0");
        EXPECT_EQ(c.state.PendingOp, 0);
        c.keys("3+4=");   // usable again at once
        EXPECT_EQ(c.shown(), "7");
    }
    {
        Calc c;
        MsgBoxScript msgs;
        c.keys("0/0=");
        EXPECT_EQ(msgs.texts(), QStringList{"Cannot divide by zero."});
    }
    {
        Calc c;
        MsgBoxScript msgs;
        c.keys(QStringLiteral("1") + QString(300, '0') + QStringLiteral("x"));
        c.keys(QStringLiteral("1") + QString(300, '0') + QStringLiteral("="));
        EXPECT_EQ(msgs.texts(), QStringList{"The result is too large for the calculator."});
        EXPECT_EQ(c.shown(), "0");
    }
    // A typed number too large for the calculator (309 digits and more) is told
    // as such at its operator, and the calculator starts again from 0.
    for (const char* op : {"+", "=", "x", "/", "-"}) {
        SCOPED_TRACE(op);
        Calc c;
        MsgBoxScript msgs;
        c.keys(QStringLiteral("2+") + QString(309, '9') + QString::fromLatin1(op));
        EXPECT_EQ(msgs.texts(), QStringList{"The number is too large for the calculator."});
        EXPECT_EQ(c.shown(), "0");
        EXPECT_EQ(c.state.Accumulator, 0);
        c.keys("3+4=");
        EXPECT_EQ(c.shown(), "7");
    }
    // A display holding no number refuses "=" and the operators: nothing changes.
    struct Junk {
        const char* buttons;   // pressed after "5 +"
        const char* shows;
        const char* thenTwo;   // after typing "2="
    };
    for (const Junk& j : {Junk{"-", "-", "7"}, Junk{".", ".", "5.2"}, Junk{".-", "-.", "4.8"}}) {
        Calc c;
        MsgBoxScript msgs;
        c.keys("5+");
        for (char b : QByteArray(j.buttons))
            c.press(b == '-' ? "cmdPlusMinus" : "cmdDecimal");
        ASSERT_EQ(c.shown(), QString::fromLatin1(j.shows));
        c.press("cmdEquals");
        c.keys("x");
        EXPECT_EQ(c.shown(), QString::fromLatin1(j.shows));
        EXPECT_EQ(c.state.Accumulator, 5);
        EXPECT_EQ(c.state.PendingOp, 1);
        EXPECT_EQ(msgs.count(), 0);
        c.keys("2=");
        EXPECT_EQ(c.shown(), QString::fromLatin1(j.thenTwo)) << j.shows;
    }
}

TEST(SimpleCalculator, VeryLargeAndSmallResultsInExponentForm)
{
    EXPECT_EQ(frmSCalc::resultText(1e20), "1E+20");
    EXPECT_EQ(frmSCalc::resultText(-1.5e-20), "-1.5E-20");
    EXPECT_EQ(frmSCalc::resultText(123456789012345.0), "123456789012345");
    EXPECT_EQ(frmSCalc::resultText(2.5e300), "2.5E+300");
    Calc c;
    c.keys(QStringLiteral("1") + QString(20, '0') + QStringLiteral("="));
    EXPECT_EQ(c.shown(), "1E+20");
    c.keys("/4=");
    EXPECT_EQ(c.shown(), "2.5E+19");
}

TEST(SimpleCalculator, OneWindowPerRunKeepingItsStateBetweenOpenings)
{
    auto openWindow = [] {
        QPointer<frmSCalc> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<frmSCalc*>(w); c && c->isVisible())
                found = c;
        return found;
    };
    shell::showSimpleCalculator();
    QPointer<frmSCalc> first = openWindow();
    ASSERT_TRUE(first);
    shell::showSimpleCalculator();
    EXPECT_EQ(openWindow(), first);
    testkit::click(testkit::find(first, "cmdClear"));
    testkit::type(testkit::find(first, "txtDisplay"), "5+");
    testkit::click(testkit::find(first, "cmdExit"));
    testkit::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);   // closing unloads the window

    shell::showSimpleCalculator();
    QPointer<frmSCalc> second = openWindow();
    ASSERT_TRUE(second);
    EXPECT_EQ(testkit::text(second, "txtDisplay"), "");   // the display starts empty
    testkit::type(testkit::find(second, "txtDisplay"), "3=");
    EXPECT_EQ(testkit::text(second, "txtDisplay"), "8");   // the pending "5 +" was kept
    second->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SimpleCalculator, ControlsFollowTheWindowSize)
{
    Calc c;
    c.w.resize(546, 430);
    testkit::settle();
    EXPECT_EQ(testkit::find(&c.w, "cmdNumber(7)")->geometry(), QRect(32, 96, 82, 66));
    EXPECT_EQ(testkit::find(&c.w, "cmdNumber(7)")->font().pointSize(), 24);
    c.w.resize(273, 215);
    testkit::settle();
    EXPECT_EQ(testkit::find(&c.w, "cmdNumber(7)")->geometry(), QRect(16, 48, 41, 33));
}

} // namespace
