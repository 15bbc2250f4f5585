// A monitoring process killed mid-connection (SIGKILL): the next start logs the connection as it
// stood at the journal's last write, and removes the journal.
#include "core/Journal.h"
#include "core/Kosten.h"
#include "core/Language.h"
#include "core/Monitor.h"
#include "core/SettingsStore.h"
#include "tests/support/CoreFakes.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

class TestJournalKill : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedRun_isLoggedUpToItsLastJournalWrite_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::newRow("first tick only") << 30;
        QTest::newRow("after three minutes") << 200;
    }
    void killedRun_isLoggedUpToItsLastJournalWrite()
    {
        QFETCH(int, ticks);
        TempProgramDir dir;
        QProcess child;
        child.start(QStringLiteral(MINUTRIX_MONITOR_CHILD), {dir.path(), QString::number(ticks)});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(20000));
        const QList<QByteArray> said = child.readLine().trimmed().split(' ');
        QCOMPARE(said.size(), 2);
        child.kill();   // SIGKILL: no shutdown of any kind
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const double start = said[0].toDouble(), last = said[1].toDouble();
        QVERIFY(QFileInfo::exists(JournalPath()));
        QVERIFY(!QFileInfo::exists(dir.file("Data/2026/Mai.qod")));

        LoadLanguage(dir.file("none.qlf"));
        TMonitor next;
        next.Start(2026, 5);
        const TKostenDatenbank log = ReadLog(dir.file("Data/2026/Mai.qod"));
        QCOMPARE(int(log.Daten.size()), 1);
        const TVerbindung &v = log.Daten[0];
        QCOMPARE(v.Start, start);
        QCOMPARE(v.Datum, start);
        QCOMPARE(v.Ende, last);
        TTarif minute;
        for (int d = 1; d <= 7; ++d)
            for (int h = 0; h < 24; ++h) minute.Kosten[d][h] = 1;
        QCOMPARE(v.Kosten, CalcKosten(minute, start, last));
        QCOMPARE(v.Tarif.value(), QStringLiteral("Minute"));
        QVERIFY((ticks - 1 - (last - start) * 86400.0) < 60.5);   // at most a minute lost
        next.Finish();
        QVERIFY(!QFileInfo::exists(JournalPath()));
    }
};

QTEST_GUILESS_MAIN(TestJournalKill)
#include "tst_journal_kill.moc"
