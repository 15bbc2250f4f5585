// The connection record layout, the month log files and MonthName.
#include "core/Bytes.h"
#include "core/DataFolder.h"
#include "core/Exception.h"
#include "core/Language.h"
#include "core/MonatsLog.h"
#include "core/ProgramDir.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <unistd.h>

namespace {
const QString LogName = QStringLiteral("Data/2005/Maerz.qod");
const QByteArray Header("\x01\x00\x00\x00", 4);

TVerbindung sampleVerbindung(int i)
{
    TVerbindung v;
    v.Datum = EncodeDateTime(2005, 3, 1 + i, 10, 15, 0);
    v.Start = v.Datum;
    v.Ende = v.Datum + 0.03125;
    v.Kosten = 1.25 * (i + 1);
    v.Tarif = QStringLiteral("Tarif %1").arg(i);
    return v;
}

QByteArray recordBytes(const TVerbindung &v)
{
    QByteArray bytes(VerbindungSize, '\0');
    WriteVerbindung(v, bytes.data());
    return bytes;
}

QByteArray recordsBytes(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) bytes += recordBytes(sampleVerbindung(i));
    return bytes;
}

void compareRecord(const TVerbindung &actual, const TVerbindung &expected)
{
    QCOMPARE(recordBytes(actual), recordBytes(expected));
}

// A log whose folder exists, as the monitoring cycle prepares it.
TKostenDatenbank logIn(const TempProgramDir &dir)
{
    QDir().mkpath(dir.file(QStringLiteral("Data/2005")));
    TKostenDatenbank log;
    log.Pfad = dir.file(LogName);
    return log;
}
}

class MonatsLogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadLanguage(QStringLiteral("/nonexistent")); }

    void record_placesFieldsAtTheirOffsets_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<double>("value");
        QTest::newRow("Datum") << 0 << 38412.5;
        QTest::newRow("Start") << 8 << 38412.25;
        QTest::newRow("Ende") << 16 << 38413.125;
        QTest::newRow("Kosten") << 24 << 3.75;
    }
    void record_placesFieldsAtTheirOffsets()
    {
        QFETCH(int, offset);
        QFETCH(double, value);
        TVerbindung v;
        v.Datum = 38412.5;
        v.Start = 38412.25;
        v.Ende = 38413.125;
        v.Kosten = 3.75;
        v.Tarif = QStringLiteral("Flat");
        const QByteArray bytes = recordBytes(v);
        QCOMPARE(bytes.size(), qsizetype(133));
        QCOMPARE(GetDouble(bytes.constData() + offset), value);
        QCOMPARE(bytes.mid(32, 5), QByteArray("\x04"
                                              "Flat"));
    }

    void record_tariffNameLongerThan100_isCut()
    {
        QString name;
        for (int i = 0; i < 120; ++i) name += QChar(u'a' + i % 26);
        TVerbindung v;
        v.Tarif = name;
        const QByteArray bytes = recordBytes(v);
        QCOMPARE(quint8(bytes[32]), quint8(100));
        QCOMPARE(bytes.mid(33, 100), name.left(100).toLatin1());
        QCOMPARE(ReadVerbindung(bytes.constData()).Tarif.value(), name.left(100));
    }

    void append_firstRecord_createsFileWithHeader()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        AppendData(log, sampleVerbindung(0));
        QCOMPARE(dir.read(LogName), Header + recordBytes(sampleVerbindung(0)));
        QCOMPARE(log.Daten.size(), size_t(1));
    }

    void append_addsToEndAndToMemory()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        for (int i = 0; i < 3; ++i) AppendData(log, sampleVerbindung(i));
        QCOMPARE(dir.read(LogName), Header + recordsBytes(3));
        QCOMPARE(log.Daten.size(), size_t(3));
        compareRecord(log.Daten[2], sampleVerbindung(2));
    }

    void append_longTariffName_storesFirst100()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        TVerbindung v = sampleVerbindung(0);
        v.Tarif = QString(120, QLatin1Char('x'));
        AppendData(log, v);
        const QByteArray file = dir.read(LogName);
        QCOMPARE(file.size(), qsizetype(4 + 133));
        QCOMPARE(quint8(file[4 + 32]), quint8(100));
    }

    // Whatever an interrupted write left behind, the new record must start at 4 + n * 133.
    void append_repairsDamagedFile_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("keptPrefix");
        const QByteArray two = Header + recordsBytes(2);
        QTest::newRow("empty file") << QByteArray() << Header;
        QTest::newRow("torn header 1 byte") << QByteArray("\x01") << Header;
        QTest::newRow("torn header 3 bytes") << QByteArray("\x01\x00\x00", 3) << Header;
        QTest::newRow("torn tail 50") << two + QByteArray(50, 'z') << two;
        QTest::newRow("torn tail 132") << two + QByteArray(132, 'z') << two;
        // Every record after the loss reads shifted; the cut keeps the whole ones it can.
        const QByteArray lost = two.left(100) + two.mid(150);
        QTest::newRow("50 bytes lost in the middle") << lost << lost.left(4 + 133);
        QTest::newRow("header only") << Header << Header;
        const QByteArray oddHeader = QByteArray("\x07\x00\x00\x00", 4) + recordsBytes(1);
        QTest::newRow("intact, other header value") << oddHeader << oddHeader;
    }
    void append_repairsDamagedFile()
    {
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, keptPrefix);
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        dir.write(LogName, existing);
        const TVerbindung v = sampleVerbindung(5);
        AppendData(log, v);
        QCOMPARE(dir.read(LogName), keptPrefix + recordBytes(v));
        // Whatever is cut was first kept aside as it was.
        const bool cut = keptPrefix != existing && !existing.isEmpty();
        QCOMPARE(QFileInfo::exists(log.Pfad + ".damaged"), cut);
        if (cut) QCOMPARE(dir.read(LogName + ".damaged"), existing);
    }

    // Each damage is kept once: a second one beside the first, the same one not again.
    void append_damagedAgain_keepsEachDamageOnce()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        const QByteArray first = Header + recordsBytes(1) + "torn", second = Header + "other";
        for (const QByteArray &damage : {first, second, first}) {
            dir.write(LogName, damage);
            AppendData(log, sampleVerbindung(3));
        }
        QCOMPARE(dir.read(LogName + ".damaged"), first);
        QCOMPARE(dir.read(LogName + ".damaged.2"), second);
        QVERIFY(!QFileInfo::exists(log.Pfad + ".damaged.3"));
    }

    void append_missingFolder_throwsAndKeepsRecordInMemory()
    {
        TempProgramDir dir;
        TKostenDatenbank log;
        log.Pfad = dir.file(QStringLiteral("Data/1999/Januar.qod"));
        bool thrown = false;
        try {
            AppendData(log, sampleVerbindung(0));
        } catch (const Exception &e) {
            thrown = true;
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(log.Pfad)),
                     qPrintable(e.message()));
        }
        QVERIFY(thrown);
        QCOMPARE(log.Daten.size(), size_t(1));
        QVERIFY(!QFileInfo::exists(log.Pfad));
    }

    void append_fullDisk_throwsAndLeavesWholeRecords()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        const QByteArray before = Header + recordsBytes(2);
        dir.write(LogName, before);
        {
            FileSizeLimit limit(rlim_t(before.size() + 50));
            QVERIFY(limit.active());
            QVERIFY_THROWS_EXCEPTION(Exception, AppendData(log, sampleVerbindung(2)));
        }
        QCOMPARE(dir.read(LogName), before);
        QCOMPARE(log.Daten.size(), size_t(1));
    }

    void read_takesWholeRecordsOnly_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("tail");
        QTest::newRow("header only") << 0 << 0;
        QTest::newRow("three records") << 3 << 0;
        QTest::newRow("two records and 50 bytes") << 2 << 50;
        QTest::newRow("one record and 132 bytes") << 1 << 132;
        QTest::newRow("header and 100 bytes") << 0 << 100;
    }
    void read_takesWholeRecordsOnly()
    {
        QFETCH(int, records);
        QFETCH(int, tail);
        TempProgramDir dir;
        // The header's value is not examined.
        dir.write(LogName, QByteArray("\xff\xff\x00\x00", 4) + recordsBytes(records) + QByteArray(tail, '\x55'));
        TKostenDatenbank log = logIn(dir);
        log.Daten.assign(5, sampleVerbindung(9));
        ReportRecorder recorder;
        ReadAllData(log);
        QVERIFY(recorder.reports.isEmpty());
        QCOMPARE(log.Daten.size(), size_t(records));
        for (int i = 0; i < records; ++i) compareRecord(log.Daten[size_t(i)], sampleVerbindung(i));
    }

    void read_keepsBytesAfterTariffName()
    {
        TempProgramDir dir;
        QByteArray record = recordBytes(sampleVerbindung(0));
        for (int i = 32 + 1 + quint8(record[32]); i < 133; ++i) record[i] = char(0xA5);
        dir.write(LogName, Header + record);
        TKostenDatenbank log = logIn(dir);
        ReadAllData(log);
        QCOMPARE(log.Daten.size(), size_t(1));
        QCOMPARE(recordBytes(log.Daten[0]), record);
    }

    void read_garbageFile_takesWholeRecordsWithinBounds()
    {
        TempProgramDir dir;
        QRandomGenerator random(133);
        QByteArray garbage(50000, '\0');
        for (char &c : garbage) c = char(random.bounded(256));
        dir.write(LogName, garbage);
        TKostenDatenbank log = logIn(dir);
        ReadAllData(log);
        QCOMPARE(log.Daten.size(), size_t((50000 - 4) / 133));
        for (const TVerbindung &v : log.Daten) QVERIFY(v.Tarif.value().size() <= 100);   // length bytes up to 255
        QCOMPARE(recordBytes(log.Daten.back()), garbage.mid(4 + (log.Daten.size() - 1) * 133, 133));
    }

    void read_missingFile_keepsDatenSilently()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        log.Daten.assign(2, sampleVerbindung(1));
        ReportRecorder recorder;
        ReadAllData(log);
        QCOMPARE(log.Daten.size(), size_t(2));
        QVERIFY(recorder.reports.isEmpty());
    }

    void read_fileShorterThanHeader_reports_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("2 bytes") << 2;
        QTest::newRow("3 bytes") << 3;
    }
    void read_fileShorterThanHeader_reports()
    {
        QFETCH(int, size);
        TempProgramDir dir;
        dir.write(LogName, QByteArray(size, '\x01'));
        TKostenDatenbank log = logIn(dir);
        log.Daten.assign(2, sampleVerbindung(1));
        ReportRecorder recorder;
        ReadAllData(log);
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + QStringLiteral("ReadAllData")});
        QCOMPARE(log.Daten.size(), size_t(2));
    }

    void read_unopenableFile_reports()
    {
        TempProgramDir dir;
        TKostenDatenbank log = logIn(dir);
        QVERIFY(QDir().mkpath(log.Pfad));
        ReportRecorder recorder;
        ReadAllData(log);
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + QStringLiteral("ReadAllData")});
    }

    void monthName_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("reported");
        const char *names[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
        for (int m = 1; m <= 12; ++m) QTest::addRow("%d", m) << m << QString::fromUtf8(names[m - 1]) << false;
        QTest::newRow("0") << 0 << QString() << true;
        QTest::newRow("-3") << -3 << QString() << true;
        QTest::newRow("13") << 13 << QString() << false;
        QTest::newRow("1000") << 1000 << QString() << false;
    }
    void monthName()
    {
        QFETCH(int, month);
        QFETCH(QString, name);
        QFETCH(bool, reported);
        ReportRecorder recorder;
        QCOMPARE(MonthName(month), name);
        QCOMPARE(recorder.reports, reported ? QStringList{E_MonthToLow} : QStringList{});
    }

    void monthLogPath_marchUsesUtf8FileName()
    {
        TempProgramDir dir;
        const QString path = MonthLogPath(2005, 3);
        QCOMPARE(path, dir.path() + QStringLiteral("Data/2005/März.qod"));
        QDir().mkpath(dir.file(QStringLiteral("Data/2005")));
        TKostenDatenbank log;
        log.Pfad = path;
        AppendData(log, sampleVerbindung(0));
        const QByteArray native = QFile::encodeName(dir.path()) + "Data/2005/M\xC3\xA4rz.qod";
        QVERIFY(::access(native.constData(), F_OK) == 0);   // the bytes on disk, not Qt's view of them
    }
};

QTEST_GUILESS_MAIN(MonatsLogTest)
#include "tst_monatslog.moc"
