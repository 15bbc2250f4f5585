// Easter, the holiday table per year and state, and the day-of-year lookup.
#include "core/Feiertage.h"
#include "core/SettingsStore.h"

#include <QDate>
#include <QSet>
#include <QTest>
#include <climits>
#include <cmath>
#include <limits>

namespace {
TDateTime date(int y, int m, int d) { return EncodeDate(y, m, d); }

// Days of the year (1..366) marked in the current table.
QSet<int> markedDays()
{
    QSet<int> days;
    for (int i = 0; i < int(Feiertage.size()); ++i)
        if (Feiertage[size_t(i)] != 0) days.insert(i);
    return days;
}

int code(int y, int m, int d) { return Feiertage[size_t(QDate(y, m, d).dayOfYear())]; }

using MonthDay = QPair<int, int>;

// The 2005 holiday list for Niedersachsen, written down from the calendar, not from the code.
QList<MonthDay> holidays2005Niedersachsen()
{
    return {{1, 1},  {2, 2},  {2, 3},   {2, 7},   {2, 8},   {2, 9},   {2, 14},  {3, 20},  {3, 21},
            {3, 24}, {3, 25}, {3, 27},  {3, 28},  {5, 1},   {5, 5},   {5, 8},   {5, 15},  {5, 16},
            {6, 21}, {6, 29}, {9, 8},   {9, 23},  {10, 2},  {10, 3},  {11, 1},  {11, 13}, {11, 20},
            {12, 4}, {12, 8}, {12, 11}, {12, 18}, {12, 22}, {12, 24}, {12, 25}, {12, 26}, {12, 31}};
}
}

