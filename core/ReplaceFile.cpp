#include "core/ReplaceFile.h"

#include "core/ReplaceFileNames.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {
bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}
}

QString ReplaceLeftoverSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix = ReplaceLeftoverMarker;
    for (int i = 0; i < ReplaceLeftoverRandomLength; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return suffix;
}

bool IsReplaceLeftoverName(const QString &fileName, const QString &candidate)
{
    const qsizetype prefix = fileName.size() + ReplaceLeftoverMarker.size();
    if (fileName.isEmpty() || candidate.size() != prefix + ReplaceLeftoverRandomLength) return false;
    if (!candidate.startsWith(fileName)
        || QStringView(candidate).mid(fileName.size(), ReplaceLeftoverMarker.size()) != ReplaceLeftoverMarker)
        return false;
    return std::all_of(candidate.cbegin() + prefix, candidate.cend(), isLetterOrDigit);
}

bool ReplaceFile(const QString &path, const QByteArray &data) { return WriteWholeFile(path, data, true); }

bool CreateWholeFile(const QString &path, const QByteArray &data) { return WriteWholeFile(path, data, false); }
