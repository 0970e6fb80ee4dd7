// Proportional layout of a window: every control's layout searches the
// records of all windows, so the cost grows with the number of controls.
#include "shell/Resize.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

static void BM_ResizeFormControls(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QWidget form;
    form.setObjectName(QStringLiteral("frmBench%1").arg(n));
    for (int i = 0; i < n; ++i) {
        QWidget* w = (i % 2) ? static_cast<QWidget*>(new QLineEdit(&form)) : new QPushButton(&form);
        w->setObjectName(QStringLiteral("ctl(%1)").arg(i));
        w->setGeometry((i % 20) * 30, (i / 20) * 25, 28, 22);
    }
    form.resize(600, 500);
    shell::Resize::ResizeFormControls(&form);   // records the window
    int step = 0;
    for (auto _ : state) {
        form.resize(600 + (step % 7) * 10, 500 + (step % 5) * 10);
        ++step;
        shell::Resize::ResizeFormControls(&form);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_ResizeFormControls)->Arg(50)->Arg(200)->Arg(400)->Complexity();

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
