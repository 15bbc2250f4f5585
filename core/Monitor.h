#pragma once
// The once-per-second monitoring step without any window: it notices when a connection begins and
// ends, picks its tariff, prices it, decides what the main window shows and which box is due, and
// appends the finished connection to its month log. It never shows a box itself: the window shows
// the boxes after the step has returned, so the next ticks keep running while they are open.
#include "core/DateTime.h"
#include "core/Journal.h"
#include "core/MonatsLog.h"
#include "core/TarifStore.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// What the connection monitor says of a connection that is up.
struct TVerbindungsInfo
{
    bool IsConnected = false;
    QString ConnectedNumber;
    QString ConnectedEntry;
    QString Key = {};   // tells links that are up at the same time apart; the same while a link stays up
};

// One connection being timed, with its own start, tariff and record.
struct TLaufendeVerbindung
{
    QString Key;
    TDateTime StartZeit = 0;
    TTarif AktTarif;
    TVerbindung AktVerbindung;
    QString LogPfad;   // the month log of the month its timing started in
    double MonoStart = 0;
    bool UhrVerstellt = false;
    // Where the record starts: StartZeit while the clock holds; after the clock was changed, where
    // the changed clock puts the start (now less the real elapsed time), so that Ende - Start is
    // the real elapsed time and the record is filed under a month the corrected clock saw.
    TDateTime Anker = 0;
    TDateTime Ende = 0;   // where it was priced to, once it has ended
};

// A box due after a step: a plain message, or a text for the error report.
struct TMessage
{
    enum Kind { Plain, Report } kind;
    QString text;
    bool operator==(const TMessage &o) const { return kind == o.kind && text == o.text; }
};

// What the window applies after a step; an empty text or an unset number leaves its control as it is.
struct TDisplay
{
    QString Dauer;                   // LDauer
    QString Kosten;                  // LKosten, in euros
    std::optional<int> BarMaximum;   // BudgetBar, in cents
    std::optional<int> BarPosition;
    std::vector<TMessage> Messages;   // in the order they became due
};

// Rounds half to even into the range of the budget bar.
int RoundToBar(double value);

class TMonitor
{
public:
    // Monitoring state for the whole run. StartZeit, AktTarif and AktVerbindung are those of the
    // connection that has been up longest, or of the last one logged when none is up.
    bool Online = false;
    bool InVerbindung = false;
    bool KeinTarifGewarnt = false;
    bool LimitGewarnt = false;
    TDateTime StartZeit = 0;
    TDateTime JetztZeit = 0;
    TTarif AktTarif;
    TVerbindung AktVerbindung;
    double Summe = 0;   // this month's finished connections, in cents
    TKostenDatenbank MonatsLog;

    // Records whose append failed; tried again every minute, before the next record and at
    // shutdown, and kept in the journal meanwhile.
    std::vector<TJournalEintrag> Pending;

    // The connection monitor's view; without one no connection is ever up.
    std::function<TVerbindungsInfo()> Verbindung;
    // Every link that is up, each timed on its own. Where unset (or empty while Online), the one
    // connection of Verbindung is timed.
    std::function<std::vector<TVerbindungsInfo>()> Verbindungen;

    // The end of start-up: reads this month's log and appends what a run that never reached its
    // shutdown left in the journal. Until then a step does nothing.
    void Start(int year, int month);
    bool Ready() const { return m_ready; }

    TDisplay Timer1Timer();
    // The last step at shutdown: a connection still being timed is logged, waiting records get one
    // more try; what still waits stays in the journal for the next start, and a box says so.
    // Reports are handed back like a step's.
    TDisplay Finish();
    TTarif FindTarif() const;
    TTarif FindTarif(const TVerbindungsInfo &info) const;

    // True while the local clock and the real elapsed time disagree for the timed connection.
    bool UhrVerstellt() const { return m_uhrVerstellt; }

    // The connections being timed, longest-running first.
    const std::vector<TLaufendeVerbindung> &Laufende() const { return m_laufende; }
    QStringList LaufendeTarife() const;
    // This month's total in cents: the finished connections and the running ones.
    double MonatsSumme() const;

private:
    std::vector<TVerbindungsInfo> links() const;
    bool isTimed(const QString &key) const;
    std::vector<TLaufendeVerbindung> endLinksGoneDown(const std::vector<TVerbindungsInfo> &up);
    void showEnded(const std::vector<TLaufendeVerbindung> &ended, TDisplay &out);
    void beginConnection(const TVerbindungsInfo &link, TDisplay &out);
    void showRunning(TDisplay &out);
    void endConnection(TLaufendeVerbindung &c);
    TDateTime effectiveEnd(TLaufendeVerbindung &c) const;
    TVerbindung record(const TLaufendeVerbindung &c) const;
    double runningCost(TLaufendeVerbindung &c) const;
    void keepShown(const TLaufendeVerbindung &c);
    void openMonthLog(const QString &pfad);
    void appendRecord(const TJournalEintrag &entry, bool report);
    void writePending();
    bool writeJournal();
    void recoverJournal();

    bool m_ready = false;
    bool m_appendFailureReported = false;   // one box until a write succeeds again
    std::vector<TMessage> m_boxes;          // boxes due from the writes, handed out with the step
    bool m_uhrVerstellt = false;
    double m_monoNow = 0;
    double m_lastJournal = 0;
    double m_lastRetry = 0;
    std::vector<TLaufendeVerbindung> m_laufende;
};
