// A full disk, a read-only data folder and a stale lock, made for real: a small tmpfs filled to its
// last block and a read-only bind mount, in the test's own mount namespace.
#include "core/InstanceLock.h"
#include "tests/core/MonitorFixture.h"
#include "tests/support/TestMounts.h"

#include <QFileInfo>
#include <QTest>
#include <cerrno>
#include <cstring>

namespace {
const QString MonthLog = QStringLiteral("Data/2026/Mai.qod");

std::vector<TJournalEintrag> journalRead()
{
    std::vector<TJournalEintrag> entries;
    ReadJournal(entries);
    return entries;
}
}

class TestDiskFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY2(PrivateMounts(), "a mount namespace of the test's own (root)"); }

    // A call ends on a full disk or in a read-only folder: the box names the file and the reason,
    // the record outlasts the program in the journal, and the next start that can write logs it.
    void callEndingOnAFaultyDisk_isLoggedAtTheNextStart_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("full disk") << false;
        QTest::newRow("read-only") << true;
    }
    void callEndingOnAFaultyDisk_isLoggedAtTheNextStart()
    {
        QFETCH(bool, readOnly);
        MonitorFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        TestMount disk(f.dir.path(), 256 * 1024);
        QVERIFY(disk.ok());
        Tarife = {MinuteTarif(1)};
        f.start();
        f.up = true;
        f.step();
        f.step(120);
        auto frozen = readOnly ? std::make_unique<TestMount>(f.dir.path()) : nullptr;
        QVERIFY(readOnly ? frozen->ok() : disk.fill());
        f.up = false;
        const QString reason = QString::fromLocal8Bit(std::strerror(readOnly ? EROFS : ENOSPC));
        QCOMPARE(f.step().Messages.at(0).text,
                 "Die Verbindung konnte nicht in " + f.dir.file(MonthLog) + " gespeichert werden: " + reason);
        // On the full disk the journal is written in place; the read-only folder has it kept aside.
        const QString kept = readOnly ? FallbackJournalPath() : JournalPath();
        QVERIFY(f.m.Finish().Messages.at(0).text.contains(" Sie sind in " + kept + " vorgemerkt"));

        frozen.reset();
        QFile::remove(f.dir.file("filler"));
        TMonitor next;
        next.Start(2026, 5);
        QCOMPARE(f.log(MonthLog).Daten.at(0).Kosten, 2.0);
        QVERIFY(journalRead().empty());
        next.Finish();
        QVERIFY(!QFileInfo::exists(JournalPath()) && !QFileInfo::exists(FallbackJournalPath()));
    }

    // A crash while a slot of the journal is written leaves the one written before it.
    void journal_tornWrite_readsTheSlotBefore()
    {
        TempProgramDir dir;
        TVerbindung v;
        v.Kosten = 1;
        QVERIFY(ReserveJournal() && WriteJournal({{dir.file(MonthLog), v}}));
        v.Kosten = 2;
        QVERIFY(WriteJournal({{dir.file(MonthLog), v}}));
        QByteArray bytes = dir.read("Verbindungen.mxj");
        const qsizetype newer = bytes.indexOf(QByteArray("MXJ2\x03", 5));   // the third write
        QVERIFY(newer >= 0);
        bytes[newer + 40] = char(bytes[newer + 40] ^ 0x01);
        dir.write("Verbindungen.mxj", bytes);
        QCOMPARE(journalRead().at(0).Verbindung.Kosten, 1.0);
        ReleaseJournal();
    }

    // One program per folder, whatever the disk and whatever a lock file left there says.
    void lock_holdsOnAnyDiskAndNeverGoesStale_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char *fault : {"none", "full disk", "read-only", "empty lock file", "garbage lock file"})
            QTest::newRow(fault) << QString::fromLatin1(fault);
    }
    void lock_holdsOnAnyDiskAndNeverGoesStale()
    {
        QFETCH(QString, fault);
        TempProgramDir dir;
        std::unique_ptr<TestMount> mount;
        if (fault == "full disk") {
            mount = std::make_unique<TestMount>(dir.path(), 64 * 1024);
            QVERIFY(mount->ok() && mount->fill());
        } else if (fault == "read-only") {
            mount = std::make_unique<TestMount>(dir.path());
            QVERIFY(mount->ok());
        } else if (fault.endsWith("lock file")) {
            dir.write("Minutrix.lock", fault.startsWith("empty") ? QByteArray() : QByteArray("\xff\x00garbage", 9));
        }
        auto first = LockDataFolder();
        QVERIFY(first);
        QVERIFY(!LockDataFolder());   // a second start never runs beside the first
        first.reset();
        QVERIFY(LockDataFolder());   // let go with its holder
    }
};

QTEST_GUILESS_MAIN(TestDiskFaults)
#include "tst_diskfaults.moc"
