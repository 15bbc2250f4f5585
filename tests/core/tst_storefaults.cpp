// What fault injection found in the stores: a FIFO or other non-regular file at a store path,
// leftovers of a killed save, a new month log whose creation fails or is killed.
#include "CoreFakes.h"
#include "Exception.h"
#include "FileSizeLimit.h"
#include "Language.h"
#include "MonatsLog.h"
#include "NonRegularFiles.h"
#include "ReplaceFile.h"
#include "SettingsStore.h"
#include "TarifStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <sys/wait.h>

namespace {
const QString MonthLog = QStringLiteral("Data/2026/Mai.qod");

template <typename F>
QString thrownMessage(F call)
{
    try {
        call();
    } catch (const Exception &e) {
        return e.message();
    }
    return QString();
}

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
}

class TestStoreFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LoadLanguage(QStringLiteral("/nonexistent.qlf")); }

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
        FifoWatchdog watchdog(path);
        ReportRecorder reports;

        if (store == "tariffs") {
            Tarife.assign(2, TTarif{});
            LoadTarife();
            QCOMPARE(reports.reports, QStringList{E_UnknownErrorAt + QStringLiteral("LoadTarife")});
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
            QCOMPARE(reports.reports, QStringList{E_UnknownErrorAt + QStringLiteral("ReadAllData")});
            QCOMPARE(log.Daten.size(), size_t(3));
            const QString message = thrownMessage([&log] { AppendData(log, record(1)); });
            QVERIFY2(message.startsWith(QStringLiteral("Cannot open file ") + native(path)), qPrintable(message));
        } else {
            Monate[3] = QStringLiteral("scribbled");
            LoadLanguage(path);
            QCOMPARE(Monate[3], QStringLiteral("März"));   // the built-in texts
        }
        QVERIFY2(!watchdog.stop(), "the FIFO was opened and waited for a writer");
        // Nothing replaced the file: it is still what it was.
        QVERIFY(!QFileInfo(path).isFile());
        if (store != "tariffs" && store != "month log") QVERIFY(reports.reports.isEmpty());
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

        // The kill left its piece beside the store, which stays as it was.
        QCOMPARE(leftoversOf(dir.file(store)).size(), 1);
        QCOMPARE(dir.read(store), before);
        // Files of other names, and another store's leftover, are none of this save's business.
        const QString otherLeftover =
            (store == "Settings.dat" ? QStringLiteral("TarifDaten.qtd") : QStringLiteral("Settings.dat"))
            + QStringLiteral(".mxsave-a1B2c3D4");
        for (const QString &name : {store + ".tmp", store + ".bak", store + ".mxsave-short", otherLeftover})
            dir.write(name, "someone else's");

        ReportRecorder reports;
        save();
        QVERIFY(reports.reports.isEmpty());
        QVERIFY(leftoversOf(dir.file(store)).isEmpty());
        QCOMPARE(QFileInfo(dir.file(store)).size(), qint64(store == "Settings.dat" ? SettingsSize : 3 * TarifSize));
        for (const QString &name : {store + ".tmp", store + ".bak", store + ".mxsave-short", otherLeftover})
            QCOMPARE(dir.read(name), QByteArray("someone else's"));
    }

    // Room for less than header and record: the creation fails somewhere inside them.
    void newMonthLog_failedCreation_leavesNoFile_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("nothing") << 0;
        QTest::newRow("part of the header") << 3;
        QTest::newRow("the header") << 4;
        QTest::newRow("all but one byte") << MonatsLogHeaderSize + VerbindungSize - 1;
    }
    void newMonthLog_failedCreation_leavesNoFile()
    {
        QFETCH(int, room);
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        QString message;
        {
            FileSizeLimit full{rlim_t(room)};
            QVERIFY(full.active());
            message = thrownMessage([&log] { AppendData(log, record(1)); });
        }
        QVERIFY2(message.startsWith(QStringLiteral("Cannot create file ") + native(log.Pfad)), qPrintable(message));
        QCOMPARE(log.Daten.size(), size_t(1));
        QVERIFY(!QFileInfo::exists(log.Pfad));
        QVERIFY(QDir(dir.file(QStringLiteral("Data/2026")))
                    .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

        // A later read finds nothing to report, a later append starts the file as new.
        ReportRecorder reports;
        ReadAllData(log);
        QVERIFY(reports.reports.isEmpty());
        AppendData(log, record(2.5));
        TKostenDatenbank back;
        back.Pfad = log.Pfad;
        ReadAllData(back);
        QCOMPARE(back.Daten.size(), size_t(1));
        QCOMPARE(back.Daten.at(0).Kosten, 2.5);
    }

    // A file torn before whole creation existed is replaced whole; a failure keeps it as it was.
    void tornHeader_failedRepair_keepsFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("torn");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("two bytes") << QByteArray("\x01\x00", 2);
        QTest::newRow("three bytes") << QByteArray("\x01\x00\x00", 3);
    }
    void tornHeader_failedRepair_keepsFileAsItWas()
    {
        QFETCH(QByteArray, torn);
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        dir.write(MonthLog, torn);
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        QString message;
        {
            FileSizeLimit full(50);
            message = thrownMessage([&log] { AppendData(log, record(1)); });
        }
        QVERIFY2(message.startsWith(QStringLiteral("Cannot write file ")), qPrintable(message));
        QCOMPARE(dir.read(MonthLog), torn);
        QVERIFY(leftoversOf(log.Pfad).isEmpty());
        AppendData(log, record(3));
        QCOMPARE(QFileInfo(log.Pfad).size(), qint64(MonatsLogHeaderSize + VerbindungSize));
    }

    void newMonthLog_killedCreation_leavesNoMonthLog_andNextAppendClears()
    {
        TempProgramDir dir;
        QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
        TKostenDatenbank log;
        log.Pfad = dir.file(MonthLog);
        QVERIFY(killedWhileWriting(3, [&log] { AppendData(log, record(1)); }));

        QVERIFY(!QFileInfo::exists(log.Pfad));
        QCOMPARE(leftoversOf(log.Pfad).size(), 1);
        ReportRecorder reports;
        ReadAllData(log);
        QVERIFY(reports.reports.isEmpty());

        AppendData(log, record(4));
        QVERIFY(leftoversOf(log.Pfad).isEmpty());
        QCOMPARE(QDir(dir.file(QStringLiteral("Data/2026"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Mai.qod")});
        TKostenDatenbank back;
        back.Pfad = log.Pfad;
        ReadAllData(back);
        QCOMPARE(back.Daten.size(), size_t(1));
        QCOMPARE(back.Daten.at(0).Kosten, 4.0);
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_storefaults.moc"
