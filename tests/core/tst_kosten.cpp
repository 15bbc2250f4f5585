// The cost of a connection: minutes by clock readings, each priced by hour and day index.
#include "core/Kosten.h"
#include "core/SettingsStore.h"

#include <QDate>
#include <QTest>
#include <limits>

namespace {
struct Price
{
    int d;
    int h;
    double perMinute;
};
}
Q_DECLARE_METATYPE(QList<Price>)

namespace {
TDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return EncodeDateTime(y, mo, d, h, mi, s, ms);
}

TTarif tariffWith(const QList<Price> &prices)
{
    TTarif t;
    for (const Price &p : prices) t.Kosten[p.d][size_t(p.h)] = p.perMinute;
    return t;
}

// Every cell a different whole number, so sums stay exact and a wrong cell shows.
double grid(int d, int h) { return d * 100 + h; }

TTarif gridTariff()
{
    TTarif t;
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) t.Kosten[d][size_t(h)] = grid(d, h);
    return t;
}

// UTC, so that no daylight-saving gap or overlap changes the minutes the reference counts.
QDateTime utc(QDate d, QTime t) { return QDateTime(d, t, Qt::UTC); }

// Independent reference for March 2005 in Niedersachsen: one price per started minute,
// holidays taken from the calendar by hand (Sundays among them need no listing).
double perMinuteReferenceMarch2005(const QDateTime &from, const QDateTime &to)
{
    const QList<int> holidays = {21, 24, 25, 28};   // spring, Gründonnerstag, Karfreitag, Ostermontag
    double sum = 0;
    for (QDateTime m = from; m < to; m = m.addSecs(60)) {
        const QDate day = m.date();
        const bool holiday = day.month() == 3 && day.year() == 2005 && holidays.contains(day.day());
        sum += grid(holiday ? 7 : day.dayOfWeek(), m.time().hour());
    }
    return sum;
}
}

