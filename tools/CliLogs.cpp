// log and summary: month logs read whole and checked, so a torn or damaged file is reported
// instead of being half-listed.
#include "CliCommands.h"
#include "CliSupport.h"
#include "Language.h"
#include "MonatsLog.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <map>

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

// Year folders as the program names them: the year in decimal digits, no leading zero.
std::map<int, QString> yearFolders(const QString &dataFolder)
{
    std::map<int, QString> years;
    const QFileInfoList entries = QDir(dataFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        bool ok = false;
        const int year = name.toInt(&ok);
        if (ok && year >= 1 && year <= 9999 && name == QString::number(year)) years.emplace(year, entry.filePath());
    }
    return years;
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
    RequireArgumentCount(args, 2, 2);
    const QString dataFolder = args[1];
    const QFileInfo info(dataFolder);
    if (!info.exists()) FileError(dataFolder, QStringLiteral("no such folder"));
    if (!info.isDir()) FileError(dataFolder, QStringLiteral("not a folder"));

    // The files carry the built-in German month names, whatever language the program shows.
    const auto &table = LanguageTable();
    QByteArray out;
    for (const auto &[year, folder] : yearFolders(dataFolder)) {
        for (int month = 1; month <= 12; ++month) {
            const QString monthName = table[size_t(month - 1)].builtIn;
            const QString path = folder + QLatin1Char('/') + monthName + QStringLiteral(".qod");
            if (!QFileInfo::exists(path)) continue;
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
    return out;
}
