// The monitoring step without a window: clock changes, the journal of unlogged connections,
// the start-up gate and reports handed to the main thread.
#include "core/ErrorReport.h"
#include "core/Journal.h"
#include "core/Kosten.h"
#include "core/Language.h"
#include "tests/core/MonitorFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <cmath>

namespace {
std::vector<TJournalEintrag> journal()
{
    std::vector<TJournalEintrag> entries;
    QFile f(JournalPath());
    if (f.open(QIODevice::ReadOnly)) ParseJournal(f.readAll(), entries);
    return entries;
}
}

class TestMonitor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void beforeStart_aTickDoesNothing()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.up = true;
        const TDisplay a = f.step();
        QVERIFY(!f.m.InVerbindung);
        QVERIFY(a.Messages.empty() && a.Dauer.isEmpty());
        QVERIFY(!f.m.KeinTarifGewarnt);   // the once-per-run warning is not used up
        f.start();
        f.step();
        QVERIFY(f.m.InVerbindung);
        QCOMPARE(f.m.MonatsLog.Pfad, f.dir.file("Data/2026/Mai.qod"));
    }

    void boxesAreReturnedNotShown()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0), 0);
        f.start();
        f.up = true;
        const TDisplay a = f.step();
        QCOMPARE(a.Messages, (std::vector<TMessage>{{TMessage::Plain, W_NoTarif}, {TMessage::Plain, W_LimitReached}}));
        QVERIFY(f.m.KeinTarifGewarnt && f.m.LimitGewarnt);
        QVERIFY(f.step().Messages.empty());
    }

    // Prices and logs are in cents; the label, the bar's maximum and the overall limit in euros.
    void shownMoney_isInEurosToTheCent_data()
    {
        QTest::addColumn<double>("price");   // cents per minute
        QTest::addColumn<int>("minutes");
        QTest::addColumn<double>("overallLimit");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("barPosition");
        QTest::addColumn<bool>("warned");
        QTest::newRow("an hour at 1,5 ct") << 1.5 << 60 << 0.9 << "0,90 €" << 90 << true;
        QTest::newRow("below the limit, half a cent to even") << 1.5 << 59 << 0.9 << "0,88 €" << 88 << false;
        QTest::newRow("grouped thousands") << 123450.0 << 1 << 2000.0 << "1.234,50 €" << 123450 << false;
        QTest::newRow("half a cent, to even") << 0.25 << 2 << 1.0 << "0,00 €" << 0 << false;
        QTest::newRow("one and a half cents") << 0.75 << 2 << 1.0 << "0,02 €" << 2 << false;
    }
    void shownMoney_isInEurosToTheCent()
    {
        QFETCH(double, price);
        QFETCH(int, minutes);
        QFETCH(double, overallLimit);
        QFETCH(QString, shown);
        QFETCH(int, barPosition);
        QFETCH(bool, warned);
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0), overallLimit);
        Tarife = {MinuteTarif(price, 12.5)};
        f.start();
        f.up = true;
        QCOMPARE(f.step(0).BarMaximum, std::optional<int>(1250));
        const TDisplay a = f.step(minutes * 60);
        QCOMPARE(a.Kosten, shown);
        QCOMPARE(a.BarPosition, std::optional<int>(barPosition));
        QCOMPARE(f.m.LimitGewarnt, warned);
        QCOMPARE(f.m.AktVerbindung.Kosten, price * minutes);   // logged in cents
    }

    // The cost follows the real elapsed time; so does the record, anchored where the changed clock
    // stands (Ende - Start is the real 30 minutes) and filed under the month that clock saw.
    void clockChange_pricesAndRecordsTheRealElapsedTime_data()
    {
        QTest::addColumn<TDateTime>("start");
        QTest::addColumn<TDateTime>("jumpTo");   // the local clock after 10 real minutes
        QTest::addColumn<QString>("log");
        QTest::newRow("spring forward") << EncodeDateTime(2026, 3, 29, 1, 50, 0) << EncodeDateTime(2026, 3, 29, 3, 0, 0)
                                        << "Data/2026/März.qod";
        QTest::newRow("autumn back") << EncodeDateTime(2026, 10, 25, 2, 50, 0) << EncodeDateTime(2026, 10, 25, 2, 0, 0)
                                     << "Data/2026/Oktober.qod";
        QTest::newRow("set back by hand")
            << EncodeDateTime(2026, 5, 4, 10, 0, 0) << EncodeDateTime(2026, 5, 3, 10, 10, 0) << "Data/2026/Mai.qod";
        QTest::newRow("booted in 2000, set by NTP")
            << EncodeDateTime(2000, 1, 1, 0, 0, 5) << EncodeDateTime(2026, 5, 4, 10, 10, 0) << "Data/2026/Mai.qod";
    }
    void clockChange_pricesAndRecordsTheRealElapsedTime()
    {
        QFETCH(TDateTime, start);
        QFETCH(TDateTime, jumpTo);
        QFETCH(QString, log);
        MonitorFixture f(start);
        Tarife = {MinuteTarif(1)};
        f.start();
        f.up = true;
        f.step(0);
        f.step(600);
        QVERIFY(!f.m.UhrVerstellt());
        f.clock.set(jumpTo);
        const TDisplay running = f.step(1200);
        QVERIFY(f.m.UhrVerstellt());
        QCOMPARE(running.Dauer, QStringLiteral("00:30:00"));
        f.up = false;
        const TDisplay end = f.step(0);
        QCOMPARE(end.Dauer, QStringLiteral("00:30:00"));
        const std::vector<TVerbindung> records = f.log(log).Daten;
        QCOMPARE(int(records.size()), 1);
        const TVerbindung &v = records[0];
        QCOMPARE(v.Kosten, 30.0);
        QVERIFY(std::abs(v.Ende - f.clock.now()) * 86400.0 < 0.001);
        QCOMPARE(qRound((v.Ende - v.Start) * 86400.0), 1800);
        QCOMPARE(v.Datum, v.Start);
        if (YearOf(start) != YearOf(jumpTo)) QVERIFY(!QFileInfo::exists(f.dir.file("Data/2000/Januar.qod")));
    }

    // A damaged log's cost that is no number, or none a call can reach, adds nothing to the month.
    void costThatIsNoNumber_countsAsNothingTowardsTheLimit()
    {
        for (const double cost : {std::nan(""), HUGE_VAL, 1e308}) {
            MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
            Tarife = {MinuteTarif(1)};
            TVerbindung v[2];
            v[0].Kosten = 5;
            v[1].Kosten = cost;
            v[1].Datum = v[1].Start = 1;
            QVERIFY(WriteJournal({{f.dir.file("Data/2026/Mai.qod"), v[0]}, {f.dir.file("Data/2026/Mai.qod"), v[1]}}));
            f.start();            // appends both to this month's log
            f.m.Start(2026, 5);   // and reads it anew
            QCOMPARE(f.m.Summe, 5.0);
            f.up = true;
            QVERIFY(f.step().Messages.empty());   // no "Das Limit wurde erreicht!" with nothing spent
        }
    }

    // Two links overlap: each is priced with its own tariff and ends in its own record; the window
    // shows the sum of what they cost and the duration of the one up longest.
    void severalLinks_eachTimedOnItsOwn()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        Tarife = {MinuteTarif(1), MakeTarif("Handy", "*99#", "Stick", 2)};
        const TVerbindungsInfo line{true, "0191011", "Provider", "1"}, stick{true, "*99#", "Stick", "2"};
        std::vector<TVerbindungsInfo> links{line};
        f.m.Verbindungen = [&links] { return links; };
        f.start();
        f.up = true;
        f.step(0);
        links = {line, stick};
        f.step(60);
        QCOMPARE(int(journal().size()), 2);   // a crash loses at most a minute of each
        const TDisplay both = f.step(180);    // 4 minutes at 1 ct and 3 at 2 ct
        QCOMPARE(both.Kosten, QStringLiteral("0,10 €"));
        QCOMPARE(both.Dauer, QStringLiteral("00:04:00"));
        QCOMPARE(f.m.LaufendeTarife(), (QStringList{"Minute", "Handy"}));

        links = {stick};
        const TDisplay one = f.step(60);   // the line ends after 5 minutes, the stick runs on
        QCOMPARE(one.Kosten, QStringLiteral("0,08 €"));
        QCOMPARE(one.Dauer, QStringLiteral("00:04:00"));
        QCOMPARE(f.m.MonatsSumme(), 13.0);
        QCOMPARE(int(journal().size()), 1);
        f.up = false;
        links.clear();
        f.step(60);
        const auto records = f.log("Data/2026/Mai.qod").Daten;
        QCOMPARE(int(records.size()), 2);
        QCOMPARE(records[0].Tarif.value(), QStringLiteral("Minute"));
        QCOMPARE(records[0].Kosten, 5.0);
        QCOMPARE(records[1].Tarif.value(), QStringLiteral("Handy"));
        QCOMPARE(records[1].Kosten, 10.0);
        QCOMPARE(qRound((records[1].Ende - records[1].Start) * 86400.0), 300);
        QCOMPARE(f.m.Summe, 15.0);
        QVERIFY(!f.m.InVerbindung);
    }

    void journal_writtenAtTheFirstTickThenOnceAMinuteAndEmptiedWhenLogged()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        Tarife = {MinuteTarif(2)};
        f.start();
        QVERIFY(journal().empty());
        f.up = true;
        f.step();
        const TDateTime first = f.clock.now();
        auto j = journal();
        QCOMPARE(int(j.size()), 1);
        QCOMPARE(j[0].LogPfad, f.dir.file("Data/2026/Mai.qod"));
        QCOMPARE(j[0].Verbindung.Ende, first);
        for (int i = 0; i < 59; ++i) f.step();
        QCOMPARE(journal()[0].Verbindung.Ende, first);   // not every second
        f.step();
        j = journal();
        QCOMPARE(j[0].Verbindung.Ende, f.clock.now());
        QCOMPARE(j[0].Verbindung.Kosten, f.m.AktVerbindung.Kosten);
        QCOMPARE(j[0].Verbindung.Tarif.value(), QStringLiteral("Minute"));
        f.up = false;
        f.step();
        QVERIFY(journal().empty());
        QCOMPARE(int(f.log("Data/2026/Mai.qod").Daten.size()), 1);
        f.m.Finish();
        QVERIFY(!QFileInfo::exists(JournalPath()));   // nothing left for the next start
    }

    void journal_leftBehind_isAppendedAtStartOnce()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        TVerbindung thisMonth, lastMonth;
        thisMonth.Datum = thisMonth.Start = EncodeDateTime(2026, 5, 3, 20, 0, 0);
        thisMonth.Ende = EncodeDateTime(2026, 5, 3, 20, 7, 0);
        thisMonth.Kosten = 7;
        lastMonth.Datum = lastMonth.Start = EncodeDateTime(2026, 4, 30, 23, 0, 0);
        lastMonth.Ende = lastMonth.Start + 0.01;
        lastMonth.Kosten = 1.5;
        QVERIFY(WriteJournal(
            {{f.dir.file("Data/2026/April.qod"), lastMonth}, {f.dir.file("Data/2026/Mai.qod"), thisMonth}}));
        f.start();
        QVERIFY(journal().empty());
        QCOMPARE(f.log("Data/2026/April.qod").Daten.at(0).Kosten, 1.5);
        QCOMPARE(f.log("Data/2026/Mai.qod").Daten.at(0).Ende, thisMonth.Ende);
        QCOMPARE(f.m.Summe, 7.0);   // counts against this month's limit
        QVERIFY(f.reports.reports.isEmpty());

        // Killed after the append but before the journal went: not logged twice.
        QVERIFY(WriteJournal({{f.dir.file("Data/2026/Mai.qod"), thisMonth}}));
        TMonitor again;
        again.Start(2026, 5);
        QCOMPARE(int(f.log("Data/2026/Mai.qod").Daten.size()), 1);
        QVERIFY(journal().empty());
    }

    void journal_damaged_isKeptAsideAndIgnored_data()
    {
        QTest::addColumn<int>("cut");   // bytes cut from the end, or -1 for a flipped byte
        QTest::newRow("torn") << 10;
        QTest::newRow("flipped byte") << -1;
        QTest::newRow("empty") << 100000;
    }
    void journal_damaged_isKeptAsideAndIgnored()
    {
        QFETCH(int, cut);
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        TVerbindung v;
        v.Kosten = 3;
        QByteArray bytes = JournalBytes({{f.dir.file("Data/2026/Mai.qod"), v}});
        if (cut < 0)
            bytes[20] = char(bytes[20] ^ 0x40);
        else
            bytes.chop(std::min<qsizetype>(cut, bytes.size()));
        f.dir.write("Verbindungen.mxj", bytes);
        f.start();
        QVERIFY(f.m.Ready());
        QVERIFY(journal().empty());
        QCOMPARE(f.dir.read("Verbindungen.mxj.damaged"), bytes);
        QVERIFY(!QFileInfo::exists(f.dir.file("Data/2026/Mai.qod")));
    }

    void journal_pathOutsideTheDataFolder_isRefused()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        TVerbindung v;
        for (const char *path : {"Data/2026/../../Settings.dat", "Settings.dat", "Data/2026/x.txt", "/tmp/x.qod"}) {
            std::vector<TJournalEintrag> read;
            QVERIFY2(!ParseJournal(JournalBytes({{QString::fromLatin1(path), v}}), read), path);
        }
        std::vector<TJournalEintrag> read;
        QVERIFY(ParseJournal(JournalBytes({{f.dir.file("Data/2026/Mai.qod"), v}}), read));
    }

    void failedAppendAtShutdown_waitsInTheJournalForTheNextStart()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        Tarife = {MinuteTarif(1)};
        f.start();
        f.up = true;
        f.step();
        f.step(120);
        f.dir.blockFolder("Data/2026");
        const TDisplay last = f.m.Finish();
        QCOMPARE(last.Messages.size(), size_t(2));   // the failure, then where the record waits
        QCOMPARE(int(journal().size()), 1);

        f.dir.unblockFolder("Data/2026");
        TMonitor next;
        next.Start(2026, 5);
        QCOMPARE(f.log("Data/2026/Mai.qod").Daten.at(0).Kosten, 2.0);
        QVERIFY(journal().empty());
    }

    void failedAppend_isTriedAgainEveryMinute()
    {
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        Tarife = {MinuteTarif(1)};
        f.start();
        f.dir.blockFolder("Data/2026");
        f.up = true;
        f.step();
        f.step(120);
        f.up = false;
        QCOMPARE(f.step().Messages.size(), size_t(1));
        f.dir.unblockFolder("Data/2026");
        f.step(59);
        QCOMPARE(int(journal().size()), 1);
        QVERIFY(f.step().Messages.empty());   // a minute after the failure, without a new call
        QVERIFY(f.m.Pending.empty() && journal().empty());
        QCOMPARE(f.log("Data/2026/Mai.qod").Daten.at(0).Kosten, 2.0);
    }

    void reportFromAnotherThread_reachesTheHandlerOnTheMainThread()
    {
        QThread *seenOn = nullptr;
        QString seen;
        SetReportHandler([&](const QString &m) {
            seenOn = QThread::currentThread();
            seen = m;
        });
        QThread *worker = QThread::create([] { ReportError(QStringLiteral("aus dem Hintergrund")); });
        worker->start();
        QVERIFY(worker->wait(5000));
        QTRY_COMPARE(seen, QStringLiteral("aus dem Hintergrund"));
        QCOMPARE(seenOn, QThread::currentThread());
        delete worker;
        SetReportHandler(nullptr);
    }

    void roundToBar_halvesToEvenWithinRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("position");
        QTest::newRow("2.5 to 2") << 2.5 << 2;
        QTest::newRow("3.5 to 4") << 3.5 << 4;
        QTest::newRow("-0.5 to 0") << -0.5 << 0;
        QTest::newRow("huge stays in range") << 1e300 << INT_MAX;
        QTest::newRow("nan") << std::nan("") << 0;
    }
    void roundToBar_halvesToEvenWithinRange()
    {
        QFETCH(double, value);
        QFETCH(int, position);
        QCOMPARE(RoundToBar(value), position);
    }
};

QTEST_GUILESS_MAIN(TestMonitor)
#include "tst_monitor_de.moc"
