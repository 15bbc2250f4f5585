// A full disk, a read-only data folder and a stale lock, made for real: a small tmpfs filled to its
// last block and a read-only bind mount, in the test's own mount namespace.
#include "core/InstanceLock.h"
#include "core/Journal.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "tests/core/MonitorFixture.h"
#include "tests/support/TestMounts.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <cerrno>
#include <cstring>

namespace {
const QString MonthLog = QStringLiteral("Data/2026/Mai.qod");

std::vector<TJournalEintrag> connections(int count)
{
    std::vector<TJournalEintrag> entries;
    for (int i = 0; i < count; ++i) {
        TVerbindung v;
        v.Datum = v.Start = EncodeDateTime(2026, 5, 4, 10, i, 0);
        v.Ende = v.Start + 0.01;
        v.Kosten = i + 0.5;
        v.Tarif = QStringLiteral("Nacht");
        entries.push_back({ProgramDir() + MonthLog, v});
    }
    return entries;
}

QList<double> costs(const std::vector<TJournalEintrag> &entries)
{
    QList<double> out;
    for (const TJournalEintrag &e : entries) out << e.Verbindung.Kosten;
    return out;
}

QList<double> readBack()
{
    std::vector<TJournalEintrag> entries;
    return ReadJournal(entries) == JournalState::Read ? costs(entries) : QList<double>{-1};
}
}

class TestDiskFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        LoadLanguage(QStringLiteral("/nonexistent.qlf"));
        QVERIFY2(PrivateMounts(), "a mount namespace of the test's own (root)");
    }

    // Reserved at the start, the journal takes records when not one more block is free.
    void journal_onAFullDisk_isWrittenInPlace()
    {
        TempProgramDir dir;
        TestMount disk(dir.path(), 256 * 1024);
        QVERIFY(disk.ok());
        QVERIFY(ReserveJournal());
        QVERIFY(disk.fill());
        for (int n : {1, 3, 2, 0}) {   // both slots in turn, growing and shrinking
            QVERIFY(WriteJournal(connections(n)));
            QCOMPARE(readBack(), costs(connections(n)));
            QVERIFY(!QFileInfo::exists(FallbackJournalPath()));   // in the data folder itself
        }
        QVERIFY(QFileInfo::exists(JournalPath()));   // emptied, kept for the next record
        QVERIFY(WriteJournal(connections(2)));
        ReleaseJournal();   // holds records: stays for the next start
        QCOMPARE(readBack(), costs(connections(2)));
        QVERIFY(WriteJournal({}));   // unreserved now: removed when empty
        QVERIFY(!QFileInfo::exists(JournalPath()));
    }

    // A crash while a slot is written leaves the one written before it.
    void journal_tornWrite_readsTheSlotBefore()
    {
        TempProgramDir dir;
        QVERIFY(ReserveJournal());
        QVERIFY(WriteJournal(connections(1)));
        QVERIFY(WriteJournal(connections(2)));
        QByteArray bytes = dir.read("Verbindungen.mxj");
        const qsizetype newer = bytes.indexOf(QByteArray("MXJ2\x03", 5));   // the third write
        QVERIFY(newer >= 0);
        bytes[newer + 40] = char(bytes[newer + 40] ^ 0x01);
        dir.write("Verbindungen.mxj", bytes);
        QCOMPARE(readBack(), costs(connections(1)));
        ReleaseJournal();
    }

    // A read-only data folder: the failure names the file and the reason, the journal goes to the
    // state folder, and back once the data folder takes it.
    void readOnlyDataFolder_journalKeptInTheStateFolder()
    {
        TempProgramDir dir;
        QDir().mkpath(dir.file("Data/2026"));
        {
            TestMount readOnly(dir.path());
            QVERIFY(readOnly.ok());
            TKostenDatenbank log;
            log.Pfad = dir.file(MonthLog);
            try {
                AppendData(log, connections(1)[0].Verbindung);
                QFAIL("appended on a read-only disk");
            } catch (const AppendFailure &e) {
                QCOMPARE(e.path(), log.Pfad);
                QCOMPARE(e.reason(), QString::fromLocal8Bit(std::strerror(EROFS)));
            }
            QVERIFY(ReserveJournal());
            QVERIFY(WriteJournal(connections(2)));
            QVERIFY(!QFileInfo::exists(JournalPath()));
            QVERIFY(FallbackJournalPath().startsWith(StateDir()));
            QCOMPARE(readBack(), costs(connections(2)));
        }
        QVERIFY(WriteJournal(connections(1)));
        QVERIFY(!QFileInfo::exists(FallbackJournalPath()));
        QCOMPARE(readBack(), costs(connections(1)));
        ReleaseJournal();
    }

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
        const QString kept = readOnly ? FallbackJournalPath() : JournalPath();
        QVERIFY(f.m.Finish().Messages.at(0).text.contains(" Sie sind in " + kept + " vorgemerkt"));

        frozen.reset();
        QFile::remove(f.dir.file("filler"));
        TMonitor next;
        next.Start(2026, 5);
        QCOMPARE(f.log(MonthLog).Daten.at(0).Kosten, 2.0);
        QCOMPARE(readBack(), QList<double>{});
        next.Finish();
        QVERIFY(!QFileInfo::exists(JournalPath()) && !QFileInfo::exists(FallbackJournalPath()));
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
