// The years and months the evaluation lists: year folders from 2002 to the current year, each
// with the months whose logs exist, named with the language's names.
#include "core/Language.h"
#include "core/Win1252.h"
#include "evaluation/MonthTree.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QTest>

class TestMonthTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scan_data()
    {
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<QStringList>("entries");   // under Data/; a trailing '/' makes a folder
        QTest::addColumn<QStringList>("tree");      // "year: months"
        QTest::newRow("2001: nothing") << 2001 << QStringList{"2001/Mai.qod", "2002/Mai.qod"} << QStringList{};
        QTest::newRow("gaps, empty years, calendar order")
            << 2005 << QStringList{"2003/", "2005/Juni.qod", "2005/Januar.qod"}
            << QStringList{"2003:", "2005: Januar Juni"};
        QTest::newRow("years outside 2002..now, folders at a month's name")
            << 2005 << QStringList{"2001/Mai.qod", "2006/Mai.qod", "2002/Mai.qod/", "2002/Juli.qod"}
            << QStringList{"2002: Juli"};
        // Each month once, under the language's name, whatever its log is called: March written under
        // the language's name, May before the language was chosen.
        QTest::newRow("renamed March") << 2005 << QStringList{"2005/Maerz.qod", "2005/Mai.qod"}
                                       << QStringList{"2005: Maerz Mai"};
        QTest::newRow("March under both names")
            << 2005 << QStringList{"2005/M\u00e4rz.qod", "2005/Maerz.qod"} << QStringList{"2005: Maerz"};
        QTest::newRow("March only under the German name")
            << 2005 << QStringList{"2005/M\u00e4rz.qod"} << QStringList{"2005: Maerz"};
    }
    void scan()
    {
        QFETCH(int, currentYear);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, tree);
        TempProgramDir dir;
        dir.write("test.qlf", ToWin1252(QStringLiteral("[Month]\r\nMarch=Maerz\r\n")));
        LoadLanguage(dir.file("test.qlf"));
        for (const QString &entry : entries) {
            if (entry.endsWith('/'))
                QDir().mkpath(dir.file("Data/" + entry));
            else
                dir.write("Data/" + entry, "\x01\x00\x00\x00");
        }
        FakeClock clock(EncodeDateTime(currentYear, 12, 31, 23, 0, 0));
        QStringList found;
        for (const TYearNode &year : ScanMonthTree()) {
            found << QString::number(year.year) + ':';
            for (const TMonthNode &month : year.months) {
                found.last() += ' ' + month.name;
                QCOMPARE(QFileInfo(month.path).path(), dir.file("Data/") + QString::number(year.year));
            }
        }
        QCOMPARE(found, tree);
        LoadLanguage(dir.file("none.qlf"));
    }
};

QTEST_GUILESS_MAIN(TestMonthTree)
#include "tst_eval_monthtree.moc"
