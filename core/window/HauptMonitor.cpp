// The main window's side of the monitoring step: it copies the monitor's state, applies what the
// step decided and shows the step's boxes.
#include "BudgetBar.h"
#include "Haupt.h"
#include "MessageBox.h"
#include "Report.h"
#include "SettingsStore.h"
#include "ShowException.h"
#include "VexRasConnect.h"

#include <QLabel>
#include <QTimer>

namespace {
void showMeldung(const TMeldung &m)
{
    if (m.art == TMeldung::Nachricht)
        MessageBox::ShowMessage(m.text);
    else
        ReportError(m.text);
}
}

void THauptfenster::ConnectionStatusChange(bool) { Monitor.Online = Connection && Connection->IsConnected(); }

void THauptfenster::Timer1Timer()
{
    const TAnzeige anzeige = Monitor.Timer1Timer();
    apply(anzeige);
    // A box opened inside this slot would stop Timer1 until it is closed (a timer does not fire
    // while its own slot runs): the boxes open from the event loop, after the step has returned.
    for (const TMeldung &m : anzeige.Meldungen)
        QMetaObject::invokeMethod(
            this, [m] { Guarded([&m] { showMeldung(m); }); }, Qt::QueuedConnection);
}

void THauptfenster::apply(const TAnzeige &anzeige)
{
    if (!anzeige.Dauer.isEmpty()) LDauer->setText(anzeige.Dauer);
    if (!anzeige.Kosten.isEmpty()) LKosten->setText(anzeige.Kosten);
    if (anzeige.BarMaximum) BudgetBar->SetMax(*anzeige.BarMaximum);
    if (anzeige.BarPosition) BudgetBar->SetPosition(*anzeige.BarPosition);
}

// At shutdown the timers are stopped and the event loop is about to end: the last step's boxes
// show right away.
void THauptfenster::FormDestroy()
{
    const TAnzeige last = Monitor.Finish();   // logs a connection still being timed
    apply(last);
    for (const TMeldung &m : last.Meldungen) Guarded([&m] { showMeldung(m); });
    SaveTarife();
    Guarded([] { SaveSettings(); });
}
