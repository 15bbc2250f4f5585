// The connection monitor against the scripted RAS: construction, owner checks, entry and number
// lists, polls, phases and the two events.
#include "Exception.h"
#include "FakeRas.h"
#include "VexRasConnect.h"

#include <QStringDecoder>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {
struct Events
{
    QList<TCStatus> phases;        // OnConnectionStatus, in order
    QList<int> phasePolls;         // the poll each phase report came in
    QList<bool> statusChanges;     // OnStatusChange, one per poll
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

QString constructionError(QObject *owner)
{
    try {
        TVexRasConnect m(owner);
    } catch (const Exception &e) {
        return e.message();
    }
    return QString();
}
}

// Another class derived from the component: not "exactly this class".
class DerivedMonitor : public TVexRasConnect
{
    Q_OBJECT
public:
    using TVexRasConnect::TVexRasConnect;
};

class TestVexRasConnect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction_listsEntriesAndNumbers_noPoll()
    {
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        ras.addEntry("Work", "");
        ras.addEntry(QStringLiteral("M\u00FCnchen"), "089 1234");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableEntries(), (QStringList{"Provider", "Work", QStringLiteral("M\u00FCnchen")}));
        QCOMPARE(m.AvailableNumbers(), (QStringList{"0192658", "", "089 1234"}));
        QCOMPARE(m.Language(), TLanguage::croatian);
        QVERIFY(!m.DoTimer());
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.Status(), QString());
        QCOMPARE(m.parent(), &form);
        QCOMPARE(ras.enumConnectionsCalls, 0);
        QCOMPARE(ras.connectStatusCalls, 0);
    }

    void enumEntries_603_oneMoreCallWithTheAskedSize()
    {
        FakeRas ras;
        for (const char *name : {"A", "B", "C"}) ras.addEntry(name, "1");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, 2);
        QCOMPARE(ras.enumEntriesBytes, (QList<RasDword>{264, 3 * 264}));
        QCOMPARE(ras.enumEntriesDwSize, (QList<RasDword>{264, 264}));
        QCOMPARE(m.AvailableEntries().size(), 3);
    }

    void enumEntries_oneEntry_oneCall()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, 1);
        QCOMPARE(m.AvailableEntries(), QStringList{"A"});
    }

    void enumEntries_failure_listsEmpty_data()
    {
        QTest::addColumn<RasDword>("result");
        QTest::newRow("general failure") << RasDword(1);
        QTest::newRow("invalid size") << ERROR_INVALID_SIZE;
        QTest::newRow("603 twice") << ERROR_BUFFER_TOO_SMALL;
    }
    void enumEntries_failure_listsEmpty()
    {
        QFETCH(RasDword, result);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.failEnumEntries(result);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, result == ERROR_BUFFER_TOO_SMALL ? 2 : 1);
        QVERIFY(m.AvailableEntries().isEmpty());
        QVERIFY(m.AvailableNumbers().isEmpty());
        QVERIFY(ras.entryPropertiesCalls.isEmpty());
    }

    void enumEntries_countBeyondTheBuffer_readsOnlyTheBuffer()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry("B", "2");
        ras.overstateEntryCount(40);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableEntries(), (QStringList{"A", "B"}));
    }

    void numbers_probeThenRead()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.setProbeSize(2000);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.entryPropertiesCalls.size(), 2);
        const FakeRas::EntryPropertiesCall probe = ras.entryPropertiesCalls[0];
        QVERIFY(!probe.withBuffer);
        QCOMPARE(probe.entrySize, RasDword(0));
        QCOMPARE(probe.deviceInfoSize, RasDword(0));
        const FakeRas::EntryPropertiesCall read = ras.entryPropertiesCalls[1];
        QVERIFY(read.withBuffer);
        QCOMPARE(read.entrySize, RasDword(2000));
        QCOMPARE(read.dwSize, RasDword(1768));
        QCOMPARE(read.entry, QStringLiteral("A"));
        QCOMPARE(m.AvailableNumbers(), QStringList{"1"});
    }

    void numbers_readFailure_emptyNumber_data()
    {
        QTest::addColumn<RasDword>("result");
        QTest::newRow("failure") << RasDword(1);
        QTest::newRow("603") << ERROR_BUFFER_TOO_SMALL;
        QTest::newRow("entry not found") << ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    void numbers_readFailure_emptyNumber()
    {
        QFETCH(RasDword, result);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry("B", "2", ERROR_BUFFER_TOO_SMALL, result);
        ras.addEntry("C", "3");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableNumbers(), (QStringList{"1", "", "3"}));
    }

    void numbers_probedSizeBelowTheStructure_staysInsideTheBuffer()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.setProbeSize(2);   // too small even for dwSize: the sanitizers see any write past it
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.entryPropertiesCalls[1].dwSize, RasDword(0));   // the fake reads dwSize only from 4 bytes on
        QCOMPARE(m.AvailableNumbers(), QStringList{""});
    }

    void probeFailure_throwsCroatianText_data()
    {
        QTest::addColumn<RasDword>("probeResult");
        QTest::newRow("success instead of 603") << RAS_SUCCESS;
        QTest::newRow("failure") << RasDword(1);
        QTest::newRow("entry not found") << ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    void probeFailure_throwsCroatianText()
    {
        QFETCH(RasDword, probeResult);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry(QStringLiteral("Veza \u0161kola"), "2", probeResult);
        ras.addEntry("C", "3");
        QWidget form;
        const QString message = QStringLiteral("Ne mogu dobiti informacije o vezi Veza \u0161kola");
        QCOMPARE(constructionError(&form), message);
        QVERIFY(form.findChildren<TVexRasConnect *>().isEmpty());
        QCOMPARE(ras.entryPropertiesCalls.size(), 3);   // A probed and read, the failing one probed, C never
        // The failed component left nothing behind: trying again fails the same way, not as a second one.
        QCOMPARE(constructionError(&form), message);
    }

    void resolverFailure_leavesTheConstructor_data()
    {
        QTest::addColumn<bool>("rasapi32");
        QTest::addColumn<QString>("message");
        QTest::newRow("no rasapi32") << false << QStringLiteral("Error opening rasapi32.dll");
        QTest::newRow("function nowhere") << true << QStringLiteral("Function RasGetEntryProperties not found!");
    }
    void resolverFailure_leavesTheConstructor()
    {
        QFETCH(bool, rasapi32);
        QFETCH(QString, message);
        FakeRas ras;
        ras.addEntry("A", "1");
        if (rasapi32) {
            ras.setLibrary("rasapi32.dll", {});
            ras.setLibrary("rnaph.dll", {});
        } else {
            ras.removeLibrary("rasapi32.dll");
        }
        QWidget form;
        QCOMPARE(constructionError(&form), message);
    }

    void ownerChecks_data()
    {
        QTest::addColumn<int>("owner");   // 0 none, 1 plain object, 2 form with a monitor, 3 form with a derived one,
                                          // 4 form with a monitor on a child widget
        QTest::addColumn<QString>("message");
        const QString notForm = QStringLiteral("Please drop the component onto a Form!");
        const QString twice = QStringLiteral("There is TVexRasConnect component already on this form");
        QTest::newRow("no owner") << 0 << notForm;
        QTest::newRow("not a form") << 1 << notForm;
        QTest::newRow("second on a form") << 2 << twice;
        QTest::newRow("a derived class is another class") << 3 << QString();
        QTest::newRow("only the form's own components count") << 4 << QString();
    }
    void ownerChecks()
    {
        QFETCH(int, owner);
        QFETCH(QString, message);
        FakeRas ras;
        QObject plain;
        QWidget form;
        auto *child = new QWidget(&form);
        if (owner == 2) new TVexRasConnect(&form);
        if (owner == 3) new DerivedMonitor(&form);
        if (owner == 4) new TVexRasConnect(child);
        QObject *target = owner == 0 ? nullptr : owner == 1 ? &plain : &form;
        QCOMPARE(constructionError(target), message);
        QVERIFY(plain.children().isEmpty());
    }

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
        QCOMPARE(ras.enumConnectionsBytes, QList<RasDword>{RasDword(20 * RasLayout::ConnStride)});
        QCOMPARE(ras.enumConnectionsDwSize, QList<RasDword>{412});
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
        QTest::newRow("OpenPort") << RASCS_OpenPort << "Opening comm port" << QByteArray("Otvaranje komunikacijskog porta");
        QTest::newRow("PortOpened") << RASCS_PortOpened << "Comm port opened" << QByteArray("Komunikacijski port je otvoren");
        QTest::newRow("ConnectDevice") << RASCS_ConnectDevice << "A device is about to be connected"
                                       << QByteArray("Spajamo se na mre\x9Eu");
        QTest::newRow("DeviceConnected") << RASCS_DeviceConnected << "A device has connected successfully"
                                         << QByteArray("Ure\xF0" "aj se uspje\x9Ano spojio");
        QTest::newRow("AllDevicesConnected") << RASCS_AllDevicesConnected
                                             << "All devices in the device chain have successfully connected"
                                             << QByteArray("Svi ure\xF0" "aji su se uspje\x9Ano spojili");
        QTest::newRow("Authenticate") << RASCS_Authenticate << "The authentication process is starting"
                                      << QByteArray("Po\xE8inje provjera podataka");
        QTest::newRow("StartAuthentication") << RASCS_StartAuthentication
                                             << "User authentication is being initiated or retried"
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

QTEST_MAIN(TestVexRasConnect)
#include "tst_gui_vexrasconnect.moc"
