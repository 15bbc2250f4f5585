#include "app/Windows.h"

#include "dialup/VexRasConnect.h"
#include "evaluation/window/Auswertung.h"
#include "mainwindow/Haupt.h"
#include "online/window/Errors.h"
#include "online/window/Feedback.h"
#include "online/window/Info.h"
#include "online/window/Update.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/TarifForm.h"
#include "ui/WindowPlacement.h"

#include <QCoreApplication>

void InstallProgramServices()
{
    InstallErrorReport([] { return static_cast<QWidget *>(Hauptfenster); });
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
        if (Hauptfenster) Hauptfenster->Shutdown();
    });
}

void CreateWindows(THauptfenster *hauptfenster)
{
    // Each lives until the program ends. On the first start the wizard shows itself while it is
    // created.
    Infofenster = new TInfofenster(hauptfenster);
    SettingForm = new TSettingForm(hauptfenster);
    // The tariff windows list the connection monitor's dial-up entries.
    const TConnectionSource connections = [hauptfenster] {
        const TVexRasConnect *c = hauptfenster->Connection;
        return c ? TConnectionLists{c->AvailableNumbers(), c->AvailableEntries()} : TConnectionLists{};
    };
    TarifForm = new TTarifForm(hauptfenster, connections);
    Autoupdate = new TAutoupdate(hauptfenster);
    Auswertung = new TAuswertung(hauptfenster);
    new TAssistentForm(hauptfenster, connections);
    CreateFeedbackForm(hauptfenster);   // unless a report during start-up has made it already
    // The windows without a place of their own open over the main window.
    for (QWidget *w : {static_cast<QWidget *>(Infofenster), static_cast<QWidget *>(Autoupdate),
                       static_cast<QWidget *>(FeedbackForm)})
        CentreOverParentWhenShown(w);
    hauptfenster->SetWindowOpener(hauptfenster->Tarife1, [] { TarifForm->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Einstellungen1, [] { SettingForm->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->AutoUpdate1, [] { Autoupdate->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Info1, [] { Infofenster->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Auswertung1, [] { Auswertung->exec(); });
}
