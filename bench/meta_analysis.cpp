// One meta-analysis run over a study table of n studies, pressed on the study
// database window's Meta-analyse button (the studies read again from the
// file, the aggregate query, the passes of the statistics steps, the four
// result columns written back, the report, the grid refreshed and painted),
// beside the least any run must do:
// a bare pass that reads the same columns once and writes the four result
// columns of every row by the run's own write, in one transaction. Compare
// BM_MetaAnalyse/n with BM_BareStudyPass/n. Both are timed by the clock on
// the wall: the run makes its report on a worker thread while it stores its
// results.
#include "metadb/StudyTable.h"
#include "metadb/frmMetData.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/PreparedStatement.h"
#include "platform/Recordset.h"

#include <QApplication>
#include <QPushButton>
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

// What the user waits for after pressing Meta-analyse in the study database
// window: the window, with the file opened through its own Open command, is
// driven by its button. The press commits the grid, shows the busy window,
// takes the run's write transaction, reads the studies (keyed by `Study ID`)
// again from the file, runs the aggregate query and the steps, stores the
// four result columns and commits, shows the report, unloads the busy
// window, refreshes the grid and the record count; the events that follow
// (the grid's and the report's painting) are handled before the clock stops.
static void BM_MetaAnalyse(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QString path;
    {
        auto connection = studyDatabase(dir, n);
        path = connection->path();
        connection->close();
    }
    int boxes = 0;
    platform::setMsgHandler([&boxes](const platform::MsgRequest&) {
        ++boxes;
        return platform::MsgResult::OK;
    });
    platform::setFileDialogHandler([&path](const platform::FileDialogRequest&) { return path; });
    metadb::frmMetData* window = metadb::showMetData();
    window->resize(1000, 700);
    QApplication::processEvents();
    window->findChild<QPushButton*>(QStringLiteral("cmdOpenDB"))->click();
    QApplication::processEvents();
    QPushButton* const button = window->findChild<QPushButton*>(QStringLiteral("cmdSummary"));
    for (auto _ : state) {
        button->click();
        QApplication::processEvents();
    }
    const bool complete = boxes == 0 && window->StudyRecordset() && window->StudyRecordset()->recordCount() == n &&
                          !window->findChild<QWidget*>(QStringLiteral("picMeta"))->isHidden();
    window->close();
    QApplication::processEvents();
    platform::setFileDialogHandler({});
    platform::setMsgHandler({});
    if (!complete)
        state.SkipWithError("the run did not complete");
    state.SetComplexityN(n);
    state.counters["us_per_study"] =
        benchmark::Counter(static_cast<double>(n) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
}
BENCHMARK(BM_MetaAnalyse)->Arg(1000)->Arg(20000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();

// The bare pass: in one write transaction, one read of the columns the run
// reads (the grid's columns and the row numbers), a little arithmetic per
// study, and the four result columns written as the run writes them: into
// a scratch table, then one UPDATE.
static void BM_BareStudyPass(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    auto connection = studyDatabase(dir, n);
    QSqlDatabase db = connection->database();
    QString select = metadb::studySql().trimmed();
    select = QStringLiteral("SELECT data.rowid, ") + select.mid(7);
    for (auto _ : state) {
        QSqlQuery begin(db);
        begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
        QSqlQuery read(db);
        read.setForwardOnly(true);
        read.exec(select);
        const int columns = read.record().count();
        const int d = read.record().indexOf(QStringLiteral("Cohen's D"));
        const int g = read.record().indexOf(QStringLiteral("Hedges' G"));
        const int total = read.record().indexOf(QStringLiteral("Total N"));
        struct Study {
            qint64 rowid;
            double d, g, n;
        };
        std::vector<Study> rows;
        rows.reserve(static_cast<size_t>(n));
        std::vector<QVariant> values;
        values.reserve(static_cast<size_t>(n) * static_cast<size_t>(columns));
        double sumN = 0;
        while (read.next()) {
            for (int c = 0; c < columns; ++c)
                values.push_back(read.value(c));
            const QVariant* row = &values[values.size() - static_cast<size_t>(columns)];
            Study s{row[0].toLongLong(), row[d].toDouble(), row[g].toDouble(), row[total].toDouble()};
            sumN += s.n;
            rows.push_back(s);
        }
        read.finish();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TEMP TABLE scratch (rid INTEGER, v0, v1, v2, v3)"));
        {
            platform::PreparedStatement insert(db, QStringLiteral("INSERT INTO temp.scratch VALUES (?,?,?,?,?)"));
            for (const Study& s : rows) {
                insert.bind(0, s.rowid);
                insert.bind(1, s.d - 0.5);
                insert.bind(2, s.g - 0.5);
                insert.bind(3, s.n / sumN * 100);
                insert.bind(4, s.n / sumN * 100);
                insert.exec();
            }
        }
        q.exec(QStringLiteral("UPDATE data SET \"Z Score Of d\" = s.v0, \"Z Score Of g\" = s.v1, "
                              "\"% Of Weight (d)\" = s.v2, \"% Of Weight (g)\" = s.v3 FROM temp.scratch AS s "
                              "WHERE data.rowid = s.rid"));
        q.exec(QStringLiteral("DROP TABLE temp.scratch"));
        q.exec(QStringLiteral("COMMIT"));
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
    // The window keeps its settings in a folder of this run alone.
    QTemporaryDir settings;
    setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
