#pragma once
// The main window: running cost, duration and budget bar of the current connection, the menu that
// opens every other window, and the once-per-second monitoring step.
#include "MonatsLog.h"
#include "TarifStore.h"

#include <QMainWindow>
#include <functional>
#include <vector>

class QLabel;
class QMenu;
class QAction;
class QTimer;
class TBudgetBar;
class TVexRasConnect;

class THauptfenster : public QMainWindow
{
    Q_OBJECT
public:
    explicit THauptfenster(QWidget *parent = nullptr);
    ~THauptfenster() override;

    // Controls, named as the windows' tests and screenshots find them.
    QLabel *LKosten = nullptr;
    QLabel *LDauer = nullptr;
    TBudgetBar *BudgetBar = nullptr;
    QMenu *Minutrix1 = nullptr;
    QAction *Tarife1 = nullptr, *Einstellungen1 = nullptr, *AutoUpdate1 = nullptr, *Info1 = nullptr, *N1 = nullptr,
            *Beenden1 = nullptr, *Auswertung1 = nullptr;
    TVexRasConnect *Connection = nullptr;   // null only when the dial-up service could not be opened
    QTimer *Timer1 = nullptr;

    // Monitoring state for the whole run.
    bool Online = false;
    bool InVerbindung = false;
    bool KeinTarifGewarnt = false;
    bool LimitGewarnt = false;
    TDateTime StartZeit = 0;
    TDateTime JetztZeit = 0;
    TTarif AktTarif;
    TVerbindung AktVerbindung;
    double Summe = 0;
    TKostenDatenbank MonatsLog;

    // Records whose append failed; written before the next record and once more at shutdown.
    struct PendingRecord
    {
        QString pfad;
        TVerbindung record;
    };
    std::vector<PendingRecord> Pending;

    // The window a menu item opens; an item without one stays disabled.
    void SetWindowOpener(QAction *item, std::function<void()> open);

    // Handlers.
    void FormCreate();
    bool FormCloseQuery();
    void FormDestroy();
    void Timer1Timer();
    void ConnectionStatusChange(bool statusChanged);
    TTarif FindTarif() const;

    // Ends the program without the close confirmation (after an update has been started).
    void Shutdown();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void createControls();
    void createMenu();
    void createConnection();
    void applyMenuCaptions();
    void beginConnection();
    void showRunning(double cost);
    void endConnection();
    void appendRecord(const QString &pfad, const TVerbindung &record, bool reportFailure);
    bool writePending();
    void openMonthLog(const QString &pfad);
    bool m_destroyed = false;
    bool m_appendFailureReported = false;   // one report until a write succeeds again
};

extern THauptfenster *Hauptfenster;
