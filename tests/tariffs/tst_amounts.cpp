// On a system whose decimal separator is the point, the windows' amounts follow it.
#include "core/Convert.h"
#include "core/TarifStore.h"
#include "tariffs/TariffInput.h"
#include "tests/support/CoreFakes.h"

#include <QTest>

class TestAmounts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initialTextsConvert()
    {
        QCOMPARE(LocalAmount(QStringLiteral("100,00")), QStringLiteral("100.00"));
        const TSlotTexts initial = InitialSlotTexts();
        QVERIFY(IsAmountText(initial.Kosten));
        Tarife.clear();
        AppendTariff(QStringLiteral("T"), QString(), initial.Kosten, LocalAmount(QStringLiteral("2,50")), 0,
                     {std::vector<TSlotTexts>{initial}});
        QCOMPARE(Tarife.at(0).Limit, 2.5);
        QCOMPARE(Tarife.at(0).Taktung[7][23], 1.0);
        QVERIFY(!IsAmountText(QStringLiteral("2,50")));
        QCOMPARE(thrownMessage([] { StrToFloat(QStringLiteral("2,5")); }),
                 QStringLiteral("'2,5' is not a valid floating point value"));
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "tst_amounts.moc"
