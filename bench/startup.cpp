// Start-up time of each program, from launch to its main window shown,
// against a bare Qt main window measured in the same run.
//
// The benchmark starts itself again as a child process in one of the modes
// bare, tarvoss, quellin or morvane; the child makes the application, builds
// and shows the window, waits until it is exposed, says so on its standard
// output and exits. The parent times the child from its launch to that word;
// closing the window and ending the process come after and are not timed
// (the parent still waits for them and checks the child's exit). Each
// iteration runs the bare window and the program
// back to back, in alternating order, so that both see the same machine load.
//
//   build/bin/bench_startup [--benchmark_repetitions=...]
//
// Counters: bare_ms and program_ms are mean child run times, ratio is
// program / bare. A program is judged by its ratio alone, since both sides
// of it ran on the same machine at the same load: the run fails (exit
// status 1) when a program takes more than twice as long as the bare window.
// A start below 100 ms feels instant; when the bare window alone takes more
// than half of that, the machine itself is slow or loaded (a program at the
// allowed ratio could not start in 100 ms), and the run says so instead of
// blaming the programs.
#include "meandiff/frmMain.h"
#include "outcometable/frmMain.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/DesignFont.h"

#include <QApplication>
#include <QLabel>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr double kAllowedMs = 100.0;
constexpr double kAllowedRatio = 2.0;
// A bare window slower than this leaves no program room to start in kAllowedMs.
constexpr double kSlowMachineMs = kAllowedMs / kAllowedRatio;
bool g_tooSlow = false;
double g_slowestBareMs = 0;

// The child: one window shown, then exit.
int runChild(int argc, char** argv, const std::string& mode)
{
    QApplication app(argc, argv);
    platform::applyDesignFont();
    std::unique_ptr<QMainWindow> w;
    if (mode == "bare") {
        // A bare Qt window that shows one line of text, so that it too loads
        // the fonts every window with text needs.
        w = std::make_unique<QMainWindow>();
        w->setCentralWidget(new QLabel(QStringLiteral("Bare window")));
    } else if (mode == "tarvoss") {
        app.setApplicationName(QStringLiteral("Tarvoss"));
        platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
        w = std::make_unique<tarvoss::frmMain>();
    } else if (mode == "quellin") {
        app.setApplicationName(QStringLiteral("Quellin"));
        platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
        w = std::make_unique<quellin::frmMain>();
    } else if (mode == "morvane") {
        app.setApplicationName(QStringLiteral("Morvane"));
        platform::setAppInfo({QStringLiteral("Morvane"), QStringLiteral("Morvane5"), 5, 0, 0});
        w = std::make_unique<morvane::frmMain>();
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    w->show();
    QElapsedTimer limit;
    limit.start();
    while (!(w->windowHandle() && w->windowHandle()->isExposed())) {
        if (limit.elapsed() > 30000) {
            std::fprintf(stderr, "%s: window never exposed\n", mode.c_str());
            return 3;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    w.reset();
    return 0;
}

// Private settings and XDG folders for the children, so that timing runs
// never touch a user's own settings.
QProcessEnvironment& childEnvironment()
{
    static QTemporaryDir home;
    static QProcessEnvironment env = [] {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
            const QString dir = home.filePath(QString::fromLatin1(var));
            QDir().mkpath(dir);
            e.insert(QString::fromLatin1(var), dir);
        }
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        return e;
    }();
    return env;
}

// Seconds of one child run, or a negative number when it failed.
double timeChild(const char* mode)
{
    QProcess p;
    p.setProcessEnvironment(childEnvironment());
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QString::fromLatin1(mode)});
    QByteArray said;
    qint64 shown = -1;
    while (shown < 0 && t.elapsed() < 60000) {
        if (!p.waitForReadyRead(60000))
            break;
        said += p.readAllStandardOutput();
        if (said.contains("shown\n"))
            shown = t.nsecsElapsed();
    }
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || shown < 0)
        return -1.0;
    return shown / 1e9;
}

void BM_Startup(benchmark::State& state, const char* mode)
{
    double bare = 0, program = 0;
    bool bareFirst = true;
    for (auto _ : state) {
        // Alternate the order so that neither side always runs first.
        double b, s;
        if (bareFirst) {
            b = timeChild("bare");
            s = timeChild(mode);
        } else {
            s = timeChild(mode);
            b = timeChild("bare");
        }
        bareFirst = !bareFirst;
        if (b < 0 || s < 0) {
            state.SkipWithError("child run failed");
            return;
        }
        bare += b;
        program += s;
        state.SetIterationTime(s);
    }
    const double n = static_cast<double>(state.iterations());
    const double ratio = program / bare;
    state.counters["bare_ms"] = 1000.0 * bare / n;
    state.counters["program_ms"] = 1000.0 * program / n;
    state.counters["ratio"] = ratio;
    const double bareMs = 1000.0 * bare / n;
    g_slowestBareMs = std::max(g_slowestBareMs, bareMs);
    if (std::strcmp(mode, "bare") == 0)
        return;
    if (ratio > kAllowedRatio) {
        g_tooSlow = true;
        state.SetLabel("slower than 2 x the bare window");
    } else if (bareMs > kSlowMachineMs) {
        state.SetLabel("the machine is slow: the bare window took longer than 50 ms");
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_Startup, bare, "bare")->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Startup, tarvoss, "tarvoss")->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Startup, quellin, "quellin")->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Startup, morvane, "morvane")->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, argv[2]);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_slowestBareMs > kSlowMachineMs)
        std::fprintf(stderr,
                     "This machine is slow or loaded now: a bare Qt window took %.0f ms to show (more than %.0f ms), "
                     "so no program can show its window in %.0f ms here. The programs are judged by their ratio to "
                     "the bare window alone.\n",
                     g_slowestBareMs, kSlowMachineMs, kAllowedMs);
    if (g_tooSlow) {
        std::fprintf(stderr, "A program took more than %.0f times as long as the bare window to show its main window.\n",
                     kAllowedRatio);
        return 1;
    }
    return 0;
}
