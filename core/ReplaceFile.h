#pragma once
#include <QByteArray>
#include <QString>

// Writes the data beside the file and renames it over the old one, so a crash or a full disk
// keeps the previous file whole. False when anything failed; the old file is then untouched.
bool ReplaceFile(const QString &path, const QByteArray &data);
// The name the data is written under first: path + ".tmp".
QString ReplaceFileTemp(const QString &path);
