#include "core/Monitor.h"

#include "core/DataFolder.h"
#include "core/ErrorReport.h"
#include "core/Kosten.h"
#include "core/Language.h"
#include "core/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <climits>
#include <cmath>

namespace {
// How far the local clock may stray from the real elapsed time before the real time counts.
constexpr double ClockToleranceSeconds = 2.0;
constexpr double JournalIntervalSeconds = 60.0;

// Prices are entered in cents, so costs are in cents; the window shows euros to the cent, rounded
// half to even like the budget bar, in the regional settings ("0,90 €", "1.234,50 €").
QString costText(double cents)
{
    return QLocale::system().toString(std::nearbyint(cents) / 100.0, 'f', 2) + QStringLiteral(" €");
}

bool sameConnection(const TVerbindung &a, const TVerbindung &b)
{
    return a.Datum == b.Datum && a.Start == b.Start && a.Tarif.sameAs(b.Tarif);
}
}

int RoundToBar(double value)
{
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);   // halves to even under the default rounding mode
    if (r >= double(INT_MAX)) return INT_MAX;
    if (r <= double(INT_MIN)) return INT_MIN;
    return int(r);
}

TTarif TMonitor::FindTarif() const
{
    const TVerbindungsInfo info = Verbindung ? Verbindung() : TVerbindungsInfo();
    if (info.IsConnected) {
        for (const TTarif &t : Tarife)
            if (t.Nummer.value() == info.ConnectedNumber && t.Eintrag.value() == info.ConnectedEntry) return t;
    }
    return NullTarif;
}

void TMonitor::openMonthLog(const QString &pfad)
{
    MonatsLog.Pfad = pfad;
    MonatsLog.Daten.clear();
    ReadAllData(MonatsLog);
    // The limit is one per month: the total starts from what this month's log already holds.
    Summe = 0;
    for (const TVerbindung &v : MonatsLog.Daten) Summe += v.Kosten;
}

void TMonitor::Start(int year, int month)
{
    openMonthLog(MonthLogPath(year, month));
    recoverJournal();
    m_ready = true;
}

TDisplay TMonitor::Timer1Timer()
{
    TDisplay out;
    if (!m_ready) return out;   // start-up has not finished: nothing to price with yet
    ReportCollector reports;
    if (Online && !InVerbindung) beginConnection(out);
    if (Online) {
        JetztZeit = Now();
        m_monoNow = MonotonicSeconds();
        InVerbindung = true;
        showRunning(out);
        if (m_monoNow - m_lastJournal >= JournalIntervalSeconds) writeJournal();
    } else if (InVerbindung) {
        endConnection(out);
    }
    for (const QString &r : reports.Take()) out.Messages.push_back({TMessage::Report, r});
    return out;
}

TDisplay TMonitor::Finish()
{
    TDisplay out;
    if (!m_ready) return out;
    ReportCollector reports;
    Online = false;
    if (InVerbindung) endConnection(out);
    // Last try for records whose append failed during the run; what still fails stays in the journal.
    writePending();
    if (!Pending.empty() && !m_appendFailureReported) ReportError(E_UnknownErrorAt + QStringLiteral("AppendData"));
    writeJournal();
    for (const QString &r : reports.Take()) out.Messages.push_back({TMessage::Report, r});
    return out;
}

void TMonitor::beginConnection(TDisplay &out)
{
    StartZeit = Now();
    m_monoStart = MonotonicSeconds();
    m_lastJournal = m_monoStart - JournalIntervalSeconds;   // the first tick writes the journal
    m_uhrVerstellt = false;
    AktVerbindung = TVerbindung();
    AktVerbindung.Datum = StartZeit;

    int year, month, day;
    DecodeDate(StartZeit, year, month, day);
    QDir().mkpath(DataYearFolder(year));
    const QString pfad = MonthLogPath(year, month);
    if (pfad != MonatsLog.Pfad) openMonthLog(pfad);

    AktTarif = FindTarif();
    InVerbindung = true;   // set before any box is due: a tick while it is open must not start again

    if (AktTarif.Name.sameAs(NullTarif.Name) && !KeinTarifGewarnt) {
        KeinTarifGewarnt = true;
        out.Messages.push_back({TMessage::Plain, W_NoTarif});
    }
    out.BarMaximum = RoundToBar(AktTarif.Limit * 100.0);   // the limit is in euros, the bar in cents
    AktVerbindung.Tarif.setBytes(AktTarif.Name.rawValue().left(100));
}

