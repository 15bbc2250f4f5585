// The monitor over the Linux RAS module with NetworkManager on a private system bus:
// python-dbusmock's NetworkManager (with a modem device added), its profiles and an active
// connection changing as a desktop's would, and NetworkManager leaving the bus and coming back.
#include "dialup/NmMapping.h"
#include "dialup/VexRasConnect.h"
#include "tests/support/FakeRas.h"
#include "tests/support/PrivateBus.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QTest>
#include <QWidget>

namespace {
const QString Nm = QStringLiteral("org.freedesktop.NetworkManager");
const QString MockPath = QStringLiteral("/org/freedesktop");
const QString Mock = QStringLiteral("org.freedesktop.DBus.Mock");
const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString ProfileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString ActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString DeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString ModemPath = QStringLiteral("/org/freedesktop/NetworkManager/Devices/modem0");

// A method of an object added to the mock: name, in and out signature, Python code.
struct MockMethod
{
    QString name, in, out, code;
};
QDBusArgument &operator<<(QDBusArgument &a, const MockMethod &m)
{
    a.beginStructure();
    a << m.name << m.in << m.out << m.code;
    a.endStructure();
    return a;
}
const QDBusArgument &operator>>(const QDBusArgument &a, MockMethod &m)
{
    a.beginStructure();
    a >> m.name >> m.in >> m.out >> m.code;
    a.endStructure();
    return a;
}

QDBusMessage call(const QString &path, const QString &interface, const QString &method, const QVariantList &args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(Nm, path, interface, method);
    m.setArguments(args);
    return QDBusConnection::systemBus().call(m, QDBus::Block, 5000);
}

bool ok(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage) qWarning() << reply.errorName() << reply.errorMessage();
    return reply.type() == QDBusMessage::ReplyMessage;
}

QString pathOf(const QDBusMessage &reply)   // an 'o' from NetworkManager, an 's' from the mock's own methods
{
    const QVariant v = reply.arguments().value(0);
    return v.metaType() == QMetaType::fromType<QDBusObjectPath>() ? v.value<QDBusObjectPath>().path() : v.toString();
}

bool setNmProperty(const QString &path, const QString &interface, const QString &name, const QVariant &value)
{
    return ok(call(path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                   {interface, name, QVariant::fromValue(QDBusVariant(value))}));
}

bool emitSignal(const QString &path, const QString &interface, const QString &name, const QString &signature,
                const QVariantList &args)
{
    return ok(call(path, Mock, QStringLiteral("EmitSignal"), {interface, name, signature, QVariant(args)}));
}

NmSettings profile(const QString &id, const QString &type, const NmSettings &more = {})
{
    NmSettings s = more;
    s[QStringLiteral("connection")][QStringLiteral("id")] = id;
    s[QStringLiteral("connection")][QStringLiteral("type")] = type;
    return s;
}
}
Q_DECLARE_METATYPE(MockMethod)

class TestNmMonitor : public QObject
{
    Q_OBJECT

private:
    PppdTree m_tree;   // the pppd part of the module: one peer
    QProcess m_networkManager;
    QWidget m_form;
    TVexRasConnect *m_monitor = nullptr;
    QMap<QString, QString> m_profiles;   // name -> object path
    QList<TCStatus> m_phases;            // OnConnectionStatus

    bool startNetworkManager()
    {
        m_networkManager.setStandardOutputFile(QProcess::nullDevice());
        m_networkManager.start(QStringLiteral("/usr/bin/python3"), {"-m", "dbusmock", "--template", "networkmanager"});
        if (!m_networkManager.waitForStarted()) return false;
        for (int i = 0; i < 200; ++i, QTest::qWait(50)) {
            QDBusMessage has = QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                              "org.freedesktop.DBus", "NameHasOwner");
            has << Nm;
            if (QDBusConnection::systemBus().call(has).arguments().value(0).toBool()) return true;
        }
        return false;
    }

    bool addProfile(const NmSettings &settings)
    {
        const QDBusMessage reply = call(SettingsPath, QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                                        QStringLiteral("AddConnection"), {QVariant::fromValue(settings)});
        m_profiles[settings.value("connection").value("id").toString()] = pathOf(reply);
        return ok(reply);
    }

    QString activate(const QString &name, const QStringList &devices, quint32 state)
    {
        return pathOf(call(MockPath, Mock, QStringLiteral("AddActiveConnection"),
                           {devices, m_profiles.value(name), QStringLiteral("/"), name, state}));
    }

    // What the monitor shows after a poll, as its timer would run it.
    QStringList polledEntries()
    {
        m_monitor->Poll();
        return m_monitor->AvailableEntries();
    }
    QString polledStatus()
    {
        m_monitor->Poll();
        return m_monitor->Status();
    }

