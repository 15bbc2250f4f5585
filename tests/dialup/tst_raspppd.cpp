// The Linux RAS module over a temporary tree laid out as pppd and its configuration lay it out.
#include "dialup/Ras.h"
#include "dialup/RasPppd.h"
#include "tests/support/FakeRas.h"

#include <QFile>
#include <QTest>

#include <unistd.h>
#include <vector>

namespace {
QStringList entries()
{
    std::vector<unsigned char> buffer(RasLayout::EntryNameStride * 64, 0);
    WriteRasDword(buffer.data(), RasLayout::EntryNameSize);
    RasDword bytes = RasDword(buffer.size()), count = 0;
    if (RasEnumEntriesA(nullptr, nullptr, buffer.data(), &bytes, &count) != RAS_SUCCESS)
        return {QStringLiteral("<failed>")};
    QStringList names;
    for (RasDword i = 0; i < count; ++i)
        names << QString::fromStdString(
            ReadRasString(buffer.data() + i * RasLayout::EntryNameStride + RasLayout::EntryName_szEntryName,
                          RasLayout::EntryNameCapacity));
    return names;
}

QString number(const char *entry)
{
    RasDword size = 0, info = 0;
    if (RasGetEntryProperties(nullptr, entry, nullptr, &size, nullptr, &info) != ERROR_BUFFER_TOO_SMALL)
        return "<probe failed>";
    std::vector<unsigned char> buffer(size, 0);
    WriteRasDword(buffer.data(), RasLayout::EntrySize);
    if (RasGetEntryProperties(nullptr, entry, buffer.data(), &size, nullptr, &info) != RAS_SUCCESS)
        return "<read failed>";
    return QString::fromStdString(
        ReadRasString(buffer.data() + RasLayout::Entry_szLocalPhoneNumber, RasLayout::PhoneNumberCapacity));
}

// "entry device state" per active connection, in enumeration order.
QStringList connections()
{
    std::vector<unsigned char> buffer(RasLayout::ConnStride * RasLayout::MaxConnections, 0);
    WriteRasDword(buffer.data(), RasLayout::ConnSize);
    RasDword bytes = RasDword(buffer.size()), count = 0;
    if (RasEnumConnectionsA(buffer.data(), &bytes, &count) != RAS_SUCCESS) return {QStringLiteral("<failed>")};
    QStringList found;
    for (RasDword i = 0; i < count; ++i) {
        const unsigned char *c = buffer.data() + i * RasLayout::ConnStride;
        unsigned char status[RasLayout::ConnStatusSize] = {};
        WriteRasDword(status, RasLayout::ConnStatusSize);
        RasGetConnectStatusA(ReadRasHandle(c + RasLayout::Conn_hrasconn), status);
        found << QStringLiteral("%1 %2 %3 %4")
                     .arg(QString::fromStdString(
                              ReadRasString(c + RasLayout::Conn_szEntryName, RasLayout::EntryNameCapacity)),
                          QString::fromStdString(
                              ReadRasString(c + RasLayout::Conn_szDeviceType, RasLayout::DeviceTypeCapacity)),
                          QString::fromStdString(
                              ReadRasString(c + RasLayout::Conn_szDeviceName, RasLayout::DeviceNameCapacity)))
                     .arg(ReadRasDword(status + RasLayout::ConnStatus_rasconnstate));
    }
    return found;
}

QString state(RasDword s) { return QString::number(s); }
}

