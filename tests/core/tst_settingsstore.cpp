// The settings values and their file "Settings.dat".
#include "core/Bytes.h"
#include "core/Exception.h"
#include "core/ProgramDir.h"
#include "core/SettingsStore.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

namespace {
const QString FileName = QStringLiteral("Settings.dat");
}

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        ErsterStart = 0;
        Bundesland = 0;
        GesamtLimit = 0;
        Sprache = ShortString<255>{};
    }

    void load_noFile_setsDefaults()
    {
        TempProgramDir dir;
        LoadSettings();
        QCOMPARE(int(ErsterStart), 1);
        QCOMPARE(int(Bundesland), 8);
        QCOMPARE(GesamtLimit, 100.0);
        QCOMPARE(Sprache.value(), QStringLiteral("german"));
        QCOMPARE(int(Sprache.bytes[0]), 6);
        QVERIFY(!QFileInfo::exists(dir.file(FileName)));
    }

    void load_twoByteFile_keepsLimitAndLanguage()
    {
        TempProgramDir dir;
        dir.write(FileName, QByteArray("\x00\x05", 2));
        GesamtLimit = 30.0;   // the main window sets it just before loading
        LoadSettings();
        QCOMPARE(int(ErsterStart), 0);
        QCOMPARE(int(Bundesland), 5);
        QCOMPARE(GesamtLimit, 30.0);
        QCOMPARE(Sprache.value(), QString());
    }

    // The file holds 0, 3, a double with distinct low bytes and "abcd"; before loading the values
    // are 1, 8, 30.0 (bytes 00 00 00 00 00 00 3E 40) and "german". A cut file overwrites only the
    // bytes it holds, also inside a field.
    void load_shortFile_overwritesOnlyBytesPresent_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("erster");
        QTest::addColumn<int>("land");
        QTest::addColumn<QByteArray>("limitBytes");
        QTest::addColumn<QString>("sprache");
        const QByteArray oldLimit = QByteArray::fromHex("0000000000003e40");
        const QByteArray newLimit = QByteArray::fromHex("0102030405060840");
        QTest::newRow("empty") << 0 << 1 << 8 << oldLimit << QStringLiteral("german");
        QTest::newRow("flag only") << 1 << 0 << 8 << oldLimit << QStringLiteral("german");
        QTest::newRow("three bytes of the limit")
            << 5 << 0 << 3 << QByteArray::fromHex("0102030000003e40") << QStringLiteral("german");
        QTest::newRow("limit complete") << 10 << 0 << 3 << newLimit << QStringLiteral("german");
        QTest::newRow("length byte only") << 11 << 0 << 3 << newLimit << QStringLiteral("germ");
        QTest::newRow("two characters") << 13 << 0 << 3 << newLimit << QStringLiteral("abrm");
        QTest::newRow("whole value") << 15 << 0 << 3 << newLimit << QStringLiteral("abcd");
        QTest::newRow("whole file") << 266 << 0 << 3 << newLimit << QStringLiteral("abcd");
    }
    void load_shortFile_overwritesOnlyBytesPresent()
    {
        QFETCH(int, size);
        QFETCH(int, erster);
        QFETCH(int, land);
        QFETCH(QByteArray, limitBytes);
        QFETCH(QString, sprache);
        QByteArray file = QByteArray("\x00\x03", 2) + QByteArray::fromHex("0102030405060840")
                          + "\x04"
                            "abcd";
        file += QByteArray(SettingsSize - file.size(), '\0');
        TempProgramDir dir;
        dir.write(FileName, file.left(size));
        ErsterStart = 1;
        Bundesland = 8;
        GesamtLimit = 30.0;
        Sprache = QStringLiteral("german");
        LoadSettings();
        QCOMPARE(int(ErsterStart), erster);
        QCOMPARE(int(Bundesland), land);
        QCOMPARE(GesamtLimit, GetDouble(limitBytes.constData()));
        QCOMPARE(Sprache.value(), sprache);
    }

    void save_writesExactly266Bytes_data()
    {
        QTest::addColumn<QString>("sprache");
        QTest::newRow("empty") << QString();
        QTest::newRow("german") << QStringLiteral("german");
        QTest::newRow("longest") << QString(255, QLatin1Char('s'));
        QTest::newRow("too long") << QString(300, QLatin1Char('s'));
    }
    void save_writesExactly266Bytes()
    {
        QFETCH(QString, sprache);
        TempProgramDir dir;
        Sprache = sprache;
        SaveSettings();
        QCOMPARE(dir.read(FileName).size(), qsizetype(266));
    }

    void save_placesFieldsAtTheirOffsets()
    {
        TempProgramDir dir;
        ErsterStart = 1;
        Bundesland = 15;
        GesamtLimit = 12.5;
        Sprache = QStringLiteral("Français");
        SaveSettings();
        const QByteArray file = dir.read(FileName);
        QCOMPARE(file.left(2), QByteArray("\x01\x0f"));
        QCOMPARE(file.mid(2, 8), QByteArray::fromHex("0000000000002940"));
        QCOMPARE(file.mid(10, 9), QByteArray("\x08"
                                             "Fran\xE7"
                                             "ais"));
        QCOMPARE(file.mid(19), QByteArray(266 - 19, '\0'));
    }

    void save_writesBytesAfterLanguageAsInMemory()
    {
        TempProgramDir dir;
        Sprache = QStringLiteral("abcdefghij");
        Sprache = QStringLiteral("xy");
        SaveSettings();
        const QByteArray file = dir.read(FileName);
        QCOMPARE(file.mid(10, 11), QByteArray("\x02"
                                              "xycdefghij"));
        QCOMPARE(file.mid(21), QByteArray(266 - 21, '\0'));
    }

    void saveThenLoad_restoresValues_data() { AddFolderModeRows(); }
    void saveThenLoad_restoresValues()
    {
        QFETCH(FolderMode, mode);
        TempProgramDir dir(mode);
        ErsterStart = 0;
        Bundesland = 12;
        GesamtLimit = 45.75;
        Sprache = QStringLiteral("Français");
        SaveSettings();
        QCOMPARE(QFileInfo(dir.file(FileName)).size(), qint64(SettingsSize));   // the folder made on first use
        init();
        LoadSettings();
        QCOMPARE(int(ErsterStart), 0);
        QCOMPARE(int(Bundesland), 12);
        QCOMPARE(GesamtLimit, 45.75);
        QCOMPARE(Sprache.value(), QStringLiteral("Français"));
    }

    void load_oversizedGarbage_usesFirst266Bytes()
    {
        TempProgramDir dir;
        QRandomGenerator random(42);
        QByteArray garbage(1000, '\0');
        for (char &c : garbage) c = char(random.bounded(256));
        garbage[1] = char(200);   // out of range, taken as it stands
        dir.write(FileName, garbage);
        LoadSettings();
        QCOMPARE(int(ErsterStart), int(quint8(garbage[0])));
        QCOMPARE(int(Bundesland), 200);
        SaveSettings();
        QCOMPARE(dir.read(FileName), garbage.left(266));
    }

    void load_unopenableFile_throwsAndKeepsValues()
    {
        TempProgramDir dir;
        QVERIFY(QDir().mkpath(dir.file(FileName)));   // root may open any file, but never a folder
        GesamtLimit = 30.0;
        const QString message = thrownMessage([] { LoadSettings(); });
        QCOMPARE(message, QStringLiteral("Cannot open file ") + QDir::toNativeSeparators(dir.file(FileName)));
        QCOMPARE(GesamtLimit, 30.0);
        QCOMPARE(int(ErsterStart), 0);
    }

    void save_intoMissingFolder_throws()
    {
        TempProgramDir dir;
        SetProgramDir(dir.file(QStringLiteral("missing")));
        const QString message = thrownMessage([] { SaveSettings(); });
        QCOMPARE(message, QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(SettingsPath()));
    }

    void save_onFullDisk_throwsAndKeepsPreviousFile()
    {
        TempProgramDir dir;
        const QByteArray previous = QByteArray("\x00\x02", 2) + QByteArray(264, '\x33');
        dir.write(FileName, previous);
        Bundesland = 9;
        QString message;
        {
            FileSizeLimit limit(100);
            QVERIFY(limit.active());
            message = thrownMessage([] { SaveSettings(); });
        }
        QCOMPARE(message, QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(dir.file(FileName)));
        QCOMPARE(dir.read(FileName), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{FileName});   // no temporary left
    }

    // Through the one parser the program and minutrix-cli share: unsigned bytes, the limit's bits
    // as they stand, the name by its length byte whatever follows it.
    void load_highBytesStayUnsignedAndTheLimitKeepsItsBits()
    {
        TempProgramDir dir;
        const QByteArray nan = QByteArray::fromHex("0100000000f0ff7f");
        QByteArray image = QByteArray("\xff\xc8", 2) + nan + "\x02" + QByteArray(SettingsSize, '\xe4');
        image.truncate(SettingsSize);
        dir.write(FileName, image);
        LoadSettings();
        QCOMPARE(int(ErsterStart), 255);
        QCOMPARE(int(Bundesland), 200);
        QByteArray bits(8, '\0');
        PutDouble(bits.data(), GesamtLimit);
        QCOMPARE(bits, nan);
        QCOMPARE(Sprache.rawValue(), QByteArray("\xe4\xe4"));
    }

    void federalStates_followTheSelectorOrder_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << QStringLiteral("Baden-Württemberg");
        QTest::newRow("default") << 8 << QStringLiteral("Niedersachsen");
        QTest::newRow("last") << 15 << QStringLiteral("Thüringen");
    }
    void federalStates_followTheSelectorOrder()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QCOMPARE(QString::fromUtf8(Bundeslaender[index]), name);
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
