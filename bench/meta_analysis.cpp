// One meta-analysis run over a study table of n studies: the aggregate
// query, the passes of the statistics steps over the studies and the four
// result columns written back row by row.
#include "metadb/StudyTable.h"
#include "metastats/MetaAnalysis.h"
#include "platform/Dialogs.h"
#include "platform/Recordset.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

static void BM_MetaAnalyse(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    // A new study database, without its placeholder row.
    const QString path = dir.filePath(QStringLiteral("bench.met"));
    metadb::createStudyDatabase(path);
    auto connection = std::make_shared<platform::Connection>();
    connection->open(path);
    connection->execute(QStringLiteral("DELETE FROM data"));
    {
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
    }
    platform::Recordset studies;
    studies.open(connection, metadb::studySql(), QStringLiteral("data"));
    QWidget window;
    auto* picMeta = new QWidget(&window);
    metastats::buildMetaPanel(picMeta);
    auto* results = new QPlainTextEdit(&window);
    metastats::RosenthalResults rosenthal;
    metastats::MetaContext context;
    context.window = &window;
    context.connection = connection;
    context.studies = &studies;
    context.databaseOpen = true;
    context.picMeta = picMeta;
    context.txtResults = results;
    context.rosenthal = &rosenthal;
    platform::setMsgHandler([](const platform::MsgRequest&) { return platform::MsgResult::OK; });
    for (auto _ : state)
        metastats::MetaAnalyse(context);
    platform::setMsgHandler({});
    state.SetComplexityN(n);
}
BENCHMARK(BM_MetaAnalyse)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)->Complexity();

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
