// Minutrix: the program entry. Creates the windows in their fixed order and runs the event loop.
#include "Errors.h"
#include "Haupt.h"
#include "Windows.h"
#ifdef Q_OS_UNIX
#include "TerminationSignals.h"
#endif

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Minutrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Minutrix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.minutrix.Minutrix"));   // dist/linux's entry
    QApplication::setQuitOnLastWindowClosed(false);   // the main window decides when the program ends

    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    InstallErrorReport();
    // Logout, Ctrl+C or kill end the program like "Beenden" without the question: a connection
    // still being timed is logged and the tariffs and settings are saved.
#ifdef Q_OS_UNIX
    TerminationSignals terminationSignals(EndProgramOnSignal);
#endif
    // However the event loop is told to end, the shutdown runs before it has returned.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] {
        if (Hauptfenster) Hauptfenster->Shutdown();
    });

    // The windows in their fixed order.
    auto *hauptfenster = new THauptfenster;
    if (!hauptfenster->IsShutDown()) CreateWindows(hauptfenster);
    int rc = 0;
    if (!hauptfenster->IsShutDown()) {   // a signal during start-up has ended it already
        hauptfenster->show();
        rc = QApplication::exec();
    }
    delete hauptfenster;   // and the windows it owns
    return rc;
}
