#include "desktop/Tray.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

void BringForward(QWidget *window)
{
    // A window hidden while minimized would come back minimized.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    // A window or box open over it is what the user has to answer first.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}

TTray::TTray(QWidget *mainWindow, const QList<QAction *> &items)
    : QObject(mainWindow), m_main(mainWindow), m_icon(new QSystemTrayIcon(mainWindow->windowIcon(), this))
{
    auto *menu = new QMenu(mainWindow);
    menu->setObjectName(QStringLiteral("TrayMenu"));
    QAction *show = menu->addAction(QStringLiteral("Minutrix anzeigen"));
    connect(show, &QAction::triggered, this, [this] { BringForward(m_main); });
    menu->addSeparator();
    for (QAction *item : items) {
        if (item)
            menu->addAction(item);
        else
            menu->addSeparator();
    }
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) Toggle();
    });
    mainWindow->installEventFilter(this);
    m_icon->show();
}

void TTray::SetToolTip(const QString &text)
{
    if (text != m_icon->toolTip()) m_icon->setToolTip(text);   // each change goes out to the desktop
}

bool TTray::InTray() const { return m_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

void TTray::Toggle()
{
    // With a window or box open over it, the main window is not hidden away beneath that.
    QWidget *modal = QApplication::activeModalWidget();
    if (m_main->isVisible() && !m_main->isMinimized() && !modal) {
        m_main->hide();
        return;
    }
    BringForward(m_main);
}

bool TTray::eventFilter(QObject *watched, QEvent *event)
{
    // Not while a window of the program is open over it: that would stay behind on its own.
    if (event->type() == QEvent::WindowStateChange && m_main->isMinimized() && InTray()
        && !QApplication::activeModalWidget()) {
        // Hidden once the minimizing is through, which the window system is still busy with now.
        QTimer::singleShot(0, m_main, [main = m_main] {
            if (main->isMinimized()) main->hide();
        });
    }
    return QObject::eventFilter(watched, event);
}
