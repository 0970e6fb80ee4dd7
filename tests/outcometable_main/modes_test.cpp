// The mode switches, clearing, the start state and the focus and key
// behaviour of the boxes.
#include "WindowHarness.h"
#include "outcometable/OutcomeStats.h"
#include "shell/ControlColours.h"

#include <QTest>

namespace quellin_test {
namespace {

class ModesTest : public QuellinWindowTest {
protected:
    void fillAndRun3()
    {
        table3({QStringLiteral("10"), QStringLiteral("6"), QStringLiteral("4")},
               {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("8")});
        enter(QStringLiteral("TxtID"), QStringLiteral("Study A"));
        enter(QStringLiteral("TxtAssess"), QStringLiteral("pre-post"));
        enter(QStringLiteral("TxtDevice"), QStringLiteral("BDI"));
        doIt();
        ASSERT_EQ(text(QStringLiteral("TotalN")), QStringLiteral("40"));
    }
};

TEST_F(ModesTest, TheWindowOpensInTheThreeOutcomeLayout)
{
    EXPECT_TRUE(testkit::find<QRadioButton>(w.get(), QStringLiteral("OpThree"))->isChecked());
    EXPECT_EQ(text(QStringLiteral("Combo2")), QStringLiteral("95%"));
    EXPECT_EQ(text(QStringLiteral("lblPhi")), QStringLiteral("Cramer's Phi (r):"));
    for (const char* name : {"ChkFishers", "LblFisherWarning", "lblYates", "txtYates", "lblFishers", "chkLogs",
                             "lblLogs", "cmdNNTWarning", "cmdNNHWarning", "LblUnimp1", "LblUnimp5"})
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;
    for (const char* name : {"TxWorse", "CtrlWorse", "LblNoChange1", "LblNoChange5", "Label24", "RORWorse", "NNH",
                             "txtConf(3)"})
        EXPECT_TRUE(shown(QString::fromLatin1(name))) << name;
    EXPECT_EQ(control(QStringLiteral("TxN"))->y() * 15, 5610);
    for (const char* name : quellin::CountBoxes)
        EXPECT_EQ(text(QString::fromLatin1(name)), QString());
    EXPECT_EQ(text(QStringLiteral("CmdDoItOdds")), QStringLiteral("&Do It!"));
    EXPECT_EQ(control(QStringLiteral("cmdClear"))->toolTip(), QStringLiteral("OK. Let's go again."));
}

TEST_F(ModesTest, SwitchingToTwoOutcomesEmptiesTheDeterioratedRowAndTheResults)
{
    fillAndRun3();
    mode(2);
    for (const QString& name : quellin::resultBoxes())
        EXPECT_EQ(text(name), QString()) << name.toStdString();
    EXPECT_EQ(text(QStringLiteral("TxWorse")), QString());
    EXPECT_EQ(text(QStringLiteral("CtrlWorse")), QString());
    EXPECT_TRUE(box(QStringLiteral("TxWorse"))->isReadOnly());
    EXPECT_EQ(text(QStringLiteral("lblPhi")), QStringLiteral("Phi (r):"));
    EXPECT_EQ(control(QStringLiteral("TxN"))->y() * 15, 5130);
    for (const char* name : {"ChkFishers", "LblFisherWarning", "lblYates", "txtYates", "txtFishers1P", "LblUnimp1",
                             "LblUnimp5"})
        EXPECT_TRUE(shown(QString::fromLatin1(name))) << name;
    for (const char* name : {"TxWorse", "CtrlWorse", "LblNoChange1", "Label24", "RORWorse", "RORWorseMinus",
                             "RORWorsePlus", "NNH", "txtConf(3)", "chkLogs", "ARWSign"})
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;
    // The study details and the other counts stay.
    EXPECT_EQ(text(QStringLiteral("TxImp")), QStringLiteral("10"));
    EXPECT_EQ(text(QStringLiteral("CtrlSame")), QStringLiteral("7"));
    EXPECT_EQ(text(QStringLiteral("TxtID")), QStringLiteral("Study A"));

    // Back to three: the deteriorated boxes come back empty and editable,
    // and the Fisher two-tailed box holds "---" though its row is hidden.
    mode(3);
    EXPECT_EQ(text(QStringLiteral("TxWorse")), QString());
    EXPECT_FALSE(box(QStringLiteral("TxWorse"))->isReadOnly());
    EXPECT_TRUE(shown(QStringLiteral("TxWorse")));
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QStringLiteral("---"));
    EXPECT_FALSE(shown(QStringLiteral("txtFishers2P")));
    EXPECT_EQ(text(QStringLiteral("TxImp")), QStringLiteral("10"));
    EXPECT_EQ(text(QStringLiteral("TotalN")), QString());
    mode(2);
    EXPECT_EQ(text(QStringLiteral("txtFishers2P")), QString());
}

// The 2 x 2 mode moves the totals row up into the deteriorated row's place;
// resizing the window keeps it there, and a switch at any size puts the row
// at the mode's place for that size.
TEST_F(ModesTest, TheTotalsRowKeepsTheModesPlaceThroughResizes)
{
    QWidget* area = w->centralWidget();
    const QSize design = w->size();
    const double designHeight = area->height();
    // Within the layout's whole percent (the two places are 32 px apart).
    const auto expectRowAt = [&](int designTop) {
        const double top = designTop * area->height() / designHeight;
        for (const char* name : {"lblN", "TxN", "CtrlN"})
            EXPECT_NEAR(control(QString::fromLatin1(name))->y(), top, 5) << name << " at " << area->height();
    };
    mode(2);
    for (const QSize s : {design * 1.3, design * 0.85, design * 1.5, design}) {
        w->resize(s);
        testkit::settle();
        expectRowAt(342);
    }
    EXPECT_EQ(control(QStringLiteral("TxN"))->y() * 15, 5130);
    w->resize(design * 1.3);
    testkit::settle();
    mode(3);
    expectRowAt(374);
    w->resize(design * 1.5);
    testkit::settle();
    expectRowAt(374);
    mode(2);
    expectRowAt(342);
    w->resize(design);
    testkit::settle();
    EXPECT_EQ(control(QStringLiteral("TxN"))->y() * 15, 5130);
}

TEST_F(ModesTest, TheFisherTickSurvivesModeSwitchesAndClearAll)
{
    mode(2);
    fisher(true);
    mode(3);
    mode(2);
    testkit::click(control(QStringLiteral("cmdClear")));
    EXPECT_TRUE(testkit::find<QCheckBox>(w.get(), QStringLiteral("ChkFishers"))->isChecked());
}

TEST_F(ModesTest, ClearAllEmptiesEveryTextBoxButKeepsTheLevelAndTheMode)
{
    fillAndRun3();
    level(QStringLiteral("99%"));
    doIt();
    auto* logs = testkit::find<QCheckBox>(w.get(), QStringLiteral("chkLogs"));
    testkit::click(logs);
    ASSERT_TRUE(shown(QStringLiteral("lblLogs")));
    testkit::click(control(QStringLiteral("cmdClear")));
    for (auto* e : w->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(e->parentWidget())) {
            EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();
        }
    }
    EXPECT_EQ(text(QStringLiteral("Combo2")), QStringLiteral("99%"));
    EXPECT_TRUE(testkit::find<QRadioButton>(w.get(), QStringLiteral("OpThree"))->isChecked());
    EXPECT_FALSE(shown(QStringLiteral("chkLogs")));
    EXPECT_FALSE(logs->isChecked());
    EXPECT_FALSE(shown(QStringLiteral("lblLogs")));
    EXPECT_FALSE(shown(QStringLiteral("cmdNNTWarning")));
    // The computation refuses to run until the boxes are filled again.
    testkit::MsgBoxScript boxes;
    doIt();
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(ModesTest, FileNewEmptiesEveryTextBox)
{
    fillAndRun3();
    w->mnuFileNew_Click();
    EXPECT_EQ(text(QStringLiteral("TxtID")), QString());
    EXPECT_EQ(text(QStringLiteral("TxImp")), QString());
    EXPECT_EQ(text(QStringLiteral("txtConf(0)")), QString());
    EXPECT_EQ(text(QStringLiteral("RORImp")), QString());
    EXPECT_EQ(text(QStringLiteral("Combo2")), QStringLiteral("95%"));
}

TEST_F(ModesTest, StudyDetailsShowTheFocusColoursAndCountsSelectTheirText)
{
    using namespace shell::ControlColours;
    enter(QStringLiteral("TxtID"), QStringLiteral("Study A"));
    enter(QStringLiteral("TxImp"), QStringLiteral("12"));
    std::uint32_t before = 0;
    ASSERT_TRUE(BackColor(box(QStringLiteral("TxtAssess")), before));
    box(QStringLiteral("TxtAssess"))->setFocus(Qt::TabFocusReason);
    testkit::settle();
    std::uint32_t back = 0, fore = 0;
    BackColor(box(QStringLiteral("TxtAssess")), back);
    ForeColor(box(QStringLiteral("TxtAssess")), fore);
    EXPECT_EQ(back, 255u);
    EXPECT_EQ(fore, 0xFFFFFFu);
    box(QStringLiteral("TxtID"))->setFocus(Qt::TabFocusReason);
    testkit::settle();
    BackColor(box(QStringLiteral("TxtAssess")), back);
    EXPECT_EQ(back, before);
    EXPECT_EQ(box(QStringLiteral("TxtID"))->selectedText(), QStringLiteral("Study A"));

    box(QStringLiteral("TxImp"))->setFocus(Qt::TabFocusReason);
    testkit::settle();
    EXPECT_EQ(box(QStringLiteral("TxImp"))->selectedText(), QStringLiteral("12"));
    BackColor(box(QStringLiteral("TxImp")), back);
    EXPECT_NE(back, 255u);
}

TEST_F(ModesTest, StudyDetailsRefuseATypedDoubleQuoteAsTheOtherProgramsDo)
{
    for (const char* name : {"TxtID", "TxtDevice", "TxtAssess"}) {
        QLineEdit* b = box(QString::fromLatin1(name));
        testkit::type(b, QStringLiteral("Smith \"2001\", 'BDI'"));
        EXPECT_EQ(b->text(), QStringLiteral("Smith 2001, 'BDI'")) << name;
    }
}

TEST_F(ModesTest, CountBoxesAndTheLevelTakeOnlyUnsignedDecimals)
{
    QLineEdit* b = box(QStringLiteral("CtrlImp"));
    testkit::type(b, QStringLiteral("1a-2.5.x 3"));
    EXPECT_EQ(b->text(), QStringLiteral("12.53"));
    auto* c = testkit::find<QComboBox>(w.get(), QStringLiteral("Combo2"));
    testkit::retype(c, QStringLiteral("97.5%"));
    EXPECT_EQ(c->currentText(), QStringLiteral("97.5"));
}

} // namespace
} // namespace quellin_test
