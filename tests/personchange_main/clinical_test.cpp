// The clinical step through the window: directions, one-sided data, missing
// data, strict comparisons and the failure of cut-off C.
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"

namespace morvane_test {
namespace {

using namespace morvane::ChangeText;

class ClinicalTest : public MorvaneWindowTest {
protected:
    void SetUp() override
    {
        MorvaneWindowTest::SetUp();
        step1(QStringLiteral("0.84"), QStringLiteral("7.5"));
    }
    void expectPictures(const QString& file)
    {
        for (const QString& p : morvane::criterionPictures())
            EXPECT_EQ(picture(p), file) << p.toStdString();
    }
};

TEST_F(ClinicalTest, StatusLineTellsTheDirectionInItsColour)
{
    struct Case {
        QString cm, nm, status;
        QColor colour;
    } cases[] = {
        {QStringLiteral("30"), QStringLiteral("10"), ClinicalHigher, QColor(255, 0, 0)},
        {QStringLiteral("10"), QStringLiteral("20"), NormativeHigher, QColor(0, 0, 255)},
        {QStringLiteral("30"), QString(), NotComputable, QColor(0, 0, 0)},
    };
    for (const auto& c : cases) {
        samples(c.cm, QStringLiteral("6"), c.nm, QStringLiteral("5"));
        testkit::MsgBoxScript msgs;
        clever();
        EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), c.status);
        EXPECT_EQ(statusColour(), c.colour);
    }
    EXPECT_TRUE(ClinicalHigher.contains(QStringLiteral("improvement. \n      This programme")));
}

TEST_F(ClinicalTest, OneSidedDataAssumeADirection)
{
    scores(QStringLiteral("30"), QStringLiteral("15"));
    samples(QStringLiteral("30"), QStringLiteral("6"), QString(), QString());
    testkit::MsgBoxScript msgs;
    tabs()->setCurrentIndex(3);
    clever();
    EXPECT_EQ(msgs.texts(), QStringList{ClinicalOnly});
    EXPECT_EQ(statusColour(), QColor(0, 0, 0));
    EXPECT_EQ(text("TxtPointA"), QStringLiteral("18.24"));
    EXPECT_EQ(text("TxtPointB"), NA);
    EXPECT_EQ(text("TxtPointC"), NA);
    EXPECT_EQ(text("TxtAAnswer"), Yes);
    EXPECT_EQ(text("TxtBAnswer"), NotEnough);
    EXPECT_EQ(text("TxtCAnswer"), NotEnough);
    EXPECT_EQ(tabs()->currentIndex(), 0);

    msgs.clear();
    samples(QString(), QString(), QStringLiteral("0"), QStringLiteral("5"));
    clever();
    EXPECT_EQ(msgs.texts(), QStringList{NormativeOnly});
    EXPECT_EQ(text("TxtPointB"), QStringLiteral("-9.8"));
    EXPECT_EQ(text("TxtPointA"), NA);
    EXPECT_EQ(text("TxtPointC"), NA);
}

TEST_F(ClinicalTest, EqualOrAbsentMeansEndTheCommand)
{
    scores(QStringLiteral("30"), QStringLiteral("15"));
    samples(QStringLiteral("25"), QStringLiteral("6"), QStringLiteral("25"), QStringLiteral("5"));
    tabs()->setCurrentIndex(1);
    testkit::MsgBoxScript msgs;
    clever();
    EXPECT_EQ(msgs.texts(), QStringList{EqualMeans});
    EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), NotComputable);
    for (const char* b : {"TxtPointA", "TxtPointB", "TxtPointC", "TxtAAnswer", "TxtBAnswer", "TxtCAnswer"})
        EXPECT_EQ(text(QString::fromLatin1(b)), QString()) << b;
    expectPictures(QStringLiteral("help.gif"));
    EXPECT_EQ(tabs()->currentIndex(), 1);

    msgs.clear();
    samples(QString(), QStringLiteral("6"), QString(), QStringLiteral("5"));
    clever();
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), NotComputable);
    EXPECT_EQ(text("TxtPointA"), QString());
    EXPECT_EQ(tabs()->currentIndex(), 1);
}

TEST_F(ClinicalTest, ScoreOnTheDisplayedCutOffFailsItsCriterion)
{
    samples(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("5"));
    scores(QStringLiteral("18.24"), QStringLiteral("5"));
    clever();
    EXPECT_EQ(text("TxtPointA"), QStringLiteral("18.24"));
    EXPECT_EQ(text("TxtAAnswer"), NotMet);
    EXPECT_EQ(picture(QStringLiteral("picAwithin")), QStringLiteral("help.gif"));
    EXPECT_EQ(picture(QStringLiteral("picAover")), QStringLiteral("tick.gif"));
}

TEST_F(ClinicalTest, ChangeThatIsNotReliableFailsEveryCutOff)
{
    samples(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("5"));
    scores(QStringLiteral("22"), QStringLiteral("17"));
    clever();
    ASSERT_EQ(text("TxtClient95"), HasNot);
    for (const char* b : {"TxtAAnswer", "TxtBAnswer", "TxtCAnswer"})
        EXPECT_EQ(text(QString::fromLatin1(b)), NotMet) << b;
    for (const char* p : {"picAreliable", "picBreliable", "picCreliable"})
        EXPECT_EQ(picture(QString::fromLatin1(p)), QStringLiteral("cross.gif")) << p;
}

TEST_F(ClinicalTest, BothStandardDeviationsZeroFailAtCutOffC)
{
    samples(QStringLiteral("30"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"));
    scores(QStringLiteral("40"), QStringLiteral("5"));
    platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), QStringLiteral("op3"));
    testkit::MsgBoxScript msgs;
    clever();
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.texts().first().startsWith(ErrorLead + QStringLiteral("\r\n")));
    EXPECT_EQ(text("TxtPointA"), QStringLiteral("30"));
    EXPECT_EQ(text("TxtPointB"), QStringLiteral("10"));
    EXPECT_EQ(text("TxtAAnswer"), Yes);
    EXPECT_EQ(text("TxtBAnswer"), Yes);
    EXPECT_EQ(text("TxtPointC"), QString());
    EXPECT_EQ(text("TxtCAnswer"), QString());
    EXPECT_EQ(tabs()->currentIndex(), 0);
}

} // namespace
} // namespace morvane_test
