#pragma once
#include <QString>

// The folder every file of the program lies in: the executable's folder, with a trailing '/'.
// Tests point it at a temporary folder.
QString ProgramDir();
void SetProgramDir(const QString &folder);
