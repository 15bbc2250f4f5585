// The years and months the evaluation lists: year folders from 2002 to the current year, and the
// months whose logs exist, under the language table's name or the built-in German one.
#include "CoreFakes.h"
#include "Language.h"
#include "MonthTree.h"
#include "Win1252.h"

#include <QDir>
#include <QTest>

namespace {
// "2005: Januar März" per year, so that a failed comparison shows the whole tree.
QStringList described(const std::vector<TYearNode> &tree)
{
    QStringList lines;
    for (const TYearNode &year : tree) {
        QString line = QString::number(year.year) + QLatin1Char(':');
        for (const TMonthNode &month : year.months) line += QLatin1Char(' ') + month.name;
        lines << line;
    }
    return lines;
}
}

class TestMonthTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scan_data()
    {
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<QStringList>("entries");   // a trailing '/' makes a folder
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("2001: nothing, whatever lies there")
            << 2001 << QStringList{"Data/2001/Mai.qod", "Data/2002/Mai.qod"} << QStringList{};
        QTest::newRow("gaps between the years")
            << 2005 << QStringList{"Data/2003/", "Data/2005/Juni.qod", "Data/2005/Januar.qod"}
            << QStringList{"2003:", "2005: Januar Juni"};
        QTest::newRow("years outside 2002..now left out")
            << 2005 << QStringList{"Data/2001/Mai.qod", "Data/2006/Mai.qod", "Data/2002/Dezember.qod"}
            << QStringList{"2002: Dezember"};
        QTest::newRow("a folder at a month's name or a year's name is no log")
            << 2005 << QStringList{"Data/2004/Mai.qod/", "Data/2005"} << QStringList{"2004:"};
    }
    void scan()
    {
        QFETCH(int, currentYear);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, tree);
        TempProgramDir dir;
        LoadLanguage(dir.file("none.qlf"));
        for (const QString &entry : entries) {
            if (entry.endsWith(QLatin1Char('/')))
                QDir().mkpath(dir.file(entry));
            else
                dir.write(entry, "\x01\x00\x00\x00");
        }
        FakeClock clock(EncodeDateTime(currentYear, 12, 31, 23, 0, 0));
        QCOMPARE(described(ScanMonthTree()), tree);
    }

    void renamedMonth_listedUnderTheGermanName()
    {
        TempProgramDir dir;
        dir.write("test.qlf", ToWin1252(QStringLiteral("[Month]\r\nMarch=Maerz\r\n")));
        LoadLanguage(dir.file("test.qlf"));
        dir.write("Data/2005/Maerz.qod", "\x01\x00\x00\x00");   // written under the language's name
        dir.write("Data/2005/April.qod", "\x01\x00\x00\x00");   // before the language was chosen
        const std::vector<TYearNode> tree = ScanMonthTree(dir.file("Data"), 2005);
        QCOMPARE(described(tree), QStringList{"2005: März April"});
        QCOMPARE(tree[0].months[0].month, 3);
        QCOMPARE(tree[0].months[0].path, dir.file("Data/2005/Maerz.qod"));
        LoadLanguage(dir.file("none.qlf"));
    }
};

QTEST_GUILESS_MAIN(TestMonthTree)
#include "tst_eval_monthtree.moc"
