// Finding year folders and month logs: the names the program writes, under either month name.
#include "CoreFakes.h"
#include "DataFolder.h"
#include "Language.h"
#include "Win1252.h"

#include <QDir>
#include <QTest>

class TestDataFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void yearFolders_onlyTheProgramsNames()
    {
        TempProgramDir dir;
        for (const char *name : {"2005", "02005", "0", "10000", "20x5"})
            QDir().mkpath(dir.file(QStringLiteral("Data/") + name));
        dir.write("Data/2006", "a file, not a folder");
        const auto years = YearFolders(DataFolder());
        QCOMPARE(int(years.size()), 1);
        QCOMPARE(years.begin()->first, 2005);
        QCOMPARE(years.begin()->second, dir.file("Data/2005"));
    }

    void monthLogs_languageNameFirstThenBuiltIn()
    {
        TempProgramDir dir;
        dir.write("maerz.qlf", ToWin1252(QStringLiteral("[Month]\r\nMarch=Maerz\r\nApril=Avril\r\n")));
        LoadLanguage(dir.file("maerz.qlf"));
        dir.write("Data/2026/Maerz.qod", "x");
        dir.write("Data/2026/März.qod", "x");           // before the change of language
        dir.write("Data/2026/April.qod", "x");          // only under the built-in name
        QDir().mkpath(dir.file("Data/2026/Mai.qod"));   // a folder is no month log
        const auto logs = MonthLogsOfYear(DataYearFolder(2026));
        QCOMPARE(int(logs.size()), 2);
        QCOMPARE(logs.at(3), dir.file("Data/2026/Maerz.qod"));
        QCOMPARE(logs.at(4), dir.file("Data/2026/April.qod"));
        QCOMPARE(MonthLogPath(2026, 3), dir.file("Data/2026/Maerz.qod"));
        QCOMPARE(BuiltInMonthName(3), QStringLiteral("März"));
        QCOMPARE(BuiltInMonthName(13), QString());
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
