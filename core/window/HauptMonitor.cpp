// The once-per-second monitoring step of the main window.
#include "BudgetBar.h"
#include "DataFolder.h"
#include "DateTime.h"
#include "Exception.h"
#include "Haupt.h"
#include "Kosten.h"
#include "Language.h"
#include "MessageBox.h"
#include "Report.h"
#include "SettingsStore.h"
#include "VexRasConnect.h"

#include <QDir>
#include <QLabel>

void THauptfenster::ConnectionStatusChange(bool) { Online = Connection && Connection->IsConnected(); }

TTarif THauptfenster::FindTarif() const
{
    if (Connection && Connection->IsConnected()) {
        const QString nummer = Connection->ConnectedNumber();
        const QString eintrag = Connection->ConnectedEntry();
        for (const TTarif &t : Tarife)
            if (t.Nummer.value() == nummer && t.Eintrag.value() == eintrag) return t;
    }
    return NullTarif;
}

void THauptfenster::openMonthLog(const QString &pfad)
{
    MonatsLog.Pfad = pfad;
    MonatsLog.Daten.clear();
    ReadAllData(MonatsLog);
    // The limit is one per month: the total starts from what this month's log already holds.
    Summe = 0;
    for (const TVerbindung &v : MonatsLog.Daten) Summe += v.Kosten;
}

void THauptfenster::Timer1Timer()
{
    if (Online && !InVerbindung) beginConnection();
    if (Online) {
        JetztZeit = Now();
        InVerbindung = true;
        LDauer->setText(FormatLongTime(JetztZeit - StartZeit));
        const double cost = CalcKosten(AktTarif, StartZeit, JetztZeit);
        AktVerbindung.Kosten = cost;
        showRunning(cost);
    } else if (InVerbindung) {
        endConnection();
    }
}

void THauptfenster::beginConnection()
{
    StartZeit = Now();
    AktVerbindung = TVerbindung();
    AktVerbindung.Datum = StartZeit;

    int year, month, day;
    DecodeDate(StartZeit, year, month, day);
    QDir().mkpath(DataYearFolder(year));
    const QString pfad = MonthLogPath(year, month);
    if (pfad != MonatsLog.Pfad) openMonthLog(pfad);

    AktTarif = FindTarif();
    InVerbindung = true;   // set before any box: a tick inside the box must not start again

    if (AktTarif.Name.sameAs(NullTarif.Name) && !KeinTarifGewarnt) {
        KeinTarifGewarnt = true;
        MessageBox::ShowMessage(W_NoTarif);
    }
    BudgetBar->SetMax(RoundToBar(AktTarif.Limit));
    AktVerbindung.Tarif.setBytes(AktTarif.Name.rawValue().left(100));
}

void THauptfenster::showRunning(double cost)
{
    LKosten->setText(FloatToStrGeneral(cost) + QStringLiteral(" €"));
    const double shown = Summe + cost;
    BudgetBar->SetPosition(RoundToBar(shown));
    if (!(GesamtLimit > shown) && !LimitGewarnt) {
        LimitGewarnt = true;
        MessageBox::ShowMessage(W_LimitReached);
    }
}

void THauptfenster::endConnection()
{
    JetztZeit = Now();
    AktVerbindung.Start = StartZeit;
    AktVerbindung.Ende = JetztZeit;
    LDauer->setText(FormatLongTime(JetztZeit - StartZeit));
    const double cost = CalcKosten(AktTarif, StartZeit, JetztZeit);
    AktVerbindung.Kosten = cost;
    LKosten->setText(FloatToStrGeneral(cost) + QStringLiteral(" €"));
    Summe += cost;
    BudgetBar->SetPosition(RoundToBar(Summe));
    // The connection counts as logged even when the write fails: the record waits in Pending.
    InVerbindung = false;
    writePending();
    appendRecord(MonatsLog.Pfad, AktVerbindung, true);
}

void THauptfenster::appendRecord(const QString &pfad, const TVerbindung &record, bool reportFailure)
{
    const bool current = pfad == MonatsLog.Pfad;
    TKostenDatenbank other;
    other.Pfad = pfad;
    TKostenDatenbank &log = current ? MonatsLog : other;
    const size_t before = log.Daten.size();
    try {
        AppendData(log, record);
        m_appendFailureReported = false;
    } catch (const std::exception &) {
        log.Daten.resize(before);   // the record is kept once, in Pending, until it is on disk
        Pending.push_back({pfad, record});
        if (reportFailure && !m_appendFailureReported) {
            m_appendFailureReported = true;
            ReportError(E_UnknownErrorAt + QStringLiteral("AppendData"));
        }
    }
}

bool THauptfenster::writePending()
{
    std::vector<PendingRecord> waiting;
    waiting.swap(Pending);
    for (const PendingRecord &p : waiting) appendRecord(p.pfad, p.record, false);
    return Pending.empty();
}
