// The connection monitor's polls against the scripted RAS: status texts, phases, the two
// events, hang-up, unknown states, several connections, language and the poll timer.
#include "dialup/VexRasConnect.h"
#include "tests/support/FakeRas.h"

#include <QStringDecoder>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {
struct Events
{
    QList<TCStatus> phases;      // OnConnectionStatus, in order
    QList<int> phasePolls;       // the poll each phase report came in
    QList<bool> statusChanges;   // OnStatusChange, one per poll
    int polls = 0;

    void attach(TVexRasConnect &m)
    {
        m.OnConnectionStatus = [this, &m](TVexRasConnect *sender, TCStatus s) {
            QCOMPARE(sender, &m);
            QVERIFY2(statusChanges.size() == polls - 1, "OnConnectionStatus comes before OnStatusChange");
            phases << s;
            phasePolls << polls;
        };
        m.OnStatusChange = [this, &m](TVexRasConnect *sender, bool changed) {
            QCOMPARE(sender, &m);
            statusChanges << changed;
        };
    }
    void poll(TVexRasConnect &m)
    {
        ++polls;
        m.Poll();
    }
};

QString connectedText(const QString &state) { return QStringLiteral("modem ttyS0 ") + state; }

QString fromCp1250(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid()) qFatal("no windows-1250 decoder");
    return decoder(bytes);
}
}

