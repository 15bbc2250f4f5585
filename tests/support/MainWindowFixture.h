#pragma once
// Shared set-up for tests that drive the real main window: a temporary program folder, a fake
// clock, a scripted dial-up service and message boxes that answer themselves.
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "dialup/VexRasConnect.h"
#include "mainwindow/Haupt.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/FakeRas.h"
#include "tests/support/ShownTexts.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>

struct MainWindowFixture
{
    TempProgramDir dir;
    FakeClock clock;
    ReportRecorder reports;
    FakeRas ras;
    std::unique_ptr<THauptfenster> window;

    explicit MainWindowFixture(TDateTime start) : clock(start)
    {
        MessageBox::SetTestMode(true);
        Tarife.clear();
    }
    ~MainWindowFixture()
    {
        window.reset();
        MessageBox::SetTestMode(false);
        Tarife.clear();
    }

    // Settings as the user left them, written before the window starts.
    void storeSettings(double limit, int state = 8) { StoreSettings(limit, state); }

    void storeTarife(const std::vector<TTarif> &tarife)
    {
        Tarife = tarife;
        SaveTarife();
        Tarife.clear();
    }

    // Creates the window with its timers stopped: the test drives polls and ticks itself.
    THauptfenster &start()
    {
        window = std::make_unique<THauptfenster>();
        window->Timer1->stop();
        if (window->Connection) window->Connection->SetDoTimer(false);
        return *window;
    }

    // Settings with the limit, one tariff at 1 per minute for the entry "Provider" with the number
    // "0191011", and the window started.
    THauptfenster &startWithMinuteTariff(double limit)
    {
        storeSettings(limit);
        storeTarife({MakeTarif("Minute", "0191011", "Provider", 1)});
        ras.addEntry("Provider", "0191011");
        return start();
    }

    // One poll of the monitor, then one tick of the monitoring step, `seconds` later, and the
    // boxes the step left to be shown after it.
    void step(double seconds = 1)
    {
        clock.advanceSeconds(seconds);
        window->Connection->Poll();
        window->Timer1Timer();
        QCoreApplication::sendPostedEvents();
    }

    QStringList shownTexts() const { return ShownTexts(); }
};
