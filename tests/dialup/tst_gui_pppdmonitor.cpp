// The monitor over the Linux module: a dial-up through pppd, from dialling to hang-up, in a
// temporary tree laid out as pppd lays out the real system.
#include "dialup/VexRasConnect.h"
#include "tests/support/FakeRas.h"

#include <QTest>
#include <QWidget>

class TestPppdMonitor : public QObject
{
    Q_OBJECT

private:
    static void addPeers(const PppdTree &tree)
    {
        tree.addPeer("provider", "/dev/ttyS0\n115200\nconnect \"/usr/sbin/chat -v -f /etc/chatscripts/provider\"\n"
                                 "noauth\ndefaultroute\n");
        tree.write("etc/chatscripts/provider", "ABORT BUSY\n'' ATZ\nOK ATDT0192658\nCONNECT ''\n");
        tree.addPeer("work", "/dev/ttyUSB0\nconnect \"chat -v '' ATZ OK ATDP0800555 CONNECT\"\n");
        tree.addPeer("provider~", "connect \"chat '' ATDT999\"\n");
        tree.addPeer("work.dpkg-old", "");
    }

private Q_SLOTS:
    void entriesAndNumbers()
    {
        PppdTree tree;
        addPeers(tree);
        tree.addPeer(QStringLiteral("M\u00FCnchen"), "connect \"chat '' ATD089\"");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableEntries(), (QStringList{QStringLiteral("M\u00FCnchen"), "provider", "work"}));
        QCOMPARE(m.AvailableNumbers(), (QStringList{"089", "0192658", "0800555"}));
    }

    void dialUpToHangUp()
    {
        PppdTree tree;
        addPeers(tree);
        QWidget form;
        TVexRasConnect m(&form);
        m.SetLanguage(TLanguage::english);
        QList<TCStatus> phases;
        m.OnConnectionStatus = [&phases](TVexRasConnect *, TCStatus s) { phases << s; };

        m.Poll();
        QCOMPARE(m.Status(), QStringLiteral("Disconnected or failed connection"));

        // pppd started, chat dialling: only the link pid file, no interface yet.
        tree.startPppd(4711, "provider", {"updetach"});
        tree.writeLinkPidFile(4711, "provider");
        m.Poll();
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS0 A device is about to be connected"));
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("provider"));
        QCOMPARE(m.ConnectedNumber(), QStringLiteral("0192658"));
        QVERIFY(!m.IsConnected());

        // The modem answered: pppd created ppp0, LCP and authentication run, the interface is not up.
        tree.writeLinkPidFile(4711, "provider", "ppp0");
        tree.writeUnitPidFile(4711, "ppp0");
        tree.setInterface("ppp0", 0x1090, "");
        m.Poll();
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS0 The authentication process is starting"));
        QVERIFY(!m.IsConnected());

        // IPCP done: up and carrier.
        tree.setInterface("ppp0", 0x1091, "1\n");
        m.Poll();
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS0 Connected succesfully"));
        QVERIFY(m.IsConnected());
        m.Poll();
        QVERIFY(m.IsConnected());

        // Hang-up: pppd removes its pid files and ends.
        tree.remove("run/ppp-provider.pid");
        tree.remove("run/ppp0.pid");
        tree.remove("proc/4711");
        tree.remove("sys/class/net/ppp0");
        m.Poll();
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QString());
        QCOMPARE(m.ConnectedNumber(), QString());
        QCOMPARE(m.Status(), QStringLiteral("Disconnected or failed connection"));
        QCOMPARE(phases, (QList<TCStatus>{TCStatus::connecting, TCStatus::authenticating, TCStatus::connected}));
    }

    void pppdKilled_stalePidFile_noConnection()
    {
        PppdTree tree;
        addPeers(tree);
        QWidget form;
        TVexRasConnect m(&form);
        tree.startPppd(300, "work");
        tree.writeUnitPidFile(300, "ppp1");
        tree.setInterface("ppp1", 0x11, "1");
        m.Poll();
        QVERIFY(m.IsConnected());
        QCOMPARE(m.ConnectedNumber(), QStringLiteral("0800555"));
        QCOMPARE(m.Status(), QStringLiteral("modem ttyUSB0 Spojeni smo"));
        tree.remove("proc/300");   // killed: the pid file stays behind
        m.Poll();
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QString());
    }

    void pppdForAPeerRemovedSince_entryWithoutNumber()
    {
        PppdTree tree;
        addPeers(tree);
        QWidget form;
        TVexRasConnect m(&form);
        tree.startPppd(301, "gone", {"/dev/ttyS3"});
        tree.writeUnitPidFile(301, "ppp0");
        tree.setInterface("ppp0", 0x11, "1");
        m.Poll();
        QVERIFY(m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("gone"));
        QCOMPARE(m.ConnectedNumber(), QString());
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS3 Spojeni smo"));
    }
};

QTEST_MAIN(TestPppdMonitor)
#include "tst_gui_pppdmonitor.moc"
