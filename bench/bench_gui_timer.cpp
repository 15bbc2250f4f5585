// One monitoring step of the main window while a connection is timed (cost from the start,
// labels, budget bar), and one step while idle. Runs once a second on the main thread.
#include "bench/GuiBenchMain.h"
#include "dialup/VexRasConnect.h"
#include "mainwindow/Haupt.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/FakeRas.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QTimer>

namespace {
TTarif priced()
{
    TTarif t;
    t.Name.set(QStringLiteral("Bench"));
    t.Nummer.set(QStringLiteral("0191011"));
    t.Eintrag.set(QStringLiteral("Provider"));
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) t.Kosten[d][h] = 0.01 * (h + 1);
    return t;
}

void BM_Timer1Timer(benchmark::State &state, bool connected)
{
    TempProgramDir dir;
    FakeClock clock(EncodeDateTime(2026, 5, 4, 10, 0, 0));
    FakeRas ras;
    ras.addEntry(QStringLiteral("Provider"), QStringLiteral("0191011"));
    MessageBox::SetTestMode(true);
    Tarife = {priced()};
    THauptfenster w;
    w.Timer1->stop();
    w.Connection->SetDoTimer(false);
    if (connected) ras.setConnection(QStringLiteral("Provider"), RASCS_Connected);
    w.Connection->Poll();
    w.Timer1Timer();
    clock.advanceSeconds(3 * 3600);   // three hours into the connection
    for (auto _ : state) {
        clock.advanceSeconds(1);
        w.Timer1Timer();
        benchmark::DoNotOptimize(w.Monitor.AktVerbindung.Kosten);
    }
    if (connected != w.Monitor.InVerbindung) state.SkipWithError("the connection was not timed as expected");
    Tarife.clear();
}
BENCHMARK_CAPTURE(BM_Timer1Timer, connected, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Timer1Timer, idle, false)->Unit(benchmark::kMicrosecond);
}

MINUTRIX_GUI_BENCHMARK_MAIN()