class TestRasPppd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entries_arePeerFilesInNameOrderWithoutLeftovers()
    {
        PppdTree tree;
        for (const char *name : {"zeta", "provider", "alpha~", "provider.bak", "provider.dpkg-old", "Beta", ".hidden"})
            tree.addPeer(QString::fromLatin1(name), "noauth\n");
        tree.write("etc/ppp/peers/folder/file", "x");   // a folder is no peer
        QCOMPARE(entries(), (QStringList{"Beta", "provider", "zeta"}));
    }

    void entries_missingOrUnreadablePeersFolder_none()
    {
        PppdTree tree;
        QCOMPARE(entries(), QStringList{});
        tree.write("etc/ppp/peers", "not a folder");
        QCOMPARE(entries(), QStringList{});
    }

    void enumEntries_smallBuffer_asksForTheSize()
    {
        PppdTree tree;
        tree.addPeer("a", "");
        tree.addPeer("b", "");
        unsigned char one[RasLayout::EntryNameStride] = {};
        WriteRasDword(one, RasLayout::EntryNameSize);
        RasDword bytes = sizeof one, count = 0;
        QCOMPARE(RasEnumEntriesA(nullptr, nullptr, one, &bytes, &count), ERROR_BUFFER_TOO_SMALL);
        QCOMPARE(bytes, RasDword(2 * 264));
        WriteRasDword(one, 100);
        bytes = sizeof one;
        QCOMPARE(RasEnumEntriesA(nullptr, nullptr, one, &bytes, &count), ERROR_INVALID_SIZE);
    }

    void number_data()
    {
        QTest::addColumn<QByteArray>("peer");
        QTest::addColumn<QByteArray>("script");   // etc/chatscripts/provider, when not empty
        QTest::addColumn<QString>("number");
        QTest::newRow("inline chat, ATDT")
            << QByteArray("/dev/ttyS0 115200\nconnect \"/usr/sbin/chat -v '' ATZ OK ATDT0192658 CONNECT\"\n")
            << QByteArray() << "0192658";
        QTest::newRow("inline chat, ATDP")
            << QByteArray("connect 'chat \"\" ATDP0192658'") << QByteArray() << "0192658";
        QTest::newRow("inline chat, ATD") << QByteArray("connect \"chat '' ATD*99#\"") << QByteArray() << "*99#";
        QTest::newRow("chat -f script") << QByteArray("connect \"/usr/sbin/chat -v -f /etc/chatscripts/provider\"")
                                        << QByteArray("ABORT BUSY\n'' ATZ\nOK \"ATDT0800 555\"\nCONNECT ''\n")
                                        << "0800 555";
        QTest::newRow("chat -f with -T") << QByteArray("connect \"chat -f /etc/chatscripts/provider -T 0192658\"")
                                         << QByteArray("'' ATZ OK ATDT\\T CONNECT") << "0192658";
        QTest::newRow("last connect option counts")
            << QByteArray("connect \"chat '' ATDT1\"\nconnect \"chat '' ATDT2\"") << QByteArray() << "2";
        QTest::newRow("script file missing")
            << QByteArray("connect \"chat -f /etc/chatscripts/none\"") << QByteArray() << "";
        QTest::newRow("no connect option") << QByteArray("noauth\n") << QByteArray() << "";
        QTest::newRow("connect without chat") << QByteArray("connect /bin/true") << QByteArray() << "";
    }
    void number()
    {
        QFETCH(QByteArray, peer);
        QFETCH(QByteArray, script);
        QFETCH(QString, number);
        PppdTree tree;
        tree.addPeer("provider", peer);
        if (!script.isEmpty()) tree.write("etc/chatscripts/provider", script);
        QCOMPARE(::number("provider"), number);
    }

    void number_unknownEntry_probeFails()
    {
        PppdTree tree;
        tree.addPeer("provider", "");
        RasDword size = 0, info = 0;
        QCOMPARE(RasGetEntryProperties(nullptr, "other", nullptr, &size, nullptr, &info),
                 ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
        QCOMPARE(RasGetEntryProperties(nullptr, "../peers/provider", nullptr, &size, nullptr, &info),
                 ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
    }

    void number_unreadableFiles_empty()
    {
        PppdTree tree;
        tree.addPeer("provider", "connect \"chat -f /etc/chatscripts/provider\"");
        tree.write("etc/chatscripts/provider/inner", "a folder where the script should be");
        QCOMPARE(::number("provider"), QString());
        if (::geteuid() == 0) QSKIP("permissions do not keep root out; the folder case above stands in");
        tree.remove("etc/chatscripts/provider");
        tree.write("etc/chatscripts/provider", "'' ATDT0192658");
        QFile::setPermissions(tree.path("etc/chatscripts/provider"), QFileDevice::Permissions{});
        QCOMPARE(::number("provider"), QString());
        QFile::setPermissions(tree.path("etc/ppp/peers/provider"), QFileDevice::Permissions{});
        QCOMPARE(entries(), QStringList{"provider"});   // still listed, without a number
        QCOMPARE(::number("provider"), QString());
    }

    void connection_states()
    {
        PppdTree tree;
        tree.addPeer("provider", "/dev/ttyS0\nconnect \"chat '' ATDT0192658\"\n");
        QCOMPARE(connections(), QStringList{});
        tree.startPppd(4711, "provider");
        tree.writeLinkPidFile(4711, "provider");   // dialling: no interface yet
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_ConnectDevice)});
        tree.writeLinkPidFile(4711, "provider", "ppp0");
        tree.writeUnitPidFile(4711, "ppp0");
        QCOMPARE(connections(),
                 QStringList{"provider modem ttyS0 " + state(RASCS_ConnectDevice)});   // no /sys entry yet
        tree.setInterface("ppp0", 0x1090, "");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Authenticate)});
        tree.setInterface("ppp0", 0x1091, "0\n");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Authenticate)});   // no carrier
        tree.setInterface("ppp0", 0x1091, "1\n");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Connected)});
        tree.remove("run/ppp-provider.pid");
        tree.remove("run/ppp0.pid");
        QCOMPARE(connections(), QStringList{});
    }

    // Once its interface has been up, a link whose interface goes down or disappears is over, even
    // while pppd runs on to redial; an interface that comes up again is connected again.
    void connection_interfaceDownOrGone_disconnected_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("not up") << "flags";
        QTest::newRow("operstate down") << "operstate";
        QTest::newRow("gone") << "gone";
    }
    void connection_interfaceDownOrGone_disconnected()
    {
        QFETCH(QString, how);
        PppdTree tree;
        tree.addPeer("provider", "/dev/ttyS0\n");
        tree.startPppd(4711, "provider");
        tree.writeUnitPidFile(4711, "ppp0");
        tree.setInterface("ppp0", 0x1091, "1\n");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Connected)});
        if (how == "flags") tree.setInterface("ppp0", 0x1090, "1\n");
        if (how == "operstate") tree.write("sys/class/net/ppp0/operstate", "down\n");
        if (how == "gone") tree.remove("sys/class/net/ppp0");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Disconnected)});
        tree.remove("sys/class/net/ppp0");
        tree.setInterface("ppp0", 0x1091, "1\n");
        QCOMPARE(connections(), QStringList{"provider modem ttyS0 " + state(RASCS_Connected)});
    }

    void connection_twoPeersAtOnce_eachWithItsOwnState()
    {
        PppdTree tree;
        tree.addPeer("isdn", "/dev/ttyS0\n");
        tree.addPeer("stick", "/dev/ttyUSB0\n");
        tree.startPppd(100, "isdn");
        tree.writeUnitPidFile(100, "ppp0");
        tree.setInterface("ppp0", 0x1091, "1\n");
        tree.startPppd(200, "stick");
        tree.writeLinkPidFile(200, "stick");
        QCOMPARE(connections(), (QStringList{"isdn modem ttyS0 " + state(RASCS_Connected),
                                             "stick modem ttyUSB0 " + state(RASCS_ConnectDevice)}));
        tree.writeUnitPidFile(200, "ppp1");
        tree.setInterface("ppp1", 0x1091, "1\n");
        tree.remove("run/ppp0.pid");
        QCOMPARE(connections(), QStringList{"stick modem ttyUSB0 " + state(RASCS_Connected)});
    }

    void connection_pidFileLayouts_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("link");   // ppp-LINK.pid with the interface, else pppN.pid
        for (const char *folder : {"run/pppd", "var/run/pppd", "run", "var/run"}) {
            QTest::addRow("%s link", folder) << QString::fromLatin1(folder) << true;
            QTest::addRow("%s unit", folder) << QString::fromLatin1(folder) << false;
        }
    }
    void connection_pidFileLayouts()
    {
        QFETCH(QString, folder);
        QFETCH(bool, link);
        PppdTree tree;
        tree.addPeer("provider", "");
        tree.startPppd(812, "provider", {"/dev/ttyUSB0"});
        if (link)
            tree.writeLinkPidFile(812, "isp", "ppp3", folder);
        else
            tree.writeUnitPidFile(812, "ppp3", folder);
        tree.setInterface("ppp3", 0x11, "1");
        QCOMPARE(connections(), QStringList{"provider modem ttyUSB0 " + state(RASCS_Connected)});
    }

    void connection_samePppdInSeveralPidFiles_once()
    {
        PppdTree tree;
        tree.addPeer("provider", "");
        tree.startPppd(812, "provider");
        tree.writeLinkPidFile(812, "provider", "ppp0", "run");
        tree.writeUnitPidFile(812, "ppp0", "run");
        tree.writeUnitPidFile(812, "ppp0", "var/run");
        QCOMPARE(connections().size(), 1);
    }

    void connection_notAPppdForAPeer_notEnumerated_data()
    {
        QTest::addColumn<QByteArray>("comm");   // empty: no /proc entry at all (stale pid file)
        QTest::addColumn<QList<QByteArray>>("args");
        QTest::newRow("stale pid file") << QByteArray() << QList<QByteArray>{};
        QTest::newRow("pid reused by another program") << QByteArray("bash") << QList<QByteArray>{"bash"};
        QTest::newRow("pppd without call") << QByteArray("pppd") << QList<QByteArray>{"pppd", "/dev/ttyS0", "noauth"};
        QTest::newRow("call without a name") << QByteArray("pppd") << QList<QByteArray>{"pppd", "call"};
        QTest::newRow("call with a path") << QByteArray("pppd") << QList<QByteArray>{"pppd", "call", "../x"};
    }
    void connection_notAPppdForAPeer_notEnumerated()
    {
        QFETCH(QByteArray, comm);
        QFETCH(QList<QByteArray>, args);
        PppdTree tree;
        tree.addPeer("provider", "");
        if (!comm.isEmpty()) tree.addProcess(999, comm, args);
        tree.writeUnitPidFile(999, "ppp0");
        tree.setInterface("ppp0", 0x11, "1");
        QCOMPARE(connections(), QStringList{});
    }

    void connection_deviceFromCommandLineOrPeer_data()
    {
        QTest::addColumn<QList<QByteArray>>("args");   // after "pppd"
        QTest::addColumn<QString>("device");
        QTest::newRow("peer file") << QList<QByteArray>{"call", "provider"} << "ttyS1";
        QTest::newRow("after call overrides") << QList<QByteArray>{"call", "provider", "/dev/ttyUSB0"} << "ttyUSB0";
        QTest::newRow("before call is overridden") << QList<QByteArray>{"ttyUSB0", "call", "provider"} << "ttyS1";
    }
    void connection_deviceFromCommandLineOrPeer()
    {
        QFETCH(QList<QByteArray>, args);
        QFETCH(QString, device);
        PppdTree tree;
        tree.addPeer("provider", "/dev/ttyS1\n");
        tree.addProcess(77, "pppd", QList<QByteArray>{"pppd"} + args);
        tree.writeLinkPidFile(77, "provider");
        QCOMPARE(connections(), QStringList{"provider modem " + device + " " + state(RASCS_ConnectDevice)});
    }

    void connection_pppdEndsBetweenEnumerationAndStatus_disconnected()
    {
        PppdTree tree;
        tree.addPeer("provider", "");
        tree.startPppd(55, "provider");
        tree.writeUnitPidFile(55, "ppp0");
        std::vector<unsigned char> buffer(RasLayout::ConnStride * RasLayout::MaxConnections, 0);
        WriteRasDword(buffer.data(), RasLayout::ConnSize);
        RasDword bytes = RasDword(buffer.size()), count = 0;
        QCOMPARE(RasEnumConnectionsA(buffer.data(), &bytes, &count), RAS_SUCCESS);
        QCOMPARE(count, RasDword(1));
        tree.remove("proc/55");
        unsigned char status[RasLayout::ConnStatusSize] = {};
        WriteRasDword(status, RasLayout::ConnStatusSize);
        QCOMPARE(RasGetConnectStatusA(ReadRasHandle(buffer.data() + RasLayout::Conn_hrasconn), status),
                 ERROR_NO_CONNECTION);
        QCOMPARE(ReadRasDword(status + RasLayout::ConnStatus_rasconnstate), RASCS_Disconnected);
    }

    void wrongDwSize_isRefusedByEveryCall()
    {
        PppdTree tree;
        tree.addPeer("provider", "");
        tree.startPppd(55, "provider");
        tree.writeUnitPidFile(55, "ppp0");
        std::vector<unsigned char> buffer(RasLayout::ConnStride * RasLayout::MaxConnections, 0);
        WriteRasDword(buffer.data(), RasLayout::ConnSize);
        RasDword bytes = RasDword(buffer.size()), count = 0;
        QCOMPARE(RasEnumConnectionsA(buffer.data(), &bytes, &count), RAS_SUCCESS);
        unsigned char status[RasLayout::ConnStatusSize] = {};
        WriteRasDword(status, RasLayout::ConnStatusSize + 4);
        QCOMPARE(RasGetConnectStatusA(ReadRasHandle(buffer.data() + RasLayout::Conn_hrasconn), status),
                 ERROR_INVALID_SIZE);
        std::vector<unsigned char> entry(RasLayout::EntrySize, 0);
        RasDword size = RasLayout::EntrySize, info = 0;   // dwSize left 0
        QCOMPARE(RasGetEntryProperties(nullptr, "provider", entry.data(), &size, nullptr, &info), ERROR_INVALID_SIZE);
    }

    void enumConnections_smallBuffer_asksForTheSize()
    {
        PppdTree tree;
        tree.addPeer("provider", "");
        tree.startPppd(55, "provider");
        tree.writeUnitPidFile(55, "ppp0");
        unsigned char small[8] = {};
        WriteRasDword(small, RasLayout::ConnSize);
        RasDword bytes = sizeof small, count = 0;
        QCOMPARE(RasEnumConnectionsA(small, &bytes, &count), ERROR_BUFFER_TOO_SMALL);
        QCOMPARE(bytes, RasDword(RasLayout::ConnStride));
        // The other pointer width's RASCONN is refused, as a real RAS refuses it.
        WriteRasDword(small, RasLayout::connLayoutFor(sizeof(void *) == 8 ? 4 : 8).size);
        QCOMPARE(RasEnumConnectionsA(small, &bytes, &count), ERROR_INVALID_SIZE);
    }
};

QTEST_GUILESS_MAIN(TestRasPppd)
#include "tst_raspppd.moc"
