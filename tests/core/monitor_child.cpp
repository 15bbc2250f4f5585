// A monitoring run for tst_journal_kill: times a connection in the folder given, on a fake clock
// that moves a second a tick, says when its journal was last written and waits to be killed.
#include "core/Language.h"
#include "core/Monitor.h"
#include "core/ProgramDir.h"
#include "core/SettingsStore.h"
#include "tests/support/CoreFakes.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    SetProgramDir(QString::fromLocal8Bit(argv[1]));
    const int ticks = QString::fromLatin1(argv[2]).toInt();
    FakeClock clock(EncodeDateTime(2026, 5, 4, 10, 0, 0));
    LoadLanguage(ProgramDir() + QStringLiteral("none.qlf"));
    SetupNullTarif();
    GesamtLimit = 1e9;
    TTarif t;
    t.Name.set(QStringLiteral("Minute"));
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) t.Kosten[d][h] = 1;
    Tarife = {t};

    TMonitor m;
    m.Verbindung = [] { return TVerbindungsInfo{true, QString(), QString()}; };
    m.Start(2026, 5);
    m.Online = true;
    double journalTime = 0;
    for (int i = 0; i < ticks; ++i) {
        m.Timer1Timer();
        if (i % 60 == 0) journalTime = m.JetztZeit;   // the journal's rhythm: first tick, then each minute
        clock.advanceSeconds(1);
    }
    std::printf("%.17g %.17g\n", m.StartZeit, journalTime);
    std::fflush(stdout);
    for (;;) QThread::sleep(1);
}
