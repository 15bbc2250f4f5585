#pragma once
// The monitoring step without a window: a temporary program folder, a fake clock, a recorded
// report and a connection that is up or down as the test says.
#include "core/Language.h"
#include "core/Monitor.h"
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tests/support/CoreFakes.h"

struct MonitorFixture
{
    TempProgramDir dir;
    FakeClock clock;
    ReportRecorder reports;
    TMonitor m;
    bool up = false;

    explicit MonitorFixture(TDateTime start, double limit = 100) : clock(start)
    {
        Tarife.clear();
        SetupNullTarif();
        GesamtLimit = limit;
        Bundesland = 8;
        LoadLanguage(dir.file(QStringLiteral("none.qlf")));   // the built-in texts
        m.Verbindung = [this] { return TVerbindungsInfo{up, QStringLiteral("0191011"), QStringLiteral("Provider")}; };
    }
    ~MonitorFixture() { Tarife.clear(); }

    void start()
    {
        int y, mo, d;
        DecodeDate(clock.now(), y, mo, d);
        m.Start(y, mo);
    }
    TDisplay step(double seconds = 1)
    {
        clock.advanceSeconds(seconds);
        m.Online = up;
        return m.Timer1Timer();
    }
    TKostenDatenbank log(const QString &name) const { return ReadLog(dir.file(name)); }
};

// One price per minute at every hour of every day for the fixture's connection.
inline TTarif MinuteTarif(double price, double limit = 0, const QString &name = QStringLiteral("Minute"))
{
    return MakeTarif(name, QStringLiteral("0191011"), QStringLiteral("Provider"), price, limit);
}
