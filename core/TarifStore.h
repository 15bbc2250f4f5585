#pragma once
// The tariff record, the tariffs in memory and their store file "TarifDaten.qtd".
#include "core/ShortString.h"

#include <QByteArray>
#include <array>
#include <vector>

// Prices or increments per day index d (1 Monday .. 7 Sunday, holidays use 7) and hour h (0..23).
struct TDayTable
{
    std::array<std::array<double, 24>, 7> rows{};
    std::array<double, 24> &operator[](int d) { return rows[size_t(d - 1)]; }
    const std::array<double, 24> &operator[](int d) const { return rows[size_t(d - 1)]; }
};

struct TTarif
{
    ShortString<255> Name;      // offset 0
    ShortString<255> Nummer;    // offset 256
    ShortString<255> Eintrag;   // offset 512
    TDayTable Kosten;           // offset 768, price per minute
    TDayTable Taktung;          // offset 2112, billing increment in seconds
    double Freibetrag = 0;      // offset 3456
    double Limit = 0;           // offset 3464
};

constexpr int TarifSize = 3472;

// Byte-exact record layout (little-endian, packed).
void WriteTarif(const TTarif &t, char *out);   // writes TarifSize bytes
TTarif ReadTarif(const char *in);              // reads TarifSize bytes
QByteArray TarifToBytes(const TTarif &t);

extern std::vector<TTarif> Tarife;
extern TTarif NullTarif;
inline const char *const NullTarifName = "Null_Standard_Tarif_MX";

// NullTarif := all zero, Name "Null_Standard_Tarif_MX".
void SetupNullTarif();

// Fill Tarife from / write Tarife to ProgramDir() + "TarifDaten.qtd". Failures (a file that is not
// a regular one among them) go to ReportError as E_UnknownErrorAt + "LoadTarife" / "SaveTarife".
// Saving replaces the file atomically.
void LoadTarife();
void SaveTarife();
QString TarifPath();
