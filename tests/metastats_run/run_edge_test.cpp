// The run's refusals, its error path and what survives it, the result
// columns across runs, and the Rosenthal step's own error box.
#include "RunHarness.h"
#include "metastats/HeterogeneityView.h"
#include "metastats/MetaRun.h"

#include <QLineEdit>

using platform::MsgButtons;
using platform::MsgIcon;
using runharness::RunHarness;
using runharness::Study;

namespace {

Study study(const QString& name, const QString& include, const QString& measure, const QString& d,
            const QString& n, const QString& usedSD, const QString& g = QStringLiteral("NULL"))
{
    return {{QStringLiteral("Study Name"), name},   {QStringLiteral("Year of Study"), QStringLiteral("2000")},
            {QStringLiteral("Include"), include},   {QStringLiteral("Measure Used"), measure},
            {QStringLiteral("Cohen's D"), d},       {QStringLiteral("Total N"), n},
            {QStringLiteral("Used SD"), usedSD},    {QStringLiteral("Hedges' G"), g},
            {QStringLiteral("Z Score Of d"), QStringLiteral("9")},
            {QStringLiteral("% Of Weight (d)"), QStringLiteral("9")}};
}

const QString kInitialReport = QStringLiteral("Meta-analysis reports will appear here.\n");

} // namespace

TEST(MetaRunEdges, NoOpenDatabaseIsRefusedAndChangesNothing)
{
    RunHarness h;
    h.context.databaseOpen = false;
    testkit::MsgBoxScript boxes;
    h.run();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral("You cannot meta-analyse data which has not been opened. Please open a database."));
    EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(h.picMeta->isHidden());
    EXPECT_EQ(h.progressShown, 0);
    EXPECT_EQ(h.txtResults->toPlainText(), kInitialReport);
}

// With no qualifying study the aggregates are empty, the steps show their
// N/A results and messages, and the heterogeneity step's 0 / 0 ends the run
// before a report; the result columns of the studies are cleared all the same.
TEST(MetaRunEdges, NoQualifyingStudyEndsOnTheErrorPath)
{
    struct Row {
        const char* what;
        QString include;
        QString measure;
    };
    const Row rows[] = {{"all excluded", QStringLiteral("0"), QString()},
                        {"unknown measure", QStringLiteral("1"), QStringLiteral("EPDS")},
                        {"measure of blanks", QStringLiteral("1"), QStringLiteral(" ")}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        RunHarness h;
        h.add({study(QStringLiteral("A"), r.include, QStringLiteral("BDI"), QStringLiteral("0.5"),
                     QStringLiteral("20"), QStringLiteral("1")),
               study(QStringLiteral("B"), r.include, QStringLiteral("BDI"), QStringLiteral("0.7"),
                     QStringLiteral("30"), QStringLiteral("1"))});
        h.open();
        h.rosenthal.MeanRosenthalD = 0.25;   // a previous run's value stays
        testkit::MsgBoxScript boxes;
        h.run(r.measure);

        for (const auto& c : metastats::summaryColumns())
            EXPECT_EQ(h.text(QLatin1String(c.box)), c.isCount() ? QStringLiteral("0") : QString()) << c.box;
        for (const char* name : {"txtSDCohen", "txtMeanDSummary", "txtDNeg95Summary", "txtSDHedges", "txtWeightedD",
                                 "txtWeightedSDD", "txtWeightedMinus95G"})
            EXPECT_EQ(h.text(QLatin1String(name)), QStringLiteral("N/A")) << name;
        for (const char* name : {"txtMeanDStatSummary", "txtCountDStudies", "txtTotalND", "txtStudiesG", "txtSumD"})
            EXPECT_EQ(h.text(QLatin1String(name)), QStringLiteral("0")) << name;
        EXPECT_EQ(h.text(QStringLiteral("txtFSN")), QString());   // the fail-safe step was not reached
        for (const char* s : {"A", "B"}) {
            EXPECT_EQ(h.stored(QStringLiteral("Z Score Of d"), QLatin1String(s)), QStringLiteral("NULL"));
            EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QLatin1String(s)), QStringLiteral("NULL"));
        }

        ASSERT_EQ(boxes.count(), 4);
        EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Cohen's D Error"));
        EXPECT_EQ(boxes.shown()[1].title, QStringLiteral("Hedges' G Error"));
        EXPECT_EQ(boxes.shown()[2].text, QStringLiteral("Data error event hit err: Overflow"));
        EXPECT_EQ(boxes.shown()[2].buttons, MsgButtons::OK);
        EXPECT_EQ(boxes.shown()[3].title, QStringLiteral("Code Gen Error"));
        EXPECT_EQ(boxes.shown()[3].text, QStringLiteral("    Error No. 6 \r\nOverflow"));
        EXPECT_EQ(boxes.shown()[3].buttons, MsgButtons::AbortRetryIgnore);
        EXPECT_EQ(boxes.shown()[3].icon, MsgIcon::Critical);

        EXPECT_EQ(h.txtResults->toPlainText(), kInitialReport);
        EXPECT_FALSE(h.picMeta->isHidden());
        EXPECT_EQ(h.progressShown, 1);
        EXPECT_FALSE(h.progressVisible);
        EXPECT_EQ(h.rosenthal.MeanRosenthalD, 0.25);
    }
}

