#pragma once
// What the platforms' implementations of the whole-file saves share.
#include <QByteArray>
#include <QLatin1String>
#include <QString>

inline const QLatin1String ReplaceLeftoverMarker(".mxsave-");
constexpr int ReplaceLeftoverRandomLength = 8;

// The marker and eight random letters or digits, appended to the file name.
QString ReplaceLeftoverSuffix();

// The platform's save: written beside path under such a name, then renamed over it (replace) or
// into place only where nothing is yet.
bool WriteWholeFile(const QString &path, const QByteArray &data, bool replace);
