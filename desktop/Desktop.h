#pragma once
// Minutrix as a citizen of the Linux desktop, in one place: the tray icon, the notifications and
// the answer to a second start. app/ makes it once the main window has been painted and hands it
// what it needs; the main window knows nothing of it.
#include "desktop/TrayToolTip.h"

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QWidget;
class TTray;
class TNotifier;
class THandOverService;

struct TDesktopWiring
{
    QWidget *mainWindow = nullptr;
    QList<QAction *> menuItems;          // for the tray's menu; null for a separator
    std::function<TTrayState()> state;   // for the tooltip, asked after each monitoring step
};

class TDesktop : public QObject
{
public:
    // On bus (the session bus; tests hand a private one); the tray only when Minutrix.ini allows it.
    TDesktop(TDesktopWiring wiring, const QDBusConnection &bus, const QString &dataFolder);

    // After each monitoring step: the tooltip follows it, and a main window hidden in a tray that has
    // gone comes back.
    void StepApplied();
    // Each box of the monitoring as it opens: also a notification while the main window is hidden
    // or minimized.
    void AnnounceBox(const QString &text);
    // As the program ends: a second start no longer finds it.
    void Stop();

    TTray *Tray() const { return m_tray; }   // null without a tray icon

private:
    TDesktopWiring m_wiring;
    TTray *m_tray = nullptr;
    TNotifier *m_notifier;
    THandOverService *m_handOver;
};
