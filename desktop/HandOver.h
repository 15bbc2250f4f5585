#pragma once
// A second start on the same data folder hands over to the program running there: the running one
// owns a session-bus name and answers org.freedesktop.Application's Activate by bringing its main
// window forward; the second calls it and ends. The data folder's lock still decides who runs.
//
// The name is the desktop entry's id, de.minutrix.Minutrix, for the installed program's own data
// folder, and de.minutrix.Minutrix.Folder<hash of the folder> for any other (portable copies), so
// programs on different folders never answer for each other. The call carries the folder as well,
// and a program refuses it for a folder not its own.
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QVariantMap>
#include <functional>

QString HandOverBusName(const QString &dataFolder);
extern const QString HandOverPath;            // "/de/minutrix/Minutrix"
extern const QString DataFolderPlatformKey;   // the platform-data entry that names the folder

// The second start's side: true when the program on dataFolder has come forward.
bool HandOverToRunningProgram(const QDBusConnection &bus, const QString &dataFolder, int timeoutMs = 5000);

// The running program's side: owns the name (asked for without waiting) and answers the calls
// until Stop, after which a second start sees no one to hand over to.
class THandOverService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    THandOverService(const QDBusConnection &bus, const QString &dataFolder, std::function<void()> activate,
                     QObject *parent);
    void Stop();

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);
    Q_SCRIPTABLE void Open(const QStringList &uris, const QVariantMap &platformData);
    Q_SCRIPTABLE void ActivateAction(const QString &action, const QVariantList &parameter,
                                     const QVariantMap &platformData);

private:
    QDBusConnection m_bus;
    QString m_folder;
    std::function<void()> m_activate;
};
