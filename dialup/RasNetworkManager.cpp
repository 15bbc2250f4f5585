#include "dialup/RasNetworkManager.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QThread>

namespace {
const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString ManagerInterface = Service;
const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString SettingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString ProfileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString ActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString DeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString BusService = QStringLiteral("org.freedesktop.DBus");
const QString BusPath = QStringLiteral("/org/freedesktop/DBus");
// A NetworkManager that hangs must not keep a snapshot waiting for long.
constexpr int CallTimeoutMs = 3000;

// A property value as the bus hands it: wrapped in a variant when it came from Get.
QVariant unwrapped(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
}

QString objectPath(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    return v.metaType() == QMetaType::fromType<QDBusObjectPath>() ? v.value<QDBusObjectPath>().path() : QString();
}

QStringList objectPaths(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    QList<QDBusObjectPath> list;
    if (v.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const QDBusArgument argument = v.value<QDBusArgument>();
        if (argument.currentSignature() != QLatin1String("ao")) return {};
        argument >> list;
    } else if (v.metaType() == QMetaType::fromType<QList<QDBusObjectPath>>()) {
        list = v.value<QList<QDBusObjectPath>>();
    }
    QStringList paths;
    for (const QDBusObjectPath &p : list) paths << p.path();
    return paths;
}

// A demarshalled map, or an empty one when the value has another signature.
template <typename Map>
Map mapOf(const QVariant &value, QLatin1String signature)
{
    Map map;
    if (value.metaType() != QMetaType::fromType<QDBusArgument>()) return map;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() == signature) argument >> map;
    return map;
}

QVariantMap propertiesOf(const QVariant &value) { return mapOf<QVariantMap>(value, QLatin1String("a{sv}")); }

QVariant firstArgument(const QDBusMessage &message) { return message.arguments().value(0); }

bool isReply(const QDBusMessage &message) { return message.type() == QDBusMessage::ReplyMessage; }
}

// Keeps an NmCache current from one bus. Lives on the main thread; every call it makes is
// asynchronous and goes to NetworkManager's unique name, whose signals alone it listens to.
class NmWatcher : public QObject
{
    Q_OBJECT

public:
    explicit NmWatcher(NmCache &cache) : m_cache(cache) { qDBusRegisterMetaType<NmSettings>(); }

    void attach(const QDBusConnection &bus)
    {
        m_bus = bus;
        if (!m_bus.isConnected()) return;
        // The empty sender keeps Qt from asking the bus for an owner synchronously; the slot
        // checks that the bus itself sent it.
        m_bus.connect(QString(), BusPath, BusService, QStringLiteral("NameOwnerChanged"), QStringList{Service},
                      QString(), this, SLOT(onNameOwnerChanged(QDBusMessage)));
        QDBusMessage ask =
            QDBusMessage::createMethodCall(BusService, BusPath, BusService, QStringLiteral("GetNameOwner"));
        ask << Service;
        // Not tied to an owner: a "no owner" error simply leaves the cache empty.
        call(ask, false, [this](const QDBusMessage &reply) {
            if (isReply(reply)) ownerIs(firstArgument(reply).toString());
        });
    }

    // A bus that went away takes NetworkManager with it.
    void checkBus()
    {
        if (!m_owner.isEmpty() && !m_bus.isConnected()) ownerIs(QString());
    }

private Q_SLOTS:
    void onNameOwnerChanged(const QDBusMessage &message)
    {
        const QVariantList args = message.arguments();
        if (message.service() != BusService || args.size() != 3 || args.at(0).toString() != Service) return;
        ownerIs(args.at(2).toString());
    }