// Failures of the data end the run where they happen: what the steps wrote
// before stays, later boxes and the report keep what they held.
TEST(MetaRunEdges, DataFailuresKeepWhatWasWrittenBefore)
{
    struct Row {
        const char* what;
        QString d, n, usedSD;
        QString error;
        QString weight;    // % Of Weight (d) of the study afterwards
        QString weighted;  // txtWeightedD afterwards
    };
    const Row rows[] = {
        // A single study with a d of more than five decimals: its spread
        // divides by a count of one less.
        {"single d of six decimals", QStringLiteral("0.123456"), QStringLiteral("20"), QStringLiteral("1"),
         QStringLiteral("    Error No. 11 \r\nDivision by zero"), QStringLiteral("9"), QStringLiteral("old")},
        {"used SD of 0", QStringLiteral("0.5"), QStringLiteral("20"), QStringLiteral("0"),
         QStringLiteral("    Error No. 11 \r\nDivision by zero"), QStringLiteral("9"), QStringLiteral("old")},
        // One participant in all: the weighted variance divides 0 by 0.
        {"total N of 1", QStringLiteral("0.5"), QStringLiteral("1"), QStringLiteral("1"),
         QStringLiteral("    Error No. 6 \r\nOverflow"), QStringLiteral("100"), QStringLiteral("0.5")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        RunHarness h;
        h.add({study(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("BDI"), r.d, r.n, r.usedSD)});
        h.open();
        h.box(QStringLiteral("txtWeightedD"))->setText(QStringLiteral("old"));
        h.box(QStringLiteral("txtWeightedSDD"))->setText(QStringLiteral("old"));
        h.txtResults->setPlainText(QStringLiteral("previous report"));
        testkit::MsgBoxScript boxes;
        h.run();

        ASSERT_GE(boxes.count(), 2);
        EXPECT_EQ(boxes.shown().back().text, r.error);
        EXPECT_EQ(boxes.shown().back().title, QStringLiteral("Code Gen Error"));
        EXPECT_TRUE(boxes.shown()[boxes.count() - 2].text.startsWith(QStringLiteral("Data error event hit err:")));
        EXPECT_EQ(h.text(QStringLiteral("txtDStat")), QStringLiteral("1"));   // bound before the steps
        EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("A")), r.weight);
        EXPECT_EQ(h.text(QStringLiteral("txtWeightedD")), r.weighted);
        EXPECT_EQ(h.text(QStringLiteral("txtWeightedSDD")), QStringLiteral("old"));
        EXPECT_EQ(h.txtResults->toPlainText(), QStringLiteral("previous report"));
        EXPECT_FALSE(h.progressVisible);
    }
}

