#pragma once
// The names a save writes under before its rename, shared by the platforms' implementations.
#include <QLatin1String>
#include <QString>

inline const QLatin1String ReplaceLeftoverMarker(".mxsave-");
constexpr int ReplaceLeftoverRandomLength = 8;

// The marker and eight random letters or digits, appended to the file name.
QString ReplaceLeftoverSuffix();
