// What fault injection found in the stores: a FIFO at a store path, leftovers of a killed save,
// a new month log whose creation fails.
#include "CoreFakes.h"
#include "Exception.h"
#include "FileSizeLimit.h"
#include "Language.h"
#include "MonatsLog.h"
#include "ReplaceFile.h"
#include "SettingsStore.h"
#include "TarifStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <sys/stat.h>

class TestStoreFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nonRegularFileAtAStorePath_readsAsUnreadableWithoutBlocking_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("report");   // what is reported, "" for none
        QTest::newRow("tariffs") << "TarifDaten.qtd"
                                 << "LoadTarife";
        QTest::newRow("month log") << "Data/2026/Mai.qod"
                                   << "ReadAllData";
        QTest::newRow("settings") << "Settings.dat"
                                  << "";
        QTest::newRow("language") << "german.qlf"
                                  << "";
    }
    void nonRegularFileAtAStorePath_readsAsUnreadableWithoutBlocking()
    {
        QFETCH(QString, name);
        QFETCH(QString, report);
        TempProgramDir dir;
        ReportRecorder reports;
        LoadLanguage(dir.file("none.qlf"));
        QDir().mkpath(dir.file("Data/2026"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.file(name)).constData(), 0600), 0);

        if (name == "TarifDaten.qtd") LoadTarife();
        if (name == "german.qlf") {
            LoadLanguage(dir.file(name));
            QCOMPARE(Monate[3], QStringLiteral("März"));   // the built-in texts
        }
        if (name == "Settings.dat") {
            bool thrown = false;
            try {
                LoadSettings();
            } catch (const Exception &e) {
                thrown = e.message().startsWith(QStringLiteral("Cannot open file "));
            }
            QVERIFY(thrown);
        }
        if (name.endsWith(".qod")) {
            TKostenDatenbank log;
            log.Pfad = dir.file(name);
            ReadAllData(log);
            QVERIFY_THROWS_EXCEPTION(Exception, AppendData(log, TVerbindung()));
        }
        if (report.isEmpty())
            QVERIFY(reports.reports.isEmpty());
        else
            QCOMPARE(reports.reports.value(0), E_UnknownErrorAt + report);
    }

    void killedSave_leftoverIsRemovedByTheNextSave()
    {
        TempProgramDir dir;
        dir.write("Settings.dat.tmp", "torn by a kill");
        dir.write("TarifDaten.qtd.tmp", "torn");
        dir.write("Settings.dat.bak", "someone else's");
        Sprache.set(QStringLiteral("german"));
        SaveSettings();
        Tarife.clear();
        SaveTarife();
        QVERIFY(!QFileInfo::exists(dir.file("Settings.dat.tmp")));
        QVERIFY(!QFileInfo::exists(dir.file("TarifDaten.qtd.tmp")));
        QCOMPARE(dir.read("Settings.dat.bak"), QByteArray("someone else's"));
        QCOMPARE(QFileInfo(dir.file("Settings.dat")).size(), qint64(SettingsSize));
    }

    void newMonthLog_failedCreation_leavesNoFile()
    {
        TempProgramDir dir;
        LoadLanguage(dir.file("none.qlf"));
        QDir().mkpath(dir.file("Data/2026"));
        TKostenDatenbank log;
        log.Pfad = dir.file("Data/2026/Mai.qod");
        {
            FileSizeLimit full(3);   // room for less than the header
            QVERIFY_THROWS_EXCEPTION(Exception, AppendData(log, TVerbindung()));
        }
        QVERIFY(!QFileInfo::exists(log.Pfad));
        QVERIFY(!QFileInfo::exists(ReplaceFileTemp(log.Pfad)));
        // A later append finds no torn header and starts the file as new.
        TVerbindung v;
        v.Kosten = 2.5;
        AppendData(log, v);
        QCOMPARE(QFileInfo(log.Pfad).size(), qint64(MonatsLogHeaderSize + VerbindungSize));
        TKostenDatenbank back;
        back.Pfad = log.Pfad;
        ReadAllData(back);
        QCOMPARE(back.Daten.at(0).Kosten, 2.5);
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_storefaults.moc"
