// The parts of a run that need no study table: the summary query, the
// five-decimal display, the fail-safe and heterogeneity formulas and the
// chi-square p convention.
#include "RunHarness.h"
#include "metastats/MetaRun.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "testkit/QtTestKit.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <limits>

using metastats::MetaRun;

// What the summary counts and sums over a stored study file: the studies
// whose Include reads as true (any number other than 0, text as the number
// it reads as, never a blob), and of those the ones whose
// stored measure is one of the matching spellings, exactly as stored.
TEST(MetaFormulas, SummaryCountsTheIncludedStudiesOfTheMeasure)
{
    runharness::RunHarness h;
    struct Stored {
        QVariant d, g, n, z, measure, include;
    };
    const QVariant null;
    const Stored rows[] = {
        {0.5, 0.48, 40, 1.5, QStringLiteral("BDI"), -1},
        {0.25, null, 20, null, QStringLiteral("bdi"), 1},
        {1.0, 0.9, 60, 2.0, QStringLiteral("BDI"), 0},
        {null, 0.3, 30, 0.5, QStringLiteral("BDI"), QStringLiteral("1")},
        {2.0, null, 10, null, QStringLiteral("BDI"), QStringLiteral("yes")},
        {3.0, null, 10, null, QStringLiteral("BDI"), QByteArray("\x01", 1)},
        {4.0, null, 10, null, QStringLiteral("BDI"), QStringLiteral("")},
        {0.75, null, 50, 1.0, QStringLiteral(" Beck's 'II' "), 0.5},
        {5.0, null, 70, 3.0, QStringLiteral(" BECK'S 'ii' "), 0.0},
    };
    for (const Stored& r : rows) {
        QSqlQuery q(h.connection->database());
        q.prepare(QStringLiteral("INSERT INTO data (`Cohen's D`, `Hedges' G`, `Total N`, `Z Statistic`, "
                                 "`Measure Used`, `Include`) VALUES (?, ?, ?, ?, ?, ?)"));
        for (const QVariant& v : {r.d, r.g, r.n, r.z, r.measure, r.include})
            q.addBindValue(v);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }
    auto summary = [&](const QString& measure, const QStringList& spellings) {
        QSqlQuery q(h.connection->database());
        EXPECT_TRUE(q.exec(metastats::summarySql(measure, spellings)) && q.next())
            << q.lastError().text().toStdString();
        return q.record();
    };
    auto number = [](const QSqlRecord& r, const char* expr) {
        const QVariant v = r.value(QString::fromLatin1(expr));
        return v.isNull() ? std::nan("") : v.toDouble();
    };

    // Every study included, whatever its measure: 1, 2, 4 and 8.
    const QSqlRecord all = summary(QString(), {});
    ASSERT_EQ(all.count(), 54);
    for (const metastats::SummaryColumn& c : metastats::summaryColumns())
        EXPECT_TRUE(all.contains(QString::fromLatin1(c.expr))) << c.expr;
    EXPECT_EQ(number(all, "Expr19"), 3);      // studies with a d
    EXPECT_EQ(number(all, "Expr53"), 1.5);    // their sum
    EXPECT_EQ(number(all, "Expr1"), 0.5);     // mean, least and largest d
    EXPECT_EQ(number(all, "Expr2"), 0.25);
    EXPECT_EQ(number(all, "Expr3"), 0.75);
    EXPECT_EQ(number(all, "Expr42"), 2);      // studies with a g
    EXPECT_DOUBLE_EQ(number(all, "Expr54"), 0.78);
    EXPECT_EQ(number(all, "Expr20"), 4);      // studies with an N, and their total
    EXPECT_EQ(number(all, "Expr49"), 140);
    EXPECT_EQ(number(all, "Expr51"), 3);      // Z statistics, and their sum
    EXPECT_EQ(number(all, "Expr52"), 3.0);
    EXPECT_EQ(number(all, "Expr21"), 0);      // no SD 1 anywhere
    EXPECT_TRUE(std::isnan(number(all, "Expr7")));

    // One measure: the spellings that match it, each exactly as stored.
    const QSqlRecord bdi = summary(QStringLiteral("BDI"), {QStringLiteral("BDI"), QStringLiteral("bdi")});
    EXPECT_EQ(number(bdi, "Expr19"), 2);
    EXPECT_EQ(number(bdi, "Expr53"), 0.75);
    EXPECT_EQ(number(bdi, "Expr20"), 3);
    EXPECT_EQ(number(bdi, "Expr49"), 90);
    EXPECT_EQ(number(bdi, "Expr51"), 2);
    const QSqlRecord beck = summary(QStringLiteral(" Beck's 'II' "),
                                    {QStringLiteral(" Beck's 'II' "), QStringLiteral(" BECK'S 'ii' ")});
    EXPECT_EQ(number(beck, "Expr19"), 1);
    EXPECT_EQ(number(beck, "Expr53"), 0.75);
    EXPECT_EQ(number(beck, "Expr49"), 50);
    const QSqlRecord trimmed = summary(QStringLiteral("Beck's 'II'"), {QStringLiteral("Beck's 'II'")});
    EXPECT_EQ(number(trimmed, "Expr19"), 0);
    // No stored spelling: no study qualifies.
    const QSqlRecord none = summary(QStringLiteral("EPDS"), {});
    EXPECT_EQ(number(none, "Expr19"), 0);
    EXPECT_EQ(number(none, "Expr20"), 0);
    EXPECT_TRUE(std::isnan(number(none, "Expr53")));
}

