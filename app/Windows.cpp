#include "Windows.h"

#include "AssistentForm.h"
#include "Auswertung.h"
#include "Feedback.h"
#include "Haupt.h"
#include "Info.h"
#include "SettingForm.h"
#include "TarifForm.h"
#include "Update.h"
#include "VexRasConnect.h"
#include "WindowPlacement.h"

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
