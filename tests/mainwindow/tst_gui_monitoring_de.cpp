// Whole connections through the real main window: the scripted dial-up service reports the
// states, the fake clock moves, and the month logs on disk are checked.
#include "tests/support/MainWindowFixture.h"

#include "core/Language.h"
#include "core/MonatsLog.h"
#include "mainwindow/BudgetBar.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

class TestMonitoring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dialling_isNotTimedUntilConnected()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        for (auto state : {RASCS_OpenPort, RASCS_ConnectDevice, RASCS_Authenticate, RASCS_Authenticated}) {
            f.ras.setConnection("Provider", state);
            f.step();
            QVERIFY(!w.Monitor.Online);
            QVERIFY(!w.Monitor.InVerbindung);
            QCOMPARE(w.LDauer->text(), QStringLiteral("00:00"));
        }
        f.ras.setConnectionState(RASCS_Connected);
        f.step();
        QVERIFY(w.Monitor.Online);
        QVERIFY(w.Monitor.InVerbindung);
        QCOMPARE(w.Monitor.StartZeit, f.clock.now());
    }

    void connection_showsDurationAndCostAndIsLogged()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));   // a Monday, no holiday
        f.storeSettings(100);
        f.storeTarife({MakeTarif("Abend", "0191011", "Provider", 1.5, 12.5)});
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        const TDateTime start = f.clock.now();
        QCOMPARE(w.BudgetBar->Max(), 1250);   // 12,50 € in cents
        f.step(5 * 60 + 23);
        QCOMPARE(w.LDauer->text(), QStringLiteral("00:05:23"));
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,08 €"));   // 5 clock minutes at 1,5 ct
        QCOMPARE(w.BudgetBar->Position(), 8);                    // 7.5 rounds half to even

        f.ras.hangUp();
        f.step(40);   // 10:06:03: six minutes begun on the clock
        QVERIFY(!w.Monitor.Online);
        QVERIFY(!w.Monitor.InVerbindung);
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,09 €"));
        QCOMPARE(w.LDauer->text(), QStringLiteral("00:06:03"));

        const TKostenDatenbank log = ReadLog(f.dir.file("Data/2026/Mai.qod"));
        QCOMPARE(int(log.Daten.size()), 1);
        QCOMPARE(log.Daten[0].Datum, start);
        QCOMPARE(log.Daten[0].Start, start);
        QCOMPARE(log.Daten[0].Ende, f.clock.now());
        QCOMPARE(log.Daten[0].Kosten, 9.0);
        QCOMPARE(log.Daten[0].Tarif.value(), QStringLiteral("Abend"));
        QCOMPARE(w.Monitor.Summe, 9.0);
        QVERIFY(MessageBox::History().isEmpty());

        // The labels keep the last connection until the next one begins.
        f.step(60);
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,09 €"));
        QCOMPARE(int(ReadLog(f.dir.file("Data/2026/Mai.qod")).Daten.size()), 1);
    }

    void firstMatchingTariff_wins()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.storeTarife({MakeTarif("Andere", "0191011", "Sonst", 9), MakeTarif("Erster", "0191011", "Provider", 1),
                       MakeTarif("Zweiter", "0191011", "Provider", 2)});
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        QCOMPARE(w.Monitor.AktTarif.Name.value(), QStringLiteral("Erster"));
        QCOMPARE(w.Monitor.AktVerbindung.Tarif.value(), QStringLiteral("Erster"));
    }

    void noTariff_warnsOncePerRunAndLogsAtZero()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.storeTarife({MakeTarif("Fremd", "0999", "Provider", 2)});   // number does not match
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        for (int connection = 0; connection < 2; ++connection) {
            f.ras.setConnection("Provider", RASCS_Connected);
            f.step();
            f.step(120);
            QCOMPARE(w.LKosten->text(), QStringLiteral("0,00 €"));
            f.ras.hangUp();
            f.step();
        }
        QCOMPARE(f.shownTexts(), QStringList{W_NoTarif});
        QVERIFY(w.Monitor.KeinTarifGewarnt);
        const TKostenDatenbank log = ReadLog(f.dir.file("Data/2026/Mai.qod"));
        QCOMPARE(int(log.Daten.size()), 2);
        for (const auto &v : log.Daten) {
            QCOMPARE(v.Tarif.value(), QStringLiteral("Null_Standard_Tarif_MX"));
            QCOMPARE(v.Kosten, 0.0);
        }
        QCOMPARE(w.BudgetBar->Max(), 0);   // the default tariff's limit is 0
    }

    void limitWarning_appearsAtTheTickTheShownTotalReachesTheLimit()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(0.5);   // euros
        f.storeTarife({MakeTarif("Minute", "0191011", "Provider", 1)});
        f.ras.addEntry("Provider", "0191011");
        // 40 cents already spent this month.
        TKostenDatenbank earlier;
        earlier.Pfad = f.dir.file("Data/2026/Mai.qod");
        TVerbindung v;
        v.Kosten = 40;
        QDir().mkpath(f.dir.file("Data/2026"));
        AppendData(earlier, v);

        THauptfenster &w = f.start();
        QCOMPARE(w.Monitor.Summe, 40.0);
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        for (int minute = 1; minute <= 9; ++minute) {
            f.step(60);
            QVERIFY2(MessageBox::History().isEmpty(), qPrintable(w.LKosten->text()));
        }
        f.step(60);   // the tenth minute: 40 + 10 cents = 0,50 €
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,10 €"));
        QCOMPARE(f.shownTexts(), QStringList{W_LimitReached});
        f.step(60);
        QCOMPARE(MessageBox::History().size(), 1);
        QCOMPARE(w.BudgetBar->Position(), 51);
    }

    void limitZero_warnsAtTheFirstTick()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.startWithMinuteTariff(0);
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        QCOMPARE(f.shownTexts(), QStringList{W_LimitReached});
    }

    void connectionOverMonthEnd_landsInTheMonthItStarted()
    {
        MainWindowFixture f(EncodeDateTime(2026, 3, 31, 23, 59, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step(0);
        f.step(120);   // 1 April 00:01
        f.ras.hangUp();
        f.step(0);
        QVERIFY(!w.Monitor.InVerbindung);
        const TKostenDatenbank march = ReadLog(f.dir.file("Data/2026/März.qod"));
        QCOMPARE(int(march.Daten.size()), 1);
        QCOMPARE(march.Daten[0].Kosten, 2.0);
        QVERIFY(!QFileInfo::exists(f.dir.file("Data/2026/April.qod")));

        // The next connection opens April's log, and the monthly total starts from it.
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step(60);
        QCOMPARE(w.Monitor.MonatsLog.Pfad, f.dir.file("Data/2026/April.qod"));
        QCOMPARE(w.Monitor.Summe, 0.0);
    }

    void newYear_createsTheYearFolder()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 31, 23, 0, 0));
        f.storeSettings(100);
        f.ras.addEntry("Provider", "0191011");
        f.start();
        f.clock.set(EncodeDateTime(2027, 1, 1, 0, 30, 0));
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step(0);
        f.ras.hangUp();
        f.step(60);
        QCOMPARE(int(ReadLog(f.dir.file("Data/2027/Januar.qod")).Daten.size()), 1);
    }

    void shutdownWhileConnected_logsTheConnectionBeforeSaving()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(180);
        MessageBox::SetNextAnswer(MessageBox::Yes);
        QVERIFY(w.close());   // still connected
        const TKostenDatenbank log = ReadLog(f.dir.file("Data/2026/Mai.qod"));
        QCOMPARE(int(log.Daten.size()), 1);
        QCOMPARE(log.Daten[0].Ende, f.clock.now());
        QCOMPARE(log.Daten[0].Kosten, 3.0);
        QVERIFY(QFileInfo(f.dir.file("Data/2026/Mai.qod")).lastModified()
                <= QFileInfo(f.dir.file("Settings.dat")).lastModified());
        QCOMPARE(QFileInfo(f.dir.file("Settings.dat")).size(), qint64(266));
    }

    void failedAppend_isReportedOnceAndWrittenLater()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        f.dir.blockFolder("Data/2026");

        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(120);
        f.ras.hangUp();
        f.step();
        QCOMPARE(f.shownTexts().size(), 1);
        QVERIFY(f.shownTexts().first().startsWith("Die Verbindung konnte nicht in "
                                                  + QDir::toNativeSeparators(f.dir.file("Data/2026/Mai.qod"))));
        QVERIFY(!w.Monitor.InVerbindung);
        QCOMPARE(int(w.Monitor.Pending.size()), 1);
        for (int i = 0; i < 5; ++i) f.step();
        QCOMPARE(f.shownTexts().size(), 1);   // no box at every later tick

        // The disk is usable again: the waiting record goes first, then the new one.
        f.dir.unblockFolder("Data/2026");
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(60);
        f.ras.hangUp();
        f.step();
        const TKostenDatenbank log = ReadLog(f.dir.file("Data/2026/Mai.qod"));
        QCOMPARE(int(log.Daten.size()), 2);
        QCOMPARE(log.Daten[0].Kosten, 2.0);
        QVERIFY(log.Daten[0].Start < log.Daten[1].Start);
        QVERIFY(w.Monitor.Pending.empty());
        QCOMPARE(int(w.Monitor.MonatsLog.Daten.size()), 2);   // each record once in memory too
    }

    void failedAppend_isTriedAgainAtShutdown()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        f.dir.blockFolder("Data/2026");
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.ras.hangUp();
        f.step(30);
        QCOMPARE(int(w.Monitor.Pending.size()), 1);
        f.dir.unblockFolder("Data/2026");
        MessageBox::SetNextAnswer(MessageBox::Yes);
        QVERIFY(w.close());
        QCOMPARE(int(ReadLog(f.dir.file("Data/2026/Mai.qod")).Daten.size()), 1);
    }

    // A logout while a record waits for a disk that cannot take it: no box holds the end up, the
    // desktop's log says what the boxes would have said.
    void terminationWithRecordWaiting_saysSoInTheDesktopsLog()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        f.dir.blockFolder("Data/2026");
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(60);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Die Verbindung konnte nicht in .*Mai.qod gespeichert"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Nicht gespeicherte Verbindungen: 1. Sie sind in "));
        w.RequestShutdown();   // what a termination signal does
        QVERIFY(w.IsShutDown());
        QCOMPARE(int(w.Monitor.Pending.size()), 1);
    }

    // A link still dialling lends its tariff to none; each link that drops ends in its own record
    // while the other runs on.
    void twoLinks_eachWithItsOwnTariffAndRecord()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.storeTarife({MakeTarif("Abend", "0191011", "Provider", 1), MakeTarif("Handy", "*99#", "Stick", 2)});
        f.ras.addEntry("Provider", "0191011");
        f.ras.addEntry("Stick", "*99#");
        THauptfenster &w = f.start();
        f.ras.addConnection("Provider", RASCS_Connected);
        f.ras.addConnection("Stick", RASCS_ConnectDevice);   // last in the walk, still dialling
        f.step();
        QCOMPARE(w.Monitor.LaufendeTarife(), QStringList{"Abend"});
        f.ras.setConnectionState(RASCS_Connected, 1);
        f.step(60);
        f.ras.setConnectionState(RASCS_Disconnected, 0);   // the line drops, the stick runs on
        f.step(120);
        QVERIFY(w.Monitor.Online);
        QCOMPARE(w.Monitor.LaufendeTarife(), QStringList{"Handy"});
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,04 €"));
        f.ras.hangUp();
        f.step(60);
        const auto records = ReadLog(f.dir.file("Data/2026/Mai.qod")).Daten;
        QCOMPARE(int(records.size()), 2);
        QCOMPARE(records[0].Tarif.value(), QStringLiteral("Abend"));
        QCOMPARE(records[0].Kosten, 3.0);
        QCOMPARE(records[1].Tarif.value(), QStringLiteral("Handy"));
        QCOMPARE(records[1].Kosten, 6.0);
    }

    void reconnectWithinOneTick_continuesTheTimedConnection()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        f.ras.addEntry("Provider", "0191011");
        THauptfenster &w = f.start();
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        const TDateTime start = w.Monitor.StartZeit;
        f.ras.hangUp();
        w.Connection->Poll();
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        QCOMPARE(w.Monitor.StartZeit, start);
        QVERIFY(!QFileInfo::exists(f.dir.file("Data/2026/Mai.qod")));
    }
};

QTEST_MAIN(TestMonitoring)
#include "tst_gui_monitoring_de.moc"
