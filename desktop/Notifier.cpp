#include "desktop/Notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
QDBusMessage notificationCall(const QString &method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"), method);
}
}

TNotifier::TNotifier(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_bus(bus)
{
    auto *watcher =
        new QDBusPendingCallWatcher(m_bus.asyncCall(notificationCall(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<QStringList> reply = *w;
        if (reply.isValid()) m_markup = reply.value().contains(QStringLiteral("body-markup"));
        w->deleteLater();
    });
}

void TNotifier::Notify(const QString &text)
{
    QDBusMessage call = notificationCall(QStringLiteral("Notify"));
    const QString appName = QStringLiteral("Minutrix"), id = QStringLiteral("de.minutrix.Minutrix");
    // A text of the language file may hold '<' or '&', which a server reading markup would swallow.
    call << appName << 0u << id << appName << (m_markup ? text.toHtmlEscaped() : text) << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), id}} << -1;
    m_bus.send(call);
}
