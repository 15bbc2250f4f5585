// Turning the panels' texts into a tariff, under German regional settings (decimal comma).
#include "core/Convert.h"
#include "core/TarifStore.h"
#include "tariffs/TariffInput.h"
#include "tests/support/CoreFakes.h"

#include <QTest>

Q_DECLARE_METATYPE(TSlotTexts)

namespace {
TSlotTexts slot(const char *von, const char *bis, const char *kosten, const char *taktung = "1")
{
    return {QLatin1String(von), QLatin1String(bis), QString::fromUtf8(kosten), QLatin1String(taktung)};
}

// Price and increment of one day as "h:price/increment" runs, so a failing case shows the day.
QString dayText(const TTarif &t, int d)
{
    QStringList parts;
    for (int h = 0; h < 24; ++h)
        if (h == 0 || t.Kosten[d][size_t(h)] != t.Kosten[d][size_t(h - 1)]
            || t.Taktung[d][size_t(h)] != t.Taktung[d][size_t(h - 1)])
            parts << QStringLiteral("%1:%2/%3").arg(h).arg(t.Kosten[d][size_t(h)]).arg(t.Taktung[d][size_t(h)]);
    return parts.join(QLatin1Char(' '));
}
}

class TestTariffInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Tarife.clear(); }

    void models_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("page");   // the page holding `slots`; Montag gets `monday`
        QTest::addColumn<QList<TSlotTexts>>("monday");
        QTest::addColumn<QList<TSlotTexts>>("slots");
        QTest::addColumn<QStringList>("days");   // expected dayText for days 1..7

        const QString zeroOne = QStringLiteral("0:0/1");
        QTest::newRow("initial texts, every day 0 at increment 1")
            << 0 << 6 << QList<TSlotTexts>{InitialSlotTexts()} << QList<TSlotTexts>{} << QStringList(7, zeroOne);
        QTest::newRow("model 1: Saturday from the Montag page, only Sunday from its own")
            << 1 << 6 << QList<TSlotTexts>{slot("0", "23", "2,5", "60")} << QList<TSlotTexts>{slot("0", "23", "1")}
            << (QStringList(6, QStringLiteral("0:2.5/60")) << QStringLiteral("0:1/1"));
        QTest::newRow("model 0 ignores the other pages")
            << 0 << 6 << QList<TSlotTexts>{slot("0", "23", "3")} << QList<TSlotTexts>{slot("0", "23", "9")}
            << QStringList(7, QStringLiteral("0:3/1"));
        const QList<TSlotTexts> withPoint{slot("0", "23", "2"), slot("8", "17", "1.5"), slot("18", "23", "4")};
        QTest::newRow("price with a point skipped in model 2")
            << 2 << 2 << QList<TSlotTexts>{} << withPoint
            << QStringList{QStringLiteral("0:0/0"), QStringLiteral("0:0/0"), QStringLiteral("0:2/1 18:4/1"),
                           QStringLiteral("0:0/0"), QStringLiteral("0:0/0"), QStringLiteral("0:0/0"),
                           QStringLiteral("0:0/0")};
        QTest::newRow("price with a point ends the day's panels in model 0")
            << 0 << 6 << withPoint << QList<TSlotTexts>{} << QStringList(7, QStringLiteral("0:2/1"));
        QTest::newRow("model 1: skipped on workdays, ends the Sunday panels")
            << 1 << 6 << withPoint << withPoint
            << (QStringList(6, QStringLiteral("0:2/1 18:4/1")) << QStringLiteral("0:2/1"));
        QTest::newRow("overlapping panels: the later one wins")
            << 0 << 6 << QList<TSlotTexts>{slot("0", "23", "1"), slot("9", "11", "5", "30")} << QList<TSlotTexts>{}
            << QStringList(7, QStringLiteral("0:1/1 9:5/30 12:1/1"));
        QTest::newRow("a third panel left at its initial texts covers the whole day")
            << 0 << 6 << QList<TSlotTexts>{slot("0", "8", "1"), slot("9", "23", "2"), InitialSlotTexts()}
            << QList<TSlotTexts>{} << QStringList(7, zeroOne);
        QTest::newRow("18 to 6 writes nothing; across midnight takes two panels")
            << 0 << 6 << QList<TSlotTexts>{slot("18", "6", "7"), slot("18", "23", "2"), slot("0", "6", "2")}
            << QList<TSlotTexts>{} << QStringList(7, QStringLiteral("0:2/1 7:0/0 18:2/1"));
        QTest::newRow("whole numbers are digits only: grouped, spaced or decimal texts are skipped")
            << 2 << 0 << QList<TSlotTexts>{}
            << QList<TSlotTexts>{slot("0", "23", "1"), slot("0", "23", "2", "1,000"), slot("1.0", "3", "3"),
                                 slot("4", "5 0", "4"), slot("+6", "6", "5", "60")}
            << (QStringList{QStringLiteral("0:1/1 6:5/60 7:1/1")} << QStringList(6, QStringLiteral("0:0/0")));
        QTest::newRow("hours outside the day are skipped, never written")
            << 2 << 0 << QList<TSlotTexts>{}
            << QList<TSlotTexts>{slot("20", "24", "5"), slot("-1", "3", "6"), slot("1", "2", "8")}
            << (QStringList{QStringLiteral("0:0/0 1:8/1 3:0/0")} << QStringList(6, QStringLiteral("0:0/0")));
    }
    void models()
    {
        QFETCH(int, model);
        QFETCH(int, page);
        QFETCH(QList<TSlotTexts>, monday);
        QFETCH(QList<TSlotTexts>, slots);
        QFETCH(QStringList, days);
        TPageSlots pages;
        pages[0].assign(monday.begin(), monday.end());
        pages[size_t(page)].insert(pages[size_t(page)].end(), slots.begin(), slots.end());
        AppendTariff(QStringLiteral("T"), QString(), QStringLiteral("0,00"), QStringLiteral("0,00"), model, pages);
        QCOMPARE(Tarife.size(), size_t(1));
        QStringList got;
        for (int d = 1; d <= 7; ++d) got << dayText(Tarife[0], d);
        QCOMPARE(got, days);
    }

    void fields()
    {
        const QString longName(300, QLatin1Char('n'));
        AppendTariff(longName, QStringLiteral("0191011||Mein Anbieter||2"), QStringLiteral("5,5"), QStringLiteral("20"),
                     0, {});
        AppendTariff(QStringLiteral("B"), QString(), QStringLiteral("0"), QStringLiteral("0"), 0, {});
        QCOMPARE(Tarife.size(), size_t(2));
        QCOMPARE(Tarife[0].Name.value(), longName.left(255));
        QCOMPARE(Tarife[0].Nummer.value(), QStringLiteral("0191011"));
        QCOMPARE(Tarife[0].Eintrag.value(), QStringLiteral("Mein Anbieter||2"));   // split at the first "||"
        QCOMPARE(Tarife[0].Freibetrag, 5.5);
        QCOMPARE(Tarife[0].Limit, 20.0);
        QVERIFY(Tarife[1].Nummer.value().isEmpty() && Tarife[1].Eintrag.value().isEmpty());
    }

    void amountThatIsNoNumber_addsNothing_data()
    {
        QTest::addColumn<QString>("freibetrag");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("message");
        QTest::newRow("point") << "1.5"
                               << "0"
                               << "'1.5' is not a valid floating point value";
        QTest::newRow("commas only") << "0"
                                     << ",,"
                                     << "',,' is not a valid floating point value";
        QTest::newRow("empty") << ""
                               << "0"
                               << "'' is not a valid floating point value";
    }
    void amountThatIsNoNumber_addsNothing()
    {
        QFETCH(QString, freibetrag);
        QFETCH(QString, limit);
        QFETCH(QString, message);
        QCOMPARE(thrownMessage([&] { AppendTariff(QStringLiteral("T"), QString(), freibetrag, limit, 0, {}); }),
                 message);
        QVERIFY(Tarife.empty());
    }

    void isAmountText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("100,00") << "100,00" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow(",,") << ",," << true;
        QTest::newRow("point") << "100.00" << false;
        QTest::newRow("space") << "1 000" << false;
        QTest::newRow("sign") << "-5" << false;
        QTest::newRow("euro") << "5 €" << false;
    }
    void isAmountText()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(IsAmountText(text), accepted);
    }

    void amountShownAsStored_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 100.0 << "100,00";
        QTest::newRow("one decimal") << 75.5 << "75,50";
        QTest::newRow("three decimals kept") << 12.345 << "12,345";
    }
    void amountShownAsStored()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(AmountText(value), text);
        QCOMPARE(StrToFloat(text), value);
    }
};

QTEST_GUILESS_MAIN(TestTariffInput)
#include "tst_tariffinput_de.moc"
