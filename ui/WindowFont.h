#pragma once
// The windows' fonts. "MS Sans Serif" is found under that name on Windows; elsewhere it stands for
// Liberation Sans (Arial's metrics) at the same point size, so labels keep the widths their
// positions were laid out for.
#include <QFont>

QFont WindowFont(int points = 8, bool bold = false);

// The application's font becomes WindowFont(): the drop-down menus, the message boxes and Qt's
// own dialogs, which are windows of their own and take no font from the window that opens them,
// then match the windows.
void UseWindowFontEverywhere();
