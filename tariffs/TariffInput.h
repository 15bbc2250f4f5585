#pragma once
// What the tariff editor and the setup wizard turn into a tariff, as plain texts: the time slots
// typed into the panels of the seven weekday pages and the tariff's own fields.
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

// One panel: every hour from Von to Bis at the price Kosten (cents) and increment Taktung (seconds).
struct TSlotTexts
{
    QString Von = QStringLiteral("0");
    QString Bis = QStringLiteral("23");
    QString Kosten;   // "0,00" in the system's decimal separator
    QString Taktung = QStringLiteral("1");
    bool operator==(const TSlotTexts &) const = default;
};
TSlotTexts InitialSlotTexts();

// The panels of the pages Montag .. Sonntag, each in list order.
using TPageSlots = std::array<std::vector<TSlotTexts>, 7>;

// Models of the radio groups: 0 every day like Monday, 1 Monday's page for Monday to Saturday
// and Sunday's page for Sunday, 2 each day from its own page.
constexpr int ModelSame = 0, ModelWorkdaysSunday = 1, ModelEachDay = 2;

// True when every character is a digit or the decimal separator; the empty text passes.
bool IsAmountText(const QString &text);

// Appends one tariff to Tarife. connection is a connection item "number||entry" or empty. The
// free allowance and the limit are converted before anything is appended, so a text that is no
// number throws the conversion error and adds nothing. Panels that do not convert, and panels
// whose hours lie outside 0..23, are left out as each model's rule says.
void AppendTariff(const QString &name, const QString &connection, const QString &freibetrag, const QString &limit,
                  int model, const TPageSlots &pages);

// Fills the price and increment tables of t from the panels as the model says (hours no applied
// panel covers keep what t holds); the rule AppendTariff applies to a new, all-zero tariff.
struct TTarif;
void FillDayTables(TTarif &t, int model, const TPageSlots &pages);

// The connection item by which a tariff is tied to a dial-up entry.
QString ConnectionItem(const QString &number, const QString &entry);
// Nummer and Eintrag from a connection item, split at its first "||" (empty: both empty).
void SetConnection(TTarif &t, const QString &connection);

// The dial-up entries a tariff may belong to, with the number of each, as the connection monitor
// lists them. The program hands the tariff windows a function that asks the monitor.
struct TConnectionLists
{
    QStringList Numbers, Entries;
};
using TConnectionSource = std::function<TConnectionLists()>;