// The measure matches without regard to case, every letter folded (not
// only A to Z); everything else must be the same.
TEST(MetaFormulas, MeasuresMatchWithUnicodeCaseFolding)
{
    struct Row {
        const char* stored;
        const char* typed;
        bool same;
    };
    const Row rows[] = {
        {"Ängstlichkeit-Skala", "Ängstlichkeit-Skala", true},
        {"ÄNGSTLICHKEIT-SKALA", "Ängstlichkeit-Skala", true},
        {"ängstlichkeit-skala", "Ängstlichkeit-Skala", true},
        {"ÉCHELLE", "échelle", true},
        {"ΣΚΑΛΑ", "σκαλα", true},
        {"Angstlichkeit-Skala", "Ängstlichkeit-Skala", false},
        {"Ängstlichkeit-Skala ", "Ängstlichkeit-Skala", false},
        {"BDI", "BDI-II", false},
    };
    QStringList stored;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(metastats::sameMeasure(QString::fromUtf8(r.stored), QString::fromUtf8(r.typed)), r.same);
    }
    for (const Row& r : rows)
        stored << QString::fromUtf8(r.stored);
    stored << QStringLiteral("ängstlichkeit-skala");   // listed twice, kept once
    EXPECT_EQ(metastats::matchingMeasures(QStringLiteral("ÄngstLichkeit-skala"), stored),
              (QStringList{QStringLiteral("Ängstlichkeit-Skala"), QStringLiteral("ÄNGSTLICHKEIT-SKALA"),
                           QStringLiteral("ängstlichkeit-skala")}));
}

