// A 10 MiB file over loopback through THTTPGet::GetFile with an OnProgress handler, while a 5 ms
// timer on the main thread records the longest gap between its ticks (the event loop must stay
// responsive: every block's progress is handed to the main thread). The server runs on a thread
// of its own, so the main thread carries only what the program's would.
#include "bench/ServerThread.h"
#include "online/HTTPGet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
void BM_GetFile10MiB(benchmark::State &state)
{
    ServerThread server;
    const qsizetype size = qsizetype(10) << 20;
    const QByteArray response = HttpResponse("200 OK", QByteArray(size, 'm'));

    QTemporaryDir dir;
    THTTPGet get;
    get.URL = server.url("/big.bin");
    get.FileName = dir.filePath("big.bin");
    QEventLoop loop;
    bool done = false;
    qint64 blocks = 0;
    get.OnProgress = [&blocks](QObject *, qint32, qint32) { ++blocks; };
    get.OnDoneFile = [&](QObject *, const QString &, qint32) {
        done = true;
        loop.quit();
    };
    get.OnError = [&](QObject *) { loop.quit(); };

    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QElapsedTimer sinceTick;
    qint64 worstGap = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { worstGap = std::max(worstGap, sinceTick.restart()); });
    for (auto _ : state) {
        server.answer(response);
        done = false;
        sinceTick.start();
        ticker.start();
        get.GetFile();
        loop.exec();
        ticker.stop();
        worstGap = std::max(worstGap, sinceTick.elapsed());
        if (!done) state.SkipWithError("the transfer failed");
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["max_tick_gap_ms"] = double(worstGap);
    state.counters["blocks"] = benchmark::Counter(double(blocks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GetFile10MiB)->Unit(benchmark::kMillisecond)->UseRealTime();
}

int main(int argc, char **argv)
{
    InitHTTPTransfers();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