    void onPropertiesChanged(const QDBusMessage &message)
    {
        const QVariantList args = message.arguments();
        if (args.size() < 2) return;
        const QString interface = args.at(0).toString();
        const QVariantMap changed = propertiesOf(args.at(1));
        const QString path = message.path();
        if (interface == ManagerInterface && path == ManagerPath) {
            if (changed.contains(QStringLiteral("ActiveConnections")))
                activeListIs(objectPaths(changed.value(QStringLiteral("ActiveConnections"))));
        } else if (interface == ActiveInterface && m_cache.isActiveListed(path)) {
            if (changed.contains(QStringLiteral("State")))
                m_cache.setActiveState(path, unwrapped(changed.value(QStringLiteral("State"))).toUInt());
            if (changed.contains(QStringLiteral("Devices"))) {
                m_cache.setActiveDevices(path, objectPaths(changed.value(QStringLiteral("Devices"))));
                fetchDevices();
            }
        } else if (interface == DeviceInterface && m_cache.isDeviceKnown(path)) {
            if (changed.contains(QStringLiteral("State")))
                m_cache.setDeviceState(path, unwrapped(changed.value(QStringLiteral("State"))).toUInt());
            auto text = [&changed](const QString &key) -> std::optional<QString> {
                if (!changed.contains(key)) return std::nullopt;
                return unwrapped(changed.value(key)).toString();
            };
            m_cache.setDeviceInterfaces(path, text(QStringLiteral("Interface")), text(QStringLiteral("IpInterface")));
        }
    }

    void onActiveStateChanged(const QDBusMessage &message)
    {
        if (!message.arguments().isEmpty()) m_cache.setActiveState(message.path(), firstArgument(message).toUInt());
    }

    void onNewConnection(const QDBusMessage &message) { fetchProfile(objectPath(firstArgument(message))); }
    void onConnectionRemoved(const QDBusMessage &message) { m_cache.removeProfile(objectPath(firstArgument(message))); }
    void onProfileUpdated(const QDBusMessage &message) { fetchProfile(message.path()); }

private:
    using ReplyHandler = std::function<void(const QDBusMessage &)>;

    // Sends a call and hands its reply (or error) to the handler, unless it is the answer of a
    // NetworkManager that has left the bus since (ofOwner).
    void call(const QDBusMessage &message, bool ofOwner, ReplyHandler handler)
    {
        auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(message, CallTimeoutMs), this);
        const quint64 epoch = m_epoch;
        connect(pending, &QDBusPendingCallWatcher::finished, this,
                [this, epoch, ofOwner, handler = std::move(handler)](QDBusPendingCallWatcher *done) {
                    done->deleteLater();
                    if (!ofOwner || epoch == m_epoch) handler(done->reply());
                });
    }

    void callOwner(const QString &path, const QString &interface, const QString &method, const QVariantList &args,
                   ReplyHandler handler)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_owner, path, interface, method);
        message.setArguments(args);
        call(message, true, std::move(handler));
    }

    void ownerIs(const QString &owner)
    {
        if (owner == m_owner) return;
        if (!m_owner.isEmpty()) hookSignals(false);
        ++m_epoch;
        m_owner = owner;
        m_cache.clear();   // connections being timed end now
        if (owner.isEmpty()) return;
        // Signals first, then the snapshot: a change between the two is not lost.
        hookSignals(true);
        callOwner(ManagerPath, PropertiesInterface, QStringLiteral("Get"),
                  {ManagerInterface, QStringLiteral("ActiveConnections")}, [this](const QDBusMessage &reply) {
                      if (isReply(reply)) activeListIs(objectPaths(firstArgument(reply)));
                  });
        callOwner(SettingsPath, SettingsInterface, QStringLiteral("ListConnections"), {},
                  [this](const QDBusMessage &reply) {
                      if (!isReply(reply)) return;
                      for (const QString &path : objectPaths(firstArgument(reply))) fetchProfile(path);
                  });
    }

    void hookSignals(bool on)
    {
        struct Hook
        {
            const QString &path, &interface;
            const char *name, *slot;
        };
        const QString any;
        const Hook hooks[] = {
            {any, PropertiesInterface, "PropertiesChanged", SLOT(onPropertiesChanged(QDBusMessage))},
            {any, ActiveInterface, "StateChanged", SLOT(onActiveStateChanged(QDBusMessage))},
            {SettingsPath, SettingsInterface, "NewConnection", SLOT(onNewConnection(QDBusMessage))},
            {SettingsPath, SettingsInterface, "ConnectionRemoved", SLOT(onConnectionRemoved(QDBusMessage))},
            {any, ProfileInterface, "Updated", SLOT(onProfileUpdated(QDBusMessage))},
        };
        // The unique name as sender: the bus passes on NetworkManager's signals only, and Qt
        // need not look up an owner.
        for (const Hook &h : hooks) {
            const QString name = QString::fromLatin1(h.name);
            if (on)
                m_bus.connect(m_owner, h.path, h.interface, name, this, h.slot);
            else
                m_bus.disconnect(m_owner, h.path, h.interface, name, this, h.slot);
        }
    }

    void activeListIs(const QStringList &paths)
    {
        for (const QString &path : m_cache.setActiveList(paths)) fetchActive(path);
    }

    void fetchActive(const QString &path)
    {
        callOwner(path, PropertiesInterface, QStringLiteral("GetAll"), {ActiveInterface},
                  [this, path](const QDBusMessage &reply) {
                      if (!isReply(reply)) return;   // gone already; the manager's list will say so
                      const QVariantMap p = propertiesOf(firstArgument(reply));
                      m_cache.setActive(path, objectPath(p.value(QStringLiteral("Connection"))),
                                        unwrapped(p.value(QStringLiteral("State"))).toUInt(),
                                        objectPaths(p.value(QStringLiteral("Devices"))));
                      fetchDevices();
                  });
    }

    void fetchDevices()
    {
        for (const QString &path : m_cache.takeUnknownDevices())
            callOwner(path, PropertiesInterface, QStringLiteral("GetAll"), {DeviceInterface},
                      [this, path](const QDBusMessage &reply) {
                          if (!isReply(reply)) return;
                          const QVariantMap p = propertiesOf(firstArgument(reply));
                          m_cache.setDevice(path, unwrapped(p.value(QStringLiteral("State"))).toUInt(),
                                            unwrapped(p.value(QStringLiteral("Interface"))).toString(),
                                            unwrapped(p.value(QStringLiteral("IpInterface"))).toString());
                      });
    }

    // A profile that vanished meanwhile (UnknownObject) or belongs to another user
    // (PermissionDenied) answers with an error: it is no entry, and nothing is said.
    void fetchProfile(const QString &path)
    {
        if (path.isEmpty()) return;
        callOwner(path, ProfileInterface, QStringLiteral("GetSettings"), {}, [this, path](const QDBusMessage &reply) {
            if (isReply(reply))
                m_cache.setProfile(
                    path, NmPhonebookEntry(mapOf<NmSettings>(firstArgument(reply), QLatin1String("a{sa{sv}}"))));
            else
                m_cache.removeProfile(path);
        });
    }

    NmCache &m_cache;
    QDBusConnection m_bus{QString()};
    QString m_owner;   // NetworkManager's unique name; empty while it is not on the bus
    quint64 m_epoch = 0;
};

