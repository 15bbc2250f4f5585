// log and summary: month logs read whole and checked, so a torn or damaged file is reported
// instead of being half-listed.
#include "core/DataFolder.h"
#include "core/MonatsLog.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"

#include <QFileInfo>
#include <cmath>

namespace {
std::vector<TVerbindung> readMonthLog(const QString &path)
{
    const QByteArray data = ReadRegularFile(path);
    if (data.size() < MonatsLogHeaderSize)
        FileError(path, QStringLiteral("is not a month log: shorter than its %1-byte header").arg(MonatsLogHeaderSize));
    const qsizetype body = data.size() - MonatsLogHeaderSize;
    if (body % VerbindungSize != 0)
        FileError(path, QStringLiteral("ends in a torn record: %1 bytes after the last whole %2-byte record")
                            .arg(body % VerbindungSize)
                            .arg(VerbindungSize));
    std::vector<TVerbindung> records;
    records.reserve(size_t(body / VerbindungSize));
    for (qsizetype at = MonatsLogHeaderSize; at < data.size(); at += VerbindungSize) {
        const TVerbindung v = ReadVerbindung(data.constData() + at);
        const qsizetype number = records.size() + 1;
        if (!IsPrintableDateTime(v.Datum) || !IsPrintableDateTime(v.Start) || !IsPrintableDateTime(v.Ende))
            FileError(path, QStringLiteral("record %1 holds no valid date-time").arg(number));
        if (!std::isfinite(v.Kosten)) FileError(path, QStringLiteral("record %1 holds no valid cost").arg(number));
        records.push_back(v);
    }
    return records;
}
}

QByteArray RunLog(const QStringList &args)
{
    RequireArgumentCount(args, 2, 2);
    QByteArray out;
    for (const TVerbindung &v : readMonthLog(args[1])) {
        out += ToIsoDateTime(v.Datum).toUtf8() + '\t' + ToIsoDateTime(v.Start).toUtf8() + '\t'
               + ToIsoDateTime(v.Ende).toUtf8() + '\t' + FormatNumber(v.Kosten) + '\t' + EscapeText(v.Tarif) + '\n';
    }
    return out;
}

QByteArray RunSummary(const QStringList &args)
{
    RequireArgumentCount(args, 1, 2);
    const QString dataFolder = ArgumentOr(args, 1, DataFolder());
    const QFileInfo info(dataFolder);
    if (!info.exists()) FileError(dataFolder, QStringLiteral("no such folder"));
    if (!info.isDir()) FileError(dataFolder, QStringLiteral("not a folder"));

    // The tool loads no language file, so the month logs are found under the built-in German names.
    // A folder or FIFO at a month's name is no month log, for the tool as for the program.
    QByteArray out;
    for (const auto &[year, folder] : YearFolders(dataFolder)) {
        for (const auto &[month, path] : MonthLogsOfYear(folder)) {
            const QString monthName = BuiltInMonthName(month);
            double cost = 0, days = 0;
            const std::vector<TVerbindung> records = readMonthLog(path);
            for (const TVerbindung &v : records) {
                cost += v.Kosten;
                days += v.Ende - v.Start;
            }
            // Durations are summed as day fractions and rounded once, so no record's rounding adds up.
            const long long seconds = std::llround(days * 86400.0);
            out += QByteArray::number(year) + '\t' + monthName.toUtf8() + '\t'
                   + QByteArray::number(qsizetype(records.size())) + '\t' + FormatNumber(cost) + '\t'
                   + QByteArray::number(seconds) + '\n';
        }
    }
    if (out.isEmpty()) FileError(dataFolder, QStringLiteral("holds no month log (Data/<year>/<month>.qod)"));
    return out;
}
