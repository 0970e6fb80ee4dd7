// The contingency-table chi-square calculator driven as a person would.
#include "calc_test_util.h"

#include "calculators/frmChiSq.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QStatusBar>

using calculators::frmChiSq;
using testkit::MsgBoxScript;

namespace {

const char* const kCells[3][3] = {
    {"TxImp", "TxSame", "TxWorse"}, {"CtrlImp", "CtrlSame", "CtrlWorse"}, {"Ctrl2Imp", "Ctrl2Same", "Ctrl2Worse"}};
const char* const kOutputs[] = {"txtGP1", "txtGP2", "txtGP3", "txtCond1N", "txtCond2N", "txtCond3N", "TotalN",
                                "txtChiSquared", "txtDF", "txt2P", "txt1P", "txtPhi", "txtESW", "txtESC"};

struct Chi {
    frmChiSq w;
    Chi() { w.show(); testkit::settle(); }
    QWidget* c(const char* name) { return testkit::find(&w, QString::fromLatin1(name)); }
    QString t(const char* name) { return testkit::text(c(name)); }
    // Counts group by group: group 1's conditions first.
    void enter(int groups, int conditions, const QList<int>& counts)
    {
        for (int j = 0; j < groups; ++j)
            for (int i = 0; i < conditions; ++i)
                testkit::retype(c(kCells[j][i]), QString::number(counts[j * conditions + i]));
    }
    void doIt() { testkit::click(c("cmdDoIt")); }
    QStringList results()
    {
        QStringList s;
        for (const char* n : {"txtChiSquared", "txtDF", "txt2P", "txt1P", "txtPhi", "txtESW", "txtESC"})
            s << t(n);
        return s;
    }
    QStringList totals()
    {
        QStringList s;
        for (const char* n : {"txtGP1", "txtGP2", "txtGP3", "txtCond1N", "txtCond2N", "txtCond3N", "TotalN"})
            s << t(n);
        return s;
    }
};

} // namespace

