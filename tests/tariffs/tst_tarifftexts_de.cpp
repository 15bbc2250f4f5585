// A stored tariff turned back into the editor's texts: entered again, they give back its bytes, for
// every model and slot layout the wizard and the editor make; an edit changes only what was edited.
#include "core/Convert.h"
#include "tariffs/TariffTexts.h"
#include "tests/support/CoreFakes.h"

#include <QTest>
#include <set>

Q_DECLARE_METATYPE(TPageSlots)

namespace {
TSlotTexts slot(int von, int bis, const char *kosten, const char *taktung = "1")
{
    return {QString::number(von), QString::number(bis), QString::fromUtf8(kosten), QLatin1String(taktung)};
}

// The fields of the stored record whose bytes differ.
std::set<QString> changedFields(const TTarif &a, const TTarif &b)
{
    const std::pair<const char *, int> fields[] = {{"Name", 0},     {"Nummer", 256},   {"Eintrag", 512},
                                                   {"Kosten", 768}, {"Taktung", 2112}, {"Freibetrag", 3456},
                                                   {"Limit", 3464}, {"", TarifSize}};
    const QByteArray x = TarifToBytes(a), y = TarifToBytes(b);
    std::set<QString> changed;
    for (size_t f = 0; f + 1 < std::size(fields); ++f) {
        const int at = fields[f].second, size = fields[f + 1].second - at;
        if (x.mid(at, size) != y.mid(at, size)) changed.insert(QLatin1String(fields[f].first));
    }
    return changed;
}

TPageSlots onEveryPage(const std::vector<TSlotTexts> &slots)
{
    TPageSlots pages;
    pages.fill(slots);
    return pages;
}
}

class TestTariffTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Tarife.clear(); }

    void enteredAgain_givesBackTheStoredBytes_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<TPageSlots>("pages");
        QTest::addColumn<int>("shownModel");
        QTest::addColumn<int>("shownSlots");
        QTest::newRow("initial texts") << 0 << onEveryPage({InitialSlotTexts()}) << 0 << 1;
        QTest::newRow("three slots a day")
            << 0 << onEveryPage({slot(0, 7, "1,5", "60"), slot(8, 17, "2,9", "10"), slot(18, 23, "0,8", "60")}) << 0
            << 3;
        QTest::newRow("overlap: the later wins") << 0 << onEveryPage({slot(0, 23, "1"), slot(8, 17, "2")}) << 0 << 3;
        QTest::newRow("hours no slot covers") << 0 << onEveryPage({slot(8, 17, "4,25", "0")}) << 0 << 1;
        TPageSlots workdaysSunday = onEveryPage({slot(0, 11, "2"), slot(12, 23, "3")});
        workdaysSunday[6] = {slot(0, 23, "1"), InitialSlotTexts()};   // the second Sunday slot covers the first
        QTest::newRow("workdays and Sunday") << 1 << workdaysSunday << 1 << 2;
        QTest::newRow("Sunday like the workdays: every day alike") << 1 << onEveryPage({slot(0, 23, "2")}) << 0 << 1;
        TPageSlots eachDay;
        for (int p = 0; p < 7; ++p)
            for (int i = 0; i < p; ++i)
                eachDay[size_t(p)].push_back(slot(i * 3, i * 3 + 1, p % 2 ? "1,1" : "0,7", "30"));
        eachDay[0] = {slot(18, 6, "9"), slot(3, 4, "1.5"), slot(5, 5, "2")};   // writes nothing, fails, applies
        QTest::newRow("every day different, a day without slots") << 2 << eachDay << 2 << 6;
        std::vector<TSlotTexts> hourly;
        for (int h = 0; h < 24; ++h) hourly.push_back(slot(h, h, QByteArray::number(h + 1).constData()));
        TPageSlots onlyMonday;
        onlyMonday[0] = hourly;
        QTest::newRow("24 slots on one day") << 2 << onlyMonday << 2 << 24;
        QTest::newRow("digits past the 15th, minus zero, increment 0")
            << 0 << onEveryPage({slot(0, 5, "0,30000000000000004"), slot(6, 23, "-0,00", "0")}) << 0 << 2;
    }
    void enteredAgain_givesBackTheStoredBytes()
    {
        QFETCH(int, model);
        QFETCH(TPageSlots, pages);
        QFETCH(int, shownModel);
        QFETCH(int, shownSlots);
        AppendTariff(QStringLiteral("Abend"), ConnectionItem("0191011", "Anbieter"), LocalAmount("1,25"),
                     LocalAmount("30,00"), model, pages);
        const TTarif stored = Tarife.back();
        const TTariffTexts texts = TariffTexts(stored);
        QCOMPARE(texts.Model, shownModel);
        QCOMPARE(texts.SlotsPerDay, shownSlots);
        for (const std::vector<TSlotTexts> &page : texts.Pages) QCOMPARE(int(page.size()), shownSlots);
        AppendTariff(texts.Name, texts.Connection, texts.Freibetrag, texts.Limit, texts.Model, texts.Pages);
        QCOMPARE(TarifToBytes(Tarife.back()), TarifToBytes(stored));
        QCOMPARE(TarifToBytes(EditedTariff(stored, texts, texts)), TarifToBytes(stored));
    }

    void edit_changesExactlyTheEditedField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<std::set<QString>>("changed");
        QTest::newRow("name") << "Name" << std::set<QString>{"Name"};
        QTest::newRow("connection") << "Connection" << std::set<QString>{"Nummer", "Eintrag"};
        QTest::newRow("free allowance") << "Freibetrag" << std::set<QString>{"Freibetrag"};
        QTest::newRow("limit") << "Limit" << std::set<QString>{"Limit"};
        QTest::newRow("one slot's price") << "Kosten" << std::set<QString>{"Kosten"};
        QTest::newRow("the model, pages alike") << "Model" << std::set<QString>{};
    }
    void edit_changesExactlyTheEditedField()
    {
        QFETCH(QString, field);
        QFETCH(std::set<QString>, changed);
        TTarif stored =
            MakeTarif(QStringLiteral("Abend"), QStringLiteral("0191011"), QStringLiteral("Anbieter"), 1.5, 30);
        for (int h = 18; h < 24; ++h) stored.Kosten[7][size_t(h)] = 0.5;
        stored.Name.bytes[200] = 0x7f;   // bytes after the name, as an old store may hold them
        const TTariffTexts shown = TariffTexts(stored);
        TTariffTexts edited = shown;
        if (field == QLatin1String("Name")) edited.Name = QStringLiteral("Abend alt");
        if (field == QLatin1String("Connection")) edited.Connection = ConnectionItem("0191012", "Zweiter");
        if (field == QLatin1String("Freibetrag")) edited.Freibetrag = LocalAmount("2,50");
        if (field == QLatin1String("Limit")) edited.Limit = LocalAmount("40,00");
        if (field == QLatin1String("Kosten")) edited.Pages[6][1].Kosten = LocalAmount("0,45");
        if (field == QLatin1String("Model")) edited.Model = ModelEachDay;   // every page holds its own day already
        const TTarif t = EditedTariff(stored, shown, edited);
        QCOMPARE(changedFields(stored, t), changed);
        QCOMPARE(t.Name.bytes[200], std::uint8_t(0x7f));
        if (field == QLatin1String("Kosten")) QVERIFY(t.Kosten[7][18] == 0.45 && t.Kosten[7][17] == 1.5);
        if (field == QLatin1String("Connection")) QCOMPARE(t.Eintrag.value(), QStringLiteral("Zweiter"));
    }
};

QTEST_GUILESS_MAIN(TestTariffTexts)
#include "tst_tarifftexts_de.moc"
