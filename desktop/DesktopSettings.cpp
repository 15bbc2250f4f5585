#include "desktop/DesktopSettings.h"

#include "core/ProgramDir.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWidget>

namespace {
const QString autostartKey = QStringLiteral("Desktop/Autostart");
const QString trayKey = QStringLiteral("Desktop/TrayIcon");
const QString leftKey = QStringLiteral("MainWindow/Left");
const QString topKey = QStringLiteral("MainWindow/Top");
}

QString DesktopSettingsPath() { return ProgramDir() + QStringLiteral("Minutrix.ini"); }

TDesktopSettings LoadDesktopSettings()
{
    const QSettings ini(DesktopSettingsPath(), QSettings::IniFormat);
    TDesktopSettings s;
    s.Autostart = ini.value(autostartKey, s.Autostart).toBool();
    s.TrayIcon = ini.value(trayKey, s.TrayIcon).toBool();
    bool leftOk = false, topOk = false;
    const int left = ini.value(leftKey).toInt(&leftOk), top = ini.value(topKey).toInt(&topOk);
    if (leftOk && topOk) s.MainWindowPosition = QPoint(left, top);
    return s;
}

bool SaveDesktopSettings(const TDesktopSettings &s)
{
    QSettings ini(DesktopSettingsPath(), QSettings::IniFormat);
    ini.setValue(autostartKey, s.Autostart);
    ini.setValue(trayKey, s.TrayIcon);   // written, so that whoever opens the file finds it
    if (s.MainWindowPosition) {
        ini.setValue(leftKey, s.MainWindowPosition->x());
        ini.setValue(topKey, s.MainWindowPosition->y());
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

void RestoreMainWindowPosition(QWidget *window)
{
    const std::optional<QPoint> stored = LoadDesktopSettings().MainWindowPosition;
    if (!stored) return;
    // Not yet shown, the window knows neither its final size nor its frame: its layout's size, and a
    // title bar as high as the style says.
    const QSize hint = window->sizeHint();
    const QSize frame =
        (hint.isValid() ? hint : window->size()) + QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect placed(*stored, frame);
    const QScreen *screen = QGuiApplication::screenAt(placed.center());
    if (!screen) screen = QGuiApplication::primaryScreen();   // the one it stood on has gone
    window->move(screen ? KeepOnScreen(placed, screen->availableGeometry()) : placed.topLeft());
}

void SaveMainWindowPosition(const QWidget *window)
{
    TDesktopSettings s = LoadDesktopSettings();
    s.MainWindowPosition = window->pos();   // a window's position is that of its frame
    SaveDesktopSettings(s);
}
