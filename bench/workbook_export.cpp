// The workbook export of a study database of growing size: every record of
// the study table written to the worksheet, then the workbook saved. The time
// should grow about linearly with the number of records.
#include "metadb/WorkbookExport.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A study table of `rows` records: numbers, texts and Booleans in every row.
QString makeStudyDatabase(const QTemporaryDir& dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("studies-%1.met").arg(rows));
    const QString connection = QStringLiteral("bench-%1").arg(rows);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral(
            "create table [data] ([Assessment Details] varchar(100), [Cohen +95] double, [Cohen -95] double, "
            "[Cohen's D] double, [Hedges' -95] double, [Hedges' +95] double, [Hedges' G] double, [Hedges' SD] double, "
            "[Include] boolean not null default -1, [Mean Difference] double, [Measure Used] varchar(100), "
            "[N 1] double, [N 2] double, [SD 1] double, [SD 2] double, [Study ID] integer, "
            "[Study Name] varchar(100), [Study Sample] varchar(100), [Experimental / Group 1 Mean] double, "
            "[Experimental / Group 1 Sample] varchar(100), [Control / Group 2 Mean] double, "
            "[Control / Group 2 Sample] varchar(100), [Total N] double, [Used SD] double, "
            "[Year of Study] varchar(50), [Z Score Of d] double, [Z Statistic] double, [Z Score Of g] double, "
            "[% Of Weight (d)] double, [% Of Weight (g)] double, [Xtra1] double, [Xtra2] double, "
            "[Xtra3] varchar(100), [Xtra4] varchar(100), [Xtra5] boolean not null default -1, "
            "[Xtra6] boolean not null default -1)"));
        db.transaction();
        q.prepare(QStringLiteral(
            "insert into [data] ([Assessment Details], [Cohen +95], [Cohen -95], [Cohen's D], [Include], "
            "[Measure Used], [N 1], [N 2], [SD 1], [SD 2], [Study ID], [Study Name], [Year of Study], [Total N]) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < rows; ++i) {
            const QVariantList values = {QStringLiteral("Post"), 0.9 + i * 1e-4, 0.1 - i * 1e-4, 0.5 + i * 1e-5,
                                         (i % 3) ? -1 : 0, QStringLiteral("BDI"), 20 + i % 7, 22 + i % 5,
                                         9.5, 10.25, i + 1, QStringLiteral("Study %1").arg(i), QStringLiteral("2001"),
                                         42 + i % 12};
            for (int v = 0; v < values.size(); ++v)
                q.bindValue(v, values[v]);
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return path;
}

void BM_WorkbookExport(benchmark::State& state)
{
    QTemporaryDir dir;
    const int rows = static_cast<int>(state.range(0));
    const QString db = makeStudyDatabase(dir, rows);
    const QString xlsx = dir.filePath(QStringLiteral("studies.xlsx"));
    for (auto _ : state) {
        const auto saved = metadb::exportWorkbook(db, xlsx, {});
        benchmark::DoNotOptimize(saved);
    }
    state.SetComplexityN(rows);
    state.SetItemsProcessed(state.iterations() * rows);
}

BENCHMARK(BM_WorkbookExport)->RangeMultiplier(4)->Range(128, 32765)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
