#pragma once
// Windows-1252, the code page of every string stored in the program's files.
// Characters the code page cannot hold become '?'.
#include <QByteArray>
#include <QString>

QString FromWin1252(const char *bytes, int length);
inline QString FromWin1252(const QByteArray &bytes) { return FromWin1252(bytes.constData(), int(bytes.size())); }
QByteArray ToWin1252(const QString &text);
