#include "tools/CliSupport.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cmath>

void UsageError(const QString &why) { throw CliExit{2, why}; }

void FileError(const QString &path, const QString &why) { throw CliExit{1, path + QStringLiteral(": ") + why}; }

QString ArgumentOr(const QStringList &args, int index, const QString &programFile)
{
    return index < args.size() ? args[index] : programFile;
}

void RequireArgumentCount(const QStringList &args, int min, int max)
{
    if (args.size() < min || args.size() > max)
        UsageError(QStringLiteral("wrong number of arguments for '%1'").arg(args.value(0)));
}

int ParseInt(const QString &text, const QString &what, int min, int max)
{
    const QByteArray bytes = text.toUtf8();
    int value = 0;
    const char *end = bytes.constData() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.constData(), end, value);
    if (bytes.isEmpty() || ec != std::errc() || ptr != end || value < min || value > max)
        UsageError(
            QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'").arg(what).arg(min).arg(max).arg(text));
    return value;
}

TDateTime ParseDateTime(const QString &text, const QString &what)
{
    TDateTime result = 0;
    if (!FromIsoDateTime(text, result))
        UsageError(QStringLiteral("%1 must be a date-time YYYY-MM-DDTHH:MM:SS, not '%2'").arg(what, text));
    return result;
}

void RequireRegularFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) FileError(path, QStringLiteral("no such file"));
    if (!info.isFile()) FileError(path, QStringLiteral("not a regular file"));
}

QByteArray ReadRegularFile(const QString &path, qint64 maxBytes)
{
    RequireRegularFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) FileError(path, QStringLiteral("cannot be read: ") + file.errorString());
    QByteArray data = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) FileError(path, QStringLiteral("cannot be read: ") + file.errorString());
    return data;
}

QByteArray FormatNumber(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return QByteArray(buf, int(result.ptr - buf));
}

QByteArray EscapeText(const QString &text)
{
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

bool IsPrintableDateTime(TDateTime dt)
{
    // 0001-01-01 is day -693593, 10000-01-01 would be day 2958466.
    if (!std::isfinite(dt) || dt <= -693594.0 || dt >= 2958466.0) return false;
    int y, m, d;
    DecodeDate(dt, y, m, d);   // catches values that round onto a day outside the range
    return y >= 1 && y <= 9999;
}
