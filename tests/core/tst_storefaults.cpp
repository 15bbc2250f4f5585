// What fault injection found in the stores: a FIFO or other non-regular file at a store path,
// leftovers of a killed save, a new month log whose creation fails or is killed.
#include "core/Language.h"
#include "core/MonatsLog.h"
#include "core/ReplaceFile.h"
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/core/NonRegularFiles.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/TestMounts.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <sys/wait.h>

namespace {
const QString MonthLog = QStringLiteral("Data/2026/Mai.qod");

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// The names in the folder of path that are leftovers of saves of that file.
QStringList leftoversOf(const QString &path)
{
    const QFileInfo info(path);
    QStringList found;
    for (const QString &name : QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden))
        if (IsReplaceLeftoverName(info.fileName(), name)) found << name;
    return found;
}

// Runs call in a child process that a write past `bytes` kills (SIGXFSZ, as the kernel kills a
// process over its file size limit), the way a kill or power failure can stop a save midway.
template <typename F>
bool killedWhileWriting(rlim_t bytes, F call)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            call();
        } catch (...) {}
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
}

TVerbindung record(double kosten)
{
    TVerbindung v;
    v.Kosten = kosten;
    v.Tarif = QStringLiteral("Nacht");
    return v;
}

// After a failed or killed creation: the next append starts the log with its one record.
void nextAppendStartsTheLog(TKostenDatenbank &log)
{
    AppendData(log, record(2.5));
    QVERIFY(leftoversOf(log.Pfad).isEmpty());
    const TKostenDatenbank back = ReadLog(log.Pfad);
    QCOMPARE(back.Daten.size(), size_t(1));
    QCOMPARE(back.Daten.at(0).Kosten, 2.5);
}
}

class TestStoreFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        FailInsteadOfHanging();
        LoadLanguage(QStringLiteral("/nonexistent.qlf"));
    }

    void nonRegularFileAtAStorePath_readsAsUnreadableWithoutBlocking_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("kind");
        for (const char *store : {"tariffs", "month log", "settings", "language"})
            for (const char *kind : {"fifo", "socket", "device"})
                QTest::addRow("%s, %s", store, kind) << QString::fromLatin1(store) << QString::fromLatin1(kind);
    }
    void nonRegularFileAtAStorePath_readsAsUnreadableWithoutBlocking()
    {
        QFETCH(QString, store);
        QFETCH(QString, kind);
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        const QString path = store == "tariffs"     ? TarifPath()
                             : store == "settings"  ? SettingsPath()
                             : store == "month log" ? dir.file(MonthLog)
                                                    : dir.file(QStringLiteral("english.qlf"));
        if (!MakeNonRegularFile(kind, path)) {
            if (kind == "device") QSKIP("making a device node needs root");
            QFAIL("cannot make the file");
        }
        ReportRecorder reports;
        QStringList expectedReports;
        if (store == "tariffs") {
            Tarife.assign(2, TTarif{});
            LoadTarife();
            expectedReports << E_UnknownErrorAt + QStringLiteral("LoadTarife");
            QCOMPARE(Tarife.size(), size_t(2));   // kept, as for any file that cannot be opened
        } else if (store == "settings") {
            Bundesland = 4;
            QCOMPARE(thrownMessage([] { LoadSettings(); }), QStringLiteral("Cannot open file ") + native(path));
            QCOMPARE(int(Bundesland), 4);
        } else if (store == "month log") {
            TKostenDatenbank log;
            log.Pfad = path;
            log.Daten.assign(3, TVerbindung{});
            ReadAllData(log);
            expectedReports << E_UnknownErrorAt + QStringLiteral("ReadAllData");
            QCOMPARE(log.Daten.size(), size_t(3));
            const QString message = thrownMessage([&log] { AppendData(log, record(1)); });
            QVERIFY2(message.startsWith(QStringLiteral("Cannot open file ") + native(path)), qPrintable(message));
        } else {
            Monate[3] = QStringLiteral("scribbled");
            LoadLanguage(path);
            QCOMPARE(Monate[3], QStringLiteral("März"));   // the built-in texts
        }
        QCOMPARE(reports.reports, expectedReports);
        QVERIFY(!QFileInfo(path).isFile());   // nothing replaced it
    }

    void killedSave_leftoverIsRemovedByTheNextSave_data()
    {
        QTest::addColumn<QString>("store");
        QTest::newRow("settings") << "Settings.dat";
        QTest::newRow("tariffs") << "TarifDaten.qtd";
    }
    void killedSave_leftoverIsRemovedByTheNextSave()
    {
        QFETCH(QString, store);
        TempProgramDir dir;
        const QByteArray before = store == "Settings.dat" ? QByteArray(SettingsSize, '\x02') : QByteArray();
        dir.write(store, before);
        Tarife.assign(3, TTarif{});
        Sprache = QStringLiteral("german");
        const auto save = [store] { store == "Settings.dat" ? SaveSettings() : SaveTarife(); };
        QVERIFY(killedWhileWriting(100, save));
        QCOMPARE(leftoversOf(dir.file(store)).size(), 1);   // the kill's piece beside the store
        QCOMPARE(dir.read(store), before);                  // which stays as it was

        ReportRecorder reports;
        save();
        QVERIFY(reports.reports.isEmpty());
        QVERIFY(leftoversOf(dir.file(store)).isEmpty());
        QCOMPARE(QFileInfo(dir.file(store)).size(), qint64(store == "Settings.dat" ? SettingsSize : 3 * TarifSize));
    }

    // A new log, or one whose header a crash tore, has room for less than header and record: the
    // append fails and leaves no file, or the torn one as it was.
    void monthLog_failedCreation_leavesNoTornHeader_data()
    {
        QTest::addColumn<QByteArray>("torn");   // null: no file yet
        QTest::addColumn<int>("room");
        QTest::newRow("new, no room") << QByteArray() << 0;
        QTest::newRow("new, part of the header") << QByteArray() << 3;
        QTest::newRow("new, the header") << QByteArray() << 4;
        QTest::newRow("new, all but one byte") << QByteArray() << MonatsLogHeaderSize + VerbindungSize - 1;
        QTest::newRow("empty") << QByteArray("") << 50;
        QTest::newRow("three bytes") << QByteArray("\x01\x00\x00", 3) << 50;
    }
    void monthLog_failedCreation_leavesNoTornHeader()
    {
        QFETCH(QByteArray, torn);
        QFETCH(int, room);
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        if (!torn.isNull()) dir.write(MonthLog, torn);
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        QString message;
        {
            FileSizeLimit full{rlim_t(room)};
            QVERIFY(full.active());
            message = thrownMessage([&log] { AppendData(log, record(1)); });
        }
        const QString expected = torn.isNull() ? QStringLiteral("Cannot create file ") + native(log.Pfad)
                                               : QStringLiteral("Cannot write file ");
        QVERIFY2(message.startsWith(expected), qPrintable(message));
        QCOMPARE(log.Daten.size(), size_t(1));
        QCOMPARE(QFileInfo::exists(log.Pfad), !torn.isNull());
        if (!torn.isNull()) QCOMPARE(dir.read(MonthLog), torn);
        QVERIFY(leftoversOf(log.Pfad).isEmpty());

        ReportRecorder reports;
        if (torn.isNull()) ReadAllData(log);   // nothing to report: there is no file
        QVERIFY(reports.reports.isEmpty());
        log.Daten.clear();
        nextAppendStartsTheLog(log);
    }

    void newMonthLog_killedCreation_leavesNoMonthLog()
    {
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        QVERIFY(killedWhileWriting(3, [&log] { AppendData(log, record(1)); }));
        QVERIFY(!QFileInfo::exists(log.Pfad));
        QCOMPARE(leftoversOf(log.Pfad).size(), 1);
        nextAppendStartsTheLog(log);
        QCOMPARE(QDir(dir.file(QStringLiteral("Data/2026"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Mai.qod")});
    }

    // On a full disk a damaged log's bytes cannot be kept aside, so it is not cut either.
    void damagedMonthLog_onAFullDisk_isLeftWhole()
    {
        TempProgramDir dir;
        TestMount disk(dir.path(), 256 * 1024);
        QVERIFY(disk.ok());
        const QByteArray damaged = QByteArray("\x01\x00\x00\x00", 4) + QByteArray(200, 'x');
        dir.write(MonthLog, damaged);
        QVERIFY(disk.fill());
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        const QString message = thrownMessage([&log] { AppendData(log, record(1)); });
        QVERIFY2(message.startsWith(QStringLiteral("Cannot write file ") + native(log.Pfad)), qPrintable(message));
        QCOMPARE(dir.read(MonthLog), damaged);
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_storefaults.moc"
