// Every result box of the main window against values computed independently
// in R (see the header of effectsize_reference.tsv for how they were made).
#include "WindowHarness.h"

#include <QFile>
#include <QLabel>
#include <QTextStream>

namespace effsize_test {
namespace {

using ReferenceCase = testkit::FixtureRow;

std::vector<ReferenceCase> loadReference()
{
    return testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/effectsize_reference.tsv"));
}

class ReferenceTest : public MainWindowTest {};

TEST_F(ReferenceTest, EveryResultBoxMatchesTheIndependentRecomputation)
{
    const auto cases = loadReference();
    ASSERT_GE(cases.size(), 30u);
    const QStringList inputs = {QStringLiteral("txtMean1"), QStringLiteral("txtMean2"), QStringLiteral("txtSD1"),
                                QStringLiteral("txtSD2"),   QStringLiteral("TxtN1"),    QStringLiteral("TxtN2")};
    for (const auto& c : cases) {
        SCOPED_TRACE("reference line " + std::to_string(c.line));
        testkit::MsgBoxScript boxes;
        for (const QString& name : inputs)
            enter(name, c.values.value(name));
        choose(QStringLiteral("Combo1"), c.values.value(QStringLiteral("Combo1")));
        choose(QStringLiteral("Combo2"), c.values.value(QStringLiteral("Combo2")));
        tabs()->setCurrentIndex(2);
        doIt();
        EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(tabs()->currentIndex(), 0);

        int checked = 0;
        for (auto it = c.values.begin(); it != c.values.end(); ++it) {
            const QString& name = it.key();
            if (inputs.contains(name) || name.startsWith(QLatin1String("Combo")) || name == QLatin1String("sign") ||
                name.startsWith(QLatin1String("LblPercent")))
                continue;
            EXPECT_EQ(text(name).toStdString(), it.value().toStdString()) << name.toStdString();
            ++checked;
        }
        EXPECT_EQ(checked, 31);
        for (int i = 0; i < 3; ++i) {
            const QString lbl = QStringLiteral("LblPercent(%1)").arg(i);
            EXPECT_EQ(text(lbl).toStdString(),
                      c.values.value(QStringLiteral("LblPercent%1").arg(i)).toStdString());
        }
        const bool negative = c.values.value(QStringLiteral("sign")) == QLatin1String("negative");
        EXPECT_EQ(text(QStringLiteral("txtNegPlus")).startsWith(negative ? QLatin1String("A negative")
                                                                         : QLatin1String("A positive")),
                  true);
        EXPECT_EQ(box(QStringLiteral("txtNegPlus"))->palette().color(QPalette::Text),
                  negative ? QColor(255, 0, 0) : QColor(0, 0, 255));
    }
}

} // namespace
} // namespace effsize_test