TEST(ChiSqWindow, OpensAsThreeByThree)
{
    Chi f;
    EXPECT_EQ(f.w.windowTitle(), QString("Chi Square Analysis"));
    EXPECT_EQ(f.w.size(), QSize(352, 389));
    EXPECT_FALSE(f.w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(testkit::find<QRadioButton>(&f.w, "OpThreeByThree")->isChecked());
    EXPECT_EQ(f.t("lblPhi"), QString("Cramer's Phi:"));
    for (auto& g : kCells)
        for (const char* n : g) {
            EXPECT_TRUE(f.c(n)->isVisible()) << n;
            EXPECT_EQ(f.c(n)->palette().color(QPalette::Base), QColor(Qt::white));
        }
    EXPECT_EQ(f.c("txtChiSquared")->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(f.c("txtGP1")->palette().color(QPalette::Base), f.c("txtGP1")->palette().color(QPalette::Button));
    EXPECT_EQ(testkit::text(testkit::find(&f.w, "Panel(2)")), QString("w: 0.1 = small; 0.3 = medium; 0.5 = large."));
    // Cells take digits only.
    testkit::type(f.c("TxImp"), "1.2-3a ");
    EXPECT_EQ(f.t("TxImp"), QString("123"));
}

TEST(ChiSqWindow, WorkedTablesOfEverySize)
{
    Chi f;
    MsgBoxScript msgs;
    testkit::click(f.c("OpTwo"));
    f.enter(2, 2, {10, 20, 30, 40});
    f.doIt();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(f.totals(), QStringList({"30", "70", "", "40", "60", "", "100"}));
    EXPECT_EQ(f.results(), QStringList({"0.79365", "1", "0.373", "0.1865", "0.08909", "0.08909", "0.08874"}));
    EXPECT_EQ(f.t("lblPhi"), QString("Phi:"));

    testkit::click(f.c("OpThree"));
    EXPECT_EQ(f.t("lblPhi"), QString("Cramer's Phi:"));
    f.enter(2, 3, {10, 20, 30, 20, 20, 20});
    f.doIt();
    EXPECT_EQ(f.totals(), QStringList({"60", "60", "", "30", "40", "50", "120"}));
    EXPECT_EQ(f.results(), QStringList({"5.33333", "2", "0.06948", "0.03474", "0.21082", "0.21082", "0.20628"}));

    testkit::click(f.c("OpThreeByThree"));
    f.enter(3, 3, {10, 20, 30, 20, 20, 20, 30, 20, 10});
    f.doIt();
    EXPECT_EQ(f.totals(), QStringList({"60", "60", "60", "60", "60", "60", "180"}));
    // Cramér's phi of a 3 x 3 table: the square root of chi-square over 2N.
    EXPECT_EQ(f.results(), QStringList({"20", "4", "0.0005", "0.00025", "0.2357", "0.33333", "0.31623"}));
}

TEST(ChiSqWindow, SmallCountsAndEmptyMargins)
{
    Chi f;
    MsgBoxScript msgs;
    testkit::click(f.c("OpTwo"));
    f.enter(2, 2, {0, 0, 10, 10});
    f.doIt();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString("One or more cells has less than 5 observations - interpret results with caution."));
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(f.results(), QStringList({"---", "-", "", "", "---", "", ""}));
    EXPECT_EQ(f.totals(), QStringList({"0", "20", "", "10", "10", "", "20"}));

    // A cell of 4 warns and computes; a cell of exactly 5 does not warn.
    testkit::click(f.c("OpThree"));
    f.enter(2, 3, {4, 16, 25, 12, 18, 9});
    f.doIt();
    ASSERT_EQ(msgs.count(), 2);
    EXPECT_EQ(f.t("txtDF"), QString("2"));
    EXPECT_FALSE(f.t("txtESC").isEmpty());
    f.enter(2, 3, {5, 16, 25, 12, 18, 9});
    f.doIt();
    EXPECT_EQ(msgs.count(), 2);
}

TEST(ChiSqWindow, InputErrorsResetAndPastedText)
{
    Chi f;
    MsgBoxScript msgs;
    testkit::click(f.c("OpTwo"));
    f.enter(2, 2, {10, 20, 30, 40});
    f.doIt();
    testkit::click(f.c("cmdReset"));
    for (const char* n : kOutputs)
        EXPECT_TRUE(f.t(n).isEmpty()) << n;
    f.doIt();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.texts()[0], QString("You must enter data in ALL the white boxes before hitting the 'Do It' button."));
    EXPECT_EQ(msgs.shown()[0].title, QString("Chi Square - Input Error"));
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(testkit::find<QRadioButton>(&f.w, "OpTwo")->isChecked());
    EXPECT_FALSE(f.c("TxWorse")->isVisible());

    // Text that enters a cell without typing (a paste) is not a count.
    f.enter(2, 2, {10, 20, 30, 40});
    testkit::find<QLineEdit>(&f.w, "CtrlSame")->setText("4o");
    f.doIt();
    ASSERT_EQ(msgs.count(), 2);
    EXPECT_TRUE(msgs.texts()[1].startsWith(
        "Wwwoooow there!!! Something went very wrong and resulted in the following error.\r\n"));
    for (const char* n : kOutputs)
        EXPECT_TRUE(f.t(n).isEmpty()) << n;
    // The window stays usable.
    testkit::retype(f.c("CtrlSame"), "40");
    f.doIt();
    EXPECT_EQ(f.t("txtChiSquared"), QString("0.79365"));
}

