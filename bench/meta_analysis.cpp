// One meta-analysis run over a study table of n studies, pressed on the study
// database window's Meta-analyse button (the studies read again from the
// file, the aggregate query, the passes of the statistics steps, the four
// result columns written back, the report, the grid refreshed and painted),
// beside the least any run must do:
// a bare pass that reads the same columns once and writes the four result
// columns of every row by the run's own write, in one transaction. Compare
// BM_MetaAnalyse/n (and BM_MetaAnalyseFirstPress/n, the first press in a
// program that has just opened the file) with BM_BareStudyPass/n. All are timed by the clock on
// the wall, their CPU column by the CPU time of the whole program (every
// thread). On one core: taskset -c 0 build/bin/bench_meta_analysis.
#include "metadb/StudyTable.h"
#include "metadb/frmMetData.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/PreparedStatement.h"
#include "platform/Recordset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

// The study database window with a file of n studies opened through its own
// Open command, its message boxes counted instead of shown.
class MetDataOnFile {
public:
    explicit MetDataOnFile(int n) : n_(n)
    {
        {
            auto connection = studyDatabase(dir_, n);
            path_ = connection->path();
            connection->close();
        }
        platform::setMsgHandler([this](const platform::MsgRequest&) {
            ++boxes_;
            return platform::MsgResult::OK;
        });
        platform::setFileDialogHandler([this](const platform::FileDialogRequest&) { return path_; });
        window_ = metadb::showMetData();
        window_->resize(1000, 700);
        QApplication::processEvents();
        open();
        button_ = window_->findChild<QPushButton*>(QStringLiteral("cmdSummary"));
    }
    ~MetDataOnFile()
    {
        window_->close();
        QApplication::processEvents();
        platform::setFileDialogHandler({});
        platform::setMsgHandler({});
    }
    MetDataOnFile(const MetDataOnFile&) = delete;
    MetDataOnFile& operator=(const MetDataOnFile&) = delete;

    // The file opened again through the window's Open command.
    void open()
    {
        window_->findChild<QPushButton*>(QStringLiteral("cmdOpenDB"))->click();
        QApplication::processEvents();
    }
    // One press of Meta-analyse and the events that follow it.
    void press()
    {
        button_->click();
        QApplication::processEvents();
    }
    // Every press ran to its end: no message, every study read, the
    // summary panel shown.
    bool complete() const
    {
        return boxes_ == 0 && window_->StudyRecordset() && window_->StudyRecordset()->recordCount() == n_ &&
               !window_->findChild<QWidget*>(QStringLiteral("picMeta"))->isHidden();
    }

private:
    int n_;
    QTemporaryDir dir_;
    QString path_;
    int boxes_ = 0;
    metadb::frmMetData* window_ = nullptr;
    QPushButton* button_ = nullptr;
};

void perStudy(benchmark::State& state, int n)
{
    state.SetComplexityN(n);
    state.counters["us_per_study"] =
        benchmark::Counter(static_cast<double>(n) * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
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
// The CPU column counts every thread of the program (the report is made on a
// worker thread).
static void BM_MetaAnalyse(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    MetDataOnFile window(n);
    window.press();   // the first press is BM_MetaAnalyseFirstPress's
    for (auto _ : state)
        window.press();
    if (!window.complete())
        state.SkipWithError("the run did not complete");
    perStudy(state, n);
}
BENCHMARK(BM_MetaAnalyse)
    ->Arg(1000)
    ->Arg(20000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Complexity();

// The bare pass: in one write transaction, one read of the columns the run
// reads (the grid's columns and the row numbers), a little arithmetic per
// study, and the four result columns written as the run writes them: into
// a scratch table, then one UPDATE.
namespace {

// One bare pass over the file of n studies open on `db`; the sum of N.
double barePass(QSqlDatabase& db, const QString& select, int n)
{
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
    return sumN;
}

// The query of the bare pass: the grid's columns and the row numbers.
QString bareSelect()
{
    const QString select = metadb::studySql().trimmed();
    return QStringLiteral("SELECT data.rowid, ") + select.mid(7);
}

} // namespace

static void BM_BareStudyPass(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    auto connection = studyDatabase(dir, n);
    QSqlDatabase db = connection->database();
    const QString select = bareSelect();
    for (auto _ : state)
        benchmark::DoNotOptimize(barePass(db, select, n));
    perStudy(state, n);
}
BENCHMARK(BM_BareStudyPass)
    ->Arg(1000)
    ->Arg(20000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Complexity();

// The first press after the file is opened, in a program just started: each
// iteration starts this benchmark again as a program of its own, which opens
// the file through the window's Open command, presses Meta-analyse once and
// says how long the press took on the clock on the wall and in CPU time of
// all its threads (firstInProgram). The opening is not timed. The press's
// CPU time is the counter cpu_ms; the CPU column is this program's own,
// which only waits. BM_BareStudyPassFirst is the bare pass made the same
// way, the first in a program that has just opened the file: the measure
// of what a program's first use of its memory costs on the machine.
static void firstInAProgram(benchmark::State& state, const char* what)
{
    const int n = static_cast<int>(state.range(0));
    double cpu = 0;
    int runs = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(what), QString::number(n)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            state.SkipWithError("the first run did not complete");
            break;
        }
        const QStringList times = QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (times.size() != 2) {
            state.SkipWithError("the first run did not report its times");
            break;
        }
        state.SetIterationTime(times[0].toDouble() / 1000);
        cpu += times[1].toDouble();
        ++runs;
    }
    perStudy(state, n);
    state.counters["cpu_ms"] = runs ? cpu / runs : 0;
}

static void BM_MetaAnalyseFirstPress(benchmark::State& state) { firstInAProgram(state, "--first-press"); }
BENCHMARK(BM_MetaAnalyseFirstPress)
    ->Arg(20000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Complexity();

static void BM_BareStudyPassFirst(benchmark::State& state) { firstInAProgram(state, "--first-bare"); }
BENCHMARK(BM_BareStudyPassFirst)
    ->Arg(20000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Complexity();

namespace {

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// One program's first press on a file of n studies (or first bare pass):
// prints its time on the wall and its CPU time, in milliseconds; 0 when it
// ran to its end.
int firstInProgram(const char* what, int n)
{
    const bool bare = std::strcmp(what, "--first-bare") == 0;
    std::unique_ptr<MetDataOnFile> window;
    QTemporaryDir dir;
    std::shared_ptr<platform::Connection> connection;
    QSqlDatabase db;
    const QString select = bareSelect();
    if (bare) {
        connection = studyDatabase(dir, n);
        const QString path = connection->path();
        connection->close();
        connection->open(path);
        db = connection->database();
    } else {
        window = std::make_unique<MetDataOnFile>(n);
    }
    QElapsedTimer wall;
    const double cpu = processCpuMs();
    wall.start();
    if (bare)
        benchmark::DoNotOptimize(barePass(db, select, n));
    else
        window->press();
    const double wallMs = double(wall.nsecsElapsed()) / 1e6;
    const double cpuMs = processCpuMs() - cpu;
    if (window && !window->complete())
        return 1;
    std::printf("%.3f %.3f\n", wallMs, cpuMs);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The window keeps its settings in a folder of this run alone.
    QTemporaryDir settings;
    setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    if (argc == 3 && (std::strcmp(argv[1], "--first-press") == 0 || std::strcmp(argv[1], "--first-bare") == 0))
        return firstInProgram(argv[1], std::atoi(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
