// Date-time and amount texts under German regional settings (the test runs with LC_ALL=de_DE.UTF-8).
#include "core/DateTime.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

class TestDateTimeGerman : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(",")); }

    void formatLongTime_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<QString>("expected");
        QTest::newRow("duration 5 min 23 s") << EncodeTime(0, 5, 23, 0) << QStringLiteral("00:05:23");
        QTest::newRow("with a date part") << EncodeDateTime(2005, 3, 1, 14, 7, 9) << QStringLiteral("14:07:09");
        QTest::newRow("rounds 10:00:59.9999 up")
            << EncodeTime(10, 0, 59, 0) + 0.9999 / 86400 << QStringLiteral("10:01:00");
        QTest::newRow("milliseconds are not shown") << EncodeTime(23, 59, 59, 400) << QStringLiteral("23:59:59");
        QTest::newRow("zero") << 0.0 << QStringLiteral("00:00:00");
    }
    void formatLongTime()
    {
        QFETCH(double, dateTime);
        QFETCH(QString, expected);
        QCOMPARE(FormatLongTime(dateTime), expected);
    }

    void floatToStrGeneral_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("37.5") << 37.5 << QStringLiteral("37,5");
        QTest::newRow("145") << 145.0 << QStringLiteral("145");
        QTest::newRow("negative fraction") << -0.25 << QStringLiteral("-0,25");
        QTest::newRow("no thousands separator") << 12345.5 << QStringLiteral("12345,5");
        QTest::newRow("scientific") << 0.000015 << QStringLiteral("1,5E-5");
    }
    void floatToStrGeneral()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FloatToStrGeneral(value), expected);
    }

    // Day and month with two digits, dot-separated; the year in the locale's short form.
    void formatShortDate_data()
    {
        QTest::addColumn<double>("dateTime");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("1 Mar 2005") << EncodeDate(2005, 3, 1) << QStringLiteral("^01\\.03\\.(20)?05$");
        QTest::newRow("time part ignored")
            << EncodeDateTime(2008, 12, 31, 23, 59, 0) << QStringLiteral("^31\\.12\\.(20)?08$");
    }
    void formatShortDate()
    {
        QFETCH(double, dateTime);
        QFETCH(QString, pattern);
        const QString text = FormatShortDate(dateTime);
        QVERIFY2(QRegularExpression(pattern).match(text).hasMatch(), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestDateTimeGerman)
#include "tst_datetime_de.moc"
