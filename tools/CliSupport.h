#pragma once
// Shared pieces of minutrix-cli: how it fails, how it parses arguments and how it prints values.
#include "core/DateTime.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Thrown by a subcommand; main turns it into the exit status and the line on stderr.
struct CliExit
{
    int status;   // 1: file missing, unreadable or malformed; 2: wrong arguments
    QString message;
};

[[noreturn]] void UsageError(const QString &why);
[[noreturn]] void FileError(const QString &path, const QString &why);

void RequireArgumentCount(const QStringList &args, int min, int max);
// args[index], or the program's own file when the argument is left out.
QString ArgumentOr(const QStringList &args, int index, const QString &programFile);
// A whole decimal number within [min, max]; anything else is a usage error naming `what`.
int ParseInt(const QString &text, const QString &what, int min, int max);
TDateTime ParseDateTime(const QString &text, const QString &what);

// The file must exist, be a regular file and open for reading; otherwise exit status 1.
QByteArray ReadRegularFile(const QString &path, qint64 maxBytes = -1);
void RequireRegularFile(const QString &path);

// Shortest text that reads back to the same double, with a decimal point.
QByteArray FormatNumber(double value);
// Backslash, TAB, CR and LF as \\, \t, \r and \n, so every value stays on its line and column.
QByteArray EscapeText(const QString &text);
// True when the date-time decodes to a real date of the years 1 to 9999.
bool IsPrintableDateTime(TDateTime dt);