namespace {
NetworkManagerRasModule *current = nullptr;   // the module RasGetEntryPropertiesA answers for

RasDword RAS_CALL nmGetEntryProperties(const char *, const char *entry, void *buffer, RasDword *entrySize, void *,
                                       RasDword *deviceInfoSize)
{
    return current ? current->GetEntryProperties(entry, buffer, entrySize, deviceInfoSize)
                   : ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
}
}

NetworkManagerRasModule::NetworkManagerRasModule(BusOpener openBus) : m_openBus(std::move(openBus))
{
    m_previous = current;
    current = this;
}

NetworkManagerRasModule::~NetworkManagerRasModule()
{
    if (current == this) current = m_previous;
    delete m_watcher.data();
}

void NetworkManagerRasModule::start()
{
    if (m_watcher) m_watcher->checkBus();
    if (m_started) return;
    m_started = true;
    if (!QCoreApplication::instance()) return;   // no event loop, so no signal would ever arrive
    auto *watcher = new NmWatcher(m_cache);
    m_watcher = watcher;
    BusOpener open = m_openBus ? m_openBus : [] { return QDBusConnection::systemBus(); };
    // Connecting to the bus waits for the bus daemon: never on the main thread, whose window may
    // not even be painted yet.
    QThread *opener = QThread::create([open = std::move(open), target = QPointer<NmWatcher>(watcher)]() mutable {
        const QDBusConnection bus = open();
        if (QCoreApplication *app = QCoreApplication::instance())   // not when the program is ending
            QMetaObject::invokeMethod(
                app,
                [target = std::move(target), bus] {
                    if (target) target->attach(bus);
                },
                Qt::QueuedConnection);
    });
    QObject::connect(opener, &QThread::finished, opener, &QObject::deleteLater);
    opener->start();
}

