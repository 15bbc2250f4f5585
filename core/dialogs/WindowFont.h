#pragma once
// The windows' fonts. "MS Sans Serif" is found under that name on Windows; elsewhere it stands for
// Liberation Sans (Arial's metrics) at the same point size, so labels keep the widths their
// positions were laid out for.
#include <QFont>

QFont WindowFont(int points = 8, bool bold = false);
