// CalcKosten is called once a second while online; every priced date rebuilds the holiday table.
#include "core/Kosten.h"
#include "core/SettingsStore.h"

#include <benchmark/benchmark.h>

namespace {
TTarif pricedTariff()
{
    TTarif t;
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) t.Kosten[d][size_t(h)] = 0.5 + d * 0.1 + h * 0.01;
    return t;
}

void run(benchmark::State &state, TDateTime start, TDateTime end)
{
    Bundesland = 8;
    const TTarif tarif = pricedTariff();
    for (auto _ : state) {
        double cost = CalcKosten(tarif, start, end);
        benchmark::DoNotOptimize(cost);
    }
}

void BM_CalcKosten_WithinOneHour(benchmark::State &state)
{
    run(state, EncodeDateTime(2005, 3, 1, 10, 15, 0), EncodeDateTime(2005, 3, 1, 10, 40, 0));
}

void BM_CalcKosten_AcrossMidnight(benchmark::State &state)
{
    run(state, EncodeDateTime(2005, 3, 4, 23, 30, 0), EncodeDateTime(2005, 3, 5, 0, 10, 0));
}

void BM_CalcKosten_ThirtyDays(benchmark::State &state)
{
    run(state, EncodeDateTime(2005, 3, 1, 10, 20, 0), EncodeDateTime(2005, 3, 31, 10, 20, 0));
}
}

BENCHMARK(BM_CalcKosten_WithinOneHour);
BENCHMARK(BM_CalcKosten_AcrossMidnight);
BENCHMARK(BM_CalcKosten_ThirtyDays);
BENCHMARK_MAIN();