class TestVexRasPoll : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noEntries_numberAlwaysEmpty()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        QVERIFY(m.AvailableEntries().isEmpty());
        QVERIFY(m.AvailableNumbers().isEmpty());
        ras.setConnection("Provider", RASCS_Connected);
        m.Poll();
        QVERIFY(m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("Provider"));
        QCOMPARE(m.ConnectedNumber(), QString());
    }

    void noConnection_statusChangedOnlyOnTheFirstPoll()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        m.SetLanguage(TLanguage::english);
        Events events;
        events.attach(m);
        for (int i = 0; i < 3; ++i) events.poll(m);
        QCOMPARE(events.statusChanges, (QList<bool>{true, false, false}));
        QVERIFY(events.phases.isEmpty());
        QCOMPARE(m.Status(), QStringLiteral("Disconnected or failed connection"));
        QCOMPARE(m.ConnectedNumber(), QString());
        QVERIFY(!m.IsConnected());
    }

    void enumConnectionsFailure_isNoConnection_data()
    {
        QTest::addColumn<RasDword>("result");
        QTest::newRow("603") << ERROR_BUFFER_TOO_SMALL;
        QTest::newRow("failure") << RasDword(1);
    }
    void enumConnectionsFailure_isNoConnection()
    {
        QFETCH(RasDword, result);
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("Provider", RASCS_Connected);
        m.Poll();
        QVERIFY(m.IsConnected());
        ras.failEnumConnections(result);
        Events events;
        events.attach(m);
        events.poll(m);
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QString());
        QCOMPARE(m.ConnectedNumber(), QString());
        QCOMPARE(m.Status(), QStringLiteral("Nismo spojeni"));
        QCOMPARE(events.statusChanges, QList<bool>{true});
        QVERIFY(events.phases.isEmpty());
    }

    void poll_callShapes()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("A", RASCS_Connected);
        ras.addConnection("B", RASCS_Connected);
        m.Poll();
        // Room for 20 RASCONN of the build's platform: 8240 bytes on 32-bit, 8320 on 64-bit.
        const RasDword rasconn = sizeof(void *) == 8 ? 416 : 412;
        QCOMPARE(ras.enumConnectionsBytes, QList<RasDword>{20 * rasconn});
        QCOMPARE(ras.enumConnectionsDwSize, QList<RasDword>{rasconn});
        QCOMPARE(ras.connectStatusHandles, (QList<RasHandle>{FakeRas::FirstHandle, FakeRas::FirstHandle + 1}));
        QCOMPARE(ras.connectStatusDwSize, (QList<RasDword>{160, 160}));
    }

    void poll_countBeyondRoomForTwenty_readsTwenty()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("A", RASCS_Connected);
        ras.overstateConnectionCount(100);
        m.Poll();
        QCOMPARE(ras.connectStatusCalls, 20);
        QVERIFY(m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("A"));   // empty names of the rest keep A
    }

    void statusText_data()
    {
        QTest::addColumn<RasDword>("state");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QByteArray>("croatian");   // as written in code page 1250
        QTest::newRow("OpenPort") << RASCS_OpenPort << "Opening comm port"
                                  << QByteArray("Otvaranje komunikacijskog porta");
        QTest::newRow("PortOpened") << RASCS_PortOpened << "Comm port opened"
                                    << QByteArray("Komunikacijski port je otvoren");
        QTest::newRow("ConnectDevice") << RASCS_ConnectDevice << "A device is about to be connected"
                                       << QByteArray("Spajamo se na mre\x9Eu");
        QTest::newRow("DeviceConnected") << RASCS_DeviceConnected << "A device has connected successfully"
                                         << QByteArray("Ure\xF0"
                                                       "aj se uspje\x9Ano spojio");
        QTest::newRow("AllDevicesConnected")
            << RASCS_AllDevicesConnected << "All devices in the device chain have successfully connected"
            << QByteArray("Svi ure\xF0"
                          "aji su se uspje\x9Ano spojili");
        QTest::newRow("Authenticate") << RASCS_Authenticate << "The authentication process is starting"
                                      << QByteArray("Po\xE8inje provjera podataka");
        QTest::newRow("StartAuthentication")
            << RASCS_StartAuthentication << "User authentication is being initiated or retried"
            << QByteArray("Po\xE8inje provjera podataka");
        QTest::newRow("Authenticated") << RASCS_Authenticated << "The client has successfully completed authentication"
                                       << QByteArray("Podaci su provjereni");
        QTest::newRow("LogonNetwork") << RASCS_LogonNetwork << "Client is logging on to the network"
                                      << QByteArray("Logiranje na mre\x9Eu");
        QTest::newRow("Connected") << RASCS_Connected << "Connected succesfully" << QByteArray("Spojeni smo");
        QTest::newRow("Disconnected") << RASCS_Disconnected << "Disconnected or failed connection"
                                      << QByteArray("Nismo spojeni");
    }
    void statusText()
    {
        QFETCH(RasDword, state);
        QFETCH(QString, english);
        QFETCH(QByteArray, croatian);
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("A", state);
        m.Poll();
        QCOMPARE(m.Status(), connectedText(fromCp1250(croatian)));
        m.SetLanguage(TLanguage::english);
        m.Poll();
        QCOMPARE(m.Status(), connectedText(english));
        QVERIFY(english.size() <= 60 && fromCp1250(croatian).size() <= 60);
    }

    void dialling_reportsEachNewPhaseOnce()
    {
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        QWidget form;
        TVexRasConnect m(&form);
        Events events;
        events.attach(m);
        events.poll(m);   // nothing up yet
        ras.setConnection("Provider", RASCS_OpenPort);
        ras.scriptStates({RASCS_OpenPort, RASCS_PortOpened, RASCS_ConnectDevice, RASCS_DeviceConnected,
                          RASCS_AllDevicesConnected, RASCS_Authenticate, RASCS_StartAuthentication, RASCS_Authenticated,
                          RASCS_LogonNetwork, RASCS_Connected, RASCS_Connected});
        QList<bool> connected;
        for (int i = 0; i < 11; ++i) {
            events.poll(m);
            connected << m.IsConnected();
            QCOMPARE(m.ConnectedEntry(), QStringLiteral("Provider"));
            QCOMPARE(m.ConnectedNumber(), QStringLiteral("0192658"));
        }
        QCOMPARE(events.phases, (QList<TCStatus>{TCStatus::connecting, TCStatus::authenticating, TCStatus::connecting,
                                                 TCStatus::connected}));
        QCOMPARE(events.phasePolls, (QList<int>{2, 7, 10, 11}));
        QCOMPARE(events.statusChanges.size(), 12);   // one per poll
        QCOMPARE(connected, (QList<bool>{false, false, false, false, false, false, false, false, false, true, true}));
        QCOMPARE(events.statusChanges.last(), false);   // the same text twice
    }

    void hangUp_clearsEverythingWithoutPhaseReport()
    {
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        QWidget form;
        TVexRasConnect m(&form);
        m.SetLanguage(TLanguage::english);
        ras.setConnection("Provider", RASCS_Connected);
        m.Poll();
        Events events;
        events.attach(m);
        ras.hangUp();
        events.poll(m);
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QString());
        QCOMPARE(m.ConnectedNumber(), QString());
        QCOMPARE(m.Status(), QStringLiteral("Disconnected or failed connection"));
        QVERIFY(events.phases.isEmpty());
        QCOMPARE(events.statusChanges, QList<bool>{true});
        // Dialling again is a new phase again.
        ras.setConnection("Provider", RASCS_ConnectDevice);
        events.poll(m);
        QCOMPARE(events.phases, QList<TCStatus>{TCStatus::connecting});
    }

    void disconnectedState_reportedOnceAndClearsIsConnected()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("Provider", RASCS_Connected);
        Events events;
        events.attach(m);
        events.poll(m);
        QVERIFY(m.IsConnected());
        ras.setConnectionState(RASCS_Disconnected);
        events.poll(m);
        events.poll(m);
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("Provider"));   // still enumerated
        QCOMPARE(events.phases, (QList<TCStatus>{TCStatus::connected, TCStatus::disconnected}));
        // After a poll without any connection, a connection seen as disconnected is reported once.
        ras.hangUp();
        events.poll(m);
        ras.setConnection("Provider", RASCS_Disconnected);
        events.poll(m);
        events.poll(m);
        QCOMPARE(events.phases.size(), 3);
        QCOMPARE(events.phases.last(), TCStatus::disconnected);
    }

    void unknownState_keepsPhaseAndIsConnected()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("Provider", RASCS_Connected);
        Events events;
        events.attach(m);
        events.poll(m);
        ras.setConnectionState(0x1000);   // paused
        events.poll(m);
        events.poll(m);
        QVERIFY(m.IsConnected());
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS0 "));
        ras.setConnectionState(RASCS_Connected);
        events.poll(m);
        // Reported once: neither the polls with the unknown state nor the return count as entering it.
        QCOMPARE(events.phases, QList<TCStatus>{TCStatus::connected});
        QCOMPARE(events.statusChanges, (QList<bool>{true, true, false, true}));
    }

    void unknownStateFirst_staysDisconnected()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        ras.setConnection("Provider", 18);   // a projection state
        Events events;
        events.attach(m);
        events.poll(m);
        QVERIFY(!m.IsConnected());
        QVERIFY(events.phases.isEmpty());
        QCOMPARE(m.Status(), QStringLiteral("modem ttyS0 "));
    }

    void severalConnections_lastNonEmptyValuesWin()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry("B", "2");
        QWidget form;
        TVexRasConnect m(&form);
        m.SetLanguage(TLanguage::english);
        ras.setConnection("A", RASCS_Connected, "isdn", "ISDN1");
        ras.addConnection("B", 0x1000, "modem", "");
        m.Poll();
        QCOMPARE(m.ConnectedEntry(), QStringLiteral("B"));
        QCOMPARE(m.ConnectedNumber(), QStringLiteral("2"));
        QCOMPARE(m.Status(), QStringLiteral("modem ISDN1 Connected succesfully"));
        QVERIFY(m.IsConnected());
    }

    void duplicateEntryName_laterNumberWins()
    {
        FakeRas ras;
        ras.addEntry("Provider", "111");
        ras.addEntry("Other", "222");
        ras.addEntry("Provider", "333");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableNumbers(), (QStringList{"111", "222", "333"}));
        ras.setConnection("Provider", RASCS_Connected);
        m.Poll();
        QCOMPARE(m.ConnectedNumber(), QStringLiteral("333"));
        ras.setConnection("provider", RASCS_Connected);   // names compare exactly
        m.Poll();
        QCOMPARE(m.ConnectedNumber(), QString());
    }

    void languageChange_fromTheNextPoll_listsNotReread()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        QWidget form;
        TVexRasConnect m(&form);
        m.SetLanguage(TLanguage::english);
        Events events;
        events.attach(m);
        events.poll(m);
        const int entryCalls = ras.enumEntriesCalls;
        const int propertyCalls = int(ras.entryPropertiesCalls.size());
        m.SetLanguage(TLanguage::croatian);
        QCOMPARE(m.Status(), QStringLiteral("Disconnected or failed connection"));
        events.poll(m);
        QCOMPARE(m.Status(), QStringLiteral("Nismo spojeni"));
        QCOMPARE(events.statusChanges, (QList<bool>{true, true}));
        QCOMPARE(ras.enumEntriesCalls, entryCalls);
        QCOMPARE(int(ras.entryPropertiesCalls.size()), propertyCalls);
    }

    void doTimer_enablesThePollTimer()
    {
        FakeRas ras;
        QWidget form;
        TVexRasConnect m(&form);
        auto *timer = m.findChild<QTimer *>();
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isActive());
        m.SetDoTimer(true);
        QVERIFY(m.DoTimer() && timer->isActive());
        m.SetDoTimer(true);
        QVERIFY(timer->isActive());
        // The timer runs polls and their reports.
        int changes = 0;
        m.OnStatusChange = [&changes](TVexRasConnect *, bool) { ++changes; };
        QTRY_VERIFY_WITH_TIMEOUT(changes >= 1, 10000);
        QVERIFY(ras.enumConnectionsCalls >= 1);
        m.SetDoTimer(false);
        QVERIFY(!m.DoTimer() && !timer->isActive());
        QCOMPARE(m.Status(), QStringLiteral("Nismo spojeni"));   // the last values stay readable
    }
};

QTEST_MAIN(TestVexRasPoll)
#include "tst_gui_vexraspoll.moc"
