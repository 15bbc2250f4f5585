#pragma once
// The main window: running cost, duration and budget bar of the current connection, and the menu
// that opens every other window. The monitoring step itself lives in the core (TMonitor); the
// window applies what a step decided and shows the step's boxes after the step has returned.
#include "core/Monitor.h"
#include "ui/WindowLife.h"

#include <QMainWindow>
#include <functional>

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

    // Controls, named as the windows' tests and screenshots find them.
    QLabel *LKosten = nullptr;
    QLabel *LDauer = nullptr;
    TBudgetBar *BudgetBar = nullptr;
    QMenu *Minutrix1 = nullptr;
    QAction *Tarife1 = nullptr, *Einstellungen1 = nullptr, *AutoUpdate1 = nullptr, *Info1 = nullptr, *N1 = nullptr,
            *Beenden1 = nullptr, *Auswertung1 = nullptr;
    TVexRasConnect *Connection = nullptr;   // null only when the dial-up service could not be opened
    QTimer *Timer1 = nullptr;

    // The monitoring state of the run and its step.
    TMonitor Monitor;

    // The window a menu item opens; an item without one stays disabled.
    void SetWindowOpener(QAction *item, std::function<void()> open);

    // Called with the text of each box of the monitoring as it opens (app/ sends it to the desktop
    // as well while the window is out of sight).
    std::function<void(const QString &text)> AnnounceBox;

    // Handlers.
    void FormCreate();
    bool FormCloseQuery();
    void FormDestroy();
    void Timer1Timer();
    void ConnectionStatusChange(bool statusChanged);

    // The one way the program ends: the last monitoring step (a timed connection is logged), the
    // tariffs and the settings saved, the windows hidden and the event loop left. Used by the close,
    // "Beenden", a termination signal and the auto-update; runs once.
    void Shutdown();
    bool IsShutDown() const { return m_shutDown; }
    // The setup wizard was left before its end: the program ends with nothing saved, so that the
    // next start shows the wizard again.
    void EndWithoutSaving();
    // A termination signal: ends at once, or as soon as start-up has finished.
    void RequestShutdown();

Q_SIGNALS:
    // After each monitoring step, once its display has been applied.
    void StepApplied();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void createControls();
    void createMenu();
    void createConnection();
    void applyMenuCaptions();
    void apply(const TDisplay &display);
    void finishMonitoring();
    bool m_formCreated = false;
    bool m_shutdownRequested = false;
    bool m_shutDown = false;
    TInstanceSlot<THauptfenster> m_instance;
};

extern THauptfenster *Hauptfenster;

// A termination signal, wherever start-up stands: before the main window exists it is kept until
// the window has been created.
void EndProgramOnSignal();
