// Every result box of the main window against values computed independently
// in R (see the header of outcome_reference.tsv and fisher_large.tsv for how
// they were made).
#include "WindowHarness.h"
#include "outcometable/OutcomeStats.h"
#include "platform/Numbers.h"

#include <QFile>
#include <QTextStream>

#include <cmath>

namespace quellin_test {
namespace {

using Row = testkit::FixtureRow;

std::vector<Row> loadTable(const QString& file, QStringList* headerOut = nullptr)
{
    return testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/") + file, headerOut);
}

class ReferenceTest : public QuellinWindowTest {};

TEST_F(ReferenceTest, EveryResultBoxMatchesTheIndependentRecomputation)
{
    QStringList header;
    const auto rows = loadTable(QStringLiteral("outcome_reference.tsv"), &header);
    ASSERT_GE(rows.size(), 30u);
    const int firstResult = static_cast<int>(header.indexOf(QStringLiteral("fisher"))) + 1;
    ASSERT_GT(firstResult, 0);
    for (const auto& r : rows) {
        SCOPED_TRACE("reference line " + std::to_string(r.line));
        testkit::MsgBoxScript boxes;
        mode(r.values.value(QStringLiteral("mode")).toInt());
        for (const char* name : quellin::CountBoxes) {
            const QString n = QString::fromLatin1(name);
            if (box(n)->isReadOnly())
                continue;
            enter(n, r.values.value(n));
        }
        level(r.values.value(QStringLiteral("level")));
        fisher(r.values.value(QStringLiteral("fisher")) == QLatin1String("1"));
        doIt();
        EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
        for (int i = firstResult; i < header.size(); ++i) {
            const QString& name = header[i];
            const QString expected = r.values.value(name);
            if (name.startsWith(QLatin1String("cmdNN")))
                EXPECT_EQ(shown(name), expected == QLatin1String("1")) << name.toStdString();
            else
                EXPECT_EQ(text(name), expected) << name.toStdString();
        }
    }
}

TEST(FisherLargeTables, AgreeWithRToTwelveDigits)
{
    const auto rows = loadTable(QStringLiteral("fisher_large.tsv"));
    ASSERT_GE(rows.size(), 5u);
    for (const auto& r : rows) {
        SCOPED_TRACE("reference line " + std::to_string(r.line));
        const double a = r.values.value(QStringLiteral("a")).toDouble();
        const double b = r.values.value(QStringLiteral("b")).toDouble();
        const double c = r.values.value(QStringLiteral("c")).toDouble();
        const double d = r.values.value(QStringLiteral("d")).toDouble();
        const double expected = r.values.value(QStringLiteral("p")).toDouble();
        const double p = quellin::FisherExactOneTailed(a, b, c, d);
        EXPECT_NEAR(p, expected, 1e-12 * expected);
        EXPECT_EQ(platform::roundText(p, 5), platform::roundText(expected, 5));
    }
}

} // namespace
} // namespace quellin_test
