// A run while another user works on the same file: the run computes from
// what the file holds when it starts, in one write transaction that waits
// for a brief lock; a run the file refuses leaves the records and the panel
// as they were; Include is read by one rule in the query and the steps.
#include "RunHarness.h"
#include "metastats/MetaRun.h"

#include <QLineEdit>
#include <QSqlError>
#include <chrono>
#include <future>
#include <thread>

using runharness::RunHarness;
using runharness::Study;

namespace {

Study study(const QString& name, const QString& d, const QString& n)
{
    return {{QStringLiteral("Study Name"), name},  {QStringLiteral("Year of Study"), QStringLiteral("2000")},
            {QStringLiteral("Include"), QStringLiteral("1")}, {QStringLiteral("Cohen's D"), d},
            {QStringLiteral("Hedges' G"), d},       {QStringLiteral("Total N"), n},
            {QStringLiteral("Used SD"), QStringLiteral("1")},
            {QStringLiteral("Z Score Of d"), QStringLiteral("9")},
            {QStringLiteral("% Of Weight (d)"), QStringLiteral("9")}};
}

// Five studies S01 .. S05, opened in the run's recordset, and a second
// connection of another user.
struct FiveStudies {
    FiveStudies()
    {
        QList<Study> rows;
        for (int i = 1; i <= 5; ++i)
            rows << study(QStringLiteral("S0%1").arg(i), QString::number(0.1 * i), QString::number(20 * i));
        h.add(rows);
        h.open();
        other.open(h.path);
    }
    // A value of every study as the file holds it, by study name.
    QList<QVariantList> file(const QString& columns)
    {
        QSqlQuery q(other.database());
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT %1 FROM data ORDER BY \"Study Name\"").arg(columns)));
        QList<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            rows << row;
        }
        return rows;
    }
    RunHarness h;
    platform::Connection other;
};

int occurrences(const QString& text, const QString& part) { return int(text.count(part)); }

// A number or Null as text, whatever type the value came in.
QString shown(const QVariant& v) { return v.isNull() ? QStringLiteral("NULL") : QString::number(v.toDouble()); }

} // namespace

// Another user excludes a study and changes its d, deletes it, or adds a
// study: the run's counts, its study lists, the weights in the file and the
// grid's records all follow the file as it is when the run starts.
TEST(MetaRunTwoUsers, ARunComputesFromWhatTheFileHoldsWhenItStarts)
{
    struct Case {
        const char* what;
        const char* sql;
        int studies;      // studies the run includes
        bool s05Listed;   // S05 in the report's lists
        int records;      // records of the file
    };
    const Case cases[] = {
        {"S05 excluded", "UPDATE data SET \"Include\" = 0, \"Cohen's D\" = 2.0 WHERE \"Study Name\" = 'S05'", 4, false,
         5},
        {"S05 deleted", "DELETE FROM data WHERE \"Study Name\" = 'S05'", 4, false, 4},
        {"S06 added",
         "INSERT INTO data (\"Study Name\", \"Year of Study\", \"Include\", \"Cohen's D\", \"Hedges' G\", \"Total N\", "
         "\"Used SD\") VALUES ('S06', '2001', -1, 0.9, 0.9, 50, 1)",
         6, true, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FiveStudies f;
        f.other.execute(QLatin1String(c.sql));
        testkit::MsgBoxScript boxes;
        f.h.run();
        EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QStringLiteral(" | ")).toStdString();

        const QString n = QString::number(c.studies);
        for (const char* name : {"txtDStat", "txtMeanDStatSummary", "txtStudiesD", "txtStudiesG"})
            EXPECT_EQ(f.h.text(QLatin1String(name)), n) << name;
        EXPECT_EQ(f.h.rosenthal.RosenthalN, c.studies);
        const QString report = f.h.txtResults->toPlainText();
        EXPECT_TRUE(report.contains(QStringLiteral("Mean Cohen's d Based On %1 Studies").arg(n)));
        // Every list holds as many studies as its count.
        EXPECT_EQ(occurrences(report, QStringLiteral(") where Cohen's d = ")), c.studies);
        EXPECT_EQ(occurrences(report, QStringLiteral(") where: Cohen's d = ")), c.studies);
        EXPECT_EQ(report.contains(QStringLiteral("S05 (")), c.s05Listed);
        EXPECT_TRUE(report.contains(QStringLiteral("Number of Records included in database: %1").arg(c.records)));

        // The file: an excluded study keeps no Z and no weight, the weights
        // of the included add up to 100.
        double weights = 0;
        int withZ = 0;
        for (const QVariantList& row : f.file(QStringLiteral("\"Include\", \"Z Score Of d\", \"% Of Weight (d)\""))) {
            if (row[0].toInt() == 0) {
                EXPECT_TRUE(row[1].isNull());
                EXPECT_TRUE(row[2].isNull());
            }
            withZ += row[1].isNull() ? 0 : 1;
            weights += row[2].toDouble();
        }
        EXPECT_EQ(withZ, c.studies);
        EXPECT_NEAR(weights, 100, 1e-4);
        // The records show what the file holds.
        ASSERT_EQ(f.h.studies.recordCount(), c.records);
        const int z = f.h.studies.fieldIndex(QStringLiteral("Z Score Of d"));
        const QList<QVariantList> stored = f.file(QStringLiteral("\"Z Score Of d\""));
        for (int r = 0; r < c.records; ++r)
            EXPECT_EQ(shown(f.h.studies.valueAt(r, z)), shown(stored[r][0])) << r;
    }
}

