// Minutrix: the program entry. Creates the windows in their fixed order and runs the event loop.
#include "AssistentForm.h"
#include "Auswertung.h"
#include "Errors.h"
#include "Feedback.h"
#include "Haupt.h"
#include "Info.h"
#include "SettingForm.h"
#include "TarifForm.h"
#include "Update.h"
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

    // The windows in their fixed order; each lives until the program ends. On the first start the
    // wizard shows itself while it is created, before the main window appears.
    auto *hauptfenster = new THauptfenster;
    if (!hauptfenster->IsShutDown()) {
        Infofenster = new TInfofenster(hauptfenster);
        SettingForm = new TSettingForm(hauptfenster);
        TarifForm = new TTarifForm(hauptfenster);
        Autoupdate = new TAutoupdate(hauptfenster);
        Auswertung = new TAuswertung(hauptfenster);
        new TAssistentForm(hauptfenster);
        CreateFeedbackForm(hauptfenster);   // unless a report during start-up has made it already
        hauptfenster->SetWindowOpener(hauptfenster->Tarife1, [] { TarifForm->exec(); });
        hauptfenster->SetWindowOpener(hauptfenster->Einstellungen1, [] { SettingForm->exec(); });
        hauptfenster->SetWindowOpener(hauptfenster->AutoUpdate1, [] { Autoupdate->exec(); });
        hauptfenster->SetWindowOpener(hauptfenster->Info1, [] { Infofenster->exec(); });
        hauptfenster->SetWindowOpener(hauptfenster->Auswertung1, [] { Auswertung->exec(); });
    }
    int rc = 0;
    if (!hauptfenster->IsShutDown()) {   // a signal during start-up has ended it already
        hauptfenster->show();
        rc = QApplication::exec();
    }
    delete hauptfenster;   // and the windows it owns
    return rc;
}
