// The INI reader behind the language file: how lines, names, blanks, quotes and odd bytes are read.
#include "core/ProfileReader.h"
#include "tests/support/CoreFakes.h"

#include <QRandomGenerator>
#include <QTest>

class TestProfileReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readString_data();
    void readString();
    void value_isCutTo2047Characters_data();
    void value_isCutTo2047Characters();
    void windows1252_isDecoded();
    void utf8Signature_isDroppedAndRestReadAsUtf8();
    void lineEnds_crLfLfAndCr_data();
    void lineEnds_crLfLfAndCr();
    void missingFile_yieldsDefaults();
    void folder_yieldsDefaults();
    void binaryGarbage_doesNotHideLaterSections();
    void oversizedFile_restBeyondLimitIsIgnored();
    void veryLongLine_valueStillCut();
};

void TestProfileReader::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("[Month]\nMarch=Maerz\n") << "Month"
                           << "March"
                           << "Maerz";
    QTest::newRow("section any case") << QByteArray("[mOnTh]\nMarch=Maerz\n") << "MONTH"
                                      << "March"
                                      << "Maerz";
    QTest::newRow("key any case") << QByteArray("[Month]\nMARCH=Maerz\n") << "Month"
                                  << "march"
                                  << "Maerz";
    QTest::newRow("blanks around key and value") << QByteArray("[Month]\n  March \t=  \t Maerz  \t\n") << "Month"
                                                 << "March"
                                                 << "Maerz";
    QTest::newRow("blanks inside value kept") << QByteArray("[A]\nk=a  b\n") << "A"
                                              << "k"
                                              << "a  b";
    QTest::newRow("blanks inside brackets") << QByteArray("[ Month ]\nMarch=M\n") << "Month"
                                            << "March"
                                            << "M";
    QTest::newRow("indented section") << QByteArray("   [Month]\nMarch=M\n") << "Month"
                                      << "March"
                                      << "M";
    QTest::newRow("double quotes removed") << QByteArray("[A]\nk=\"  x y  \"\n") << "A"
                                           << "k"
                                           << "  x y  ";
    QTest::newRow("single quotes removed") << QByteArray("[A]\nk='x'\n") << "A"
                                           << "k"
                                           << "x";
    QTest::newRow("only one pair removed") << QByteArray("[A]\nk=\"\"x\"\"\n") << "A"
                                           << "k"
                                           << "\"x\"";
    QTest::newRow("mixed quotes kept") << QByteArray("[A]\nk=\"x'\n") << "A"
                                       << "k"
                                       << "\"x'";
    QTest::newRow("lone quote kept") << QByteArray("[A]\nk=\"\n") << "A"
                                     << "k"
                                     << "\"";
    QTest::newRow("quote only at start kept") << QByteArray("[A]\nk=\"x\n") << "A"
                                              << "k"
                                              << "\"x";
    QTest::newRow("empty quotes give empty") << QByteArray("[A]\nk=\"\"\n") << "A"
                                             << "k"
                                             << "";
    QTest::newRow("empty value is not the default") << QByteArray("[A]\nk=\n") << "A"
                                                    << "k"
                                                    << "";
    QTest::newRow("blank value is empty") << QByteArray("[A]\nk=   \n") << "A"
                                          << "k"
                                          << "";
    QTest::newRow("value keeps later equals signs") << QByteArray("[A]\nk=a=b\n") << "A"
                                                    << "k"
                                                    << "a=b";
    QTest::newRow("missing key") << QByteArray("[A]\nk=1\n") << "A"
                                 << "other"
                                 << "<default>";
    QTest::newRow("missing section") << QByteArray("[A]\nk=1\n") << "B"
                                     << "k"
                                     << "<default>";
    QTest::newRow("key of another section") << QByteArray("[A]\nk=1\n[B]\nj=2\n") << "B"
                                            << "k"
                                            << "<default>";
    QTest::newRow("line without equals sign") << QByteArray("[A]\nk\n") << "A"
                                              << "k"
                                              << "<default>";
    QTest::newRow("comment line skipped") << QByteArray("[A]\n;k=1\n") << "A"
                                          << ";k"
                                          << "<default>";
    QTest::newRow("commented header opens nothing") << QByteArray("[A]\n;[B]\nk=1\n") << "A"
                                                    << "k"
                                                    << "1";
    QTest::newRow("entry before any section") << QByteArray("k=1\n[A]\n") << "A"
                                              << "k"
                                              << "<default>";
    QTest::newRow("first of duplicate keys wins") << QByteArray("[A]\nk=1\nK=2\n") << "A"
                                                  << "k"
                                                  << "1";
    QTest::newRow("first of duplicate sections wins") << QByteArray("[A]\nk=1\n[B]\n[a]\nk=2\n") << "A"
                                                      << "k"
                                                      << "1";
    QTest::newRow("repeated section adds no keys") << QByteArray("[A]\nk=1\n[A]\nj=2\n") << "A"
                                                   << "j"
                                                   << "<default>";
    QTest::newRow("header without closing bracket is not a header") << QByteArray("[A]\n[B\nk=1\n") << "A"
                                                                    << "k"
                                                                    << "1";
    QTest::newRow("text after closing bracket") << QByteArray("[A] ; note\nk=1\n") << "A"
                                                << "k"
                                                << "1";
    QTest::newRow("empty key name ignored") << QByteArray("[A]\n=1\n") << "A"
                                            << ""
                                            << "<default>";
    QTest::newRow("no newline at end") << QByteArray("[A]\nk=last") << "A"
                                       << "k"
                                       << "last";
    QTest::newRow("empty file") << QByteArray() << "A"
                                << "k"
                                << "<default>";
    QTest::newRow("NUL bytes are ordinary characters") << QByteArray("[A]\nk=a\0b\n", 9) << "A"
                                                       << "k" << QString::fromUtf16(u"a\0b", 3);
}

