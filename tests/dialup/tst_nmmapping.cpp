// Which NetworkManager profiles are phonebook entries with which number, and the RAS state of an
// active connection.
#include "dialup/NmMapping.h"

#include <QTest>

namespace {
// A profile named "Name" from "setting.key" = value pairs.
NmSettings settings(std::initializer_list<std::pair<const char *, QVariant>> values)
{
    NmSettings s;
    s[QStringLiteral("connection")][QStringLiteral("id")] = QStringLiteral("Name");
    for (const auto &[key, value] : values) {
        const QStringList parts = QString::fromLatin1(key).split(QLatin1Char('.'));
        s[parts.at(0)][parts.at(1)] = value;
    }
    return s;
}
}

class TestNmMapping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entry_data()
    {
        QTest::addColumn<NmSettings>("profile");
        QTest::addColumn<bool>("isEntry");
        QTest::addColumn<QString>("number");
        const std::pair<const char *, QVariant> metered{"connection.metered", 1};
        QTest::newRow("gsm: the APN") << settings({{"connection.type", "gsm"}, {"gsm.apn", "web.example"}}) << true
                                      << "web.example";
        QTest::newRow("cdma without number")
            << settings({{"connection.type", "cdma"}, {"cdma.number", ""}}) << true << "#777";
        QTest::newRow("cdma with number")
            << settings({{"connection.type", "cdma"}, {"cdma.number", "#778"}}) << true << "#778";
        QTest::newRow("bluetooth dun over gsm")
            << settings({{"connection.type", "bluetooth"}, {"bluetooth.type", "dun"}, {"gsm.apn", "web.example"}})
            << true << "web.example";
        QTest::newRow("bluetooth dun over cdma")
            << settings({{"connection.type", "bluetooth"}, {"bluetooth.type", "dun"}, {"cdma.password", ""}}) << true
            << "#777";
        QTest::newRow("bluetooth network, not metered")
            << settings({{"connection.type", "bluetooth"}, {"bluetooth.type", "panu"}}) << false << "";
        QTest::newRow("bluetooth network, metered")
            << settings({{"connection.type", "bluetooth"}, {"bluetooth.type", "panu"}, metered}) << true << "";
        QTest::newRow("pppoe: the service")
            << settings({{"connection.type", "pppoe"}, {"pppoe.service", "dsl-provider"}}) << true << "dsl-provider";
        QTest::newRow("adsl") << settings({{"connection.type", "adsl"}, {"adsl.protocol", "pppoa"}}) << true << "";
        QTest::newRow("metered Wi-Fi: the SSID as UTF-8")
            << settings({{"connection.type", "802-11-wireless"},
                         {"802-11-wireless.ssid", QByteArray("Caf\xc3\xa9 Hotspot")},
                         metered})
            << true << QStringLiteral("Caf\u00e9 Hotspot");
        QTest::newRow("Wi-Fi marked not metered")
            << settings({{"connection.type", "802-11-wireless"}, {"connection.metered", 2}}) << false << "";
        QTest::newRow("Wi-Fi, metered unknown") << settings({{"connection.type", "802-11-wireless"}}) << false << "";
        QTest::newRow("metered Ethernet (USB tethering)")
            << settings({{"connection.type", "802-3-ethernet"}, metered}) << true << "";
        QTest::newRow("metered VPN") << settings({{"connection.type", "vpn"}, metered}) << false << "";
        QTest::newRow("metered WireGuard") << settings({{"connection.type", "wireguard"}, metered}) << false << "";
    }
    void entry()
    {
        QFETCH(NmSettings, profile);
        QFETCH(bool, isEntry);
        QFETCH(QString, number);
        const std::optional<NmEntry> entry = NmPhonebookEntry(profile);
        QCOMPARE(entry.has_value(), isEntry);
        if (!entry) return;
        QCOMPARE(entry->name, QStringLiteral("Name"));
        QCOMPARE(entry->number, number);
    }

    // Activated is "connected" whatever the device says; while activating, the device's steps give
    // the dialling phases in their order; the end of a connection is "disconnected".
    void rasState_data()
    {
        QTest::addColumn<quint32>("active");
        QTest::addColumn<quint32>("device");
        QTest::addColumn<quint32>("ras");
        QTest::newRow("activated") << NmActiveActivated << NmDeviceActivated << RASCS_Connected;
        QTest::newRow("activating, no device yet") << NmActiveActivating << NmDeviceUnknown << RASCS_OpenPort;
        QTest::newRow("prepare") << NmActiveActivating << NmDevicePrepare << RASCS_ConnectDevice;
        QTest::newRow("config") << NmActiveActivating << NmDeviceConfig << RASCS_DeviceConnected;
        QTest::newRow("need-auth") << NmActiveActivating << NmDeviceNeedAuth << RASCS_StartAuthentication;
        QTest::newRow("ip-config") << NmActiveActivating << NmDeviceIpConfig << RASCS_Authenticate;
        QTest::newRow("ip-check") << NmActiveActivating << NmDeviceIpCheck << RASCS_LogonNetwork;
        QTest::newRow("device failed") << NmActiveActivating << NmDeviceFailed << RASCS_Disconnected;
        QTest::newRow("deactivating") << NmActiveDeactivating << NmDeviceActivated << RASCS_Disconnected;
        QTest::newRow("deactivated") << NmActiveDeactivated << NmDeviceDisconnected << RASCS_Disconnected;
        // Unknown to NetworkManager: a state the monitor does not know either, so its phase stays.
        QTest::newRow("unknown") << NmActiveUnknown << NmDeviceActivated << NmUnknownRasState;
    }
    void rasState()
    {
        QFETCH(quint32, active);
        QFETCH(quint32, device);
        QFETCH(quint32, ras);
        QCOMPARE(NmRasState(active, device), ras);
    }

    void utf8_cutAtCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("ASCII cut") << "abc" << 2 << QByteArray("ab");
        QTest::newRow("two-byte character cut") << QStringLiteral("a\u00e4") << 2 << QByteArray("a");
        QTest::newRow("euro sign cut") << QStringLiteral("\u20ac\u20ac") << 5 << QByteArray("\xe2\x82\xac");
    }
    void utf8_cutAtCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(QByteArray, utf8);
        QCOMPARE(QByteArray::fromStdString(NmUtf8(text, std::size_t(maxBytes))), utf8);
    }
};

QTEST_GUILESS_MAIN(TestNmMapping)
#include "tst_nmmapping.moc"
