// For tst_http_lifecycle: starts a transfer to the URL given and ends the program when a line
// arrives on stdin, with the component destroyed first ("destroyed") or left to outlive the
// application object ("outlives").
#include "online/HTTPGet.h"

#include <QCoreApplication>
#include <QSocketNotifier>

int main(int argc, char *argv[])
{
    InitHTTPTransfers();
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    auto *get = new THTTPGet;
    get->URL = QString::fromLocal8Bit(argv[1]);
    get->GetString();
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    const int code = app.exec();
    if (qstrcmp(argv[2], "destroyed") == 0) delete get;
    return code;
}