TEST(ChiSqWindow, APastedNegativeCountGivesItsMessageAndNoResultInEverySize)
{
    struct Case {
        const char* size;
        int groups, conditions;
        QList<int> counts;
        const char* negative;   // the cell that gets a pasted "-3"
    };
    const Case cases[] = {
        {"OpTwo", 2, 2, {10, 20, 30, 40}, "TxImp"},
        {"OpTwo", 2, 2, {10, 20, 30, 40}, "CtrlSame"},
        {"OpThree", 2, 3, {10, 20, 30, 20, 20, 20}, "TxWorse"},
        {"OpThreeByThree", 3, 3, {10, 20, 30, 20, 20, 20, 30, 20, 10}, "Ctrl2Worse"},
        {"OpThreeByThree", 3, 3, {10, 20, 30, 20, 20, 20, 30, 20, 10}, "CtrlSame"},
    };
    Chi f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.negative);
        testkit::click(f.c(c.size));
        f.enter(c.groups, c.conditions, c.counts);
        f.doIt();
        ASSERT_FALSE(f.t("txtChiSquared").isEmpty());
        testkit::find<QLineEdit>(&f.w, c.negative)->setText("-3");
        MsgBoxScript msgs;
        f.doIt();
        // Its own message only: the small-count warning does not come first.
        ASSERT_EQ(msgs.count(), 1);
        EXPECT_EQ(msgs.texts()[0], QString("A count cannot be negative. Please enter 0 or more in every white box "
                                           "before hitting the 'Do It' button."));
        EXPECT_EQ(msgs.shown()[0].title, QString("Chi Square - Input Error"));
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Exclamation);
        for (const char* n : kOutputs)
            EXPECT_TRUE(f.t(n).isEmpty()) << n;
    }
}

TEST(ChiSqWindow, ChangingTheSizeEmptiesHiddenCellsAndMovesTotals)
{
    Chi f;
    MsgBoxScript msgs;
    f.enter(3, 3, {11, 12, 13, 21, 22, 23, 31, 32, 33});
    f.doIt();
    EXPECT_EQ(f.c("txtCond1N")->x(), 4110 / 15);
    EXPECT_EQ(f.c("txtGP1")->y(), 2520 / 15);
    testkit::click(f.c("OpTwo"));
    for (const char* n : kOutputs)
        EXPECT_TRUE(f.t(n).isEmpty()) << n;
    for (const char* n : {"TxWorse", "CtrlWorse", "Ctrl2Imp", "Ctrl2Same", "Ctrl2Worse", "txtCond3N", "txtGP3",
                          "LblDeteriorated", "lblGP3"})
        EXPECT_FALSE(f.c(n)->isVisible()) << n;
    EXPECT_EQ(f.c("txtCond1N")->x(), 3120 / 15);
    EXPECT_EQ(f.c("lblCondN")->x(), 3450 / 15);
    EXPECT_EQ(f.c("txtGP1")->y(), 1920 / 15);
    EXPECT_EQ(f.c("lblGPN")->y(), (1920 + 60) / 15);

    testkit::click(f.c("OpThree"));
    EXPECT_TRUE(f.c("TxWorse")->isVisible());
    EXPECT_TRUE(f.c("txtCond3N")->isVisible());
    EXPECT_FALSE(f.c("Ctrl2Imp")->isVisible());
    EXPECT_EQ(f.c("txtGP1")->y(), 2520 / 15);
    EXPECT_EQ(f.c("txtCond1N")->x(), 3120 / 15);

    testkit::click(f.c("OpThreeByThree"));
    for (const char* n : {"TxWorse", "CtrlWorse", "Ctrl2Imp", "Ctrl2Same", "Ctrl2Worse"}) {
        EXPECT_TRUE(f.c(n)->isVisible()) << n;
        EXPECT_TRUE(f.t(n).isEmpty()) << n;
    }
    EXPECT_EQ(f.t("TxImp"), QString("11"));
    EXPECT_EQ(f.t("TxSame"), QString("12"));
    EXPECT_EQ(f.t("CtrlImp"), QString("21"));
    EXPECT_EQ(f.t("CtrlSame"), QString("22"));
    EXPECT_EQ(f.c("lblCondN")->x(), 4440 / 15);
}

TEST(ChiSqWindow, TableButtonAndOneWindowPerRun)
{
    QPointer<frmChiSq> w = calculators::showChiSq();
    ASSERT_TRUE(w);
    EXPECT_EQ(calculators::showChiSq(), w.data());
    const bool opened = calctest::withModal([&] { testkit::click(testkit::find(w, "cmdChiProb")); }, [&](QWidget* t) {
        EXPECT_EQ(t->objectName(), QString("frmChiTable"));
        EXPECT_EQ(t->parentWidget(), w.data());
        EXPECT_EQ(calctest::listRows(t).size(), 37);
    });
    EXPECT_TRUE(opened);
    testkit::click(testkit::find(w, "cmdExit"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
}
