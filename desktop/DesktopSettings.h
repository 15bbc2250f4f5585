#pragma once
// What the program keeps beyond the fixed 266 bytes of Settings.dat, which stays as it is: one INI
// file in the data folder, Minutrix.ini, with the desktop's settings and the main window's place.
#include <QPoint>
#include <QString>
#include <optional>

class QWidget;

struct TDesktopSettings
{
    bool Autostart = false;                     // as last confirmed in the settings window
    bool TrayIcon = true;                       // false: no tray icon, minimizing works as without a tray
    std::optional<QPoint> MainWindowPosition;   // top-left corner of its frame when the program last ended
};

QString DesktopSettingsPath();   // ProgramDir() + "Minutrix.ini"
TDesktopSettings LoadDesktopSettings();
// False when the file could not be written; the program goes on with what it has.
bool SaveDesktopSettings(const TDesktopSettings &settings);

// The main window where it stood the last time, moved only as far as needed to lie wholly on a
// screen that exists now. Called before it is first shown; without a stored place it stays put.
void RestoreMainWindowPosition(QWidget *window);
// Called as the program ends.
void SaveMainWindowPosition(const QWidget *window);