class TestFeiertage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { Bundesland = 8; }

    void ostersonntag_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("easter");
        QTest::newRow("2005") << 2005 << QDate(2005, 3, 27);
        QTest::newRow("2006") << 2006 << QDate(2006, 4, 16);
        QTest::newRow("2008 early") << 2008 << QDate(2008, 3, 23);
        QTest::newRow("2011") << 2011 << QDate(2011, 4, 24);
        QTest::newRow("1981 26-April rule") << 1981 << QDate(1981, 4, 19);
        QTest::newRow("1954 25-April rule") << 1954 << QDate(1954, 4, 18);
        QTest::newRow("2038 latest") << 2038 << QDate(2038, 4, 25);
        QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
        QTest::newRow("2024") << 2024 << QDate(2024, 3, 31);
    }
    void ostersonntag()
    {
        QFETCH(int, year);
        QFETCH(QDate, easter);
        QCOMPARE(GetOstersonntag(year), date(easter.year(), easter.month(), easter.day()));
    }

    void ostersonntag_invalidYearGivesZero_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("0") << 0;
        QTest::newRow("10000") << 10000;
        QTest::newRow("-1") << -1;
        QTest::newRow("INT_MIN") << INT_MIN;
        QTest::newRow("INT_MAX") << INT_MAX;
    }
    void ostersonntag_invalidYearGivesZero()
    {
        QFETCH(int, year);
        QCOMPARE(GetOstersonntag(year), 0.0);
    }

    void fullList2005_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QList<MonthDay>>("expected");
        QTest::newRow("Niedersachsen") << 8 << holidays2005Niedersachsen();
        QTest::newRow("Sachsen") << 12
                                 << (holidays2005Niedersachsen()
                                     << MonthDay{5, 26} << MonthDay{10, 31} << MonthDay{11, 16});
    }
    void fullList2005()
    {
        QFETCH(int, state);
        QFETCH(QList<MonthDay>, expected);
        QSet<int> expectedDays;
        for (const MonthDay &md : expected) expectedDays.insert(QDate(2005, md.first, md.second).dayOfYear());
        BuildFeiertage(2005, state);
        QCOMPARE(markedDays(), expectedDays);
        QCOMPARE(code(2005, 3, 25), 9);    // Karfreitag replaces Mariä Verkündigung
        QCOMPARE(code(2005, 12, 25), 7);   // 1. Weihnachtstag replaces the 4th Advent
        QCOMPARE(Feiertage[0], std::uint8_t(0));
    }

    void bussUndBettagOnlyInSachsen_data()
    {
        QTest::addColumn<int>("state");
        for (int s = 0; s < 16; ++s) QTest::addRow("state %d", s) << s;
    }
    void bussUndBettagOnlyInSachsen()
    {
        QFETCH(int, state);
        Bundesland = std::uint8_t(state);
        QCOMPARE(IsFeiertag(date(2005, 11, 16)), state == 12);
        QVERIFY(IsFeiertag(date(2005, 11, 1)));   // Allerheiligen is marked everywhere
    }

    // Single days of the table and of the holidays added later; code 0 = ordinary day.
    void dayCodes_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("expectedCode");
        QTest::newRow("Valentine's Day 2005, a Monday") << 8 << QDate(2005, 2, 14) << 254;
        QTest::newRow("6 Jan 2005 Niedersachsen") << 8 << QDate(2005, 1, 6) << 0;
        QTest::newRow("6 Jan 2005 Bayern") << 1 << QDate(2005, 1, 6) << 16;
        QTest::newRow("15 Aug 2005 Saarland") << 11 << QDate(2005, 8, 15) << 17;
        QTest::newRow("15 Aug 2005 Niedersachsen") << 8 << QDate(2005, 8, 15) << 0;
        QTest::newRow("leap 2008: 31 Dec") << 8 << QDate(2008, 12, 31) << 241;
        QTest::newRow("Karfreitag on 25 Mar 2016") << 8 << QDate(2016, 3, 25) << 9;
        QTest::newRow("Muttertag a week early 2008") << 8 << QDate(2008, 5, 4) << 246;
        QTest::newRow("Pfingstsonntag keeps 13 in 2008") << 8 << QDate(2008, 5, 11) << 13;
        QTest::newRow("Fronleichnam Hessen 2005") << 6 << QDate(2005, 5, 26) << 15;
        QTest::newRow("Fronleichnam Niedersachsen 2005") << 8 << QDate(2005, 5, 26) << 0;
        QTest::newRow("Reformationstag 2017 Baden-Wuerttemberg") << 0 << QDate(2017, 10, 31) << 18;
        QTest::newRow("Reformationstag 2019 Niedersachsen") << 8 << QDate(2019, 10, 31) << 18;
        QTest::newRow("Reformationstag 2018 Bremen") << 4 << QDate(2018, 10, 31) << 18;
        QTest::newRow("Reformationstag 2018 Hamburg") << 5 << QDate(2018, 10, 31) << 18;
        QTest::newRow("Reformationstag 2018 Schleswig-Holstein") << 14 << QDate(2018, 10, 31) << 18;
        QTest::newRow("no Reformationstag 2016 Niedersachsen") << 8 << QDate(2016, 10, 31) << 0;
        QTest::newRow("no Reformationstag 2018 Bayern") << 1 << QDate(2018, 10, 31) << 0;
        QTest::newRow("Reformationstag 2005 Brandenburg") << 3 << QDate(2005, 10, 31) << 18;
        QTest::newRow("Frauentag Berlin 2019") << 2 << QDate(2019, 3, 8) << 20;
        QTest::newRow("no Frauentag Berlin 2018") << 2 << QDate(2018, 3, 8) << 0;
        QTest::newRow("Frauentag Mecklenburg-Vorpommern 2023") << 7 << QDate(2023, 3, 8) << 20;
        QTest::newRow("no Frauentag Mecklenburg-Vorpommern 2022") << 7 << QDate(2022, 3, 8) << 0;
        QTest::newRow("no Frauentag Bayern 2023") << 1 << QDate(2023, 3, 8) << 0;
        QTest::newRow("Weltkindertag Thueringen 2019") << 15 << QDate(2019, 9, 20) << 21;
        QTest::newRow("no Weltkindertag Thueringen 2018") << 15 << QDate(2018, 9, 20) << 0;
        QTest::newRow("no Weltkindertag Sachsen 2019") << 12 << QDate(2019, 9, 20) << 0;
        QTest::newRow("Tag der Befreiung Berlin 2020") << 2 << QDate(2020, 5, 8) << 22;
        QTest::newRow("Tag der Befreiung Berlin 2025") << 2 << QDate(2025, 5, 8) << 22;
        QTest::newRow("no Tag der Befreiung Berlin 2021") << 2 << QDate(2021, 5, 8) << 0;
        QTest::newRow("no Tag der Befreiung Hamburg 2020") << 5 << QDate(2020, 5, 8) << 0;
    }
    void dayCodes()
    {
        QFETCH(int, state);
        QFETCH(QDate, day);
        QFETCH(int, expectedCode);
        BuildFeiertage(day.year(), state);
        QCOMPARE(code(day.year(), day.month(), day.day()), expectedCode);
        Bundesland = std::uint8_t(state);
        QCOMPARE(IsFeiertag(date(day.year(), day.month(), day.day()) + 0.75), expectedCode != 0);
    }

    void reformationstag2017InEveryState()
    {
        for (int state = 0; state < 16; ++state) {
            BuildFeiertage(2017, state);
            QCOMPARE(code(2017, 10, 31), 18);
        }
    }

    void dayOfYear_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<int>("expected");
        QTest::newRow("1 Jan") << date(2005, 1, 1) << 1;
        QTest::newRow("1 Jan late evening") << date(2005, 1, 1) + 0.99 << 1;
        QTest::newRow("1 Mar 2005") << date(2005, 3, 1) << 60;
        QTest::newRow("1 Mar leap 2008") << date(2008, 3, 1) << 61;
        QTest::newRow("31 Dec 2005") << date(2005, 12, 31) << 365;
        QTest::newRow("31 Dec leap 2008") << date(2008, 12, 31) << 366;
        QTest::newRow("rounds into the next year") << date(2005, 12, 31) + (86400.0 - 0.0004) / 86400.0 << 1;
        QTest::newRow("30 Dec 1899") << 0.0 << 364;
        QTest::newRow("29 Dec 1899 06:00") << -1.25 << 363;
        QTest::newRow("1 Jan 0001") << date(1, 1, 1) << 1;
        QTest::newRow("31 Dec 9999") << date(9999, 12, 31) << 365;
        QTest::newRow("year 10000") << date(9999, 12, 31) + 1 << 0;
        QTest::newRow("before year 1") << date(1, 1, 1) - 1 << 0;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0;
        QTest::newRow("far beyond") << 1e300 << 0;
    }
    void dayOfYear()
    {
        QFETCH(double, dateTime);
        QFETCH(int, expected);
        QCOMPARE(DayOfYear(dateTime), expected);
    }

    void invalidYearLeavesTableEmpty_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("0") << 0;
        QTest::newRow("10000") << 10000;
        QTest::newRow("-5") << -5;
        QTest::newRow("INT_MIN") << INT_MIN;
        QTest::newRow("INT_MAX") << INT_MAX;
    }
    void invalidYearLeavesTableEmpty()
    {
        QFETCH(int, year);
        BuildFeiertage(2005, 12);   // leave marks behind that must be cleared
        BuildFeiertage(year, 12);
        QVERIFY(markedDays().isEmpty());
    }

    void unconvertibleDatesAreNoHolidays_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::newRow("year 10000, 1 Jan") << date(9999, 12, 31) + 1;
        QTest::newRow("before year 1") << date(1, 1, 1) - 1;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("far beyond") << -1e300;
    }
    void unconvertibleDatesAreNoHolidays()
    {
        QFETCH(double, dateTime);
        QVERIFY(!IsFeiertag(dateTime));
    }

    void stateOutOfRange_onlyCommonDays()
    {
        Bundesland = 200;
        QVERIFY(IsFeiertag(date(2005, 12, 25)));
        QVERIFY(IsFeiertag(date(2005, 11, 1)));
        QVERIFY(!IsFeiertag(date(2005, 11, 16)));
        QVERIFY(!IsFeiertag(date(2005, 1, 6)));
        BuildFeiertage(2005, INT_MIN);
        QCOMPARE(markedDays().size(), holidays2005Niedersachsen().size());
    }

    // Every supported year builds a table whose marked days are real days of that year.
    void everyYearStaysInsideItsDays()
    {
        for (int year = 1; year <= 9999; year += 7) {
            BuildFeiertage(year, 12);
            const int daysInYear = QDate::isLeapYear(year) ? 366 : 365;
            for (int doy : markedDays()) QVERIFY2(doy >= 1 && doy <= daysInYear, qPrintable(QString::number(year)));
            QCOMPARE(Feiertage[1], std::uint8_t(1));
        }
    }
};

QTEST_GUILESS_MAIN(TestFeiertage)
#include "tst_feiertage.moc"
