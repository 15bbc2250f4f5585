#include "desktop/Desktop.h"

#include "desktop/DesktopSettings.h"
#include "desktop/HandOver.h"
#include "desktop/Notifier.h"
#include "desktop/Tray.h"

#include <QWidget>

TDesktop::TDesktop(TDesktopWiring wiring, const QDBusConnection &bus, const QString &dataFolder)
    : QObject(wiring.mainWindow), m_wiring(std::move(wiring)), m_notifier(new TNotifier(bus, this)),
      m_handOver(new THandOverService(
          bus, dataFolder, [main = m_wiring.mainWindow] { BringForward(main); }, this))
{
    if (LoadDesktopSettings().TrayIcon) m_tray = new TTray(m_wiring.mainWindow, m_wiring.menuItems);
    StepApplied();
}

void TDesktop::StepApplied()
{
    if (!m_tray) return;
    // A tray that has gone (the panel ended) must not keep the main window hidden in it.
    if (!m_wiring.mainWindow->isVisible() && !m_tray->InTray()) BringForward(m_wiring.mainWindow);
    if (m_wiring.state) m_tray->SetToolTip(TrayToolTip(m_wiring.state()));
}

void TDesktop::AnnounceBox(const QString &text)
{
    const QWidget *main = m_wiring.mainWindow;
    if (!main->isVisible() || main->isMinimized()) m_notifier->Notify(text);
}

void TDesktop::Stop() { m_handOver->Stop(); }
