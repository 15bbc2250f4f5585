// The totals of a month and the overview of a year, read from month logs on disk, under German
// regional settings (the year's chart: tst_gui_auswertung_de).
#include "core/DataFolder.h"
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
        QStringList lines;
        for (const TYearMonth &m : year.months) lines << m.name + ": " + TotalsText(m.totals);
        lines << TotalsText(year.total);
        // 187.5 cents round half to even to 1,88 €; 1800 + 4530 s = 1:45:30.
        QCOMPARE(lines,
                 (QStringList{"Januar: 2 Verbindungen, 1:45:30 Std., 1,88 €",
                              "März: 2 Verbindungen, 0:10:00 Std., 0,10 €", "4 Verbindungen, 1:55:30 Std., 1,98 €"}));
        QCOMPARE(MonthSums(year)[2], 10.0);
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
};

MINUTRIX_OFFSCREEN_TEST_MAIN(TestYear)
#include "tst_eval_year_de.moc"