// A query that cannot be run leaves every summary box as the last run left it.
TEST(MetaRunEdges, AQueryThatFailsLeavesThePreviousRunShown)
{
    RunHarness h;
    h.add({study(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("0.2"),
                 QStringLiteral("20"), QStringLiteral("1")),
           study(QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("0.6"),
                 QStringLiteral("60"), QStringLiteral("2"))});
    h.open();
    {
        testkit::MsgBoxScript boxes;
        h.run();
    }
    const QString report = h.txtResults->toPlainText();
    ASSERT_EQ(h.text(QStringLiteral("txtMeanCohen")), QStringLiteral("0.40000"));

    // The window's connection now reaches a file without the study table.
    auto other = std::make_shared<platform::Connection>();
    other->create(h.dir.filePath(QStringLiteral("empty.met")));
    h.context.connection = other;
    testkit::MsgBoxScript boxes;
    h.run(QStringLiteral("BDI"));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral("Data error event hit err:")));
    EXPECT_TRUE(boxes.shown()[1].text.startsWith(QStringLiteral("    Error No. ")));
    EXPECT_EQ(h.text(QStringLiteral("txtMeanCohen")), QStringLiteral("0.40000"));
    EXPECT_EQ(h.text(QStringLiteral("txtWeightedD")), QStringLiteral("0.5"));
    EXPECT_EQ(h.txtResults->toPlainText(), report);
    EXPECT_FALSE(h.progressVisible);
}

// A study with d = 1 has no Rosenthal weight: the step reports it in its own
// box and the run still writes its report.
TEST(MetaRunEdges, RosenthalFailureIsReportedAndTheRunGoesOn)
{
    RunHarness h;
    h.add({study(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("0.5"),
                 QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("0.5")),
           study(QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("1"),
                 QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("0.9"))});
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Code Gen Error"));
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("    Error No. 11 \r\nDivision by zero"));
    EXPECT_EQ(boxes.shown()[0].icon, MsgIcon::Critical);
    // Pass 1 reached study A only.
    EXPECT_EQ(platform::numText(h.rosenthal.SumOfRosenthalStudyWeights), platform::numText(20 / 0.75));
    EXPECT_EQ(platform::numText(h.rosenthal.SumRosenthalStudyWeightsByD), platform::numText(20 / 0.75 * 0.5));
    EXPECT_EQ(h.rosenthal.RosenthalN, 0);
    EXPECT_EQ(h.rosenthal.RosenthalP2, 0.0);
    EXPECT_TRUE(h.txtResults->toPlainText().startsWith(QStringLiteral("Beginning Summary:...\n")));
}

// A second run replaces every result: boxes, report, and the columns of the
// studies that left the set are cleared.
TEST(MetaRunEdges, SecondRunWithAnotherMeasureReplacesEverything)
{
    RunHarness h;
    h.add({study(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("0.2"),
                 QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("0.2")),
           study(QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("bdi"), QStringLiteral("0.6"),
                 QStringLiteral("60"), QStringLiteral("2"), QStringLiteral("0.6")),
           study(QStringLiteral("C"), QStringLiteral("1"), QStringLiteral("HAM-D"), QStringLiteral("1.3"),
                 QStringLiteral("40"), QStringLiteral("1"), QStringLiteral("1.2"))});
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    EXPECT_EQ(h.text(QStringLiteral("txtDStat")), QStringLiteral("3"));
    EXPECT_NE(h.stored(QStringLiteral("Z Score Of g"), QStringLiteral("C")), QStringLiteral("NULL"));
    EXPECT_NE(h.stored(QStringLiteral("% Of Weight (g)"), QStringLiteral("C")), QStringLiteral("NULL"));

    h.run(QStringLiteral("Bdi"));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(h.text(QStringLiteral("txtDStat")), QStringLiteral("2"));
    EXPECT_EQ(h.text(QStringLiteral("txtMeanCohen")), QStringLiteral("0.40000"));
    EXPECT_EQ(h.text(QStringLiteral("txtNMean")), QStringLiteral("40.00000"));
    EXPECT_EQ(h.text(QStringLiteral("txtWeightedD")), QStringLiteral("0.5"));
    EXPECT_EQ(h.text(QStringLiteral("txtTotalND")), QStringLiteral("80"));
    for (const char* column : {"Z Score Of d", "Z Score Of g", "% Of Weight (d)", "% Of Weight (g)"})
        EXPECT_EQ(h.stored(QLatin1String(column), QStringLiteral("C")), QStringLiteral("NULL")) << column;
    EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("A")), QStringLiteral("25"));
    EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("B")), QStringLiteral("75"));
    EXPECT_EQ(h.stored(QStringLiteral("Z Score Of d"), QStringLiteral("A")), QStringLiteral("-0.70711"));
    EXPECT_EQ(h.stored(QStringLiteral("Z Score Of d"), QStringLiteral("B")), QStringLiteral("0.70711"));
    const QString report = h.txtResults->toPlainText();
    EXPECT_EQ(report.count(QStringLiteral("Beginning Summary:...")), 1);
    EXPECT_TRUE(report.contains(
        QStringLiteral("\nThis Analysis Was Conducted On The Following Assessment Device: Bdi\n")));
    // The grid's recordset shows the values written.
    h.studies.moveFirst();
    EXPECT_EQ(platform::numText(h.studies.value(QStringLiteral("% Of Weight (d)")).toDouble()), QStringLiteral("25"));
}

