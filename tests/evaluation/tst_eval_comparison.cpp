// The tariffs compared over a month priced by hand (tests/support/ComparisonCase.h); the state's
// own holidays are checked through minutrix-cli compare.
#include "core/SettingsStore.h"
#include "evaluation/TariffComparison.h"
#include "tests/support/ComparisonCase.h"

#include <QTest>

class TestComparison : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Bundesland = 8; }

    void handComputedTotals_cheapestFirst_mostUsedMarked()
    {
        const TComparison c = CompareTariffs(ComparisonCase::records(), ComparisonCase::tariffs());
        QCOMPARE(c.logged, ComparisonCase::Logged);
        QCOMPARE(c.tariffs.size(), size_t(4));
        for (size_t i = 0; i < 4; ++i) {
            QCOMPARE(c.tariffs[i].index, int(i));
            QCOMPARE(c.tariffs[i].cents, ComparisonCase::Totals[i]);
            QCOMPARE(c.tariffs[i].mostUsed, i == 0);   // "Flat" named by three connections
        }
        QStringList order;
        for (const TTariffTotal &t : CheapestFirst(c)) order << t.name;
        QCOMPARE(order, (QStringList{"Null", "Nacht frei", "Flat", "Sonntag teuer"}));
    }

    void mostUsed_byTheNameAsLogged_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("marked");
        const QString longName = QString(120, QLatin1Char('x'));
        QTest::newRow("120 characters, logged as the first 100") << longName << true;
        QTest::newRow("renamed since") << "Abend neu" << false;
        QTest::newRow("the name with a character more") << QString(101, QLatin1Char('x')) << true;
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
