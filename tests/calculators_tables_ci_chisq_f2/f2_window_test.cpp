// The two f-squared windows driven as a person would.
#include "calc_test_util.h"

#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"

#include <QPlainTextEdit>
#include <QPointer>

using testkit::MsgBoxScript;

TEST(FSquaredWindows, MultipleRegression)
{
    calculators::frmMultipleR w;
    w.show();
    MsgBoxScript msgs;
    EXPECT_EQ(w.windowTitle(), QString("Multiple Regression"));
    EXPECT_EQ(w.size(), QSize(408, 181));
    EXPECT_EQ(testkit::text(testkit::find(&w, "Panel(2)")), QString("f Squared: 0.02 = small; 0.15 = medium; 0.35 = large"));
    auto* r2 = testkit::find(&w, "txtR2");
    auto* f2 = testkit::find(&w, "txtf2");
    auto* convert = testkit::find(&w, "cmdConvert");
    EXPECT_EQ(f2->palette().color(QPalette::Base), f2->palette().color(QPalette::Button));
    struct Case {
        const char* r2;
        const char* f2;
        const char* message;
    };
    const Case cases[] = {{"0.2", "0.25", nullptr},
                          {"0.5", "1", nullptr},
                          {"0", "0", nullptr},
                          {"abc", "0", nullptr},
                          {"1.2", "", "You cannot have a r squared greater than 1."},
                          {"-0.1", "", "You cannot have a negative r squared."},
                          {"", "", "You must enter the squared multiple correlation in the white box."},
                          {"1", "", "You cannot have a r squared of 1."}};
    for (const Case& c : cases) {
        msgs.clear();
        testkit::retype(r2, "0.3");
        testkit::click(convert);
        ASSERT_FALSE(testkit::text(f2).isEmpty());
        testkit::retype(r2, QString::fromLatin1(c.r2));
        testkit::click(convert);
        EXPECT_EQ(testkit::text(f2), QString::fromLatin1(c.f2)) << c.r2;
        EXPECT_EQ(msgs.count(), c.message ? 1 : 0) << c.r2;
        if (c.message && msgs.count()) {
            EXPECT_EQ(msgs.texts()[0], QString::fromLatin1(c.message));
        }
    }
    // A number too large to hold is reported, not fatal.
    msgs.clear();
    testkit::retype(r2, "1e999");
    testkit::click(convert);
    EXPECT_EQ(msgs.count(), 1);
    EXPECT_TRUE(testkit::text(f2).isEmpty());
}

TEST(FSquaredWindows, HierarchicalRegression)
{
    calculators::frmHierarchicalR w;
    w.show();
    MsgBoxScript msgs;
    EXPECT_EQ(w.windowTitle(), QString("Hierarchical Regression"));
    EXPECT_EQ(w.size(), QSize(588, 160));
    EXPECT_EQ(testkit::find<QPlainTextEdit>(&w, "Text1")->toPlainText(),
              QString("R Squared A = The variance accounted for by a set of one or more independent variables A; R "
                      "Squared AB = The combined variance accounted for by A and another set of one or more "
                      "independent variables B; f Squared = Effect size attributable to the addition of B."));
    struct Case {
        const char* a;
        const char* ab;
        const char* f2;
        const char* message;
    };
    const Case cases[] = {{"0.2", "0.5", "0.6", nullptr},
                          {"0.5", "0.2", "-0.375", nullptr},
                          {"1", "0.5", "-1", nullptr},
                          {"1", "1", "", "You cannot have *both* Ra and Rab equaling one."},
                          {"1", "1.5", "", "Neither white boxes can be greater than 1"},
                          {"-0.1", "0.5", "", "You cannot have a negative r squared."},
                          {"", "0.5", "", "You must enter data into both white boxes."},
                          {"0.4", "", "", "You must enter data into both white boxes."},
                          {"1.0", "1.0", "", "You cannot have Rab equaling one."}};
    for (const Case& c : cases) {
        msgs.clear();
        testkit::retype(testkit::find(&w, "txtR2"), QString::fromLatin1(c.a));
        testkit::retype(testkit::find(&w, "txtR2AB"), QString::fromLatin1(c.ab));
        testkit::click(testkit::find(&w, "cmdConvert"));
        EXPECT_EQ(testkit::text(&w, "txtf2"), QString::fromLatin1(c.f2)) << c.a << " " << c.ab;
        EXPECT_EQ(msgs.count(), c.message ? 1 : 0) << c.a << " " << c.ab;
        if (c.message && msgs.count()) {
            EXPECT_EQ(msgs.texts()[0], QString::fromLatin1(c.message));
        }
    }
}

TEST(FSquaredWindows, OneOfEachPerRun)
{
    QPointer<calculators::frmMultipleR> m = calculators::showMultipleR();
    QPointer<calculators::frmHierarchicalR> h = calculators::showHierarchicalR();
    ASSERT_TRUE(m && h);
    testkit::type(testkit::find(m, "txtR2"), "0.2");
    EXPECT_EQ(calculators::showMultipleR(), m.data());
    EXPECT_EQ(calculators::showHierarchicalR(), h.data());
    EXPECT_EQ(testkit::text(m, "txtR2"), QString("0.2"));
    m->close();
    h->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(m);
    EXPECT_FALSE(h);
}
