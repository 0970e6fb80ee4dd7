// Every result of the window against values recomputed independently in R
// (see the header of change_reference.tsv for how they were made).
#include "WindowHarness.h"

#include "personchange/ReliableChange.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace morvane_test {
namespace {

struct ReferenceCase {
    int line = 0;
    QHash<QString, QString> v;
};

std::vector<ReferenceCase> loadReference()
{
    std::vector<ReferenceCase> cases;
    QFile f(QStringLiteral(SUITE_TEST_DIR "/change_reference.tsv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read the reference table";
        return cases;
    }
    QTextStream in(&f);
    QStringList header;
    int line = 0;
    while (!in.atEnd()) {
        const QString l = in.readLine();
        ++line;
        if (l.startsWith(QLatin1Char('#')) || l.isEmpty())
            continue;
        const QStringList fields = l.split(QLatin1Char('\t'));
        if (header.isEmpty()) {
            header = fields;
            continue;
        }
        EXPECT_EQ(fields.size(), header.size()) << "line " << line;
        ReferenceCase c;
        c.line = line;
        for (int i = 0; i < header.size() && i < fields.size(); ++i)
            c.v.insert(header[i], fields[i]);
        cases.push_back(c);
    }
    return cases;
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
        step1(c.v.value("r"), c.v.value("sd"));
        scores(c.v.value("t1"), c.v.value("t2"));
        samples(c.v.value("cm"), c.v.value("cs"), c.v.value("nm"), c.v.value("ns"));
        testkit::MsgBoxScript msgs;
        clever();
        EXPECT_EQ(msgs.texts().join(QStringLiteral(" | ")), c.v.value("messages"));
        for (const QString& b : boxes)
            EXPECT_EQ(text(b), c.v.value(b)) << b.toStdString();
        for (const QString& p : morvane::criterionPictures())
            EXPECT_EQ(picture(p), c.v.value(p)) << p.toStdString();
        if (c.v.value("status") == QLatin1String("unchanged"))
            EXPECT_EQ(multi(QStringLiteral("txtClinStatus")), QString());
        else
            EXPECT_EQ(colourName(statusColour()), c.v.value("status"));
    }
}

TEST_F(ReferenceTest, ExactConfidenceRatesMatchTheIndependentRecomputation)
{
    const auto cases = loadReference();
    ASSERT_GE(cases.size(), 30u);
    for (const auto& c : cases) {
        SCOPED_TRACE("reference line " + std::to_string(c.line));
        step1(c.v.value("r"), c.v.value("sd"));
        paste(QStringLiteral("txtPercentage"), c.v.value("pct"));
        paste(QStringLiteral("txtPointChange"), c.v.value("pt"));
        testkit::MsgBoxScript msgs;
        exact(QStringLiteral("cmdCompute"));
        EXPECT_EQ(msgs.count(), 0);
        EXPECT_EQ(text("txtSEM2"), c.v.value("txtSEM2"));
        EXPECT_EQ(text("txtSED2"), c.v.value("txtSED2"));
        EXPECT_EQ(text("txtZ"), c.v.value("txtZ_level"));
        EXPECT_EQ(text("txtChange"), c.v.value("txtChange"));
        EXPECT_EQ(text("txtConfidence"), QString());

        exact(QStringLiteral("cmdPoint"));
        const bool computed = !c.v.value("txtZ_point").isEmpty();
        EXPECT_EQ(msgs.count(), computed ? 0 : 1);
        EXPECT_EQ(text("txtSEM2"), computed ? c.v.value("txtSEM2") : QString());
        EXPECT_EQ(text("txtSED2"), computed ? c.v.value("txtSED2") : QString());
        EXPECT_EQ(text("txtZ"), c.v.value("txtZ_point"));
        EXPECT_EQ(text("txtConfidence"), c.v.value("txtConfidence"));
        EXPECT_EQ(text("txtChange"), QString());
    }
}

} // namespace
} // namespace morvane_test
