// One meta-analysis run over a study table of n studies (the aggregate
// query, the passes of the statistics steps over the studies, the four
// result columns written back and the report), beside the least any run
// must do: a bare pass that reads the studies once and writes the four
// result columns of every row with one prepared statement in one
// transaction. Compare BM_MetaAnalyse/n with BM_BareStudyPass/n. Both are
// timed by the clock on the wall: the run makes its report on a worker
// thread while it stores its results.
#include "metadb/StudyTable.h"
#include "metastats/MetaAnalysis.h"
#include "platform/Dialogs.h"
#include "platform/Recordset.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

// A new study database of n included studies, without its placeholder row.
std::shared_ptr<platform::Connection> studyDatabase(const QTemporaryDir& dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("bench.met"));
    metadb::createStudyDatabase(path);
    auto connection = std::make_shared<platform::Connection>();
    connection->open(path);
    connection->execute(QStringLiteral("DELETE FROM data"));
    QSqlDatabase db = connection->database();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO data (\"Study Name\", \"Year of Study\", \"Cohen's D\", \"Hedges' G\", "
                             "\"Total N\", \"Used SD\", \"Z Statistic\") VALUES (?, '2000', ?, ?, ?, ?, ?)"));
    for (int i = 0; i < n; ++i) {
        const double d = 0.1 + (i % 17) * 0.05;
        q.addBindValue(QStringLiteral("Study %1").arg(i));
        q.addBindValue(d);
        q.addBindValue(d * 0.97);
        q.addBindValue(20 + i % 40);
        q.addBindValue(1 + (i % 5) * 0.1);
        q.addBindValue(d * 4);
        q.exec();
    }
    db.commit();
    return connection;
}

} // namespace

static void BM_MetaAnalyse(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    auto connection = studyDatabase(dir, n);
    platform::Recordset studies;
    studies.open(connection, metadb::studySql(), QStringLiteral("data"));
    QWidget window;
    auto* picMeta = new QWidget(&window);
    metastats::buildMetaPanel(picMeta);
    // The report box as the database window makes it: no line wrapping.
    auto* results = new QPlainTextEdit(&window);
    results->setLineWrapMode(QPlainTextEdit::NoWrap);
    metastats::RosenthalResults rosenthal;
    metastats::MetaContext context;
    context.window = &window;
    context.connection = connection;
    context.studies = &studies;
    context.databaseOpen = true;
    context.picMeta = picMeta;
    context.txtResults = results;
    context.rosenthal = &rosenthal;
    int boxes = 0;
    platform::setMsgHandler([&boxes](const platform::MsgRequest&) {
        ++boxes;
        return platform::MsgResult::OK;
    });
    for (auto _ : state)
        metastats::MetaAnalyse(context);
    platform::setMsgHandler({});
    if (boxes != 0 || rosenthal.RosenthalN != n)
        state.SkipWithError("the run did not complete");
    state.SetComplexityN(n);
    state.counters["us_per_study"] =
        benchmark::Counter(static_cast<double>(n) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
}
BENCHMARK(BM_MetaAnalyse)->Arg(1000)->Arg(20000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();

// The bare pass: one read of the columns the run reads, a little arithmetic
// per study, and the four result columns written with one prepared UPDATE.
static void BM_BareStudyPass(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    auto connection = studyDatabase(dir, n);
    QSqlDatabase db = connection->database();
    for (auto _ : state) {
        db.transaction();
        QSqlQuery read(db);
        read.setForwardOnly(true);
        read.exec(QStringLiteral("SELECT rowid, \"Include\", \"Measure Used\", \"Cohen's D\", \"Hedges' G\", "
                                 "\"Total N\", \"Used SD\", \"Study Name\", \"Year of Study\" FROM data"));
        struct Study {
            qint64 rowid;
            double d, g, n;
        };
        std::vector<Study> rows;
        rows.reserve(static_cast<size_t>(n));
        double sumN = 0;
        while (read.next()) {
            Study s{read.value(0).toLongLong(), read.value(3).toDouble(), read.value(4).toDouble(),
                    read.value(5).toDouble()};
            sumN += s.n;
            rows.push_back(s);
        }
        QSqlQuery write(db);
        write.prepare(QStringLiteral("UPDATE data SET \"Z Score Of d\" = ?, \"Z Score Of g\" = ?, "
                                     "\"% Of Weight (d)\" = ?, \"% Of Weight (g)\" = ? WHERE rowid = ?"));
        for (const Study& s : rows) {
            write.bindValue(0, s.d - 0.5);
            write.bindValue(1, s.g - 0.5);
            write.bindValue(2, s.n / sumN * 100);
            write.bindValue(3, s.n / sumN * 100);
            write.bindValue(4, s.rowid);
            write.exec();
        }
        db.commit();
        benchmark::DoNotOptimize(sumN);
    }
    state.SetComplexityN(n);
    state.counters["us_per_study"] =
        benchmark::Counter(static_cast<double>(n) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
}
BENCHMARK(BM_BareStudyPass)->Arg(1000)->Arg(20000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