RasDword NetworkManagerRasModule::EnumEntries(const char *, const char *, void *entries, RasDword *bytes,
                                              RasDword *count)
{
    using namespace RasLayout;
    start();
    if (!bytes || !count) return ERROR_BUFFER_INVALID;
    if (entries && *bytes >= 4 && ReadRasDword(entries) != EntryNameSize) return ERROR_INVALID_SIZE;
    const std::vector<NmCache::Entry> &listed = m_cache.entries();
    const RasDword needed = RasDword(listed.size() * EntryNameStride);
    if (!entries || *bytes < needed) {
        *bytes = needed;
        *count = 0;
        return ERROR_BUFFER_TOO_SMALL;
    }
    auto *element = static_cast<unsigned char *>(entries);
    for (const NmCache::Entry &e : listed) {
        WriteRasDword(element, EntryNameSize);
        WriteRasString(element + EntryName_szEntryName, EntryNameCapacity, e.name);
        element += EntryNameStride;
    }
    *bytes = needed;
    *count = RasDword(listed.size());
    return RAS_SUCCESS;
}

RasDword NetworkManagerRasModule::EnumConnections(void *connections, RasDword *bytes, RasDword *count)
{
    using namespace RasLayout;
    start();
    if (!bytes || !count) return ERROR_BUFFER_INVALID;
    if (connections && *bytes >= 4 && ReadRasDword(connections) != ConnSize) return ERROR_INVALID_SIZE;
    const std::vector<NmCache::Connection> listed = m_cache.connections();
    const RasDword needed = RasDword(listed.size() * ConnStride);
    if (!listed.empty() && (!connections || *bytes < needed)) {
        *bytes = needed;
        *count = 0;
        return ERROR_BUFFER_TOO_SMALL;
    }
    auto *element = static_cast<unsigned char *>(connections);
    for (const NmCache::Connection &c : listed) {
        WriteRasDword(element, ConnSize);
        WriteRasHandle(element + Conn_hrasconn, c.handle);
        WriteRasString(element + Conn_szEntryName, EntryNameCapacity, c.entry);
        WriteRasString(element + Conn_szDeviceType, DeviceTypeCapacity, c.deviceType);
        WriteRasString(element + Conn_szDeviceName, DeviceNameCapacity, c.deviceName);
        element += ConnStride;
    }
    *bytes = needed;
    *count = RasDword(listed.size());
    return RAS_SUCCESS;
}

RasDword NetworkManagerRasModule::GetConnectStatus(RasHandle connection, void *status)
{
    if (!status) return ERROR_BUFFER_INVALID;
    if (ReadRasDword(status) != RasLayout::ConnStatusSize) return ERROR_INVALID_SIZE;
    auto *state = static_cast<unsigned char *>(status) + RasLayout::ConnStatus_rasconnstate;
    const std::optional<RasDword> known = m_cache.state(connection);
    WriteRasDword(state, known.value_or(RASCS_Disconnected));
    return known ? RAS_SUCCESS : ERROR_NO_CONNECTION;
}

RasLibrary NetworkManagerRasModule::OpenLibrary(const char *fileName)
{
    return std::string_view(fileName) == "rasapi32.dll" ? static_cast<RasLibrary>(&m_library) : nullptr;
}

RasProc NetworkManagerRasModule::FindFunction(RasLibrary library, const char *name)
{
    if (library != &m_library || std::string_view(name) != "RasGetEntryPropertiesA") return nullptr;
    return reinterpret_cast<RasProc>(&nmGetEntryProperties);
}

RasDword NetworkManagerRasModule::GetEntryProperties(const char *entry, void *buffer, RasDword *entrySize,
                                                     RasDword *deviceInfoSize)
{
    if (!entry || !entrySize) return ERROR_BUFFER_INVALID;
    const NmCache::Entry *found = m_cache.findEntry(entry);
    if (!found) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!buffer || *entrySize < RasLayout::EntrySize) {
        *entrySize = RasLayout::EntrySize;
        if (deviceInfoSize) *deviceInfoSize = 0;
        return ERROR_BUFFER_TOO_SMALL;
    }
    if (ReadRasDword(buffer) != RasLayout::EntrySize) return ERROR_INVALID_SIZE;
    WriteRasString(static_cast<unsigned char *>(buffer) + RasLayout::Entry_szLocalPhoneNumber,
                   RasLayout::PhoneNumberCapacity, found->number);
    return RAS_SUCCESS;
}

#include "RasNetworkManager.moc"
