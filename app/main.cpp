// Minutrix: the program entry. Creates the windows in their fixed order and runs the event loop.
#include "Errors.h"
#include "Haupt.h"

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

    Hauptfenster = new THauptfenster;
    Hauptfenster->show();

    const int rc = QApplication::exec();
    delete Hauptfenster;
    return rc;
}
