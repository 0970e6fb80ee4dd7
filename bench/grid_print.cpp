// Grid printing as the study table grows: cutting the grid into pages, and
// a whole print of the study grid's 30 columns onto a surface that only
// measures (so the time is the print's own, not a printer's).
//
//   build/bin/bench_grid_print
#include "metadb/PrintDG.h"
#include "platform/Recordset.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace metadb::PrintDG;

const std::vector<double> kStudyColumnWidths{1000, 1000, 2000, 1200, 1200, 1500, 1600, 2500, 2500, 1000,
                                             1000, 2000, 2000, 1000, 1000, 1000, 1500, 1000, 1000, 1000,
                                             1000, 1000, 1000, 1000, 1200, 1200, 1200, 1200, 1500, 1500};

void BM_PageMap(benchmark::State& state)
{
    PageMapInput in;
    in.columnWidths = kStudyColumnWidths;
    in.rowHeight = 240;
    in.recordCount = int(state.range(0));
    in.headingHeight = 160;
    in.width = 9746;
    in.height = 14678;
    for (auto _ : state)
        benchmark::DoNotOptimize(computePageMap(in));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PageMap)->RangeMultiplier(8)->Range(8, 32767)->Complexity();

// A letter-sized page whose every character is 90 twips wide.
class MeasureSurface : public Surface {
public:
    int orientation() const override { return 1; }
    void setOrientation(int) override {}
    double pageWidth() const override { return 12240; }
    double pageHeight() const override { return 15840; }
    void setFont(const QString&, double, bool) override {}
    double textWidth(const QString& text) const override { return 90.0 * text.size(); }
    void beginDocument() override {}
    void printText(double, double, const QString& text) override { chars += text.size(); }
    void fillRect(double, double, double, double, const QColor&) override { ++cells; }
    void drawLine(double, double, double, double) override {}
    void newPage() override {}
    void endDocument() override {}
    void abortDocument() override {}
    long long chars = 0;
    long long cells = 0;
};

void BM_PrintGrid(benchmark::State& state)
{
    QTemporaryDir dir;
    auto connection = std::make_shared<platform::Connection>();
    connection->create(dir.filePath(QStringLiteral("bench.met")));
    QStringList columns;
    for (int c = 0; c < 30; ++c)
        columns << QStringLiteral("\"F%1\" %2").arg(c).arg(c % 3 == 0 ? "VARCHAR(255)" : "DOUBLE");
    connection->execute(QStringLiteral("CREATE TABLE data (%1)").arg(columns.join(',')));
    connection->execute(QStringLiteral("BEGIN"));
    for (int r = 0; r < state.range(0); ++r) {
        QStringList values;
        for (int c = 0; c < 30; ++c)
            values << (c % 3 == 0 ? QStringLiteral("'Study number %1 of the review'").arg(r)
                                  : QString::number(r * 0.125 + c));
        connection->execute(QStringLiteral("INSERT INTO data VALUES (%1)").arg(values.join(',')));
    }
    connection->execute(QStringLiteral("COMMIT"));
    platform::Recordset rs;
    rs.open(connection, QStringLiteral("SELECT * FROM data"));

    GridInfo grid;
    grid.font = {QStringLiteral("Sans"), 8, false};
    grid.headingFont = {QStringLiteral("Sans"), 8, true};
    grid.rowHeight = 240;
    grid.columnWidths = kStudyColumnWidths;
    for (int c = 0; c < 30; ++c)
        grid.columnCaptions << QStringLiteral("F%1").arg(c);
    Options options;
    MeasureSurface surface;
    for (auto _ : state) {
        PrintDataGrid(surface, grid, rs, options);
        benchmark::DoNotOptimize(surface.chars);
    }
    state.SetComplexityN(state.range(0));
    state.counters["cells"] = benchmark::Counter(double(surface.cells) / double(state.iterations()));
}
BENCHMARK(BM_PrintGrid)->RangeMultiplier(4)->Range(16, 4096)->Complexity()->Unit(benchmark::kMillisecond);

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
