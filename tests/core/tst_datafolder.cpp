// Finding year folders and month logs: the names the program writes, under either month name.
#include "core/DataFolder.h"
#include "core/Language.h"
#include "core/Win1252.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
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

// "key path" per element, so that a failed comparison shows both maps.
QStringList listed(const std::map<int, QString> &found)
{
    QStringList lines;
    for (const auto &[key, path] : found) lines << QString::number(key) + QLatin1Char(' ') + path;
    return lines;
}
}

class TestDataFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // First, before any language is loaded: minutrix-cli loads none and finds the built-in names.
    void noLanguageLoaded_builtInNamesFound()
    {
        TempProgramDir dir;
        create(dir, {"Data/2005/März.qod", "Data/2005/March.qod", "Data/2005/.qod"});
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2005))), QStringList{"3 " + dir.file("Data/2005/März.qod")});
    }

    void yearFolders_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("year");   // 0: not a year folder
        QTest::newRow("2005") << "2005/" << 2005;
        QTest::newRow("year 1") << "1/" << 1;
        QTest::newRow("year 9999") << "9999/" << 9999;
        QTest::newRow("leading zero") << "02005/" << 0;
        QTest::newRow("year 0") << "0/" << 0;
        QTest::newRow("five digits") << "10000/" << 0;
        QTest::newRow("not a number") << "20x5/" << 0;
        QTest::newRow("sign") << "+2005/" << 0;
        QTest::newRow("space") << " 2005/" << 0;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0662\u0660\u0660\u0665/") << 0;
        QTest::newRow("a file") << "2006" << 0;
    }
    void yearFolders()
    {
        QFETCH(QString, entry);
        QFETCH(int, year);
        TempProgramDir dir;
        create(dir, {"Data/" + entry});
        const QStringList expected{QString::number(year) + ' ' + dir.file("Data/" + entry.chopped(1))};
        QCOMPARE(listed(YearFolders(DataFolder())), year ? expected : QStringList());
    }

    // The language file renames March to "Maerz" and May to "Mäi" (E4 in the file, UTF-8 on disk).
    void monthLogs_languageNameFirst_data()
    {
        QTest::addColumn<QStringList>("entries");   // in Data/2026
        QTest::addColumn<QStringList>("found");
        QTest::newRow("language's name") << QStringList{"Maerz.qod"} << QStringList{"3 Maerz.qod"};
        QTest::newRow("built-in name") << QStringList{"März.qod"} << QStringList{"3 März.qod"};
        QTest::newRow("both: the language's") << QStringList{"März.qod", "Maerz.qod"} << QStringList{"3 Maerz.qod"};
        QTest::newRow("neither") << QStringList{"March.qod", "Maerz", "Maerz.qod.bak"} << QStringList{};
        QTest::newRow("language's a folder") << QStringList{"Maerz.qod/", "März.qod"} << QStringList{"3 März.qod"};
        QTest::newRow("both folders") << QStringList{"Maerz.qod/", "März.qod/"} << QStringList{};
        QTest::newRow("non-ASCII name") << QStringList{"M\u00e4i.qod", "Mai.qod"} << QStringList{"5 M\u00e4i.qod"};
    }
    void monthLogs_languageNameFirst()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, found);
        TempProgramDir dir;
        dir.write("test.qlf", ToWin1252(QStringLiteral("[Month]\r\nMarch=Maerz\r\nMay=M\u00e4i\r\n")));
        LoadLanguage(dir.file("test.qlf"));
        for (QString &e : entries) e.prepend("Data/2026/");
        create(dir, entries);
        for (QString &f : found) f.insert(2, dir.file("Data/2026/"));
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2026))), found);
        // The log March has, under whichever name; a new one under the language's name.
        const QStringList march = found.filter(QRegularExpression("^3 "));
        QCOMPARE(MonthLogPath(2026, 3), march.isEmpty() ? dir.file("Data/2026/Maerz.qod") : march[0].mid(2));
        QCOMPARE(BuiltInMonthName(3), QStringLiteral("März"));    // whatever the language file says
        QVERIFY(MonthLogsOfYear(DataYearFolder(2027)).empty());   // no such year folder
    }

    // The month log across a change of language, with the shipped files and a user's own in the
    // data folder: a month goes on in the log it was begun in, under whatever language's name.
    void monthLog_acrossLanguages_data()
    {
        QTest::addColumn<QString>("current");       // the language file loaded
        QTest::addColumn<QByteArray>("ownFile");    // own.qlf in the data folder
        QTest::addColumn<QStringList>("entries");   // in Data/2026
        QTest::addColumn<QString>("march");         // MonthLogPath(2026, 3)'s file name
        QTest::addColumn<QStringList>("found");     // MonthLogsOfYear
        const QByteArray none;
        QTest::newRow("English, March begun in German")
            << "english" << none << QStringList{"März.qod"} << "März.qod" << QStringList{"3 März.qod"};
        QTest::newRow("German, March begun in English") << "german" << none << QStringList{"March.qod", "Mai.qod"}
                                                        << "March.qod" << QStringList{"3 March.qod", "5 Mai.qod"};
        QTest::newRow("English, no log yet")
            << "english" << none << QStringList{"May.qod"} << "March.qod" << QStringList{"5 May.qod"};
        QTest::newRow("both: the current language's")
            << "english" << none << QStringList{"März.qod", "March.qod"} << "March.qod" << QStringList{"3 March.qod"};
        QTest::newRow("a user's own language") << "german" << QByteArray("[Month]\nMarch=Mars\n")
                                               << QStringList{"Mars.qod"} << "Mars.qod" << QStringList{"3 Mars.qod"};
        QTest::newRow("own file names March as April")
            << "english" << QByteArray("[Month]\nMarch=April\nMay=Dezember\n") << QStringList{"April.qod"}
            << "March.qod" << QStringList{"4 April.qod"};
        QTest::newRow("own file names a path") << "english" << QByteArray("[Month]\nMarch=../2025/März\n")
                                               << QStringList{"../2025/März.qod"} << "March.qod" << QStringList{};
    }
    void monthLog_acrossLanguages()
    {
        QFETCH(QString, current);
        QFETCH(QByteArray, ownFile);
        QFETCH(QStringList, entries);
        QFETCH(QString, march);
        QFETCH(QStringList, found);
        TempProgramDir dir;
        QDir().mkpath(dir.file("shipped"));
        for (const char *name : {"german.qlf", "english.qlf"})
            QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_LANGUAGES_DIR "/") + name, dir.file("shipped/") + name));
        SetShippedLanguageDir(dir.file("shipped"));
        if (!ownFile.isEmpty()) dir.write("own.qlf", ownFile);
        LoadLanguage(LanguageFile(current + ".qlf"));
        for (QString &e : entries) e.prepend("Data/2026/");
        create(dir, entries);
        for (QString &f : found) f.insert(2, dir.file("Data/2026/"));
        QCOMPARE(MonthLogPath(2026, 3), dir.file("Data/2026/" + march));
        QCOMPARE(listed(MonthLogsOfYear(DataYearFolder(2026))), found);
        SetShippedLanguageDir(QString());
        LoadLanguage(QString());
    }

    void paths_underTheProgramFolder()
    {
        TempProgramDir dir;
        LoadLanguage(dir.file("missing.qlf"));   // the built-in names
        QCOMPARE(DataFolder(), dir.file("Data/"));
        QCOMPARE(DataYearFolder(987), dir.file("Data/987"));
        QCOMPARE(MonthLogPath(2005, 12), dir.file("Data/2005/Dezember.qod"));
        QCOMPARE(BuiltInMonthName(0), QString());
        QCOMPARE(BuiltInMonthName(13), QString());
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
