#pragma once
// Starting with the desktop session: an entry in the user's autostart folder,
// $XDG_CONFIG_HOME/autostart/de.minutrix.Minutrix.desktop, that starts this very program.
#include <QString>

QString AutostartPath();
bool AutostartOn();   // the entry exists
// The entry's text, its Exec the program's absolute path, quoted as desktop entries want it.
QString AutostartEntry(const QString &program);
// Writes the entry for program (on) or removes it (off), and keeps the choice in Minutrix.ini.
// Throws Exception("Cannot create file <path>") or ("Cannot delete file <path>").
void SetAutostart(bool on, const QString &program);
