#include "Haupt.h"

#include "BudgetBar.h"
#include "DataFolder.h"
#include "DateTime.h"
#include "Language.h"
#include "MessageBox.h"
#include "ProgramDir.h"
#include "Report.h"
#include "SettingsStore.h"
#include "ShowException.h"
#include "VexRasConnect.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

THauptfenster *Hauptfenster = nullptr;

THauptfenster::THauptfenster(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Hauptfenster"));
    setWindowTitle(QStringLiteral("Minutrix"));
    // Fixed single border with a system menu and a minimize button, no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/minutrix.png")));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);
    move(200, 116);

    createControls();
    createMenu();
    createConnection();
    layout()->setSizeConstraint(QLayout::SetFixedSize);   // the window is as large as its client area and menu

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer1->start();

    FormCreate();
}

THauptfenster::~THauptfenster()
{
    if (!m_destroyed) FormDestroy();
    if (Hauptfenster == this) Hauptfenster = nullptr;
}

void THauptfenster::createControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(192, 56);
    setCentralWidget(client);

    QFont big(QStringLiteral("Arial"));
    big.setPointSize(12);
    big.setBold(true);

    LKosten = new QLabel(QStringLiteral("0,00 €"), client);
    LKosten->setObjectName(QStringLiteral("LKosten"));
    LKosten->setFont(big);
    LKosten->move(5, 10);
    LKosten->resize(100, 20);

    LDauer = new QLabel(QStringLiteral("00:00"), client);
    LDauer->setObjectName(QStringLiteral("LDauer"));
    LDauer->setFont(big);
    LDauer->move(110, 10);
    LDauer->resize(82, 20);

    BudgetBar = new TBudgetBar(client);
    BudgetBar->setObjectName(QStringLiteral("BudgetBar"));
    BudgetBar->setGeometry(0, 35, 191, 17);
    BudgetBar->SetMax(100);
}

void THauptfenster::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    Minutrix1 = bar->addMenu(QStringLiteral("Minutrix"));
    Minutrix1->setObjectName(QStringLiteral("Minutrix1"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *a = Minutrix1->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(false);
        return a;
    };
    Tarife1 = item("Tarife1", QStringLiteral("Tarife"));
    Einstellungen1 = item("Einstellungen1", QStringLiteral("Einstellungen"));
    AutoUpdate1 = item("AutoUpdate1", QStringLiteral("Auto-Update"));
    Info1 = item("Info1", QStringLiteral("Info"));
    N1 = Minutrix1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Beenden1 = item("Beenden1", QStringLiteral("Beenden"));
    Beenden1->setEnabled(true);
    connect(Beenden1, &QAction::triggered, this, &QWidget::close);

    Auswertung1 = bar->addAction(QStringLiteral("Auswertung"));
    Auswertung1->setObjectName(QStringLiteral("Auswertung1"));
    Auswertung1->setEnabled(false);
}

void THauptfenster::createConnection()
{
    try {
        Connection = new TVexRasConnect(this);
        Connection->setObjectName(QStringLiteral("Connection"));
        Connection->SetLanguage(TLanguage::english);
        Connection->OnStatusChange = [this](TVexRasConnect *, bool changed) { ConnectionStatusChange(changed); };
        Connection->SetDoTimer(true);
    } catch (const std::exception &e) {
        // Without the dial-up service nothing can be timed, but the stored data stays reachable.
        Connection = nullptr;
        ShowException(e);
    }
}

void THauptfenster::SetWindowOpener(QAction *item, std::function<void()> open)
{
    item->setEnabled(bool(open));
    disconnect(item, &QAction::triggered, nullptr, nullptr);
    if (open) connect(item, &QAction::triggered, this, [open] { Guarded(open); });
}

void THauptfenster::applyMenuCaptions()
{
    Tarife1->setText(MenuCaptions.Tarife);
    Einstellungen1->setText(MenuCaptions.Einstellungen);
    AutoUpdate1->setText(MenuCaptions.AutoUpdate);
    Auswertung1->setText(MenuCaptions.Auswertung);
    Beenden1->setText(MenuCaptions.Beenden);
}

void THauptfenster::FormCreate()
{
    int year, month, day;
    DecodeDate(Now(), year, month, day);

    LoadTarife();
    QDir().mkpath(DataYearFolder(year));   // a failure shows later, when a record is appended

    GesamtLimit = 30.0;
    SetupNullTarif();
    BudgetBar->SetMax(30);

    // A settings file that cannot be read is shown, and start-up goes on with what was loaded.
    Guarded([] { LoadSettings(); });

    LoadLanguage(ProgramDir() + Sprache.value() + QStringLiteral(".qlf"));
    applyMenuCaptions();

    openMonthLog(MonthLogPath(year, month));
}

bool THauptfenster::FormCloseQuery()
{
    return MessageBox::Show(QStringLiteral("Confirm"), W_ReallyClose, MessageBox::Question,
                            {MessageBox::Yes, MessageBox::No})
           == MessageBox::Yes;
}

void THauptfenster::FormDestroy()
{
    if (m_destroyed) return;
    m_destroyed = true;
    Timer1->stop();
    if (Connection) Connection->SetDoTimer(false);

    Online = false;
    Guarded([this] { Timer1Timer(); });   // logs a connection still being timed
    // Last try for records whose append failed during the run.
    if (!writePending() && !m_appendFailureReported) ReportError(E_UnknownErrorAt + QStringLiteral("AppendData"));
    SaveTarife();
    Guarded([] { SaveSettings(); });
}

void THauptfenster::Shutdown()
{
    FormDestroy();
    close();
    QCoreApplication::quit();
}

void THauptfenster::closeEvent(QCloseEvent *event)
{
    if (!m_destroyed && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormDestroy();
    event->accept();
    QCoreApplication::quit();
}

void THauptfenster::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();   // a double click on the window does nothing
}
