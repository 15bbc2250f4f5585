// minutrix-cli settings and language, against a settings file written by SaveSettings and
// language files as a user writes them.
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "tests/support/CoreFakes.h"
#include "tests/tools/CliRunner.h"

#include <QDir>
#include <QFile>

namespace {
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The expected line of a row whose text is its built-in one, escaped by hand.
QByteArray builtInLine(const TLanguageEntry &row)
{
    QString text = row.builtIn;
    text.replace(QStringLiteral("\r"), QStringLiteral("\\r")).replace(QStringLiteral("\n"), QStringLiteral("\\n"));
    return QByteArray(row.section) + '/' + row.key + '=' + text.toUtf8();
}
}

class TestCliConfig : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settings_fourValues_data();
    void settings_fourValues();
    void settings_longerFileReadsFirst266Bytes();
    void settings_otherSize_showsWhatTheProgramLoads_data();
    void settings_otherSize_showsWhatTheProgramLoads();
    void language_partialFileOverBuiltIns();
    void language_emptyFileGivesAllBuiltIns();
    void fileErrors_data();
    void fileErrors();
    void usageErrors_data();
    void usageErrors();

private:
    TempProgramDir m_dir;
};

void TestCliConfig::settings_fourValues_data()
{
    QTest::addColumn<int>("erster");
    QTest::addColumn<int>("land");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QString>("sprache");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("defaults") << 1 << 8 << 100.0 << "german"
                              << QByteArray("ErsterStart=1\nBundesland=8\nGesamtLimit=100\nSprache=german\n");
    QTest::newRow("fraction and umlaut") << 0 << 12 << 37.5 << "deutsch-\u00e4"
                                         << QStringLiteral("ErsterStart=0\nBundesland=12\nGesamtLimit=37.5\n"
                                                           "Sprache=deutsch-\u00e4\n")
                                                .toUtf8();
    QTest::newRow("tenth, empty name") << 0 << 0 << 0.1 << ""
                                       << QByteArray("ErsterStart=0\nBundesland=0\nGesamtLimit=0.1\nSprache=\n");
    QTest::newRow("unchecked values pass through") << 255 << 200 << -5.0 << "a\\b"
                                                   << QByteArray("ErsterStart=255\nBundesland=200\nGesamtLimit=-5\n"
                                                                 "Sprache=a\\\\b\n");
}

