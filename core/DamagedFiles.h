#pragma once
// A damaged store is never cut or dropped before its bytes are kept: they go beside it as
// "<name>.damaged", or "<name>.damaged.2", ".3" ... when one holding other bytes is there already.
#include <QByteArray>
#include <QString>

QString DamagedName(const QString &path, int number);   // number 1 is "<path>.damaged"

// Keeps bytes, the file at path as it was, under the first such name that is free or holds these
// very bytes. False (errno says why) when they could not be written: the file must then stay as it is.
bool KeepDamagedCopy(const QString &path, const QByteArray &bytes);

// Renames the file at path to the first free such name. False when that failed.
bool MoveDamagedAside(const QString &path);
