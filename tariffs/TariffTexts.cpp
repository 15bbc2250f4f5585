#include "tariffs/TariffTexts.h"

#include "core/Convert.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace {
// Equal as stored: the same bits, so 0 and -0 (or two NaNs) are told apart as the file holds them.
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool sameDay(const TTarif &t, int d1, int d2)
{
    for (size_t h = 0; h < 24; ++h)
        if (!sameBits(t.Kosten[d1][h], t.Kosten[d2][h]) || !sameBits(t.Taktung[d1][h], t.Taktung[d2][h])) return false;
    return true;
}

int modelOf(const TTarif &t)
{
    bool workdaysAlike = true;
    for (int d = 2; d <= 6; ++d) workdaysAlike = workdaysAlike && sameDay(t, 1, d);
    if (!workdaysAlike) return ModelEachDay;
    return sameDay(t, 1, 7) ? ModelSame : ModelWorkdaysSunday;
}

QString incrementText(double increment)
{
    // A whole number of seconds as typed; anything else is shown as it is stored and does not
    // convert, so the panel shows that the value cannot be entered.
    if (increment == std::trunc(increment) && increment >= INT_MIN && increment <= INT_MAX)
        return QString::number(qint64(increment));
    return AmountText(increment);
}

std::vector<TSlotTexts> daySlots(const TTarif &t, int d)
{
    std::vector<TSlotTexts> slots;
    for (int first = 0; first < 24;) {
        const double price = t.Kosten[d][size_t(first)], increment = t.Taktung[d][size_t(first)];
        int last = first;
        while (last < 23 && sameBits(t.Kosten[d][size_t(last + 1)], price)
               && sameBits(t.Taktung[d][size_t(last + 1)], increment))
            ++last;
        if (!sameBits(price, 0) || !sameBits(increment, 0))
            slots.push_back(
                {QString::number(first), QString::number(last), AmountText(price), incrementText(increment)});
        first = last + 1;
    }
    return slots;
}
}

TTariffTexts TariffTexts(const TTarif &t)
{
    TTariffTexts texts;
    texts.Name = t.Name.value();
    if (t.Nummer.length() || t.Eintrag.length()) texts.Connection = ConnectionItem(t.Nummer, t.Eintrag);
    texts.Freibetrag = AmountText(t.Freibetrag);
    texts.Limit = AmountText(t.Limit);
    texts.Model = modelOf(t);
    for (int d = 1; d <= 7; ++d) {
        texts.Pages[size_t(d - 1)] = daySlots(t, d);
        texts.SlotsPerDay = std::max(texts.SlotsPerDay, int(texts.Pages[size_t(d - 1)].size()));
    }
    for (std::vector<TSlotTexts> &page : texts.Pages) page.resize(size_t(texts.SlotsPerDay), {{}, {}, {}, {}});
    return texts;
}

TTarif EditedTariff(const TTarif &stored, const TTariffTexts &shown, const TTariffTexts &edited)
{
    TTarif t = stored;
    if (edited.Freibetrag != shown.Freibetrag) t.Freibetrag = StrToFloat(edited.Freibetrag);
    if (edited.Limit != shown.Limit) t.Limit = StrToFloat(edited.Limit);
    if (edited.Name != shown.Name) t.Name.set(edited.Name);
    if (edited.Connection != shown.Connection) SetConnection(t, edited.Connection);
    if (edited.Model != shown.Model || edited.Pages != shown.Pages) {
        t.Kosten = {};
        t.Taktung = {};
        FillDayTables(t, edited.Model, edited.Pages);
    }
    return t;
}