TEST(MetaFormulas, FiveDecimalDisplayRoundsTheDoublesValueHalfToEven)
{
    struct Row {
        double v;
        const char* text;
    };
    const Row rows[] = {
        {25.5, "25.50000"},
        {0, "0.00000"},
        {0.015625, "0.01562"},        // exactly half: to the even digit
        {0.046875, "0.04688"},
        {1.000005, "1.00001"},        // the double lies just above the half
        {0.123455, "0.12345"},        // ... and this one just below
        {-0.000004, "0.00000"},       // no minus sign on a zero
        {-1.5, "-1.50000"},
        {123456789.123456, "123456789.12346"},
        {1e20, "100000000000000000000.00000"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(metastats::fixedFive(r.v), QLatin1String(r.text)) << r.v;
    EXPECT_THROW(metastats::fixedFive(std::numeric_limits<double>::infinity()), platform::RuntimeError);

    const metastats::SummaryColumn avg{"Expr1", "AVG", "Cohen's D", "txtMeanCohen"};
    const metastats::SummaryColumn count{"Expr19", "COUNT", "Cohen's D", "txtDStat"};
    EXPECT_EQ(metastats::summaryText(avg, QVariant()), QString());
    EXPECT_EQ(metastats::summaryText(count, QVariant(qlonglong(3))), QStringLiteral("3"));
    EXPECT_EQ(metastats::summaryText(count, QVariant(qlonglong(0))), QStringLiteral("0"));
}

TEST(MetaFormulas, FailSafeNumbers)
{
    struct Row {
        const char* what;
        QHash<QString, QString> in;
        QHash<QString, QString> out;
        int messages;
    };
    const auto counts = [](const char* d, const char* meanD, const char* g, const char* meanG) {
        return QHash<QString, QString>{{QStringLiteral("txtDStat"), QLatin1String(d)},
                                       {QStringLiteral("txtMeanDStatSummary"), QLatin1String(d)},
                                       {QStringLiteral("txtMeanCohen"), QLatin1String(meanD)},
                                       {QStringLiteral("txtMeanGStat"), QLatin1String(g)},
                                       {QStringLiteral("txtMeanGStatSummary"), QLatin1String(g)},
                                       {QStringLiteral("txtMeanG"), QLatin1String(meanG)}};
    };
    const auto with = [](QHash<QString, QString> h, const char* key, const char* value) {
        h.insert(QLatin1String(key), QLatin1String(value));
        return h;
    };
    const Row rows[] = {
        {"k = 4, mean 0.5",
         with(with(counts("4", "0.50000", "4", "0.50000"), "txtMeanZStat", "3"), "txtSumZ", "4.50000"),
         {{"txtNFSRosen", "30"}, {"txtNFSRosenG", "30"}, {"txtFSN", "4.48"}, {"txtDc2", "6"}, {"txtDc5", "0"},
          {"txtDc8", "-1.5"}, {"txtGc2", "6"}, {"txtGc5", "0"}, {"txtGc8", "-1.5"}},
         0},
        {"negative fail-safe N, five studies",
         with(with(counts("5", "0.20000", "5", "0.20000"), "txtMeanZStat", "3"), "txtSumZ", "2.00000"),
         {{"txtNFSRosen", "35"}, {"txtFSN", "-1.52"}, {"txtDc2", "0"}, {"txtDc8", "-3.75"}},
         0},
        {"mean exactly zero is not missing",
         with(with(counts("3", "0.00000", "3", "0.00000"), "txtMeanZStat", "0"), "txtSumZ", ""),
         {{"txtFSN", "N/A"}, {"txtDc2", "-3"}, {"txtDc5", "-3"}, {"txtDc8", "-3"}, {"txtGc8", "-3"}},
         0},
        {"no d, g counted differently",
         with(with(counts("0", "", "2", "0.80000"), "txtMeanZStat", "2"), "txtSumZ", ""),
         {{"txtNFSRosen", "N/A"}, {"txtNFSRosenG", "20"}, {"txtFSN", "N/A"}, {"txtDc2", "N/A"}, {"txtDc5", "N/A"},
          {"txtDc8", "N/A"}, {"txtGc2", "6"}, {"txtGc5", "1.2"}, {"txtGc8", "0"}},
         1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        MetaRun run;
        run.boxes = r.in;
        testkit::MsgBoxScript boxes;
        metastats::FailSafe(run);
        for (auto it = r.out.begin(); it != r.out.end(); ++it)
            EXPECT_EQ(run.box(it.key()), it.value()) << it.key().toStdString();
        ASSERT_EQ(boxes.count(), r.messages);
        if (r.messages) {
            EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Cohen's d & Hedges' g Inconsistency"));
            EXPECT_EQ(boxes.shown()[0].text,
                      QStringLiteral("Interpret the results with care as the number of studies upon which 'd' was "
                                     "based \r\nis different to the number of studies upon which 'g' was based."));
        }
    }
}

TEST(MetaFormulas, InverseVarianceHeterogeneity)
{
    struct Row {
        const char* what;
        double sumW, sumWD, sumWD2, k;
        double q, df, p2, p1, i2, mean;
    };
    const Row rows[] = {
        // One study: nothing to test, and no degree of freedom to test it on.
        {"one study", 4, 2, 1, 1, 0, 0, 1, 0.5, 0, 0.5},
        {"Q equal to df", 4, 0, 1, 2, 1, 1, 0.31731, 0.15866, 0, 0},
        {"Q above df", 2, 0, 2, 2, 2, 1, 0.1573, 0.07865, 50, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        MetaRun run;
        run.v.SumOfInverseVarianceWeights = r.sumW;
        run.v.SumInverseVarianceWeightsByD = r.sumWD;
        run.v.SumInverseVarianceWeightsBySquaredD = r.sumWD2;
        run.v.InverseVarianceCount = r.k;
        metastats::CohenQ(run);
        EXPECT_EQ(run.v.InverseVarianceQ, r.q);
        EXPECT_EQ(run.v.InverseVarianceDF, r.df);
        EXPECT_EQ(run.v.InverseVarianceP2, r.p2);
        EXPECT_EQ(run.v.InverseVarianceP1, r.p1);
        EXPECT_EQ(run.v.InverseVarianceISquared, r.i2);
        EXPECT_EQ(run.v.VarianceWeightedMeanD, r.mean);
    }
    // A single study's statistic, whatever rounding leaves of it, has no
    // degree of freedom to be tested on.
    for (double x : {0.0, 1e-30, 0.3}) {
        const metastats::ChiSquareP p = metastats::chiSquareP(x, 0);
        EXPECT_EQ(p.p2, 1.0);
        EXPECT_EQ(p.p1, 0.5);
    }
    // No study with a weight: 0 / 0.
    MetaRun empty;
    try {
        metastats::CohenQ(empty);
        ADD_FAILURE() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrOverflow);
    }
}

TEST(MetaFormulas, ReportLinesEndWithCarriageReturnAndLineFeed)
{
    MetaRun run;
    auto studies = std::make_shared<metastats::RunStudyTable>(1);
    (*studies)[0].name = QStringLiteral("A");
    (*studies)[0].year = QStringLiteral("2000");
    (*studies)[0].d = 0.5;
    run.v.StudyListD = metastats::StudyList(studies, QStringLiteral(") where Cohen's d = "), &metastats::RunStudy::d);
    run.v.StudyListD.add(0);
    const QString report = metastats::reportText(run, {QStringLiteral("x.met"), QStringLiteral("d"),
                                                       QStringLiteral("t"), 7});
    EXPECT_TRUE(report.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(report.count(QStringLiteral("\n")), report.count(QStringLiteral("\r\n")));
    EXPECT_EQ(report.count(QStringLiteral("\r\n")), 124);   // 123 lines and one study
}
