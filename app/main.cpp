// Minutrix: the program entry. Creates the windows in their fixed order and runs the event loop.
#include "app/CommandLine.h"
#include "app/DesktopWiring.h"
#include "app/Windows.h"
#include "core/InstanceLock.h"
#include "core/ProgramDir.h"
#include "desktop/DesktopSettings.h"
#include "desktop/HandOver.h"
#include "mainwindow/Haupt.h"
#include "ui/MessageBox.h"
#ifdef Q_OS_UNIX
#include "core/TerminationSignals.h"
#endif

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = HandleCommandLine(argc, argv)) return *status;

    QApplication app(argc, argv);
    UseWindowFontEverywhere();   // menus and boxes in the windows' font
    QApplication::setApplicationName(QStringLiteral("Minutrix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.minutrix.Minutrix"));   // dist/linux's entry
    QApplication::setApplicationVersion(QStringLiteral(MINUTRIX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);   // the main window decides when the program ends
    MessageBox::InstallQtTranslations();

    // A second program on the same data folder ends before it reads or writes any store.
    const std::unique_ptr<InstanceLock> lock = LockDataFolder();
    if (!lock) {
        // The running program comes forward instead, when the session bus reaches it.
        if (HandOverToRunningProgram(QDBusConnection::sessionBus(), ProgramDir())) return 0;
        MessageBox::ShowMessage(QStringLiteral("Minutrix läuft bereits."));
        return 1;
    }

    InstallProgramServices();
    // Logout, Ctrl+C or kill end the program like "Beenden" without the question: a connection
    // still being timed is logged and the tariffs and settings are saved.
#ifdef Q_OS_UNIX
    TerminationSignals terminationSignals(EndProgramOnSignal);
#endif

    // The windows in their fixed order: the main window, then the others (on the first start before
    // the main window is shown, else once it has been painted).
    auto *hauptfenster = new THauptfenster;
    RestoreMainWindowPosition(hauptfenster);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [hauptfenster] { SaveMainWindowPosition(hauptfenster); });
    // The desktop's tray, notifications and hand-over come with the other windows, after the first paint.
    if (!hauptfenster->IsShutDown()) CreateWindowsAtStart(hauptfenster, [hauptfenster] { StartDesktop(hauptfenster); });
    int rc = 0;
    if (!hauptfenster->IsShutDown()) {   // a signal during start-up has ended it already
        hauptfenster->show();
        rc = QApplication::exec();
    }
    // Records that could not reach their month log end the program with a failure status, even
    // when they wait in the journal for the next start (the box or the desktop's log has said so).
    if (rc == 0 && !hauptfenster->Monitor.Pending.empty()) rc = 1;
    delete hauptfenster;   // and the windows it owns
    return rc;
}
