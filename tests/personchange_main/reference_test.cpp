// Every result of the window against values recomputed independently in R
// (see the header of change_reference.tsv for how they were made).
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace morvane_test {
namespace {

using ReferenceCase = testkit::FixtureRow;

std::vector<ReferenceCase> loadReference()
{
    return testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/change_reference.tsv"));
}

QString colourName(const QColor& c)
{
    if (c == QColor(255, 0, 0))
        return QStringLiteral("red");
    if (c == QColor(0, 0, 255))
        return QStringLiteral("blue");
    if (c == QColor(0, 0, 0))
        return QStringLiteral("black");
    return c.name();
}

class ReferenceTest : public MorvaneWindowTest {};

TEST_F(ReferenceTest, ReliableChangeAndCutOffsMatchTheIndependentRecomputation)
{
    const auto cases = loadReference();
    ASSERT_GE(cases.size(), 30u);
    const QStringList boxes = {
        QStringLiteral("TxtSEM"),      QStringLiteral("TxtSED"),      QStringLiteral("Txt1sdConf"),
        QStringLiteral("Txt95Conf"),   QStringLiteral("Txt99Conf"),   QStringLiteral("TxtChangeScore"),
        QStringLiteral("TxtClient68"), QStringLiteral("TxtClient95"), QStringLiteral("TxtClient99"),
        QStringLiteral("TxtPointA"),   QStringLiteral("TxtPointB"),   QStringLiteral("TxtPointC"),
        QStringLiteral("TxtCNI"),      QStringLiteral("TxtAAnswer"),  QStringLiteral("TxtBAnswer"),
        QStringLiteral("TxtCAnswer")};
    for (const auto& c : cases) {
        SCOPED_TRACE("reference line " + std::to_string(c.line));
        clickOn(QStringLiteral("cmdClear"));
        step1(c.values.value("r"), c.values.value("sd"));
        scores(c.values.value("t1"), c.values.value("t2"));
        samples(c.values.value("cm"), c.values.value("cs"), c.values.value("nm"), c.values.value("ns"));
        testkit::MsgBoxScript msgs;
        clever();
        EXPECT_EQ(msgs.texts().join(QStringLiteral(" | ")), c.values.value("messages"));
        for (const QString& b : boxes)
            EXPECT_EQ(text(b), c.values.value(b)) << b.toStdString();
        for (const QString& p : morvane::criterionPictures())
            EXPECT_EQ(picture(p), c.values.value(p)) << p.toStdString();
        if (c.values.value("status") == QLatin1String("unchanged"))
            EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), QString());
        else
            EXPECT_EQ(colourName(statusColour()), c.values.value("status"));
    }
}

TEST_F(ReferenceTest, ExactConfidenceRatesMatchTheIndependentRecomputation)
{
    const auto cases = loadReference();
    ASSERT_GE(cases.size(), 30u);
    for (const auto& c : cases) {
        SCOPED_TRACE("reference line " + std::to_string(c.line));
        step1(c.values.value("r"), c.values.value("sd"));
        paste(QStringLiteral("txtPercentage"), c.values.value("pct"));
        paste(QStringLiteral("txtPointChange"), c.values.value("pt"));
        testkit::MsgBoxScript msgs;
        exact(QStringLiteral("cmdCompute"));
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(text("txtSEM2"), c.values.value("txtSEM2"));
        EXPECT_EQ(text("txtSED2"), c.values.value("txtSED2"));
        EXPECT_EQ(text("txtZ"), c.values.value("txtZ_level"));
        EXPECT_EQ(text("txtChange"), c.values.value("txtChange"));
        EXPECT_EQ(text("txtConfidence"), QString());

        exact(QStringLiteral("cmdPoint"));
        const bool computed = !c.values.value("txtZ_point").isEmpty();
        EXPECT_EQ(msgs.count(), computed ? 0 : 1);
        EXPECT_EQ(text("txtSEM2"), computed ? c.values.value("txtSEM2") : QString());
        EXPECT_EQ(text("txtSED2"), computed ? c.values.value("txtSED2") : QString());
        EXPECT_EQ(text("txtZ"), c.values.value("txtZ_point"));
        EXPECT_EQ(text("txtConfidence"), c.values.value("txtConfidence"));
        EXPECT_EQ(text("txtChange"), QString());
    }
}

} // namespace
} // namespace morvane_test
