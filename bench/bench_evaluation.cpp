// The evaluation's answers at their sizes: a year of twelve month logs of 1 000 connections each
// opened as its overview (read, summed, charted), and ten tariffs compared over 100 000
// connections, each priced anew with the holidays of the state.
#include "core/DataFolder.h"
#include "core/SettingsStore.h"
#include "evaluation/MonthTree.h"
#include "evaluation/TariffComparison.h"
#include "evaluation/YearOverview.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {
TVerbindung connection(int year, int month, int i)
{
    TVerbindung v;
    // Evenings over the month, some of them across midnight.
    v.Datum = v.Start = EncodeDateTime(year, month, 1 + i % 28, 18 + i % 6, i % 60, 0);
    v.Ende = v.Start + (5 + i % 90) / 1440.0;
    v.Kosten = 0.5 + i % 40;
    v.Tarif = QStringLiteral("Tarif %1").arg(i % 3);
    return v;
}

void BM_YearOverview_12x1000(benchmark::State &state)
{
    TempProgramDir dir;
    QDir().mkpath(DataYearFolder(2005));
    for (int month = 1; month <= 12; ++month) {
        TKostenDatenbank log;
        log.Pfad = dir.file(QStringLiteral("Data/2005/%1.qod").arg(BuiltInMonthName(month)));
        QByteArray bytes(MonatsLogHeaderSize, '\0');
        bytes[0] = 1;
        for (int i = 0; i < 1000; ++i) {
            char record[VerbindungSize];
            WriteVerbindung(connection(2005, month, i), record);
            bytes.append(record, VerbindungSize);
        }
        dir.write(QStringLiteral("Data/2005/%1.qod").arg(BuiltInMonthName(month)), bytes);
    }
    for (auto _ : state) {
        const TYearOverview overview = YearOverview(ScanYear(2005, DataYearFolder(2005)));
        const QImage chart = YearChartImage(overview, QSize(559, 398));
        benchmark::DoNotOptimize(chart.constBits());
        if (overview.total.connections != 12000) state.SkipWithError("wrong connection count");
    }
}
BENCHMARK(BM_YearOverview_12x1000)->Unit(benchmark::kMillisecond);

void BM_Compare_10Tariffs_100000(benchmark::State &state)
{
    Bundesland = 8;
    std::vector<TVerbindung> records;
    for (int i = 0; i < 100000; ++i) records.push_back(connection(2005 + i / 10000, 1 + i / 1000 % 10, i));
    std::vector<TTarif> tariffs;
    for (int k = 0; k < 10; ++k) {
        TTarif t = MakeTarif(QStringLiteral("Tarif %1").arg(k), {}, {}, 1 + k);
        for (int h = 18; h < 24; ++h) t.Kosten[7][size_t(h)] = 0.5 * k;
        tariffs.push_back(t);
    }
    for (auto _ : state) {
        const TComparison comparison = CompareTariffs(records, tariffs);
        benchmark::DoNotOptimize(comparison.logged);
    }
}
BENCHMARK(BM_Compare_10Tariffs_100000)->Unit(benchmark::kMillisecond);
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);   // the chart draws with Qt Gui
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
