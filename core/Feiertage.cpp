#include "core/Feiertage.h"

#include "core/SettingsStore.h"

#include <initializer_list>

std::array<std::uint8_t, 367> Feiertage{};

namespace {
// Federal states by their settings index.
enum State {
    BadenWuerttemberg = 0,
    Bayern = 1,
    Berlin = 2,
    Brandenburg = 3,
    Bremen = 4,
    Hamburg = 5,
    Hessen = 6,
    MecklenburgVorpommern = 7,
    Niedersachsen = 8,
    NordrheinWestfalen = 9,
    RheinlandPfalz = 10,
    Saarland = 11,
    Sachsen = 12,
    SachsenAnhalt = 13,
    SchleswigHolstein = 14,
    Thueringen = 15
};

// Day numbers outside 1..366 cannot name a day of the year (a failed conversion yields 0),
// so they are dropped instead of writing past the table.
void mark(int doy, std::uint8_t code)
{
    if (doy >= 1 && doy <= 366) Feiertage[size_t(doy)] = code;
}

// Day of the year of a calendar date of that year; 0 when the date does not exist.
int doyOf(int year, int month, int day)
{
    TDateTime date;
    return TryEncodeDate(year, month, day, date) ? DayOfYear(date) : 0;
}

// Weekday Monday 1 .. Sunday 7 of a calendar date; 0 when it does not exist.
int weekdayOf(int year, int month, int day)
{
    TDateTime date;
    return TryEncodeDate(year, month, day, date) ? DayOfTheWeek(date) : 0;
}

constexpr TDateTime MinDateTime = -693594.0;   // 31 Dec 0000: the last day before the first valid one
constexpr TDateTime MaxDateTime = 2958466.0;   // 1 Jan 10000

bool isOneOf(int state, std::initializer_list<int> states)
{
    for (int s : states)
        if (s == state) return true;
    return false;
}

// Holidays introduced after the classic calendar was fixed; marked after it so they win.
void markLaterStatutoryHolidays(int year, int state, int easterDoy)
{
    if (state == Hessen) mark(easterDoy + 60, 15);   // Fronleichnam
    if (year == 2017 || (year >= 2018 && isOneOf(state, {Bremen, Hamburg, Niedersachsen, SchleswigHolstein})))
        mark(doyOf(year, 10, 31), 18);   // Reformationstag
    if ((state == Berlin && year >= 2019) || (state == MecklenburgVorpommern && year >= 2023))
        mark(doyOf(year, 3, 8), 20);                                                      // Internationaler Frauentag
    if (state == Thueringen && year >= 2019) mark(doyOf(year, 9, 20), 21);                // Weltkindertag
    if (state == Berlin && (year == 2020 || year == 2025)) mark(doyOf(year, 5, 8), 22);   // Tag der Befreiung
}
}

TDateTime GetOstersonntag(int year)
{
    const int a = year % 19, b = year % 4, c = year % 7;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
    int day = 22 + d + e, month = 3;
    if (day > 31) {
        day = d + e - 9;
        month = 4;
    }
    if (month == 4 && day == 26) day = 19;
    if (month == 4 && day == 25 && d == 28 && e == 6 && a > 10) day = 18;
    TDateTime result;
    return TryEncodeDate(year, month, day, result) ? result : 0;
}

int DayOfYear(TDateTime date)
{
    // Values outside 1 Jan 0001 .. 31 Dec 9999 (and NaN) name no day; the decoder would read them as day 0.
    if (!(date > MinDateTime && date < MaxDateTime)) return 0;
    int year, month, day;
    DecodeDate(date, year, month, day);
    TDateTime newYear;
    if (year == 0 || !TryEncodeDate(year, 1, 1, newYear)) return 0;
    // Whole days as the decoder rounds them, so the last half millisecond of a day belongs to the next.
    const int doy = DatePart(date) - DatePart(newYear) + 1;
    return doy >= 1 && doy <= 366 ? doy : 0;
}

