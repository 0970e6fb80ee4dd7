// Meta-analysis runs over small study tables against the reference values of
// run_reference.tsv (made with R from studies.tsv, see make_reference.R):
// every summary box, the numbers and study lists of the report, the four
// result columns, the Rosenthal results and the messages shown.
#include "RunHarness.h"

#include <QLineEdit>
#include <map>
#include <QFile>
#include <QTime>
#include <QTimer>
#include <QApplication>

using runharness::RunHarness;
using runharness::Study;

namespace {

struct Case {
    QString set;
    QString measure;
    std::vector<testkit::FixtureRow> rows;
    QStringList values(const QString& key) const
    {
        QStringList out;
        for (const auto& r : rows)
            if (r.values.value(QStringLiteral("key")) == key)
                out << r.values.value(QStringLiteral("expected"));
        return out;
    }
};

std::vector<Case> referenceCases()
{
    std::vector<Case> cases;
    for (const auto& row : testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/run_reference.tsv"))) {
        const QString name = row.values.value(QStringLiteral("case"));
        if (cases.empty() || cases.back().set + QLatin1Char('|') + cases.back().measure != name) {
            const int bar = name.indexOf(QLatin1Char('|'));
            cases.push_back({name.left(bar), name.mid(bar + 1), {}});
        }
        cases.back().rows.push_back(row);
    }
    return cases;
}

QList<Study> studiesOf(const QString& set)
{
    QList<Study> out;
    for (const auto& row : testkit::readFixtureTable(QStringLiteral(SUITE_TEST_DIR "/studies.tsv"))) {
        if (row.values.value(QStringLiteral("set")) != set)
            continue;
        Study s = row.values;
        s.remove(QStringLiteral("set"));
        out << s;
    }
    return out;
}

// The report's lines from the one after `from` up to the one before the
// first line that starts with `to`.
QStringList linesBetween(const QStringList& lines, const QString& from, const QString& to)
{
    const int start = lines.indexOf(from);
    EXPECT_GE(start, 0) << from.toStdString();
    QStringList out;
    for (int i = start + 1; start >= 0 && i < lines.size() && !lines[i].startsWith(to); ++i)
        out << lines[i];
    return out;
}

} // namespace