void TestCliConfig::settings_fourValues()
{
    QFETCH(int, erster);
    QFETCH(int, land);
    QFETCH(double, limit);
    QFETCH(QString, sprache);
    QFETCH(QByteArray, expected);
    ErsterStart = std::uint8_t(erster);
    Bundesland = std::uint8_t(land);
    GesamtLimit = limit;
    Sprache = sprache;
    SaveSettings();
    QCOMPARE(QFileInfo(SettingsPath()).size(), qint64(SettingsSize));
    const CliResult r = runCli({QStringLiteral("settings"), SettingsPath()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void TestCliConfig::settings_longerFileReadsFirst266Bytes()
{
    ErsterStart = 0;
    Bundesland = 3;
    GesamtLimit = 145;
    Sprache = QStringLiteral("english");
    SaveSettings();
    QFile f(SettingsPath());
    QVERIFY(f.open(QIODevice::Append));
    f.write("trailing bytes");
    f.close();
    const CliResult r = runCli({QStringLiteral("settings"), SettingsPath()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("ErsterStart=0\nBundesland=3\nGesamtLimit=145\nSprache=english\n"));
}

// A file of another size shows what the program starts with after loading it, and says so.
void TestCliConfig::settings_otherSize_showsWhatTheProgramLoads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("2 bytes") << QByteArray("\x01\x05");
    // Bundesland 3 and a language whose last byte is cut off.
    QTest::newRow("265 bytes") << QByteArray(2, '\3') + QByteArray(8, '\0') + '\xff' + QByteArray(254, 'e');
}

void TestCliConfig::settings_otherSize_showsWhatTheProgramLoads()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeFile(SettingsPath(), bytes));
    ErsterStart = Bundesland = 0;   // what the program holds before its first load
    GesamtLimit = 0;
    Sprache = QString();
    LoadSettings();
    const CliResult r = runCli({QStringLiteral("settings"), SettingsPath()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("ErsterStart=") + QByteArray::number(ErsterStart) + "\nBundesland="
                        + QByteArray::number(Bundesland) + "\nGesamtLimit=" + QByteArray::number(GesamtLimit)
                        + "\nSprache=" + Sprache.value().toUtf8() + '\n');
    QVERIFY2(r.err.contains("warning") && r.err.contains(QByteArray::number(bytes.size()) + " bytes"),
             r.err.constData());
}

void TestCliConfig::language_partialFileOverBuiltIns()
{
    const QString path = m_dir.file(QStringLiteral("english.qlf"));
    QVERIFY(writeFile(path, "[Month]\r\nMarch=M\xE4rz-\x80\r\nOctober=October\r\n"
                            "[Assistent]\r\nA_General=Eins#13#10Zwei#13#10Drei\r\n"
                            "[Warnings]\r\nW_NoTarif=Eins#13#10Zwei\r\n[Menu]\r\nExit=\r\n"));
    const CliResult r = runCli({QStringLiteral("language"), path});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> lines = r.lines();
    const auto &table = LanguageTable();
    QCOMPARE(lines.size(), 42);
    for (int i = 0; i < 42; ++i) {
        const QByteArray key = QByteArray(table[i].section) + '/' + table[i].key;
        if (key == "Month/March")
            QCOMPARE(lines[i], QStringLiteral("Month/March=M\u00e4rz-\u20ac").toUtf8());
        else if (key == "Assistent/A_General")
            QCOMPARE(lines[i], QByteArray("Assistent/A_General=Eins\\r\\nZwei\\r\\nDrei"));
        else if (key == "Warnings/W_NoTarif")
            QCOMPARE(lines[i], QByteArray("Warnings/W_NoTarif=Eins#13#10Zwei"));
        else if (key == "Menu/Exit")
            QCOMPARE(lines[i], QByteArray("Menu/Exit="));
        else
            QCOMPARE(lines[i], builtInLine(table[i]));
    }
    QCOMPARE(lines[9], QByteArray("Month/Oktober=Oktober"));
}

void TestCliConfig::language_emptyFileGivesAllBuiltIns()
{
    const QString path = m_dir.file(QStringLiteral("leer.qlf"));
    QVERIFY(writeFile(path, QByteArray()));
    const CliResult r = runCli({QStringLiteral("language"), path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines().size(), 42);
    for (int i = 0; i < 42; ++i) QCOMPARE(r.lines()[i], builtInLine(LanguageTable()[i]));
    QVERIFY(r.out.contains(QStringLiteral("Month/March=M\u00e4rz\n").toUtf8()));
    QVERIFY(r.out.contains("support@minutrix.de\\r\\nDie Einstellungen"));
}

void TestCliConfig::fileErrors_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");   // -1: no file; -2: a folder
    QTest::newRow("settings, missing") << "settings"
                                       << "none.dat" << -1;
    QTest::newRow("settings, a folder") << "settings"
                                        << "dir.dat" << -2;
    QTest::newRow("language, missing") << "language"
                                       << "german.qlf" << -1;
    QTest::newRow("language, a folder") << "language"
                                        << "dir.qlf" << -2;
}

void TestCliConfig::fileErrors()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(int, size);
    const QString path = m_dir.file(name);
    if (size == -2) QVERIFY(QDir().mkpath(path));
    if (size >= 0) QVERIFY(writeFile(path, QByteArray(size, '\x01')));
    const CliResult r = runCli({command, path});
    VERIFY_FILE_ERROR(r, path);
}

void TestCliConfig::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("settings with two files") << QStringList{"settings", "a.dat", "b.dat"};
    QTest::newRow("language with two files") << QStringList{"language", "a.qlf", "b.qlf"};
    QTest::newRow("command in capitals") << QStringList{"SETTINGS", "Settings.dat"};
}

void TestCliConfig::usageErrors()
{
    QFETCH(QStringList, args);
    const CliResult r = runCli(args);
    VERIFY_USAGE_ERROR(r);
}

QTEST_GUILESS_MAIN(TestCliConfig)
#include "tst_cli_config.moc"
