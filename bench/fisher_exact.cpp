// Fisher's exact one-tailed p of 2 x 2 tables of growing total N: balanced
// tables (the observed table near the most likely one) and skewed ones (the
// observed table far out in its tail), with whole counts and with fractions.
#include "outcometable/OutcomeStats.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FisherBalanced(benchmark::State& state)
{
    const double n = static_cast<double>(state.range(0)) / 4;
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
        benchmark::DoNotOptimize(quellin::FisherExactOneTailed(n * 0.6, n * 0.4, n * 0.4, n * 0.6));
    state.SetComplexityN(state.range(0));
}

void BM_FisherFractional(benchmark::State& state)
{
    const double n = static_cast<double>(state.range(0)) / 4;
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::FisherExactOneTailed(n + 0.5, n + 3, n - 2, n + 1));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_FisherBalanced)->RangeMultiplier(10)->Range(100, 100000000)->Complexity();
BENCHMARK(BM_FisherSkewed)->RangeMultiplier(10)->Range(100, 100000000)->Complexity();
BENCHMARK(BM_FisherFractional)->RangeMultiplier(10)->Range(100, 1000000)->Complexity();

} // namespace

BENCHMARK_MAIN();
