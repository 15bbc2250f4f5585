// The evaluation of a busy month of 100 000 connections: opening it (load, daily sums, graph),
// exporting it as text and as a spreadsheet, printing it to PDF.
#include "core/Bytes.h"
#include "core/MonatsLog.h"
#include "evaluation/Export.h"
#include "evaluation/Grafik.h"
#include "evaluation/Printing.h"

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int RecordCount = 100000;
constexpr int SheetRows = 65535;   // the most a spreadsheet holds

QTemporaryDir *folder;
QString monthPath;

// March 2005, about 3 200 connections a day, as the monitoring step appends them.
void writeMonth()
{
    QByteArray bytes(MonatsLogHeaderSize + qsizetype(RecordCount) * VerbindungSize, '\0');
    PutInt32(bytes.data(), 1);
    for (int i = 0; i < RecordCount; ++i) {
        TVerbindung v;
        v.Datum = v.Start = 38412.0 + i * 31.0 / RecordCount;
        v.Ende = v.Start + 0.0002;
        v.Kosten = 0.01 * (i % 250);
        v.Tarif = QStringLiteral("Tarif %1").arg(i % 5);
        WriteVerbindung(v, bytes.data() + MonatsLogHeaderSize + qsizetype(i) * VerbindungSize);
    }
    QFile file(monthPath);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

std::vector<TVerbindung> loadMonth()
{
    TKostenDatenbank log;
    log.Pfad = monthPath;
    ReadAllData(log);
    return std::move(log.Daten);
}

void BM_OpenMonth(benchmark::State &state)
{
    for (auto _ : state) {
        const std::vector<TVerbindung> records = loadMonth();
        const QImage graph = GrafikImage(records, QSize(559, 418));
        benchmark::DoNotOptimize(graph.constBits());
        if (records.size() != size_t(RecordCount)) state.SkipWithError("wrong record count");
    }
}
BENCHMARK(BM_OpenMonth)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State &state)
{
    const std::vector<TVerbindung> records = loadMonth();
    for (auto _ : state) ExportText(folder->filePath("m.txt"), records);
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

void BM_ExportXls(benchmark::State &state)
{
    std::vector<TVerbindung> records = loadMonth();
    records.resize(SheetRows);
    for (auto _ : state) ExportXls(folder->filePath("m.xls"), records);
}
BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond);

void BM_PrintToPdf(benchmark::State &state)
{
    const std::vector<TVerbindung> records = loadMonth();
    for (auto _ : state) {
        QPdfWriter writer(folder->filePath("m.pdf"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        if (!PrintMonth(writer, records)) state.SkipWithError("page too narrow");
    }
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    monthPath = dir.filePath("Maerz.qod");
    writeMonth();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