// The summary query and every step take the same studies: the measure
// matches without regard to case for every letter, not only A to Z.
TEST(MetaRunEdges, MeasureMatchesWithoutRegardToCaseInQueryAndSteps)
{
    RunHarness h;
    QList<Study> rows;
    const char* const spellings[] = {"Ängstlichkeit-Skala", "ÄNGSTLICHKEIT-SKALA", "ängstlichkeit-skala",
                                     "Angstlichkeit-Skala"};
    int i = 0;
    for (const char* m : spellings)
        for (int k = 0; k < 3; ++k, ++i)
            rows << study(QStringLiteral("S%1").arg(i), QStringLiteral("1"), QString::fromUtf8(m),
                          QString::number(0.2 + 0.05 * i), QString::number(20 + i), QStringLiteral("1"),
                          QString::number(0.2 + 0.05 * i));
    h.add(rows);
    h.open();
    testkit::MsgBoxScript boxes;
    h.run(QStringLiteral("Ängstlichkeit-Skala"));
    EXPECT_EQ(boxes.count(), 0);
    for (const char* name : {"txtDStat", "txtNStat", "txtMeanGStat", "txtMeanDStatSummary", "txtMeanGStatSummary",
                             "txtStudiesD", "txtStudiesG"})
        EXPECT_EQ(h.text(QLatin1String(name)), QStringLiteral("9")) << name;
    EXPECT_EQ(h.text(QStringLiteral("txtTotalND")), QString::number(9 * 20 + 36));
    EXPECT_EQ(h.rosenthal.RosenthalN, 9);
    EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("S11")), QStringLiteral("NULL"));
    EXPECT_NE(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("S8")), QStringLiteral("NULL"));
    const QString report = h.txtResults->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("\nMean Cohen's d Based On 9 Studies:\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("\nWeighted Mean Cohen's d Based On 9 Studies:\n")));

    // Blanks and other letters still count: no study of that measure.
    h.run(QStringLiteral("ängstlichkeit-skala "));
    EXPECT_EQ(h.text(QStringLiteral("txtDStat")), QStringLiteral("0"));
}

