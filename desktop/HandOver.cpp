#include "desktop/HandOver.h"

#include "core/ProgramDir.h"

#include <QCryptographicHash>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>

const QString HandOverPath = QStringLiteral("/de/minutrix/Minutrix");
const QString DataFolderPlatformKey = QStringLiteral("de.minutrix.data-folder");

namespace {
const QString applicationInterface = QStringLiteral("org.freedesktop.Application");

// The same folder reached by another spelling or through a link is the same folder.
QString canonical(const QString &folder)
{
    const QString c = QFileInfo(folder).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : c;
}

QDBusMessage busCall(const QString &method, const QVariantList &args)
{
    QDBusMessage m =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), method);
    m.setArguments(args);
    return m;
}
}

QString HandOverBusName(const QString &dataFolder)
{
    const QString folder = canonical(dataFolder);
    if (folder == canonical(UserDataDir())) return QStringLiteral("de.minutrix.Minutrix");
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("de.minutrix.Minutrix.Folder") + QString::fromLatin1(hash);
}

bool HandOverToRunningProgram(const QDBusConnection &bus, const QString &dataFolder, int timeoutMs)
{
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(HandOverBusName(dataFolder), HandOverPath, applicationInterface,
                                                       QStringLiteral("Activate"));
    call << QVariantMap{{DataFolderPlatformKey, canonical(dataFolder)}};
    // Nothing is on the screen yet: the second start may wait for the answer.
    return bus.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

THandOverService::THandOverService(const QDBusConnection &bus, const QString &dataFolder,
                                   std::function<void()> activate, QObject *parent)
    : QObject(parent), m_bus(bus), m_folder(canonical(dataFolder)), m_activate(std::move(activate))
{
    m_bus.registerObject(HandOverPath, this, QDBusConnection::ExportScriptableSlots);
    // Not queued: a second program on the name would only ever answer for the first.
    m_bus.send(busCall(QStringLiteral("RequestName"), {HandOverBusName(dataFolder), 4u}));
}

void THandOverService::Stop()
{
    m_bus.unregisterObject(HandOverPath);
    m_bus.send(busCall(QStringLiteral("ReleaseName"), {HandOverBusName(m_folder)}));
}

void THandOverService::Activate(const QVariantMap &platformData)
{
    const QVariant folder = platformData.value(DataFolderPlatformKey);
    if (folder.isValid() && canonical(folder.toString()) != m_folder) {
        sendErrorReply(QStringLiteral("de.minutrix.Minutrix.Error.OtherDataFolder"),
                       QStringLiteral("This program runs on %1").arg(m_folder));
        return;
    }
    m_activate();
}

// Minutrix opens no files: opening brings it forward as a start does.
void THandOverService::Open(const QStringList &, const QVariantMap &platformData) { Activate(platformData); }

void THandOverService::ActivateAction(const QString &action, const QVariantList &, const QVariantMap &)
{
    sendErrorReply(QDBusError::NotSupported, QStringLiteral("No action %1").arg(action));
}
