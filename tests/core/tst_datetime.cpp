// Date-time helpers: encoding, decoding with millisecond rounding, weekdays and the ISO form.
#include "core/DateTime.h"

#include <QTest>

namespace {
constexpr double Msec = 1.0 / 86400000.0;
}

class TestDateTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Day numbers of the 1899-12-30 epoch that other programs of the same convention agree on.
    void encodeDate_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("epoch") << 1899 << 12 << 30 << true << 0.0;
        QTest::newRow("1 Jan 1900") << 1900 << 1 << 1 << true << 2.0;
        QTest::newRow("1 Jan 2000") << 2000 << 1 << 1 << true << 36526.0;
        QTest::newRow("29 Feb 2000") << 2000 << 2 << 29 << true << 36585.0;
        QTest::newRow("29 Dec 1899") << 1899 << 12 << 29 << true << -1.0;
        QTest::newRow("31 Dec 9999") << 9999 << 12 << 31 << true << 2958465.0;
        QTest::newRow("1 Jan 0001") << 1 << 1 << 1 << true << -693593.0;
        QTest::newRow("29 Feb 2005") << 2005 << 2 << 29 << false << 0.0;
        QTest::newRow("29 Feb 1900") << 1900 << 2 << 29 << false << 0.0;
        QTest::newRow("31 Apr") << 2005 << 4 << 31 << false << 0.0;
        QTest::newRow("month 13") << 2005 << 13 << 1 << false << 0.0;
        QTest::newRow("month 0") << 2005 << 0 << 1 << false << 0.0;
        QTest::newRow("day 0") << 2005 << 1 << 0 << false << 0.0;
        QTest::newRow("year 0") << 0 << 1 << 1 << false << 0.0;
        QTest::newRow("year 10000") << 10000 << 1 << 1 << false << 0.0;
        QTest::newRow("negative year") << -44 << 3 << 15 << false << 0.0;
    }
    void encodeDate()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        TDateTime r = -12345;
        QCOMPARE(TryEncodeDate(year, month, day, r), valid);
        QCOMPARE(EncodeDate(year, month, day), expected);
        if (valid) {
            QCOMPARE(r, expected);
            int y, m, d;
            DecodeDate(r, y, m, d);
            QCOMPARE(y, year);
            QCOMPARE(m, month);
            QCOMPARE(d, day);
        }
    }

    void decodeRoundsToWholeMilliseconds_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("msec");
        const TDateTime d = EncodeDate(2005, 3, 1);
        QTest::newRow("10:00:59.9999 -> 10:01:00") << d + (36059999.9 * Msec) << 1 << 10 << 1 << 0 << 0;
        QTest::newRow("10:00:59.9994 -> 10:00:59.999") << d + (36059999.4 * Msec) << 1 << 10 << 0 << 59 << 999;
        QTest::newRow("10:15:30.250") << d + EncodeTime(10, 15, 30, 250) << 1 << 10 << 15 << 30 << 250;
        QTest::newRow("23:59:59.9996 -> next day 0:00") << d + (86399999.6 * Msec) << 2 << 0 << 0 << 0 << 0;
        QTest::newRow("midnight") << d << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("one millisecond short of midnight, inexact") << d + 1 - Msec << 1 << 23 << 59 << 59 << 999;
    }
    void decodeRoundsToWholeMilliseconds()
    {
        QFETCH(double, dateTime);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(int, msec);
        int y, mo, d, h, mi, s, ms;
        DecodeDate(dateTime, y, mo, d);
        DecodeTime(dateTime, h, mi, s, ms);
        QCOMPARE(y, 2005);
        QCOMPARE(mo, 3);
        QCOMPARE(d, day);
        QCOMPARE(h, hour);
        QCOMPARE(mi, minute);
        QCOMPARE(s, second);
        QCOMPARE(ms, msec);
        QCOMPARE(DatePart(dateTime), int(EncodeDate(2005, 3, day)));
    }

    // Before the epoch the fraction still counts forward from the date: -1.25 is 29 Dec 1899, 6:00.
    void negativeDateTimes()
    {
        int y, mo, d, h, mi, s, ms;
        DecodeDate(-1.25, y, mo, d);
        DecodeTime(-1.25, h, mi, s, ms);
        QCOMPARE(QList<int>({y, mo, d, h, mi}), QList<int>({1899, 12, 29, 6, 0}));
        QCOMPARE(DatePart(-1.25), -1);
        QCOMPARE(EncodeDateTime(1899, 12, 29, 6, 0, 0), -1.25);
        TDateTime parsed = 0;
        QVERIFY(FromIsoDateTime(QStringLiteral("1899-12-29T18:00:00"), parsed));
        QCOMPARE(parsed, -1.75);
        QCOMPARE(EncodeDateTime(1899, 12, 30, 6, 0, 0), 0.25);
    }

    void dayOfTheWeek_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<int>("expected");
        QTest::newRow("epoch was a Saturday") << 0.0 << 6;
        QTest::newRow("Mon 28 Feb 2005") << EncodeDate(2005, 2, 28) << 1;
        QTest::newRow("Tue 1 Mar 2005, evening") << EncodeDateTime(2005, 3, 1, 21, 0, 0) << 2;
        QTest::newRow("Thu 29 Feb 2024") << EncodeDate(2024, 2, 29) << 4;
        QTest::newRow("Sat 1 Jan 2000") << EncodeDate(2000, 1, 1) << 6;
        QTest::newRow("Sun 6 Mar 2005") << EncodeDate(2005, 3, 6) << 7;
        QTest::newRow("Sun 25 Dec 2005") << EncodeDate(2005, 12, 25) << 7;
        QTest::newRow("Sat 5 Mar 23:59:59.9996 rounds into Sunday") << EncodeDate(2005, 3, 5) + 86399999.6 * Msec << 7;
    }
    void dayOfTheWeek()
    {
        QFETCH(double, dateTime);
        QFETCH(int, expected);
        QCOMPARE(DayOfTheWeek(dateTime), expected);
    }

    void isoRoundTrip_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << EncodeDateTime(2005, 3, 1, 10, 15, 30) << QStringLiteral("2005-03-01T10:15:30");
        QTest::newRow("epoch") << 0.0 << QStringLiteral("1899-12-30T00:00:00");
        QTest::newRow("leap day late") << EncodeDateTime(2008, 2, 29, 23, 59, 59)
                                       << QStringLiteral("2008-02-29T23:59:59");
        QTest::newRow("year 1") << EncodeDateTime(1, 1, 1, 0, 0, 1) << QStringLiteral("0001-01-01T00:00:01");
    }
    void isoRoundTrip()
    {
        QFETCH(double, dateTime);
        QFETCH(QString, text);
        QCOMPARE(ToIsoDateTime(dateTime), text);
        QCOMPARE(ToIsoDate(dateTime), text.left(10));
        TDateTime back = -1;
        QVERIFY(FromIsoDateTime(text, back));
        QCOMPARE(ToIsoDateTime(back), text);
        QVERIFY(qAbs(back - dateTime) < Msec);
    }

    void isoRejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("30 Feb") << QStringLiteral("2005-02-30T10:00:00");
        QTest::newRow("space instead of T") << QStringLiteral("2005-03-01 10:00:00");
        QTest::newRow("hour 24") << QStringLiteral("2005-03-01T24:00:00");
        QTest::newRow("minute 60") << QStringLiteral("2005-03-01T10:60:00");
        QTest::newRow("second 60") << QStringLiteral("2005-03-01T10:00:60");
        QTest::newRow("date only") << QStringLiteral("2005-03-01");
        QTest::newRow("trailing text") << QStringLiteral("2005-03-01T10:00:00Z");
        QTest::newRow("year 0") << QStringLiteral("0000-01-01T00:00:00");
        QTest::newRow("empty") << QString();
    }
    void isoRejects()
    {
        QFETCH(QString, text);
        TDateTime r = 42;
        QVERIFY(!FromIsoDateTime(text, r));
        QCOMPARE(r, 42.0);
    }

    void floatToStrGeneral_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("37.5") << 37.5 << QStringLiteral("37.5");
        QTest::newRow("145") << 145.0 << QStringLiteral("145");
        QTest::newRow("0") << 0.0 << QStringLiteral("0");
        QTest::newRow("0.1 + 0.2 at 15 digits") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("negative") << -2.25 << QStringLiteral("-2.25");
        QTest::newRow("0.0001 stays fixed") << 0.0001 << QStringLiteral("0.0001");
        QTest::newRow("1E-5") << 0.00001 << QStringLiteral("1E-5");
        QTest::newRow("15 digits stay fixed") << 123456789012345.0 << QStringLiteral("123456789012345");
        QTest::newRow("16 digits turn scientific") << 1234567890123456.0 << QStringLiteral("1.23456789012346E15");
        QTest::newRow("1E20") << 1e20 << QStringLiteral("1E20");
    }
    void floatToStrGeneral()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FloatToStrGeneral(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
