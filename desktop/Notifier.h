#pragma once
// Desktop notifications (org.freedesktop.Notifications): a box of the monitoring also reaches a
// user who has the main window hidden or minimized. Nothing waits for the notification server.
#include <QDBusConnection>
#include <QObject>

class TNotifier : public QObject
{
public:
    TNotifier(const QDBusConnection &bus, QObject *parent);
    // Sends text as a notification titled "Minutrix"; without a server it goes nowhere.
    void Notify(const QString &text);

private:
    QDBusConnection m_bus;
    bool m_markup = true;   // most servers read the body as markup; the server's answer decides
};
