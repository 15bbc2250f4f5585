#include "core/TarifStore.h"

#include "core/Bytes.h"
#include "core/ErrorReport.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/RecordFile.h"
#include "core/ReplaceFile.h"

#include <QFileInfo>
#include <stdexcept>

std::vector<TTarif> Tarife;
TTarif NullTarif;

namespace {
constexpr int NummerOffset = 256;
constexpr int EintragOffset = 512;
constexpr int KostenOffset = 768;
constexpr int TaktungOffset = 2112;
constexpr int DayTableSize = 7 * 24 * 8;
constexpr int FreibetragOffset = 3456;
constexpr int LimitOffset = 3464;
static_assert(KostenOffset + DayTableSize == TaktungOffset);
static_assert(TaktungOffset + DayTableSize == FreibetragOffset);
static_assert(LimitOffset + 8 == TarifSize);

// Hours run fastest: [d][h] lies at base + (d - 1) * 192 + h * 8.
void writeDayTable(const TDayTable &table, char *out)
{
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) PutDouble(out + (d - 1) * 192 + h * 8, table[d][size_t(h)]);
}

void readDayTable(TDayTable &table, const char *in)
{
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) table[d][size_t(h)] = GetDouble(in + (d - 1) * 192 + h * 8);
}
}

void WriteTarif(const TTarif &t, char *out)
{
    t.Name.write(out);
    t.Nummer.write(out + NummerOffset);
    t.Eintrag.write(out + EintragOffset);
    writeDayTable(t.Kosten, out + KostenOffset);
    writeDayTable(t.Taktung, out + TaktungOffset);
    PutDouble(out + FreibetragOffset, t.Freibetrag);
    PutDouble(out + LimitOffset, t.Limit);
}

TTarif ReadTarif(const char *in)
{
    TTarif t;
    t.Name.read(in);
    t.Nummer.read(in + NummerOffset);
    t.Eintrag.read(in + EintragOffset);
    readDayTable(t.Kosten, in + KostenOffset);
    readDayTable(t.Taktung, in + TaktungOffset);
    t.Freibetrag = GetDouble(in + FreibetragOffset);
    t.Limit = GetDouble(in + LimitOffset);
    return t;
}

QByteArray TarifToBytes(const TTarif &t)
{
    QByteArray bytes(TarifSize, '\0');
    WriteTarif(t, bytes.data());
    return bytes;
}

void SetupNullTarif()
{
    NullTarif = TTarif{};
    NullTarif.Name = QString::fromLatin1(NullTarifName);
}

QString TarifPath() { return ProgramDir() + QStringLiteral("TarifDaten.qtd"); }

void LoadTarife()
{
    const QString path = TarifPath();
    if (!QFileInfo::exists(path)) return;
    try {
        if (!ReadRecordFile(path, 0, TarifSize, ReadTarif, Tarife)) throw std::runtime_error("read");
    } catch (...) {
        // Garbage sizes end in bad_alloc here rather than taking the program down.
        ReportError(E_UnknownErrorAt + QStringLiteral("LoadTarife"));
    }
}

void SaveTarife()
{
    try {
        QByteArray data(qsizetype(Tarife.size()) * TarifSize, '\0');
        for (size_t i = 0; i < Tarife.size(); ++i) WriteTarif(Tarife[i], data.data() + qsizetype(i) * TarifSize);
        if (!ReplaceFile(TarifPath(), data)) throw std::runtime_error("save");
    } catch (...) {
        ReportError(E_UnknownErrorAt + QStringLiteral("SaveTarife"));
    }
}
