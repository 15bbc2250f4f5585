// tariffs, prices and cost: the tariff store read record by record, without the program's loader
// (which reports through the error dialog and keeps a torn tail silently).
#include "core/Kosten.h"
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"

#include <QFile>
#include <climits>

namespace {
class TariffFile
{
public:
    explicit TariffFile(const QString &path) : m_file(path)
    {
        RequireRegularFile(path);
        if (!m_file.open(QIODevice::ReadOnly))
            FileError(path, QStringLiteral("cannot be read: ") + m_file.errorString());
        const qint64 size = m_file.size();
        if (size % TarifSize != 0)
            FileError(path, QStringLiteral("is not a tariff store: its size %1 is not a multiple of %2 bytes")
                                .arg(size)
                                .arg(TarifSize));
        m_count = size / TarifSize;
    }

    qint64 count() const { return m_count; }

    TTarif read(qint64 index)
    {
        QByteArray record;
        if (m_file.seek(index * TarifSize)) record = m_file.read(TarifSize);
        if (record.size() != TarifSize)
            FileError(m_file.fileName(), QStringLiteral("cannot read tariff %1: ").arg(index) + m_file.errorString());
        return ReadTarif(record.constData());
    }

    // INDEX is an argument: one past the end is a usage error, not a broken file.
    TTarif readArgument(int index)
    {
        if (index >= m_count)
            UsageError(QStringLiteral("INDEX %1 is out of range: the store holds %2 tariffs").arg(index).arg(m_count));
        return read(index);
    }

private:
    QFile m_file;
    qint64 m_count = 0;
};

QByteArray dayTableLines(const TDayTable &table)
{
    QByteArray out;
    for (int d = 1; d <= 7; ++d) {
        for (int h = 0; h < 24; ++h) {
            if (h) out += '\t';
            out += FormatNumber(table[d][size_t(h)]);
        }
        out += '\n';
    }
    return out;
}
}

QByteArray RunTariffs(const QStringList &args)
{
    RequireArgumentCount(args, 1, 2);
    TariffFile file(ArgumentOr(args, 1, TarifPath()));
    QByteArray out;
    for (qint64 i = 0; i < file.count(); ++i) {
        const TTarif t = file.read(i);
        out += QByteArray::number(i) + '\t' + EscapeText(t.Name) + '\t' + EscapeText(t.Nummer) + '\t'
               + EscapeText(t.Eintrag) + '\t' + FormatNumber(t.Freibetrag) + '\t' + FormatNumber(t.Limit) + '\n';
    }
    return out;
}

QByteArray RunPrices(const QStringList &args)
{
    RequireArgumentCount(args, 3, 3);
    const int index = ParseInt(args[2], QStringLiteral("INDEX"), 0, INT_MAX);
    TariffFile file(args[1]);
    const TTarif t = file.readArgument(index);
    return dayTableLines(t.Kosten) + dayTableLines(t.Taktung);
}

QByteArray RunCost(const QStringList &args)
{
    RequireArgumentCount(args, 5, 6);
    // Every argument that needs no file is checked first, so wrong arguments never depend on a file.
    const TDateTime from = ParseDateTime(args[3], QStringLiteral("FROM"));
    const TDateTime to = ParseDateTime(args[4], QStringLiteral("TO"));
    if (to < from) UsageError(QStringLiteral("TO %1 lies before FROM %2").arg(args[4], args[3]));
    const int index = ParseInt(args[2], QStringLiteral("INDEX"), 0, INT_MAX);
    const int state = args.size() > 5 ? ParseInt(args[5], QStringLiteral("STATE"), 0, 15) : 8;
    TariffFile file(args[1]);
    const TTarif t = file.readArgument(index);
    Bundesland = std::uint8_t(state);   // the holiday test reads the settings value
    return FormatNumber(CalcKosten(t, from, to)) + '\n';
}
