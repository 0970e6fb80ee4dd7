// Fisher's exact one-tailed p of 2 x 2 tables of growing total N up to about
// 10^12 per cell: balanced tables (the observed table near the most likely
// one), skewed ones (the observed table far out in its tail, or the smallest
// cell above its expected value). Then
// the extreme tables of tests/outcometable_main/fisher_extreme.tsv one by one,
// each against its independently computed reference p (counter rel_err), and
// whether it took under the goal of 0.1 s (counter under_0.1s).
#include "outcometable/OutcomeStats.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>

namespace {

void BM_FisherBalanced(benchmark::State& state)
{
    const double n = std::round(static_cast<double>(state.range(0)) / 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::FisherExactOneTailed(n, n + 3, n - 2, n + 1));
    state.SetComplexityN(state.range(0));
}

void BM_FisherSkewed(benchmark::State& state)
{
    // Treatment mostly improved, control mostly not: the smallest cell walks a
    // long way from the most likely table.
    const double n = static_cast<double>(state.range(0)) / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::FisherExactOneTailed(std::round(n * 0.6), std::round(n * 0.4), std::round(n * 0.4), std::round(n * 0.6)));
    state.SetComplexityN(state.range(0));
}

void BM_FisherSmallestAboveExpected(benchmark::State& state)
{
    // The control group is much larger: the smallest cell lies above its
    // expected value, and the walk towards 0 passes the most likely table.
    const double n = std::round(static_cast<double>(state.range(0)) / 8);
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::FisherExactOneTailed(n, std::round(n * 1.5), std::round(n * 1.5), n * 4));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_FisherBalanced)->RangeMultiplier(100)->Range(100, 4000000000000)->Complexity();
BENCHMARK(BM_FisherSkewed)->RangeMultiplier(100)->Range(100, 4000000000000)->Complexity();
BENCHMARK(BM_FisherSmallestAboveExpected)->RangeMultiplier(100)->Range(100, 8000000000000)->Complexity();

// Tables and reference p values from tests/outcometable_main/fisher_extreme.tsv
// (made by make_fisher_extreme.py with mpmath); 0 where the reference is below
// the smallest double, NaN where a count is above 2^53 and no p is given.
struct Reference {
    const char* name;
    double a, b, c, d, p;
};

const Reference References[] = {
    {"1e16 every cell", 1e16, 1e16, 1e16, 1e16, NAN},
    {"2^53 every cell", 9007199254740992, 9007199254740992, 9007199254740992, 9007199254740992,
     5.0000000420353996e-1},
    {"1, 1e10 / 1e10, 1", 1, 1e10, 1e10, 1, 0},
    {"7, 2^31 / 2^31-1, 32767", 7, 2147483648, 2147483647, 32767, 0},
    {"1e12 every cell", 1e12, 1e12, 1e12, 1e12, 5.000003989422804e-1},
    {"1e12, 2 sd below", 999999000000, 1000001000000, 1000001000000, 999999000000, 2.2750185939192963e-2},
    {"1e12 skewed margins", 333332948147, 666669051853, 2666667051858, 5333332948142, 1.39034137402997e-2},
    {"2^51 every cell", 2251799813685248, 2251799813685248, 2251799813685248, 2251799813685248,
     5.0000000840707993e-1},
    {"3, 2^53 / 5, 2^53-7", 3, 9007199254740992, 5, 9007199254740985, 3.6328124999999967e-1},
    {"smallest above expected", 828, 1999672, 1999372, 4996000128, 8.4086684780412343e-1},
};

void BM_FisherReference(benchmark::State& state)
{
    const Reference& r = References[state.range(0)];
    state.SetLabel(r.name);
    double p = 0, slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        p = quellin::FisherExactOneTailed(r.a, r.b, r.c, r.d);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
        benchmark::DoNotOptimize(p);
    }
    const bool none = std::isnan(r.p);
    state.counters["p"] = p;
    state.counters["rel_err"] = none ? (std::isnan(p) ? 0.0 : 1.0) : r.p == 0 ? p : std::fabs(p / r.p - 1);
    state.counters["under_0.1s"] = slowest < 0.1 ? 1 : 0;
}

BENCHMARK(BM_FisherReference)->DenseRange(0, std::size(References) - 1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