TDateTime TMonitor::effectiveEnd()
{
    // While both clocks agree the local readings count, exactly as they are. After a change of
    // summer time or a clock set by hand, the real elapsed time counts, priced from the local start.
    const double local = (JetztZeit - StartZeit) * 86400.0;
    const double real = m_monoNow - m_monoStart;
    if (!m_uhrVerstellt && std::abs(local - real) > ClockToleranceSeconds) m_uhrVerstellt = true;
    return m_uhrVerstellt ? StartZeit + real / 86400.0 : JetztZeit;
}

void TMonitor::showRunning(TDisplay &out)
{
    const TDateTime ende = effectiveEnd();
    out.Dauer = FormatLongTime(ende - StartZeit);
    const double cost = CalcKosten(AktTarif, StartZeit, ende);
    AktVerbindung.Kosten = cost;
    out.Kosten = costText(cost);
    const double shown = Summe + cost;
    out.BarPosition = RoundToBar(shown);
    if (!(GesamtLimit > shown / 100.0) && !LimitGewarnt) {   // the overall limit is in euros
        LimitGewarnt = true;
        out.Messages.push_back({TMessage::Plain, W_LimitReached});
    }
}

void TMonitor::endConnection(TDisplay &out)
{
    JetztZeit = Now();
    m_monoNow = MonotonicSeconds();
    AktVerbindung.Start = StartZeit;
    AktVerbindung.Ende = JetztZeit;   // the log keeps local clock readings
    const TDateTime ende = effectiveEnd();
    out.Dauer = FormatLongTime(ende - StartZeit);
    const double cost = CalcKosten(AktTarif, StartZeit, ende);
    AktVerbindung.Kosten = cost;
    out.Kosten = costText(cost);
    Summe += cost;
    out.BarPosition = RoundToBar(Summe);
    // The connection counts as logged even when the write fails: the record waits in Pending.
    InVerbindung = false;
    writePending();
    appendRecord({MonatsLog.Pfad, AktVerbindung}, true);
    writeJournal();
}

void TMonitor::appendRecord(const TJournalEintrag &entry, bool report)
{
    const bool current = entry.LogPfad == MonatsLog.Pfad;
    TKostenDatenbank other;
    other.Pfad = entry.LogPfad;
    TKostenDatenbank &log = current ? MonatsLog : other;
    const size_t before = log.Daten.size();
    try {
        AppendData(log, entry.Verbindung);
        m_appendFailureReported = false;
    } catch (const std::exception &) {
        log.Daten.resize(before);   // the record is kept once, in Pending, until it is on disk
        Pending.push_back(entry);
        if (report && !m_appendFailureReported) {
            m_appendFailureReported = true;
            ReportError(E_UnknownErrorAt + QStringLiteral("AppendData"));
        }
    }
}

void TMonitor::writePending()
{
    std::vector<TJournalEintrag> waiting;
    waiting.swap(Pending);
    for (const TJournalEintrag &p : waiting) appendRecord(p, false);
}

void TMonitor::writeJournal()
{
    std::vector<TJournalEintrag> entries = Pending;
    if (InVerbindung) {
        TVerbindung v = AktVerbindung;
        v.Start = StartZeit;
        v.Ende = JetztZeit;
        entries.push_back({MonatsLog.Pfad, v});
    }
    // A journal that cannot be written only costs the safety net; the month log shows real failures.
    WriteJournal(entries);
    m_lastJournal = m_monoNow;
}

void TMonitor::recoverJournal()
{
    std::vector<TJournalEintrag> left;
    if (ReadJournal(left) != JournalState::Read) return;
    for (const TJournalEintrag &e : left) {
        // A run killed between the append and the journal's removal has logged it already.
        TKostenDatenbank log;
        log.Pfad = e.LogPfad;
        if (e.LogPfad == MonatsLog.Pfad) {
            log.Daten = MonatsLog.Daten;
        } else {
            ReportCollector quiet;
            ReadAllData(log);
            quiet.Take();
        }
        bool logged = false;
        for (const TVerbindung &v : log.Daten) logged = logged || sameConnection(v, e.Verbindung);
        if (logged) continue;

        QDir().mkpath(QFileInfo(e.LogPfad).path());
        const size_t waiting = Pending.size();
        appendRecord(e, true);
        if (Pending.size() == waiting && e.LogPfad == MonatsLog.Pfad) Summe += e.Verbindung.Kosten;
    }
    writeJournal();
}
