// Minutrix: the program entry. Creates the windows in their fixed order and runs the event loop.
#include "Errors.h"
#include "Haupt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTranslator>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[0], &c, 1);
}

// Logout, Ctrl+C or kill end the program like "Beenden" without the question: a connection
// still being timed is logged and the tariffs and settings are saved.
void endOnTerminationSignals(QObject *parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(signalPipe[1], &c, 1);
        if (Hauptfenster) Hauptfenster->Shutdown();
    });
    struct sigaction sa = {};
    sa.sa_handler = onTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Minutrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Minutrix"));
    QApplication::setQuitOnLastWindowClosed(false);   // the main window decides when the program ends

    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    InstallErrorReport();
    endOnTerminationSignals(&app);

    Hauptfenster = new THauptfenster;
    Hauptfenster->show();

    const int rc = QApplication::exec();
    delete Hauptfenster;
    return rc;
}
