// The texts of the totals under German regional settings. A year read from month logs on disk:
// minutrix-cli year (tst_cli_comparison) and the window's year (tst_gui_auswertung_de).
#include "evaluation/Totals.h"

#include <QTest>
#include <limits>

class TestTotals : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << TotalsText({1, 59, 2361.15}) << "1 Verbindung, 0:00:59 Std., 23,61 €";
        QTest::newRow("half a cent to even") << TotalsText({2, 6330, 187.5}) << "2 Verbindungen, 1:45:30 Std., 1,88 €";
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

QTEST_GUILESS_MAIN(TestTotals)
#include "tst_eval_totals_de.moc"
