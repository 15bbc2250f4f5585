#pragma once
// The desktop integration (desktop/) wired to the main window and the settings window: made once
// the main window has been painted, on the session bus. Tests hand a private bus.
#include <QDBusConnection>

class THauptfenster;
class TDesktop;
struct TTrayState;

// What the tray's tooltip tells of the main window's monitoring.
TTrayState TrayStateOf(const THauptfenster &hauptfenster);

// The tray icon, the notifications, the answer to a second start and the autostart check box of the
// settings window (when it has been made). Lives as long as the main window; its hand-over ends with
// the event loop.
TDesktop *StartDesktop(THauptfenster *hauptfenster, const QDBusConnection &bus = QDBusConnection::sessionBus());