// A study stored with Include 1 (as other tools store true) is included
// everywhere: the summary query counts it as the steps do.
TEST(MetaRunEdges, AnyNonZeroIncludeIsIncluded)
{
    RunHarness h;
    QList<Study> rows;
    for (int i = 0; i < 12; ++i)
        rows << study(QStringLiteral("S%1").arg(i), QStringLiteral("1"), QStringLiteral("BDI"),
                      QString::number(0.1 + 0.05 * i), QString::number(20 + i), QStringLiteral("1"),
                      QString::number(0.1 + 0.05 * i));
    rows << study(QStringLiteral("Out"), QStringLiteral("0"), QStringLiteral("BDI"), QStringLiteral("3"),
                  QStringLiteral("50"), QStringLiteral("1"), QStringLiteral("3"));
    h.add(rows);
    // Half of them as another tool writes true; one as a stray 2.
    h.connection->execute(QStringLiteral("UPDATE data SET \"Include\" = 1 WHERE \"Study Name\" IN "
                                         "('S0', 'S2', 'S4', 'S6', 'S8')"));
    h.connection->execute(QStringLiteral("UPDATE data SET \"Include\" = 2 WHERE \"Study Name\" = 'S10'"));
    h.open();
    for (const QString& measure : {QString(), QStringLiteral("bdi")}) {
        SCOPED_TRACE(measure.toStdString());
        testkit::MsgBoxScript boxes;
        h.run(measure);
        EXPECT_EQ(boxes.count(), 0);
        for (const char* name : {"txtDStat", "txtNStat", "txtMeanGStat", "txtSDUsedStat", "txtMeanDStatSummary",
                                 "txtStudiesD", "txtCountDStudies"})
            EXPECT_EQ(h.text(QLatin1String(name)), QStringLiteral("12")) << name;
        EXPECT_EQ(h.text(QStringLiteral("txtDMax")), QStringLiteral("0.65000"));
        EXPECT_EQ(h.rosenthal.RosenthalN, 12);
        const QString report = h.txtResults->toPlainText();
        EXPECT_TRUE(report.contains(QStringLiteral("\nMean Cohen's d Based On 12 Studies:\n")));
        EXPECT_TRUE(report.contains(QStringLiteral("\nWeighted Mean Cohen's d Based On 12 Studies:\n")));
        EXPECT_TRUE(report.contains(QStringLiteral("\nMean Total N Based On 12 Studies\n")));
        EXPECT_FALSE(report.contains(QStringLiteral("Based On 6 Studies")));
        EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QStringLiteral("Out")), QStringLiteral("NULL"));
    }
}

// More studies than the Rosenthal step counts: its Overflow box, and the
// heterogeneity window claims nothing from the half-done step.
TEST(MetaRunEdges, RosenthalOverflowLeavesNoVerdict)
{
    RunHarness h;
    QList<Study> rows;
    for (int i = 0; i < 32768; ++i)
        rows << study(QStringLiteral("S%1").arg(i), QStringLiteral("1"), QStringLiteral("BDI"),
                      i % 2 ? QStringLiteral("0.2") : QStringLiteral("0.8"), QStringLiteral("40"),
                      QStringLiteral("1"), i % 2 ? QStringLiteral("0.3") : QStringLiteral("0.7"));
    QSqlDatabase db = h.connection->database();
    db.transaction();
    h.add(rows);
    db.commit();
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Code Gen Error"));
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("    Error No. 6 \r\nOverflow"));
    EXPECT_EQ(h.rosenthal.RosenthalN, 32767);
    EXPECT_TRUE(h.txtResults->toPlainText().startsWith(QStringLiteral("Beginning Summary:...\n")));

    const metastats::HeterogeneityView v = metastats::computeHeterogeneityView(h.rosenthal);
    EXPECT_EQ(v.p, QStringLiteral("p = N/A"));
    EXPECT_EQ(v.q, QStringLiteral("N/A"));
    EXPECT_EQ(v.df, QStringLiteral("N/A"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, metastats::heterogeneity_text::NoQ);
}

// One study: the report's p of Q is 1, and so is the heterogeneity window's.
TEST(MetaRunEdges, OneStudyShowsTheReportsPInTheWindow)
{
    RunHarness h;
    h.add({study(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("BDI"), QStringLiteral("0.5"),
                 QStringLiteral("20"), QStringLiteral("1"), QStringLiteral("0.5"))});
    h.open();
    testkit::MsgBoxScript boxes;   // the two Z-score steps say there is no spread
    h.run();
    EXPECT_EQ(h.rosenthal.RosenthalN, 1);
    EXPECT_TRUE(h.txtResults->toPlainText().contains(
        QStringLiteral("Q Statistic Significance Level (Using Chi Squared Test): Two Tailed p = 1, One Tailed p = 0.5")));
    const metastats::HeterogeneityView v = metastats::computeHeterogeneityView(h.rosenthal);
    EXPECT_EQ(v.p, QStringLiteral("p = 1"));
    EXPECT_EQ(v.df, QStringLiteral("0"));
    EXPECT_EQ(v.q, QStringLiteral("0"));
    EXPECT_FALSE(v.significant);
    EXPECT_EQ(v.summary, metastats::heterogeneity_text::NotSignificant);
}
