#include "tariffs/TariffInput.h"

#include "core/Convert.h"
#include "core/TarifStore.h"

#include <QLocale>

namespace {
// Writes the panel into day d; false when one of its texts does not convert or its hours lie
// outside the day (nothing is written then).
bool applySlot(TTarif &t, const TSlotTexts &slot, int d)
{
    double price = 0;
    int increment = 0, last = 0, first = 0;
    if (!TryStrToFloat(slot.Kosten, price) || !TryStrToInt(slot.Taktung, increment) || !TryStrToInt(slot.Bis, last)
        || !TryStrToInt(slot.Von, first))
        return false;
    if (first < 0 || last > 23) return false;
    for (int h = first; h <= last; ++h) {
        t.Kosten[d][size_t(h)] = price;
        t.Taktung[d][size_t(h)] = increment;
    }
    return true;
}

// All panels of a page into day d. skipFailed: a failing panel is passed over; otherwise it ends
// the page's panels for that day.
void applyPage(TTarif &t, const std::vector<TSlotTexts> &page, int d, bool skipFailed)
{
    for (const TSlotTexts &slot : page)
        if (!applySlot(t, slot, d) && !skipFailed) return;
}
}

TSlotTexts InitialSlotTexts()
{
    TSlotTexts s;
    s.Kosten = LocalAmount(QStringLiteral("0,00"));
    return s;
}

bool IsAmountText(const QString &text)
{
    const QString separator = QLocale::system().decimalPoint();
    for (QChar c : text)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !separator.contains(c)) return false;
    return true;
}

QString ConnectionItem(const QString &number, const QString &entry) { return number + QStringLiteral("||") + entry; }

void SetConnection(TTarif &t, const QString &connection)
{
    const qsizetype bar = connection.indexOf(QStringLiteral("||"));
    t.Nummer.set(bar >= 0 ? connection.left(bar) : connection);
    t.Eintrag.set(bar >= 0 ? connection.mid(bar + 2) : QString());
}

void AppendTariff(const QString &name, const QString &connection, const QString &freibetrag, const QString &limit,
                  int model, const TPageSlots &pages)
{
    const double free = StrToFloat(freibetrag);
    const double lim = StrToFloat(limit);

    TTarif t;
    t.Name.set(name);
    SetConnection(t, connection);
    t.Freibetrag = free;
    t.Limit = lim;
    FillDayTables(t, model, pages);
    Tarife.push_back(t);
}

void FillDayTables(TTarif &t, int model, const TPageSlots &pages)
{
    if (model == ModelEachDay) {
        for (int d = 1; d <= 7; ++d) applyPage(t, pages[size_t(d - 1)], d, true);
    } else if (model == ModelWorkdaysSunday) {
        for (int d = 1; d <= 6; ++d) applyPage(t, pages[0], d, true);
        applyPage(t, pages[6], 7, false);
    } else {
        for (int d = 1; d <= 7; ++d) applyPage(t, pages[0], d, false);
    }
}
