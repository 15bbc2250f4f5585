// The main window's side of the monitoring step: it copies the monitor's state, applies what the
// step decided and shows the step's boxes.
#include "core/ErrorReport.h"
#include "core/SettingsStore.h"
#include "dialup/VexRasConnect.h"
#include "mainwindow/BudgetBar.h"
#include "mainwindow/Haupt.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"

#include <QLabel>
#include <QTimer>

namespace {
void showMessage(const TMessage &m)
{
    if (m.kind == TMessage::Plain)
        MessageBox::ShowMessage(m.text);
    else
        ReportError(m.text);
}
}

// IsConnected follows the last connection of a poll's walk; with several links one that is up
// keeps the monitoring online even when the last one is still dialling or has dropped.
void THauptfenster::ConnectionStatusChange(bool)
{
    Monitor.Online = Connection && (Connection->IsConnected() || !Connection->ConnectedLinks().isEmpty());
}

void THauptfenster::Timer1Timer()
{
    const TDisplay display = Monitor.Timer1Timer();
    apply(display);
    Q_EMIT StepApplied();
    // A box opened inside this slot would stop Timer1 until it is closed (a timer does not fire
    // while its own slot runs): the boxes open from the event loop, after the step has returned.
    for (const TMessage &m : display.Messages)
        QMetaObject::invokeMethod(
            this,
            [this, m] {
                if (AnnounceBox) AnnounceBox(m.text);
                Guarded([&m] { showMessage(m); });
            },
            Qt::QueuedConnection);
}

void THauptfenster::apply(const TDisplay &display)
{
    if (!display.Dauer.isEmpty()) LDauer->setText(display.Dauer);
    if (!display.Kosten.isEmpty()) LKosten->setText(display.Kosten);
    if (display.BarMaximum) BudgetBar->SetMax(*display.BarMaximum);
    if (display.BarPosition) BudgetBar->SetPosition(*display.BarPosition);
}

// At shutdown the timers are stopped and the event loop is about to end: the last step's boxes
// show right away.
void THauptfenster::finishMonitoring()
{
    const TDisplay last = Monitor.Finish();   // logs a connection still being timed, releases the journal
    apply(last);
    for (const TMessage &m : last.Messages) Guarded([&m] { showMessage(m); });
}

void THauptfenster::FormDestroy()
{
    finishMonitoring();
    SaveTarife();
    Guarded([] { SaveSettings(); });
}
