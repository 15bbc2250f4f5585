#include "core/Monitor.h"

#include "core/DataFolder.h"
#include "core/ErrorReport.h"
#include "core/Kosten.h"
#include "core/Language.h"
#include "core/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// How far the local clock may stray from the real elapsed time before the real time counts.
constexpr double ClockToleranceSeconds = 2.0;
constexpr double JournalIntervalSeconds = 60.0;
constexpr double RetryIntervalSeconds = 60.0;

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

// The month log could not take the record: which file, and what the system says of it.
QString notSavedText(const QString &path, const std::exception &e)
{
    const auto *failure = dynamic_cast<const AppendFailure *>(&e);
    return QStringLiteral("Die Verbindung konnte nicht in %1 gespeichert werden: %2")
        .arg(QDir::toNativeSeparators(path), failure ? failure->reason() : QString::fromLocal8Bit(e.what()));
}

// The end of a run with records still waiting for their month log: where they wait, or that they
// could be kept nowhere.
QString waitingAtEndText(size_t count, bool kept)
{
    const QString where = QFileInfo::exists(FallbackJournalPath()) ? FallbackJournalPath() : JournalPath();
    return kept ? QStringLiteral("Nicht gespeicherte Verbindungen: %1. Sie sind in %2 vorgemerkt und werden beim "
                                 "nächsten Start in ihr Monatsprotokoll eingetragen.")
                      .arg(QString::number(count), QDir::toNativeSeparators(where))
                : QStringLiteral("Nicht gespeicherte Verbindungen: %1. Sie konnten nirgends vorgemerkt werden und "
                                 "gehen verloren.")
                      .arg(count);
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

TTarif TMonitor::FindTarif() const { return FindTarif(Verbindung ? Verbindung() : TVerbindungsInfo()); }

TTarif TMonitor::FindTarif(const TVerbindungsInfo &info) const
{
    if (info.IsConnected) {
        for (const TTarif &t : Tarife)
            if (t.Nummer.value() == info.ConnectedNumber && t.Eintrag.value() == info.ConnectedEntry) return t;
    }
    return NullTarif;
}

std::vector<TVerbindungsInfo> TMonitor::links() const
{
    if (!Online) return {};
    if (Verbindungen) {
        std::vector<TVerbindungsInfo> up = Verbindungen();
        if (!up.empty()) return up;
    }
    TVerbindungsInfo one = Verbindung ? Verbindung() : TVerbindungsInfo();
    one.Key.clear();
    return {one};
}

QStringList TMonitor::LaufendeTarife() const
{
    QStringList names;
    for (const TLaufendeVerbindung &c : m_laufende) names << c.AktTarif.Name.value();
    return names;
}

double TMonitor::MonatsSumme() const
{
    double total = Summe;
    for (const TLaufendeVerbindung &c : m_laufende)
        if (c.LogPfad == MonatsLog.Pfad) total += c.AktVerbindung.Kosten;
    return total;
}

void TMonitor::openMonthLog(const QString &pfad)
{
    MonatsLog.Pfad = pfad;
    MonatsLog.Daten.clear();
    ReadAllData(MonatsLog);
    // The limit is one per month: the total starts from what this month's log already holds.
    Summe = 0;
    for (const TVerbindung &v : MonatsLog.Daten) Summe += CountedCost(v);
}

void TMonitor::Start(int year, int month)
{
    openMonthLog(MonthLogPath(year, month));
    m_monoNow = MonotonicSeconds();
    recoverJournal();
    // From now on the journal has its space: it takes records even when the disk fills up.
    ReserveJournal();
    writeJournal();
    m_ready = true;
}

TDisplay TMonitor::Timer1Timer()
{
    TDisplay out;
    if (!m_ready) return out;   // start-up has not finished: nothing to price with yet
    ReportCollector reports;
    const std::vector<TVerbindungsInfo> up = links();
    JetztZeit = Now();
    m_monoNow = MonotonicSeconds();
    const std::optional<QString> primary =
        m_laufende.empty() ? std::nullopt : std::optional<QString>(m_laufende.front().Key);

    const std::vector<TLaufendeVerbindung> ended = endLinksGoneDown(up);
    // Records whose append failed are tried again every minute, whether or not a call is up.
    const bool retry = !Pending.empty() && m_monoNow - m_lastRetry >= RetryIntervalSeconds;
    if (retry) writePending();
    for (const TVerbindungsInfo &link : up)
        if (!isTimed(link.Key)) beginConnection(link, out);
    InVerbindung = !m_laufende.empty();   // before any box is due: a tick while it is open must not start again

    if (InVerbindung) {
        const TLaufendeVerbindung &first = m_laufende.front();
        if (!primary || first.Key != *primary)
            out.BarMaximum = RoundToBar(first.AktTarif.Limit * 100.0);   // the limit is in euros, the bar in cents
        showRunning(out);
        keepShown(m_laufende.front());
    } else if (!ended.empty()) {
        showEnded(ended, out);
    }
    if (retry || !ended.empty() || (InVerbindung && m_monoNow - m_lastJournal >= JournalIntervalSeconds))
        writeJournal();
    out.Messages.insert(out.Messages.end(), m_boxes.begin(), m_boxes.end());
    m_boxes.clear();
    for (const QString &r : reports.Take()) out.Messages.push_back({TMessage::Report, r});
    return out;
}

bool TMonitor::isTimed(const QString &key) const
{
    return std::any_of(m_laufende.begin(), m_laufende.end(),
                       [&key](const TLaufendeVerbindung &c) { return c.Key == key; });
}

// Each link that went down ends in its own record, whatever the others do.
std::vector<TLaufendeVerbindung> TMonitor::endLinksGoneDown(const std::vector<TVerbindungsInfo> &up)
{
    std::vector<TLaufendeVerbindung> ended;
    for (auto c = m_laufende.begin(); c != m_laufende.end();) {
        const QString &key = c->Key;
        if (std::any_of(up.begin(), up.end(), [&key](const TVerbindungsInfo &l) { return l.Key == key; })) {
            ++c;
        } else {
            ended.push_back(std::move(*c));
            c = m_laufende.erase(c);
        }
    }
    for (TLaufendeVerbindung &c : ended) endConnection(c);
    if (!ended.empty()) {
        // The connections count as logged even when the write fails: a record waits in Pending.
        writePending();
        for (const TLaufendeVerbindung &c : ended) appendRecord({c.LogPfad, c.AktVerbindung}, true);
    }
    return ended;
}

// The labels keep what the connections that just ended came to.
void TMonitor::showEnded(const std::vector<TLaufendeVerbindung> &ended, TDisplay &out)
{
    TDateTime longest = 0;
    double cost = 0;
    for (const TLaufendeVerbindung &c : ended) {
        longest = std::max(longest, c.Ende - c.StartZeit);
        cost += c.AktVerbindung.Kosten;
    }
    out.Dauer = FormatLongTime(longest);
    out.Kosten = costText(cost);
    out.BarPosition = RoundToBar(Summe);
    keepShown(ended.back());
}

TDisplay TMonitor::Finish()
{
    TDisplay out;
    if (!m_ready) return out;
    Online = false;
    if (InVerbindung) out = Timer1Timer();   // logs every connection still being timed
    ReportCollector reports;
    // Last try for records whose append failed during the run; what still fails stays in the journal.
    writePending();
    const bool kept = writeJournal();
    if (!Pending.empty()) m_boxes.push_back({TMessage::Plain, waitingAtEndText(Pending.size(), kept)});
    ReleaseJournal();
    out.Messages.insert(out.Messages.end(), m_boxes.begin(), m_boxes.end());
    m_boxes.clear();
    for (const QString &r : reports.Take()) out.Messages.push_back({TMessage::Report, r});
    return out;
}

void TMonitor::beginConnection(const TVerbindungsInfo &link, TDisplay &out)
{
    TLaufendeVerbindung c;
    c.Key = link.Key;
    c.StartZeit = JetztZeit;
    c.MonoStart = m_monoNow;
    c.Anker = c.StartZeit;
    c.AktVerbindung.Datum = c.StartZeit;
    m_lastJournal = m_monoNow - JournalIntervalSeconds;   // this tick writes the journal

    int year, month, day;
    DecodeDate(c.StartZeit, year, month, day);
    QDir().mkpath(DataYearFolder(year));
    c.LogPfad = MonthLogPath(year, month);
    if (c.LogPfad != MonatsLog.Pfad) openMonthLog(c.LogPfad);

    c.AktTarif = FindTarif(link);   // its own tariff: a link still dialling lends it to none
    if (c.AktTarif.Name.sameAs(NullTarif.Name) && !KeinTarifGewarnt) {
        KeinTarifGewarnt = true;
        out.Messages.push_back({TMessage::Plain, W_NoTarif});
    }
    c.AktVerbindung.Tarif.setBytes(c.AktTarif.Name.rawValue().left(100));
    m_laufende.push_back(std::move(c));
}

TDateTime TMonitor::effectiveEnd(TLaufendeVerbindung &c) const
{
    // While both clocks agree the local readings count, exactly as they are. After a change of
    // summer time, a clock set by hand or one corrected at last (a machine that booted in 2000),
    // the real elapsed time counts, priced from the local start, and the record is anchored where
    // the changed clock stands now, the most likely right: again at each later change.
    const double real = m_monoNow - c.MonoStart;
    const TDateTime expected = c.Anker + real / 86400.0;
    if (std::abs(JetztZeit - expected) * 86400.0 > ClockToleranceSeconds || JetztZeit < c.Anker) {
        c.UhrVerstellt = true;
        c.Anker = JetztZeit - real / 86400.0;
        int year, month, day;
        DecodeDate(c.Anker, year, month, day);
        c.LogPfad = MonthLogPath(year, month);
    }
    return c.UhrVerstellt ? c.StartZeit + real / 86400.0 : JetztZeit;
}

TVerbindung TMonitor::record(const TLaufendeVerbindung &c) const
{
    TVerbindung v = c.AktVerbindung;
    if (c.UhrVerstellt) {
        v.Datum = v.Start = c.Anker;
        v.Ende = c.Anker + (m_monoNow - c.MonoStart) / 86400.0;
    } else {
        v.Start = c.StartZeit;   // the local readings, as they are
        v.Ende = JetztZeit;
    }
    return v;
}

double TMonitor::runningCost(TLaufendeVerbindung &c) const
{
    c.AktVerbindung.Kosten = CalcKosten(c.AktTarif, c.StartZeit, effectiveEnd(c));
    return c.AktVerbindung.Kosten;
}

void TMonitor::showRunning(TDisplay &out)
{
    // The sum of what every link has cost so far, and the duration of the one up longest.
    double cost = 0;
    for (TLaufendeVerbindung &c : m_laufende) cost += runningCost(c);
    TLaufendeVerbindung &first = m_laufende.front();
    out.Dauer = FormatLongTime(effectiveEnd(first) - first.StartZeit);
    out.Kosten = costText(cost);
    const double shown = Summe + cost;
    out.BarPosition = RoundToBar(shown);
    if (!(GesamtLimit > shown / 100.0) && !LimitGewarnt) {   // the overall limit is in euros
        LimitGewarnt = true;
        out.Messages.push_back({TMessage::Plain, W_LimitReached});
    }
}

void TMonitor::endConnection(TLaufendeVerbindung &c)
{
    const double cost = runningCost(c);   // notices a clock changed since the last tick
    c.Ende = effectiveEnd(c);
    c.AktVerbindung = record(c);
    // Summe is the total of the month log open now; a link timed from last month is logged there.
    if (c.LogPfad == MonatsLog.Pfad) Summe += cost;
}

void TMonitor::keepShown(const TLaufendeVerbindung &c)
{
    StartZeit = c.StartZeit;
    AktTarif = c.AktTarif;
    AktVerbindung = c.AktVerbindung;
    m_uhrVerstellt = c.UhrVerstellt;
}

void TMonitor::appendRecord(const TJournalEintrag &entry, bool report)
{
    const bool current = entry.LogPfad == MonatsLog.Pfad;
    TKostenDatenbank other;
    other.Pfad = entry.LogPfad;
    TKostenDatenbank &log = current ? MonatsLog : other;
    const size_t before = log.Daten.size();
    try {
        QDir().mkpath(QFileInfo(entry.LogPfad).path());   // a year the clock reached during the call
        AppendData(log, entry.Verbindung);
        m_appendFailureReported = false;
    } catch (const std::exception &e) {
        log.Daten.resize(before);   // the record is kept once, in Pending, until it is on disk
        Pending.push_back(entry);
        m_lastRetry = m_monoNow;
        if (report && !m_appendFailureReported) {
            m_appendFailureReported = true;
            m_boxes.push_back({TMessage::Plain, notSavedText(entry.LogPfad, e)});
        }
    }
}

void TMonitor::writePending()
{
    std::vector<TJournalEintrag> waiting;
    waiting.swap(Pending);
    for (const TJournalEintrag &p : waiting) appendRecord(p, false);
}

bool TMonitor::writeJournal()
{
    std::vector<TJournalEintrag> entries = Pending;
    for (const TLaufendeVerbindung &c : m_laufende) entries.push_back({c.LogPfad, record(c)});
    m_lastJournal = m_monoNow;
    // A journal that cannot be written only costs the safety net while the month logs take the
    // records; the end of the run says what that lost.
    return WriteJournal(entries);
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

        const size_t waiting = Pending.size();
        appendRecord(e, true);
        if (Pending.size() == waiting && e.LogPfad == MonatsLog.Pfad) Summe += CountedCost(e.Verbindung);
    }
}