TEST(MetaRunReference, EveryBoxColumnAndReportNumberMatches)
{
    const std::vector<Case> cases = referenceCases();
    ASSERT_EQ(cases.size(), 6u);
    for (const Case& c : cases) {
        SCOPED_TRACE(("case " + c.set + "|" + c.measure).toStdString());
        RunHarness h;
        h.add(studiesOf(c.set));
        h.open();
        testkit::MsgBoxScript boxes;
        h.run(c.measure);

        QStringList titles;
        for (const auto& m : boxes.shown())
            titles << m.title;
        EXPECT_EQ(titles, c.values(QStringLiteral("message")));
        EXPECT_FALSE(h.picMeta->isHidden());
        EXPECT_FALSE(h.progressVisible);

        // Every box of the panel but the measure has its reference text.
        int checked = 0;
        for (const auto& r : c.rows) {
            const QString key = r.values.value(QStringLiteral("key"));
            if (!key.startsWith(QLatin1String("box:")))
                continue;
            ++checked;
            EXPECT_EQ(h.text(key.mid(4)), r.values.value(QStringLiteral("expected"))) << key.toStdString();
        }
        EXPECT_EQ(checked, h.picMeta->findChildren<QLineEdit*>().size() - 1);

        // Result columns, as the file holds them.
        for (const auto& r : c.rows) {
            const QString key = r.values.value(QStringLiteral("key"));
            if (!key.startsWith(QLatin1String("column:")))
                continue;
            const QStringList parts = key.split(QLatin1Char(':'));
            const QString study = parts[2] == QLatin1String("(null)") ? QString() : parts[2];
            EXPECT_EQ(h.stored(parts[1], study), r.values.value(QStringLiteral("expected"))) << key.toStdString();
        }

        // Rosenthal results kept for the heterogeneity window.
        const std::map<QString, QString> rosenthal = {
            {QStringLiteral("SumRosenthalStudyWeightsByD"), platform::numText(h.rosenthal.SumRosenthalStudyWeightsByD)},
            {QStringLiteral("SumOfRosenthalStudyWeights"), platform::numText(h.rosenthal.SumOfRosenthalStudyWeights)},
            {QStringLiteral("MeanRosenthalD"), platform::numText(h.rosenthal.MeanRosenthalD)},
            {QStringLiteral("RosenthalFormula"), platform::numText(h.rosenthal.RosenthalFormula)},
            {QStringLiteral("RosenthalN"), QString::number(h.rosenthal.RosenthalN)},
            {QStringLiteral("RosenthalP2"), platform::numText(h.rosenthal.RosenthalP2)},
        };
        for (const auto& [name, actual] : rosenthal)
            EXPECT_EQ(actual, c.values(QStringLiteral("rosenthal:") + name).value(0)) << name.toStdString();

        // The report's numbers and study lists.
        const QString report = h.txtResults->toPlainText();
        const QStringList lines = report.split(QLatin1Char('\n'));
        const auto v = [&](const char* name) { return c.values(QStringLiteral("value:") + QLatin1String(name)).value(0); };
        const QString q = v("InverseVarianceQ") + QStringLiteral(", DF: ") + v("InverseVarianceDF");
        const QString p = QStringLiteral("Q Statistic Significance Level (Using Chi Squared Test): Two Tailed p = ") +
                          v("InverseVarianceP2") + QStringLiteral(", One Tailed p = ") + v("InverseVarianceP1");
        const QString i2 = v("InverseVarianceISquared") + QStringLiteral("% of Total Study Variation Due to Heterogeneity.");
        const QStringList expectedLines = {
            QStringLiteral("Mean Cohen's d Weighted By Variance: ") + v("VarianceWeightedMeanD"),
            QStringLiteral("Q Statistic Based On Cohen's d Using Inverse Variance as Weighting: ") + q,
            QStringLiteral("Q Statistic Based On Cohen's d But Using Inverse Variance as Weighting: ") + q,
            QStringLiteral("I Squared (Higgins & Thompson, 2002) For Cohen's d Calculations Using Inverse Variance as "
                           "Weighting: ") + i2,
            QStringLiteral("I Squared (Higgins & Thompson, 2002) For Cohen's d Calculations But Using Inverse Variance "
                           "as Weighting: ") + i2,
            QStringLiteral("Weighted Mean Cohen's d Based On: ") + v("SumTotalND") + QStringLiteral(" Participants"),
            QStringLiteral("Sum Of Mean Cohen's d Effect Sizes Used For Weighting: ") + v("SumD"),
            QStringLiteral("Weighted Mean Hedges' g Based On: ") + v("SumTotalNG") + QStringLiteral(" Participants"),
            QStringLiteral("Sum Of Mean Hedges' g Effect Sizes Used For Weighting: ") + v("SumG"),
            QStringLiteral("This Analysis Was Conducted On The Following Assessment Device: ") +
                (c.measure.isEmpty() ? QStringLiteral("None Specified") : c.measure),
            QStringLiteral("Number of Records included in database: ") + QString::number(h.studies.recordCount()),
        };
        for (const QString& l : expectedLines)
            EXPECT_TRUE(lines.contains(l)) << l.toStdString();
        EXPECT_EQ(lines.count(p), 2);
        EXPECT_EQ(linesBetween(lines, QStringLiteral("Mean Cohen's d Based On ") + h.text(QStringLiteral("txtDStat")) +
                                          QStringLiteral(" Studies:"),
                               QStringLiteral("Minimum Cohen's d: ")),
                  c.values(QStringLiteral("listD")));
        EXPECT_EQ(linesBetween(lines, QStringLiteral("Mean Hedges' g Based On ") +
                                          h.text(QStringLiteral("txtMeanGStat")) + QStringLiteral(" Studies:"),
                               QStringLiteral("Mean Hedges' g -95% Confidence Interval: ")),
                  c.values(QStringLiteral("listG")));
        EXPECT_EQ(linesBetween(lines, QStringLiteral("Weighted Mean Cohen's d Based On ") + v("CountWeightedD") +
                                          QStringLiteral(" Studies:"),
                               QStringLiteral("Sum Of Mean Cohen's d")),
                  c.values(QStringLiteral("listWD")));
        EXPECT_EQ(linesBetween(lines, QStringLiteral("Weighted Mean Hedges' g Based On ") + v("CountWeightedG") +
                                          QStringLiteral(" Studies:"),
                               QStringLiteral("Sum Of Mean Hedges' g")),
                  c.values(QStringLiteral("listWG")));
    }
}

// The whole report of one run, line by line, with its literal labels, the
// bare label of a Null aggregate and the study lists in place.
TEST(MetaRunReference, ReportOfThePairSetLineByLine)
{
    QFile f(QStringLiteral(SUITE_TEST_DIR "/report_pair.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList expected;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.startsWith(QLatin1Char('#')))
            expected << line;

    RunHarness h;
    h.add(studiesOf(QStringLiteral("pair")));
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    QStringList actual = h.txtResults->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(actual.size(), 8);
    EXPECT_EQ(actual[3], QStringLiteral("Database File: ") + h.path);
    actual[3] = QStringLiteral("Database File: <path>");
    const QString date = actual[5].mid(QStringLiteral("Date of Analysis: ").size());
    const QString time = actual[6].mid(QStringLiteral("Time of Analysis: ").size());
    EXPECT_FALSE(date.isEmpty());
    EXPECT_TRUE(QTime::fromString(time, QStringLiteral("HH:mm:ss")).isValid()) << time.toStdString();
    actual[5] = QStringLiteral("Date of Analysis: <date>");
    actual[6] = QStringLiteral("Time of Analysis: <time>");
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(h.txtResults->font().pointSize(), 8);
}

// The fail-safe window opened after a run reads the panel's boxes and finds
// the numbers the run found.
TEST(MetaRunReference, FailSafeWindowAgreesWithThePanel)
{
    RunHarness h;
    h.add(studiesOf(QStringLiteral("three")));
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    ASSERT_EQ(h.text(QStringLiteral("txtFSN")), QStringLiteral("4.48"));

    QHash<QString, QString> shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (const char* name : {"txtFSN", "txtNFSRosen", "txtNFSRosenG", "txtDc2", "txtDc5", "txtDc8", "txtGc8"})
            shown.insert(QLatin1String(name), testkit::text(dialog, QLatin1String(name)));
        dialog->close();
    });
    metastats::showFailSafe(&h.window);
    ASSERT_FALSE(shown.isEmpty());
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), h.text(it.key())) << it.key().toStdString();
}