void BuildFeiertage(int year, int state)
{
    Feiertage.fill(0);
    TDateTime newYear;
    if (!TryEncodeDate(year, 1, 1, newYear)) return;   // no date of such a year can be formed, so nothing can be marked

    const TDateTime easter = GetOstersonntag(year);
    const int e = DayOfYear(easter);

    // R: the Monday found stepping back from E - 45 (a week at most).
    TDateTime r = easter - 45;
    for (int i = 0; i < 7 && DayOfTheWeek(r) != 1; ++i) r -= 1;
    const int rosenmontag = DayOfYear(r);

    TDateTime christmas;
    const bool cValid = TryEncodeDate(year, 12, 25, christmas);
    const int c = cValid ? DayOfYear(christmas) : 0;
    const int w = cValid ? DayOfTheWeek(christmas) : 0;
    const int advent4 = c - w % 7;   // the Sunday on or before 25 December

    const int april30 = doyOf(year, 4, 30);
    int muttertag = april30 - weekdayOf(year, 4, 30) % 7 + 14;
    if (muttertag == e + 49) muttertag -= 7;

    const int october1 = doyOf(year, 10, 1);
    const int erntedank = october1 + (7 - weekdayOf(year, 10, 1)) % 7;

    mark(doyOf(year, 2, 2), 255);                 // Mariä Lichtmess
    mark(doyOf(year, 2, 14), 254);                // Valentinstag
    mark(rosenmontag - 4, 253);                   // Weiberfastnacht
    mark(rosenmontag, 252);                       // Rosenmontag
    mark(rosenmontag + 1, 251);                   // Fastnachtsdienstag
    mark(rosenmontag + 2, 250);                   // Aschermittwoch
    mark(doyOf(year, 3, 25), 249);                // Mariä Verkündigung
    mark(e - 7, 248);                             // Palmsonntag
    mark(e - 3, 247);                             // Gründonnerstag
    mark(muttertag, 246);                         // Muttertag
    mark(doyOf(year, 6, 29), 245);                // Peter und Paul
    mark(doyOf(year, 9, 8), 244);                 // Mariä Geburt
    mark(erntedank, 243);                         // Erntedankfest
    mark(doyOf(year, 12, 8), 242);                // Mariä Empfängnis
    mark(doyOf(year, 12, 31), 241);               // Silvester
    mark(advent4 - 21, 240);                      // 1. Advent
    mark(advent4 - 14, 239);                      // 2. Advent
    mark(advent4 - 7, 238);                       // 3. Advent
    mark(advent4, 237);                           // 4. Advent
    mark(c - 1, 236);                             // Heiligabend
    mark(doyOf(year, 3, 21), 235);                // Frühlingsanfang
    mark(doyOf(year, 6, 21), 234);                // Sommeranfang
    mark(doyOf(year, 9, 23), 233);                // Herbstanfang
    mark(doyOf(year, 12, 22), 232);               // Winteranfang
    mark(1, 1);                                   // Neujahr
    mark(doyOf(year, 5, 1), 2);                   // Tag der Arbeit
    mark(doyOf(year, 10, 3), 3);                  // Tag der Deutschen Einheit
    mark(doyOf(year, 11, 1), 4);                  // Allerheiligen
    if (cValid) mark(c - w - 28, 5);              // Totensonntag
    if (state == Sachsen) mark(c - w - 32, 19);   // Buß- und Bettag
    if (cValid) mark(c - w - 35, 6);              // Volkstrauertag
    if (cValid) mark(c, 7);                       // 1. Weihnachtstag
    if (cValid) mark(c + 1, 8);                   // 2. Weihnachtstag
    mark(e - 2, 9);                               // Karfreitag
    mark(e, 10);                                  // Ostersonntag
    mark(e + 1, 11);                              // Ostermontag
    mark(e + 39, 12);                             // Christi Himmelfahrt
    mark(e + 49, 13);                             // Pfingstsonntag
    mark(e + 50, 14);                             // Pfingstmontag
    if (isOneOf(state, {BadenWuerttemberg, Bayern, NordrheinWestfalen, RheinlandPfalz, Saarland, Sachsen, Thueringen}))
        mark(e + 60, 15);                                                          // Fronleichnam
    if (isOneOf(state, {BadenWuerttemberg, Bayern, SachsenAnhalt})) mark(6, 16);   // Heilige Drei Könige
    if (isOneOf(state, {Bayern, Saarland})) mark(doyOf(year, 8, 15), 17);          // Mariä Himmelfahrt
    if (isOneOf(state, {Brandenburg, MecklenburgVorpommern, Sachsen, SachsenAnhalt, Thueringen}))
        mark(doyOf(year, 10, 31), 18);   // Reformationstag

    markLaterStatutoryHolidays(year, state, e);
}

bool IsFeiertag(TDateTime date)
{
    // Every query answers from the table of its year, as if built anew: it is built again only when
    // the year or the state differs from the last build, or when the table was changed since (a
    // BuildFeiertage for another year). Pricing many connections, as the evaluation's comparison
    // of the tariffs does, would otherwise spend nearly all its time building the same table.
    static int builtYear = -1, builtState = -1;
    static std::array<std::uint8_t, 367> built{};
    const int year = YearOf(date);
    if (year != builtYear || Bundesland != builtState || Feiertage != built) {
        BuildFeiertage(year, Bundesland);
        builtYear = year;
        builtState = Bundesland;
        built = Feiertage;
    }
    return Feiertage[size_t(DayOfYear(date))] != 0;
}