// While another user reads the file in a transaction the results cannot be
// committed: the run says so, nothing of it is in the file, the records and
// the panel show what they showed, and the next edit of a study lands.
TEST(MetaRunTwoUsers, ARunTheFileRefusesLeavesTheWindowAsTheFileIs)
{
    FiveStudies f;
    f.h.connection->execute(QStringLiteral("PRAGMA busy_timeout = 100"));
    f.h.box(QStringLiteral("txtWeightedD"))->setText(QStringLiteral("old"));
    f.h.box(QStringLiteral("txtDStat"))->setText(QStringLiteral("old"));
    f.h.txtResults->setPlainText(QStringLiteral("previous report"));
    {
        QSqlQuery reader(f.other.database());
        ASSERT_TRUE(reader.exec(QStringLiteral("BEGIN")));
        ASSERT_TRUE(reader.exec(QStringLiteral("SELECT count(*) FROM data")));
        ASSERT_TRUE(reader.next());
        testkit::MsgBoxScript boxes;
        f.h.run();
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("could not be written"))) << boxes.shown()[0].text.toStdString();
        reader.finish();
        ASSERT_TRUE(reader.exec(QStringLiteral("COMMIT")));
    }
    for (const QVariantList& row : f.file(QStringLiteral("\"Z Score Of d\", \"% Of Weight (d)\""))) {
        EXPECT_EQ(row[0].toDouble(), 9);
        EXPECT_EQ(row[1].toDouble(), 9);
    }
    const int z = f.h.studies.fieldIndex(QStringLiteral("Z Score Of d"));
    for (int r = 0; r < f.h.studies.recordCount(); ++r)
        EXPECT_EQ(f.h.studies.valueAt(r, z).toDouble(), 9) << r;
    EXPECT_EQ(f.h.text(QStringLiteral("txtWeightedD")), QStringLiteral("old"));
    EXPECT_EQ(f.h.text(QStringLiteral("txtDStat")), QStringLiteral("old"));
    EXPECT_EQ(f.h.txtResults->toPlainText(), QStringLiteral("previous report"));
    EXPECT_FALSE(f.h.studies.inWrite());

    f.h.studies.moveTo(1);
    f.h.studies.setValue(QStringLiteral("SD 2"), 3.5);
    EXPECT_NO_THROW(f.h.studies.update());
    EXPECT_EQ(f.file(QStringLiteral("\"SD 2\""))[1][0].toDouble(), 3.5);
}

// Another user's write lock held for a moment: the run waits for it, as an
// edit does, and then reads what that user wrote.
TEST(MetaRunTwoUsers, ARunWaitsForABriefLock)
{
    FiveStudies f;
    std::promise<void> locked;
    const QString path = f.h.path;
    std::thread holder([path, &locked] {
        const QString name = QStringLiteral("lock holder");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN IMMEDIATE"));
            q.exec(QStringLiteral("UPDATE data SET \"Include\" = 0 WHERE \"Study Name\" = 'S01'"));
            locked.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            q.exec(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    locked.get_future().wait();
    testkit::MsgBoxScript boxes;
    f.h.run();
    holder.join();
    EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(f.h.text(QStringLiteral("txtStudiesD")), QStringLiteral("4"));
    EXPECT_TRUE(f.file(QStringLiteral("\"Z Score Of d\""))[0][0].isNull());
    EXPECT_FALSE(f.file(QStringLiteral("\"Z Score Of d\""))[1][0].isNull());
}

// Include as other tools store it, text and blobs among it: the summary
// query and the steps count the same studies, and the records read each
// value as the query does.
TEST(MetaRunTwoUsers, IncludeStoredAsTextOrBlobCountsTheSameEverywhere)
{
    RunHarness h;
    QList<Study> rows;
    for (int i = 0; i < 15; ++i)
        rows << study(QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0')), QString::number(0.1 + 0.05 * i),
                      QString::number(20 + i));
    h.add(rows);
    struct Stored {
        const char* study;
        const char* literal;
        bool included;
    };
    const Stored stored[] = {{"S08", "'TRUE'", false}, {"S09", "'yes'", false}, {"S10", "''", false},
                             {"S11", "x'01'", false},  {"S12", "x'31'", false}, {"S13", "'no'", false},
                             {"S14", "' 3 studies'", true}};
    for (const Stored& s : stored)
        h.connection->execute(QStringLiteral("UPDATE data SET \"Include\" = %1 WHERE \"Study Name\" = '%2'")
                                  .arg(QLatin1String(s.literal), QLatin1String(s.study)));
    h.open();
    testkit::MsgBoxScript boxes;
    h.run();
    EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
    for (const char* name : {"txtDStat", "txtNStat", "txtMeanDStatSummary", "txtStudiesD", "txtCountDStudies"})
        EXPECT_EQ(h.text(QLatin1String(name)), QStringLiteral("9")) << name;
    EXPECT_EQ(h.rosenthal.RosenthalN, 9);
    const int include = h.studies.fieldIndex(QStringLiteral("Include"));
    const int name = h.studies.fieldIndex(QStringLiteral("Study Name"));
    for (const Stored& s : stored) {
        SCOPED_TRACE(s.literal);
        EXPECT_EQ(h.stored(QStringLiteral("% Of Weight (d)"), QLatin1String(s.study)) != QStringLiteral("NULL"),
                  s.included);
        for (int r = 0; r < h.studies.recordCount(); ++r) {
            if (h.studies.valueAt(r, name).toString() == QLatin1String(s.study)) {
                EXPECT_EQ(h.studies.valueAt(r, include).toBool(), s.included);
            }
        }
    }
}