private Q_SLOTS:
    void initTestCase()
    {
        qDBusRegisterMetaType<NmSettings>();
        qDBusRegisterMetaType<MockMethod>();
        qDBusRegisterMetaType<QList<MockMethod>>();
        m_tree.addPeer("provider", "connect \"chat '' ATDT0192658\"\n");
        SetRasModule(nullptr);   // the platform's module: pppd's peers, then NetworkManager's profiles
        m_monitor = new TVexRasConnect(&m_form);
        m_monitor->SetLanguage(TLanguage::english);
        m_monitor->OnConnectionStatus = [this](TVexRasConnect *, TCStatus s) { m_phases << s; };
    }

    void withoutNetworkManager_peersOnly()
    {
        for (int i = 0; i < 5; ++i, QTest::qWait(20)) QCOMPARE(polledEntries(), QStringList{"provider"});
        QCOMPARE(m_monitor->Status(), QStringLiteral("Disconnected or failed connection"));
    }

    void networkManagerStarts_itsDialUpProfilesFollowThePeers()
    {
        QVERIFY(startNetworkManager());
        const QVariantMap metered{{"metered", 1}};
        QVERIFY(addProfile(profile("Mobile", "gsm", {{"gsm", {{"apn", "web.provider.example"}}}})));
        QVERIFY(addProfile(profile("CDMA stick", "cdma")));
        QVERIFY(addProfile(
            profile("Phone DUN", "bluetooth", {{"bluetooth", {{"type", "dun"}}}, {"gsm", {{"apn", "dun.example"}}}})));
        QVERIFY(addProfile(profile("Phone PAN", "bluetooth", {{"bluetooth", {{"type", "panu"}}}})));
        QVERIFY(addProfile(profile("DSL", "pppoe", {{"pppoe", {{"service", "dsl-provider"}}}})));
        QVERIFY(addProfile(profile("ADSL modem", "adsl")));
        QVERIFY(
            addProfile(profile("Hotspot", "802-11-wireless",
                               {{"connection", metered}, {"802-11-wireless", {{"ssid", QByteArray("AndroidAP")}}}})));
        QVERIFY(
            addProfile(profile("Office", "802-11-wireless", {{"802-11-wireless", {{"ssid", QByteArray("Office")}}}})));
        QVERIFY(addProfile(profile("Office VPN", "vpn", {{"connection", metered}})));
        // Another user's profile refuses its settings; a profile that vanished at once has no object.
        const QString refused = SettingsPath + QStringLiteral("/99");
        const MockMethod denied{"GetSettings", "", "a{sa{sv}}",
                                "raise dbus.exceptions.DBusException('not yours', "
                                "name='org.freedesktop.NetworkManager.Settings.PermissionDenied')"};
        QVERIFY(ok(call(MockPath, Mock, "AddObject",
                        {refused, ProfileInterface, QVariantMap(), QVariant::fromValue(QList<MockMethod>{denied})})));
        for (const QString &path : {refused, SettingsPath + QStringLiteral("/404")})
            QVERIFY(emitSignal(SettingsPath, "org.freedesktop.NetworkManager.Settings", "NewConnection", "o",
                               {QVariant::fromValue(QDBusObjectPath(path))}));

        QTRY_COMPARE(polledEntries(),
                     (QStringList{"provider", "ADSL modem", "CDMA stick", "DSL", "Hotspot", "Mobile", "Phone DUN"}));
        QCOMPARE(m_monitor->AvailableNumbers(), (QStringList{"0192658", "", "#777", "dsl-provider", "AndroidAP",
                                                             "web.provider.example", "dun.example"}));
    }

    void modemConnection_goesThroughItsPhases()
    {
        // A modem as ModemManager's stick shows up: device type 8, its port, no IP interface yet.
        QDBusArgument reason;
        reason.beginStructure();
        reason << NmDeviceDisconnected << 0u;
        reason.endStructure();
        const QVariantMap modem{{"DeviceType", 8u},
                                {"State", NmDeviceDisconnected},
                                {"StateReason", QVariant::fromValue(reason)},
                                {"Interface", "ttyUSB2"},
                                {"IpInterface", ""},
                                {"ActiveConnection", QVariant::fromValue(QDBusObjectPath("/"))},
                                {"AvailableConnections", QVariant::fromValue(QList<QDBusObjectPath>{})}};
        QVERIFY(ok(call(MockPath, Mock, "AddObject",
                        {ModemPath, DeviceInterface, modem, QVariant::fromValue(QList<MockMethod>{})})));
        m_phases.clear();
        const QString active = activate("Mobile", {ModemPath}, NmActiveActivating);
        QVERIFY(!active.isEmpty());
        QVERIFY(setNmProperty(ModemPath, DeviceInterface, "State", NmDevicePrepare));
        QTRY_COMPARE(polledStatus(), QStringLiteral("gsm ttyUSB2 A device is about to be connected"));
        QCOMPARE(m_monitor->ConnectedEntry(), QStringLiteral("Mobile"));
        QCOMPARE(m_monitor->ConnectedNumber(), QStringLiteral("web.provider.example"));
        QVERIFY(!m_monitor->IsConnected());

        QVERIFY(setNmProperty(ModemPath, DeviceInterface, "State", NmDeviceIpConfig));
        QTRY_COMPARE(polledStatus(), QStringLiteral("gsm ttyUSB2 The authentication process is starting"));
        QVERIFY(setNmProperty(ModemPath, DeviceInterface, "IpInterface", "wwan0"));
        QVERIFY(setNmProperty(active, ActiveInterface, "State", NmActiveActivated));
        QTRY_COMPARE(polledStatus(), QStringLiteral("gsm wwan0 Connected succesfully"));
        QVERIFY(m_monitor->IsConnected());

        // Only the signal, as NetworkManager sends it before the property.
        QVERIFY(emitSignal(active, ActiveInterface, "StateChanged", "uu", {NmActiveDeactivating, 0u}));
        QTRY_COMPARE(polledStatus(), QStringLiteral("gsm wwan0 Disconnected or failed connection"));
        QVERIFY(!m_monitor->IsConnected());
        QVERIFY(ok(call(MockPath, Mock, "RemoveActiveConnection", {ModemPath, active})));
        QTRY_COMPARE(polledStatus(), QStringLiteral("Disconnected or failed connection"));
        QCOMPARE(m_monitor->ConnectedEntry(), QString());
        QCOMPARE(m_phases, (QList<TCStatus>{TCStatus::connecting, TCStatus::authenticating, TCStatus::connected,
                                            TCStatus::disconnected}));
    }

    void profileRenamedAndDeleted_whileRunning()
    {
        QVERIFY(ok(call(m_profiles.value("Mobile"), ProfileInterface, "Update",
                        {QVariant::fromValue(NmSettings{{"connection", {{"id", "Mobile (new SIM)"}}}})})));
        QVERIFY(ok(call(m_profiles.value("DSL"), ProfileInterface, "Delete")));
        QTRY_COMPARE(polledEntries(),
                     (QStringList{"provider", "ADSL modem", "CDMA stick", "Hotspot", "Mobile (new SIM)", "Phone DUN"}));
    }

    void networkManagerLeaves_connectionEndsAndEntriesGo_thenReturn()
    {
        QVERIFY(!activate("Hotspot", {}, NmActiveActivated).isEmpty());
        QVERIFY(!activate("Office VPN", {}, NmActiveActivated).isEmpty());   // on top of it: no entry
        QTRY_VERIFY((m_monitor->Poll(), m_monitor->IsConnected()));
        QCOMPARE(m_monitor->ConnectedEntry(), QStringLiteral("Hotspot"));
        m_networkManager.kill();
        QVERIFY(m_networkManager.waitForFinished());
        QTRY_VERIFY((m_monitor->Poll(), !m_monitor->IsConnected()));
        QCOMPARE(m_monitor->AvailableEntries(), QStringList{"provider"});

        QVERIFY(startNetworkManager());
        QVERIFY(addProfile(profile("Mobile", "gsm", {{"gsm", {{"apn", "web.provider.example"}}}})));
        QTRY_COMPARE(polledEntries(), (QStringList{"provider", "Mobile"}));
    }
};

int main(int argc, char **argv)
{
    PrivateSystemBus bus;   // before the application, so that Qt's system bus is this one
    if (!bus.isRunning()) return 1;
    QApplication app(argc, argv);
    TestNmMonitor test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gui_nmmonitor.moc"
