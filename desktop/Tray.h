#pragma once
// The tray icon: the program's icon with a tooltip that tells the state, the main menu's items in
// its context menu, and a left click that hides the main window or brings it back. While a tray is
// there, minimizing the main window hides it into the tray; without one nothing changes.
#include <QList>
#include <QObject>

class QAction;
class QSystemTrayIcon;
class QWidget;

// Shows window if hidden or minimized, raises it and gives it the focus, or to a window or box
// open over it.
void BringForward(QWidget *window);

class TTray : public QObject
{
public:
    // items: the main menu's items in their order, a null entry for a separator.
    TTray(QWidget *mainWindow, const QList<QAction *> &items);
    void SetToolTip(const QString &text);
    // The icon is shown and the desktop has a tray for it.
    bool InTray() const;
    QSystemTrayIcon *Icon() const { return m_icon; }
    void Toggle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_main;
    QSystemTrayIcon *m_icon;
};
