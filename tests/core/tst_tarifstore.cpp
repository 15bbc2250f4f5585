// The tariff record layout and the store file "TarifDaten.qtd".
#include "core/Bytes.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/TarifStore.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

namespace {
const QString StoreName = QStringLiteral("TarifDaten.qtd");

TTarif sampleTarif(int seed)
{
    TTarif t;
    t.Name = QStringLiteral("Tarif %1").arg(seed);
    t.Nummer = QStringLiteral("01910%1").arg(seed);
    t.Eintrag = QStringLiteral("Provider %1").arg(seed);
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) {
            t.Kosten[d][size_t(h)] = seed + d * 0.25 + h * 0.0625;
            t.Taktung[d][size_t(h)] = 60 + h;
        }
    t.Freibetrag = 5.5 + seed;
    t.Limit = 20.25 + seed;
    return t;
}

// A record as a file written elsewhere may hold it: leftovers of longer values after each string.
QByteArray recordWithGarbage(int seed)
{
    QByteArray bytes = TarifToBytes(sampleTarif(seed));
    for (int base : {0, 256, 512}) {
        const int length = quint8(bytes[base]);
        for (int i = base + 1 + length; i < base + 256; ++i) bytes[i] = char(0x41 + (i + seed) % 57);
    }
    return bytes;
}

QByteArray randomRecord(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(TarifSize, '\0');
    for (char &c : bytes) c = char(random.bounded(256));
    return bytes;
}
}

class TarifStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadLanguage(QStringLiteral("/nonexistent")); }
    void init() { Tarife.clear(); }
    void cleanupTestCase() { Tarife.clear(); }

    void record_isExactly3472Bytes() { QCOMPARE(TarifToBytes(TTarif{}).size(), qsizetype(TarifSize)); }

    void record_placesStringsAndTotalsAtTheirOffsets()
    {
        TTarif t;
        t.Name = QStringLiteral("Abc");
        t.Nummer = QStringLiteral("0190");
        t.Eintrag = QStringLiteral("Netz");
        t.Freibetrag = 12.5;
        t.Limit = -3.75;
        const QByteArray bytes = TarifToBytes(t);
        QCOMPARE(bytes.mid(0, 4), QByteArray("\x03"
                                             "Abc"));
        QCOMPARE(bytes.mid(256, 5), QByteArray("\x04"
                                               "0190"));
        QCOMPARE(bytes.mid(512, 5), QByteArray("\x04"
                                               "Netz"));
        QCOMPARE(GetDouble(bytes.constData() + 3456), 12.5);
        QCOMPARE(GetDouble(bytes.constData() + 3464), -3.75);
        // Little-endian: 12.5 is 0x4029000000000000.
        QCOMPARE(bytes.mid(3456, 8), QByteArray::fromHex("0000000000002940"));
    }

    void record_placesDayTablesHoursFastest_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::newRow("Monday 0h") << 1 << 0;
        QTest::newRow("Monday 23h") << 1 << 23;
        QTest::newRow("Tuesday 0h") << 2 << 0;
        QTest::newRow("Saturday 17h") << 6 << 17;
        QTest::newRow("Sunday 23h") << 7 << 23;
    }
    void record_placesDayTablesHoursFastest()
    {
        QFETCH(int, day);
        QFETCH(int, hour);
        TTarif t;
        for (int d = 1; d <= 7; ++d)
            for (int h = 0; h < 24; ++h) {
                t.Kosten[d][size_t(h)] = d * 100 + h;
                t.Taktung[d][size_t(h)] = -(d * 100 + h);
            }
        const QByteArray bytes = TarifToBytes(t);
        const int cell = (day - 1) * 192 + hour * 8;
        QCOMPARE(GetDouble(bytes.constData() + 768 + cell), double(day * 100 + hour));
        QCOMPARE(GetDouble(bytes.constData() + 2112 + cell), double(-(day * 100 + hour)));
        QCOMPARE(ReadTarif(bytes.constData()).Kosten[day][size_t(hour)], double(day * 100 + hour));
    }

    void nullTarif_isZeroWithItsName()
    {
        SetupNullTarif();
        QByteArray expected(TarifSize, '\0');
        expected[0] = char(22);
        expected.replace(1, 22, "Null_Standard_Tarif_MX");
        QCOMPARE(TarifToBytes(NullTarif), expected);
        QCOMPARE(NullTarif.Name.value(), QStringLiteral("Null_Standard_Tarif_MX"));
    }

    void loadThenSave_isByteIdentical_data() { AddFolderModeRows(); }
    void loadThenSave_isByteIdentical()
    {
        QFETCH(FolderMode, mode);
        TempProgramDir dir(mode);
        const QByteArray file = recordWithGarbage(1) + randomRecord(7) + recordWithGarbage(3);
        dir.write(StoreName, file);
        ReportRecorder recorder;
        LoadTarife();
        QCOMPARE(Tarife.size(), size_t(3));
        QCOMPARE(Tarife[0].Name.value(), QStringLiteral("Tarif 1"));
        QCOMPARE(Tarife[2].Name.value(), QStringLiteral("Tarif 3"));
        QCOMPARE(Tarife[2].Kosten[7][23], 3 + 7 * 0.25 + 23 * 0.0625);
        QCOMPARE(Tarife[0].Limit, 21.25);
        SaveTarife();
        QCOMPARE(dir.read(StoreName), file);
        QVERIFY(recorder.reports.isEmpty());
    }

    void load_ignoresTrailingPiece_andSaveDropsIt()
    {
        TempProgramDir dir;
        const QByteArray whole = recordWithGarbage(1) + recordWithGarbage(2);
        dir.write(StoreName, whole + QByteArray(100, 'x'));
        ReportRecorder recorder;
        LoadTarife();
        QCOMPARE(Tarife.size(), size_t(2));
        QCOMPARE(Tarife[1].Nummer.value(), QStringLiteral("019102"));
        SaveTarife();
        QCOMPARE(dir.read(StoreName), whole);
        QVERIFY(recorder.reports.isEmpty());
    }

    void load_replacesTariffsInMemory()
    {
        TempProgramDir dir;
        dir.write(StoreName, recordWithGarbage(4));
        Tarife.assign(5, sampleTarif(9));
        LoadTarife();
        QCOMPARE(Tarife.size(), size_t(1));
        QCOMPARE(Tarife[0].Name.value(), QStringLiteral("Tarif 4"));
    }

    void load_missingFile_keepsTariffsAndReportsNothing()
    {
        TempProgramDir dir;
        ReportRecorder recorder;
        Tarife.assign(1, sampleTarif(2));
        LoadTarife();
        QCOMPARE(Tarife.size(), size_t(1));
        QVERIFY(recorder.reports.isEmpty());
    }

    void load_unopenableFile_reports()
    {
        TempProgramDir dir;
        QVERIFY(QDir().mkpath(dir.file(StoreName)));   // a folder in the file's place cannot be opened
        ReportRecorder recorder;
        LoadTarife();
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + QStringLiteral("LoadTarife")});
        QVERIFY(Tarife.empty());
    }

    void save_emptyTariffs_writesEmptyFile()
    {
        TempProgramDir dir;
        dir.write(StoreName, recordWithGarbage(1));
        SaveTarife();
        QVERIFY(QFileInfo::exists(dir.file(StoreName)));
        QCOMPARE(dir.read(StoreName), QByteArray());
    }

    void save_intoMissingFolder_reports()
    {
        TempProgramDir dir;
        SetProgramDir(dir.file(QStringLiteral("missing")));
        Tarife.assign(1, sampleTarif(1));
        ReportRecorder recorder;
        SaveTarife();
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + QStringLiteral("SaveTarife")});
    }

    void save_onFullDisk_keepsPreviousFile()
    {
        TempProgramDir dir;
        const QByteArray previous = recordWithGarbage(1) + recordWithGarbage(2);
        dir.write(StoreName, previous);
        Tarife = {sampleTarif(5), sampleTarif(6), sampleTarif(7)};
        ReportRecorder recorder;
        {
            FileSizeLimit limit(TarifSize + 10);
            QVERIFY(limit.active());
            SaveTarife();
        }
        QCOMPARE(recorder.reports, QStringList{E_UnknownErrorAt + QStringLiteral("SaveTarife")});
        QCOMPARE(dir.read(StoreName), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{StoreName});   // no temporary left
    }

    void name_longerThan255_isCut()
    {
        QString name;
        while (name.size() < 300) name += QStringLiteral("0123456789");
        name.truncate(300);
        TTarif t;
        t.Name = name;
        const QByteArray bytes = TarifToBytes(t);
        QCOMPARE(quint8(bytes[0]), quint8(255));
        QCOMPARE(ReadTarif(bytes.constData()).Name.value(), name.left(255));
    }

    void name_isStoredInWindows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("a umlaut") << QStringLiteral("ä") << QByteArray("\xE4") << QStringLiteral("ä");
        QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80") << QStringLiteral("€");
        QTest::newRow("sharp s") << QStringLiteral("Maß") << QByteArray("Ma\xDF") << QStringLiteral("Maß");
        QTest::newRow("not in code page") << QStringLiteral("Ω") << QByteArray("?") << QStringLiteral("?");
    }
    void name_isStoredInWindows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        TempProgramDir dir;
        TTarif t;
        t.Name = text;
        Tarife = {t};
        SaveTarife();
        const QByteArray file = dir.read(StoreName);
        QCOMPARE(quint8(file[0]), quint8(stored.size()));
        QCOMPARE(file.mid(1, stored.size()), stored);
        Tarife.clear();
        LoadTarife();
        QCOMPARE(Tarife.size(), size_t(1));
        QCOMPARE(Tarife[0].Name.value(), readBack);
    }
};

QTEST_GUILESS_MAIN(TarifStoreTest)
#include "tst_tarifstore.moc"
