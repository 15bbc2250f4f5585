// The update window's check against descriptions a hostile server might send, while a 5 ms timer
// on the main thread records the longest gap between its ticks: no step of the window may hold the
// event loop (the aim is far below 50 ms). The server runs on a thread of its own.
#include "bench/GuiBenchMain.h"
#include "bench/ServerThread.h"
#include "online/window/OnlineUrls.h"
#include "online/window/Update.h"
#include "tests/support/CoreFakes.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace {
QByteArray description(int kind)
{
    switch (kind) {
    case 0: return QByteArray(1 << 20, 'x');                 // 1 MiB in one line: refused
    case 1: return QByteArray(64 * 1024, 'x');               // 64 KiB in one line
    default: return QByteArray("x\n").repeated(32 * 1024);   // 64 KiB of short lines
    }
}

void BM_CheckForUpdate(benchmark::State &state)
{
    ServerThread server;
    const QByteArray response = HttpResponse("200 OK", description(int(state.range(0))));
    TempProgramDir dir;
    UpdateBaseURL = server.url(QString());
    TAutoupdate update;
    update.show();

    QEventLoop loop;
    QTimer ticker, poll;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QElapsedTimer sinceTick;
    qint64 worstGap = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { worstGap = std::max(worstGap, sinceTick.restart()); });
    QObject::connect(&poll, &QTimer::timeout, [&] {   // the check has ended: shown or refused
        if (update.SpeedButton2->isEnabled() || update.Memo1->document()->blockCount() > 1) loop.quit();
    });
    for (auto _ : state) {
        server.answer(response);
        update.SpeedButton2->setEnabled(false);
        sinceTick.start();
        ticker.start();
        poll.start(1);
        update.SpeedButton1->click();
        loop.exec();
        QCoreApplication::processEvents();   // the memo drawn
        poll.stop();
        ticker.stop();
        worstGap = std::max(worstGap, sinceTick.elapsed());
    }
    state.counters["max_tick_gap_ms"] = double(worstGap);
}
BENCHMARK(BM_CheckForUpdate)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
}

MINUTRIX_GUI_BENCHMARK_MAIN()
