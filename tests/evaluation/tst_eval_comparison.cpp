// The most used tariff, found by the name as the connections log it. The totals of a month priced by
// hand: minutrix-cli compare (tst_cli_comparison); cheapest first: the window (tst_gui_auswertung_de).
#include "core/SettingsStore.h"
#include "evaluation/TariffComparison.h"
#include "tests/support/ComparisonCase.h"

#include <QTest>

class TestComparison : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Bundesland = 8; }

    void mostUsed_byTheNameAsLogged_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("marked");
        QTest::newRow("101 characters, logged as the first 100") << QString(101, QLatin1Char('x')) << true;
        QTest::newRow("renamed since") << "Abend neu" << false;
    }
    void mostUsed_byTheNameAsLogged()
    {
        QFETCH(QString, stored);
        QFETCH(bool, marked);
        TVerbindung v = ComparisonCase::connection(22, 10, 0, 22, 10, 1, 1, "");
        v.Tarif.set(QString(120, QLatin1Char('x')));   // the record keeps the first 100
        std::vector<TTarif> store{ComparisonCase::tariff("Abend", 1, 1), ComparisonCase::tariff("", 2, 2)};
        store[1].Name.set(stored);
        const TComparison c = CompareTariffs({v, v}, store);
        QCOMPARE(c.tariffs[1].mostUsed, marked);
        QVERIFY(!c.tariffs[0].mostUsed);
        QCOMPARE(c.tariffs[1].cents, 4.0);   // priced whatever its name
    }
};

QTEST_GUILESS_MAIN(TestComparison)
#include "tst_eval_comparison.moc"
