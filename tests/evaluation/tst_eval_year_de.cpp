// The totals of a month and the overview of a year, read from month logs on disk, under German
// regional settings; the twelve months as a bar chart.
#include "core/DataFolder.h"
#include "core/SettingsStore.h"
#include "evaluation/YearOverview.h"
#include "tests/evaluation/OffscreenMain.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <limits>

namespace {
TVerbindung connection(int month, int day, int seconds, double cost)
{
    TVerbindung v;
    v.Datum = v.Start = EncodeDateTime(2005, month, day, 20, 0, 0);
    v.Ende = v.Start + seconds / 86400.0;
    v.Kosten = cost;
    return v;
}

void writeLog(const QString &path, const std::vector<TVerbindung> &records)
{
    TKostenDatenbank log;
    log.Pfad = path;
    for (const TVerbindung &v : records) AppendData(log, v);
}
}

class TestYear : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void overview_fromTheLogsOnDisk()
    {
        TempProgramDir dir;
        QDir().mkpath(DataYearFolder(2005));
        writeLog(dir.file(QStringLiteral("Data/2005/Januar.qod")),
                 {connection(1, 3, 1800, 37), connection(1, 4, 4530, 150.5)});
        // A cost that is no number counts as 0, a connection that ends before it starts lasted no time.
        writeLog(dir.file(QStringLiteral("Data/2005/März.qod")),
                 {connection(3, 1, 600, std::numeric_limits<double>::quiet_NaN()), connection(3, 2, -300, 10)});
        const TYearOverview year = YearOverview(ScanYear(2005, DataYearFolder(2005)));
        QCOMPARE(year.months.size(), size_t(2));
        QCOMPARE(year.months[1].name, QStringLiteral("März"));
        QStringList lines;
        for (const TYearMonth &m : year.months) lines << TotalsText(m.totals);
        lines << TotalsText(year.total);
        // 187.5 cents round half to even to 1,88 €; 1800 + 4530 s = 1:45:30.
        QCOMPARE(lines, (QStringList{"2 Verbindungen, 1:45:30 Std., 1,88 €", "2 Verbindungen, 0:10:00 Std., 0,10 €",
                                     "4 Verbindungen, 1:55:30 Std., 1,98 €"}));
        const std::array<double, 12> sums = MonthSums(year);
        QVERIFY(sums[0] == 187.5 && sums[1] == 0 && sums[2] == 10);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << TotalsText({1, 59, 2361.15}) << "1 Verbindung, 0:00:59 Std., 23,61 €";
        QTest::newRow("hours past a day") << DurationText(123 * 3600 + 4 * 60 + 5) << "123:04:05";
        QTest::newRow("thousands") << EuroText(123450) << "1.234,50 €";
        QTest::newRow("left of the limit") << LimitText(100, 2361.15) << "noch 76,39 € bis zum Gesamtlimit";
        QTest::newRow("reached to the cent") << LimitText(10, 999.6) << "Gesamtlimit erreicht";
        QTest::newRow("over") << LimitText(10, 1320) << "Gesamtlimit um 3,20 € überschritten";
        QTest::newRow("no limit") << LimitText(std::numeric_limits<double>::quiet_NaN(), 5) << "";
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void monthLine_limitOnlyForTheMonthOfToday()
    {
        FakeClock clock(EncodeDateTime(2005, 3, 31, 23, 0, 0));
        GesamtLimit = 30;
        const TTotals totals{2, 60, 500};
        QCOMPARE(MonthTotalsLine(totals, 2005, 3),
                 QStringLiteral("2 Verbindungen, 0:01:00 Std., 5,00 €; noch 25,00 € bis zum Gesamtlimit"));
        QCOMPARE(MonthTotalsLine(totals, 2004, 3), QStringLiteral("2 Verbindungen, 0:01:00 Std., 5,00 €"));
    }

    void chart_oneBarPerMonth()
    {
        // 390 wide: month i stands at x = 360 / 12 * i; March's 2 of a peak of 3 + 1 rise 190 of 380 pixels.
        TYearOverview year;
        year.months = {{1, "Januar", {1, 1, 3}}, {3, "März", {1, 1, 2}}};
        const QImage image = YearChartImage(year, QSize(390, 400));
        QCOMPARE(image.pixel(30, 390 - 285), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(30, 390 - 286), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(90, 390 - 190), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(90, 390 - 191), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(60, 389), qRgb(255, 255, 255));   // February: no log, no bar
    }
};

MINUTRIX_OFFSCREEN_TEST_MAIN(TestYear)
#include "tst_eval_year_de.moc"
