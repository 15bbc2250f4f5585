// The yardstick for the program's start-up: a bare Qt main window with a menu, the size of the
// program's main window, started the same way and doing nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minutrix"));
    window.menuBar()->addMenu(QStringLiteral("Minutrix"));
    auto *client = new QWidget(&window);
    client->setFixedSize(192, 56);
    window.setCentralWidget(client);
    window.move(200, 116);
    window.show();
    return QApplication::exec();
}
