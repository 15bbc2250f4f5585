// Finding year folders and month logs: the names the program writes, under either month name.
#include "CoreFakes.h"
#include "DataFolder.h"
#include "Language.h"
#include "Win1252.h"

#include <QDir>
#include <QTest>

namespace {
// A language file as the program reads it: Windows-1252, CR LF.
void loadLanguage(const TempProgramDir &dir, const QString &text)
{
    dir.write(QStringLiteral("test.qlf"), ToWin1252(text));
    LoadLanguage(dir.file(QStringLiteral("test.qlf")));
}

// "key path" per element, so that a failed comparison shows both maps.
QStringList listed(const std::map<int, QString> &found)
{
    QStringList lines;
    for (const auto &[key, path] : found) lines << QString::number(key) + QLatin1Char(' ') + path;
    return lines;
}

// Entries under the program folder; a trailing '/' makes a folder, anything else a file.
void create(const TempProgramDir &dir, const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (entry.endsWith(QLatin1Char('/')))
            QDir().mkpath(dir.file(entry));
        else
            dir.write(entry, "\x01\x00\x00\x00");
    }
}
}

class TestDataFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // First: minutrix-cli loads no language file, and finds the logs under the built-in names.
    void noLanguageLoaded_builtInNamesFound()
    {
        for (int month = 1; month <= 12; ++month)
            QVERIFY2(Monate[size_t(month)].isEmpty(), qPrintable(Monate[size_t(month)]));
        TempProgramDir dir;
        create(dir, {QStringLiteral("Data/2005/März.qod"), QStringLiteral("Data/2005/Dezember.qod"),
                     QStringLiteral("Data/2005/March.qod"), QStringLiteral("Data/2005/.qod")});
        const std::map<int, QString> expected{{3, dir.file(QStringLiteral("Data/2005/März.qod"))},
                                              {12, dir.file(QStringLiteral("Data/2005/Dezember.qod"))}};
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2005))), listed(expected));
    }

    void yearFolders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("2005") << "2005" << true << true;
        QTest::newRow("year 1") << "1" << true << true;
        QTest::newRow("year 9999") << "9999" << true << true;
        QTest::newRow("leading zero") << "02005" << true << false;
        QTest::newRow("year 0") << "0" << true << false;
        QTest::newRow("five digits") << "10000" << true << false;
        QTest::newRow("not a number") << "20x5" << true << false;
        QTest::newRow("plus sign") << "+2005" << true << false;
        QTest::newRow("minus sign") << "-5" << true << false;
        QTest::newRow("leading space") << " 2005" << true << false;
        QTest::newRow("trailing space") << "2005 " << true << false;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0662\u0660\u0660\u0665") << true << false;
        QTest::newRow("a file named 2006") << "2006" << false << false;
    }
    void yearFolders()
    {
        QFETCH(QString, name);
        QFETCH(bool, folder);
        QFETCH(bool, accepted);
        TempProgramDir dir;
        create(dir, {QStringLiteral("Data/") + name + (folder ? QStringLiteral("/") : QString())});
        std::map<int, QString> expected;
        if (accepted) expected.emplace(name.toInt(), dir.file(QStringLiteral("Data/") + name));
        QCOMPARE(listed(YearFolders(DataFolder())), listed(expected));
    }

    void yearFolders_inOrderOfTheYear_noDataFolder_none()
    {
        TempProgramDir dir;
        QCOMPARE(listed(YearFolders(DataFolder())), QStringList());
        create(dir, {QStringLiteral("Data/2005/"), QStringLiteral("Data/999/"), QStringLiteral("Data/10/")});
        const QString data = dir.file(QStringLiteral("Data/"));
        // In order of the year, not of the name ("10", "2005", "999").
        QCOMPARE(listed(YearFolders(DataFolder())),
                 QStringList({"10 " + data + "10", "999 " + data + "999", "2005 " + data + "2005"}));
    }

    // March renamed to "Maerz" by the language file.
    void monthLogs_languageNameFirst_data()
    {
        QTest::addColumn<QStringList>("entries");   // in Data/2026
        QTest::addColumn<QString>("march");         // the log found for March, "" for none
        QTest::newRow("only the language's name") << QStringList{"Maerz.qod"} << "Maerz.qod";
        QTest::newRow("only the built-in name") << QStringList{"März.qod"} << "März.qod";
        QTest::newRow("both: the language's") << QStringList{"März.qod", "Maerz.qod"} << "Maerz.qod";
        QTest::newRow("neither") << QStringList{"March.qod", "Maerz", "Maerz.qod.bak"} << "";
        QTest::newRow("the language's a folder") << QStringList{"Maerz.qod/", "März.qod"} << "März.qod";
        QTest::newRow("both folders") << QStringList{"Maerz.qod/", "März.qod/"} << "";
    }
    void monthLogs_languageNameFirst()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, march);
        TempProgramDir dir;
        loadLanguage(dir, QStringLiteral("[Month]\r\nMarch=Maerz\r\n"));
        for (QString &e : entries) e.prepend(QStringLiteral("Data/2026/"));
        create(dir, entries);
        std::map<int, QString> expected;
        if (!march.isEmpty()) expected.emplace(3, dir.file(QStringLiteral("Data/2026/") + march));
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2026))), listed(expected));
    }

    void monthLogs_everyMonthByItsOwnName()
    {
        TempProgramDir dir;
        // "Mäi" is the byte E4 in the language file and UTF-8 in the file name.
        loadLanguage(dir, QStringLiteral("[Month]\r\nMay=M\u00e4i\r\nApril=Avril\r\nJune=Juni\r\n"));
        create(dir, {QStringLiteral("Data/2026/M\u00e4i.qod"), QStringLiteral("Data/2026/April.qod"),
                     QStringLiteral("Data/2026/Mai.qod"), QStringLiteral("Data/2026/Juni.qod")});
        const QString year = dir.file(QStringLiteral("Data/2026/"));
        const std::map<int, QString> expected{{4, year + QStringLiteral("April.qod")},
                                              {5, year + QStringLiteral("M\u00e4i.qod")},
                                              {6, year + QStringLiteral("Juni.qod")}};
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2026))), listed(expected));
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2027))), QStringList());   // no such year folder
    }

    void paths_underTheProgramFolder()
    {
        TempProgramDir dir;
        LoadLanguage(dir.file(QStringLiteral("missing.qlf")));   // the built-in names
        QCOMPARE(DataFolder(), dir.path() + QStringLiteral("Data/"));
        QCOMPARE(DataYearFolder(2005), dir.path() + QStringLiteral("Data/2005"));
        QCOMPARE(DataYearFolder(987), dir.path() + QStringLiteral("Data/987"));
        QCOMPARE(MonthLogPath(2005, 3), dir.path() + QStringLiteral("Data/2005/März.qod"));
        QCOMPARE(MonthLogPath(2005, 12), dir.path() + QStringLiteral("Data/2005/Dezember.qod"));
        loadLanguage(dir, QStringLiteral("[Month]\r\nMarch=Maerz\r\n"));
        QCOMPARE(MonthLogPath(2026, 3), dir.path() + QStringLiteral("Data/2026/Maerz.qod"));
        QCOMPARE(MonthLogPath(2026, 4), dir.path() + QStringLiteral("Data/2026/April.qod"));
    }

    void builtInMonthName_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << 1 << "Januar";
        QTest::newRow("3") << 3 << "März";
        QTest::newRow("10") << 10 << "Oktober";
        QTest::newRow("12") << 12 << "Dezember";
        QTest::newRow("0") << 0 << "";
        QTest::newRow("13") << 13 << "";
        QTest::newRow("-1") << -1 << "";
    }
    void builtInMonthName()
    {
        QFETCH(int, month);
        QFETCH(QString, name);
        TempProgramDir dir;
        loadLanguage(dir, QStringLiteral("[Month]\r\nJanuary=Jan\r\nMarch=Maerz\r\nOktober=Okt\r\nDecember=Dez\r\n"));
        QCOMPARE(BuiltInMonthName(month), name);   // whatever the language file says
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