class TestKosten : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { Bundesland = 8; }

    // 1 March 2005 is a Tuesday, 4 March a Friday; neither is a holiday.
    void workedExamples_data()
    {
        QTest::addColumn<QList<Price>>("prices");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("expected");
        QTest::newRow("10:15-10:40") << QList<Price>{{2, 10, 1.5}} << at(2005, 3, 1, 10, 15) << at(2005, 3, 1, 10, 40)
                                     << 37.5;
        QTest::newRow("10:50-12:05") << QList<Price>{{2, 10, 1}, {2, 11, 2}, {2, 12, 3}} << at(2005, 3, 1, 10, 50)
                                     << at(2005, 3, 1, 12, 5) << 145.0;
        QTest::newRow("Friday 23:30-Saturday 0:10")
            << QList<Price>{{5, 23, 2}, {6, 0, 4}} << at(2005, 3, 4, 23, 30) << at(2005, 3, 5, 0, 10) << 100.0;
        QTest::newRow("same minute") << QList<Price>{{2, 10, 5}} << at(2005, 3, 1, 10, 15, 5)
                                     << at(2005, 3, 1, 10, 15, 55) << 0.0;
        QTest::newRow("10:59:00-11:00:00 is one minute of hour 10")
            << QList<Price>{{2, 10, 3}, {2, 11, 7}} << at(2005, 3, 1, 10, 59) << at(2005, 3, 1, 11, 0) << 3.0;
        QTest::newRow("10:00:59-10:01:00 is one minute")
            << QList<Price>{{2, 10, 3}} << at(2005, 3, 1, 10, 0, 59) << at(2005, 3, 1, 10, 1, 0) << 3.0;
        QTest::newRow("10:00:00-10:00:59 is none")
            << QList<Price>{{2, 10, 3}} << at(2005, 3, 1, 10, 0, 0) << at(2005, 3, 1, 10, 0, 59) << 0.0;
        QTest::newRow("10:00:59.9999 reads as 10:01")
            << QList<Price>{{2, 10, 3}} << at(2005, 3, 1, 10, 0, 59) + 0.9999 / 86400 << at(2005, 3, 1, 10, 2, 0)
            << 3.0;
        QTest::newRow("10:00-11:00 charges nothing of hour 11")
            << QList<Price>{{2, 10, 2}, {2, 11, 1000}} << at(2005, 3, 1, 10, 0) << at(2005, 3, 1, 11, 0) << 120.0;
        QTest::newRow("price change exactly at the hour")
            << QList<Price>{{2, 10, 1}, {2, 11, 10}} << at(2005, 3, 1, 10, 59, 30) << at(2005, 3, 1, 11, 0, 30) << 1.0;
        QTest::newRow("end before start costs nothing")
            << QList<Price>{{2, 10, 1}} << at(2005, 3, 1, 10, 40) << at(2005, 3, 1, 10, 15) << 0.0;
        QTest::newRow("end a day before start costs nothing")
            << QList<Price>{{2, 10, 1}, {1, 10, 1}} << at(2005, 3, 1, 10, 40) << at(2005, 2, 28, 10, 50) << 0.0;
    }
    void workedExamples()
    {
        QFETCH(QList<Price>, prices);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, expected);
        QCOMPARE(CalcKosten(tariffWith(prices), start, end), expected);
    }

    void gridTariff_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("expected");
        double middle = 0;
        for (int h = 0; h < 24; ++h) middle += 60 * grid(3, h);
        QTest::newRow("22:30 to 2:15 two dates later")
            << at(2005, 3, 1, 22, 30) << at(2005, 3, 3, 2, 15)
            << 30 * grid(2, 22) + 60 * grid(2, 23) + middle + 60 * grid(4, 0) + 60 * grid(4, 1) + 15 * grid(4, 2);
        QTest::newRow("ending in hour 0 of the next date")
            << at(2005, 3, 1, 23, 50) << at(2005, 3, 2, 0, 20) << 10 * grid(2, 23) + 20 * grid(3, 0);
        QTest::newRow("ending at 0:00 of the next date")
            << at(2005, 3, 1, 23, 50) << at(2005, 3, 2, 0, 0) << 10 * grid(2, 23);
        QTest::newRow("into a Sunday at midnight")
            << at(2005, 3, 5, 23, 45) << at(2005, 3, 6, 0, 15) << 15 * grid(6, 23) + 15 * grid(7, 0);
        QTest::newRow("Tuesday holiday 3 Oct 2006 uses day 7")
            << at(2006, 10, 3, 10, 0) << at(2006, 10, 3, 12, 30)
            << 60 * grid(7, 10) + 60 * grid(7, 11) + 30 * grid(7, 12);
        QTest::newRow("Monday into the Tuesday holiday")
            << at(2006, 10, 2, 23, 30) << at(2006, 10, 3, 0, 30) << 30 * grid(1, 23) + 30 * grid(7, 0);
        QTest::newRow("Tuesday holiday into Wednesday")
            << at(2006, 10, 3, 23, 30) << at(2006, 10, 4, 0, 30) << 30 * grid(7, 23) + 30 * grid(3, 0);
    }
    void gridTariff()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, expected);
        QCOMPARE(CalcKosten(::gridTariff(), start, end), expected);
    }

    void thirtyDaysEqualTheSumOfTheirDays()
    {
        const TTarif t = ::gridTariff();
        const QDateTime from = utc(QDate(2005, 3, 1), QTime(10, 20));
        const QDateTime to = utc(QDate(2005, 3, 31), QTime(10, 20));
        const double whole = CalcKosten(t, at(2005, 3, 1, 10, 20), at(2005, 3, 31, 10, 20));
        QCOMPARE(whole, perMinuteReferenceMarch2005(from, to));
        double pieces = 0;
        for (int day = 1; day < 31; ++day)
            pieces += CalcKosten(t, at(2005, 3, day, 10, 20), at(2005, 3, day + 1, 10, 20));
        QCOMPARE(whole, pieces);
    }

    void matchesPerMinuteReference_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        const QDate d(2005, 3, 20);
        QTest::newRow("Sunday into holiday Monday") << utc(d, QTime(21, 7)) << utc(d.addDays(1), QTime(3, 41));
        QTest::newRow("Gründonnerstag to Ostermontag")
            << utc(QDate(2005, 3, 24), QTime(0, 0)) << utc(QDate(2005, 3, 28), QTime(23, 59));
        QTest::newRow("whole day") << utc(QDate(2005, 3, 2), QTime(0, 0)) << utc(QDate(2005, 3, 3), QTime(0, 0));
        QTest::newRow("one hour minus a minute")
            << utc(QDate(2005, 3, 2), QTime(7, 1)) << utc(QDate(2005, 3, 2), QTime(8, 0));
    }
    void matchesPerMinuteReference()
    {
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        const TDateTime start =
            at(from.date().year(), from.date().month(), from.date().day(), from.time().hour(), from.time().minute());
        const TDateTime end =
            at(to.date().year(), to.date().month(), to.date().day(), to.time().hour(), to.time().minute());
        QCOMPARE(CalcKosten(::gridTariff(), start, end), perMinuteReferenceMarch2005(from, to));
    }

    void zeroTariffAlwaysCostsNothing()
    {
        SetupNullTarif();
        QCOMPARE(CalcKosten(NullTarif, at(2005, 3, 1, 10, 15), at(2005, 4, 2, 18, 5)), 0.0);
        QCOMPARE(CalcKosten(TTarif{}, at(2006, 10, 3, 0, 0), at(2006, 10, 3, 23, 59)), 0.0);
    }

    void unconvertibleTimesDoNotCrash()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QCOMPARE(CalcKosten(::gridTariff(), nan, nan), 0.0);
        QCOMPARE(CalcKosten(::gridTariff(), 1e300, 1e300), 0.0);
        QCOMPARE(CalcKosten(::gridTariff(), at(2005, 3, 1, 10, 0), nan), 0.0);
    }

    void hourKosten_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("d");
        QTest::addColumn<double>("expected");
        double day2 = 0;
        for (int h = 0; h < 24; ++h) day2 += 60 * grid(2, h);
        QTest::newRow("whole day") << 0 << 23 << 2 << day2;
        QTest::newRow("one hour") << 3 << 3 << 5 << 60 * grid(5, 3);
        QTest::newRow("two hours") << 22 << 23 << 7 << 60 * grid(7, 22) + 60 * grid(7, 23);
        QTest::newRow("0 to -1 is empty") << 0 << -1 << 2 << 0.0;
        QTest::newRow("last before first") << 5 << 4 << 2 << 0.0;
        QTest::newRow("24 to 23 is empty") << 24 << 23 << 2 << 0.0;
        QTest::newRow("day index 0 reads nothing") << 0 << 23 << 0 << 0.0;
        QTest::newRow("day index 8 reads nothing") << 0 << 23 << 8 << 0.0;
    }
    void hourKosten()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, d);
        QFETCH(double, expected);
        QCOMPARE(HourKosten(from, to, d, ::gridTariff()), expected);
    }

    void dayIndex_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<double>("date");
        QTest::addColumn<int>("expected");
        QTest::newRow("Monday") << 8 << at(2005, 2, 28, 12, 0) << 1;
        QTest::newRow("Tuesday") << 8 << at(2005, 3, 1, 0, 0) << 2;
        QTest::newRow("Saturday") << 8 << at(2005, 3, 5, 23, 59) << 6;
        QTest::newRow("Sunday") << 8 << at(2005, 3, 6, 8, 0) << 7;
        QTest::newRow("Tuesday holiday") << 8 << at(2006, 10, 3, 8, 0) << 7;
        QTest::newRow("Buß- und Bettag in Sachsen") << 12 << at(2005, 11, 16, 9, 0) << 7;
        QTest::newRow("Buß- und Bettag elsewhere") << 8 << at(2005, 11, 16, 9, 0) << 3;
        QTest::newRow("unknown state, Wednesday") << 99 << at(2005, 11, 16, 9, 0) << 3;
    }
    void dayIndex()
    {
        QFETCH(int, state);
        QFETCH(double, date);
        QFETCH(int, expected);
        Bundesland = std::uint8_t(state);
        QCOMPARE(DayIndex(date), expected);
    }
};

QTEST_GUILESS_MAIN(TestKosten)
#include "tst_kosten.moc"