void TestProfileReader::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const ProfileReader reader = ProfileReader::fromBytes(file);
    QCOMPARE(reader.readString(section, key, QStringLiteral("<default>")), expected);
}

void TestProfileReader::value_isCutTo2047Characters_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expectedLength");
    QTest::newRow("2046") << QByteArray(2046, 'x') << 2046;
    QTest::newRow("2047") << QByteArray(2047, 'x') << 2047;
    QTest::newRow("2048") << QByteArray(2048, 'x') << 2047;
    QTest::newRow("100000") << QByteArray(100000, 'x') << 2047;
    QTest::newRow("2047 inside quotes") << '"' + QByteArray(2047, 'x') + '"' << 2047;
    QTest::newRow("2049 inside quotes") << '"' + QByteArray(2049, 'x') + '"' << 2047;
}

void TestProfileReader::value_isCutTo2047Characters()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expectedLength);
    const ProfileReader reader = ProfileReader::fromBytes("[A]\r\nk=" + value + "\r\n");
    const QString got = reader.readString(QStringLiteral("A"), QStringLiteral("k"), QString());
    QCOMPARE(got.size(), expectedLength);
    QCOMPARE(got, QString(expectedLength, QLatin1Char('x')));
}

void TestProfileReader::windows1252_isDecoded()
{
    // 0xE4 is a-umlaut, 0x80 the euro sign, 0xDF sharp s in Windows-1252.
    const ProfileReader reader = ProfileReader::fromBytes("[M\xE4rz]\r\nk=M\xE4rz \x80 Stra\xDF"
                                                          "e\r\n");
    QCOMPARE(reader.readString(QStringLiteral("März"), QStringLiteral("k"), QString()),
             QStringLiteral("März € Straße"));
}

void TestProfileReader::utf8Signature_isDroppedAndRestReadAsUtf8()
{
    const ProfileReader reader = ProfileReader::fromBytes("\xEF\xBB\xBF[Month]\nMarch=M\xC3\xA4rz\n");
    QCOMPARE(reader.readString(QStringLiteral("Month"), QStringLiteral("March"), QString()), QStringLiteral("März"));
}

void TestProfileReader::lineEnds_crLfLfAndCr_data()
{
    QTest::addColumn<QByteArray>("separator");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("LF CR") << QByteArray("\n\r");
}

void TestProfileReader::lineEnds_crLfLfAndCr()
{
    QFETCH(QByteArray, separator);
    TempProgramDir dir;
    dir.write(QStringLiteral("t.qlf"), "[A]" + separator + "k=1" + separator + "[B]" + separator + "j=2" + separator);
    const ProfileReader reader(dir.file(QStringLiteral("t.qlf")));
    QVERIFY(reader.exists());
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("1"));
    QCOMPARE(reader.readString(QStringLiteral("B"), QStringLiteral("j"), QString()), QStringLiteral("2"));
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("d")), QStringLiteral("d"));
}

void TestProfileReader::missingFile_yieldsDefaults()
{
    TempProgramDir dir;
    const ProfileReader reader(dir.file(QStringLiteral("none.qlf")));
    QVERIFY(!reader.exists());
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
}

void TestProfileReader::folder_yieldsDefaults()
{
    TempProgramDir dir;
    dir.write(QStringLiteral("x.qlf/inner"), "[A]\nk=1\n");
    const ProfileReader reader(dir.file(QStringLiteral("x.qlf")));
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
}

void TestProfileReader::binaryGarbage_doesNotHideLaterSections()
{
    QRandomGenerator rng(20050301);
    for (int round = 0; round < 200; ++round) {
        QByteArray garbage(int(rng.bounded(1, 5000)), Qt::Uninitialized);
        for (char &c : garbage) c = char(rng.bounded(256));
        const ProfileReader reader = ProfileReader::fromBytes(garbage + "\n[Sentinel Section]\nSentinelKey=found\n");
        QCOMPARE(reader.readString(QStringLiteral("Sentinel Section"), QStringLiteral("SentinelKey"), QString()),
                 QStringLiteral("found"));
    }
}

void TestProfileReader::oversizedFile_restBeyondLimitIsIgnored()
{
    TempProgramDir dir;
    QByteArray bytes = "[A]\nk=1\n";
    bytes += QByteArray(int(ProfileReader::MaxFileSize), '\n');
    bytes += "[B]\nj=2\n";
    dir.write(QStringLiteral("big.qlf"), bytes);
    const ProfileReader reader(dir.file(QStringLiteral("big.qlf")));
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("1"));
    QCOMPARE(reader.readString(QStringLiteral("B"), QStringLiteral("j"), QStringLiteral("d")), QStringLiteral("d"));
}

void TestProfileReader::veryLongLine_valueStillCut()
{
    QByteArray bytes = "[A]\nk=" + QByteArray(4 * 1024 * 1024, 'y') + "\nj=2\n";
    const ProfileReader reader = ProfileReader::fromBytes(bytes);
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QString()).size(), 2047);
    QCOMPARE(reader.readString(QStringLiteral("A"), QStringLiteral("j"), QString()), QStringLiteral("2"));
}

QTEST_GUILESS_MAIN(TestProfileReader)
#include "tst_profilereader.moc"
