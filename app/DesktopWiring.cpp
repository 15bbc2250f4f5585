#include "app/DesktopWiring.h"

#include "core/ProgramDir.h"
#include "core/SettingsStore.h"
#include "desktop/Autostart.h"
#include "desktop/Desktop.h"
#include "mainwindow/Haupt.h"
#include "tariffs/window/SettingForm.h"

#include <QCoreApplication>
#include <QLabel>

TTrayState TrayStateOf(const THauptfenster &w)
{
    TTrayState s;
    s.Tarife = w.Monitor.LaufendeTarife();
    s.Online = !s.Tarife.isEmpty();
    s.Kosten = w.LKosten->text();
    s.Dauer = w.LDauer->text();
    s.MonatsSumme = w.Monitor.MonatsSumme();
    s.GesamtLimit = GesamtLimit;
    return s;
}

TDesktop *StartDesktop(THauptfenster *w, const QDBusConnection &bus)
{
    TDesktopWiring wiring;
    wiring.mainWindow = w;
    wiring.menuItems = {w->Tarife1, w->Einstellungen1, w->Auswertung1, w->AutoUpdate1, w->Info1, nullptr, w->Beenden1};
    wiring.state = [w] { return TrayStateOf(*w); };
    auto *desktop = new TDesktop(std::move(wiring), bus, ProgramDir());
    QObject::connect(w, &THauptfenster::StepApplied, desktop, &TDesktop::StepApplied);
    w->AnnounceBox = [desktop](const QString &text) { desktop->AnnounceBox(text); };
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, desktop, &TDesktop::Stop);
    if (SettingForm) {
        SettingForm->AutostartOn = AutostartOn;
        SettingForm->SetAutostart = [](bool on) { SetAutostart(on, QCoreApplication::applicationFilePath()); };
    }
    return desktop;
}
