#include "mainwindow/Haupt.h"

#include "core/DataFolder.h"
#include "core/DateTime.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/SettingsStore.h"
#include "dialup/VexRasConnect.h"
#include "mainwindow/BudgetBar.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"
#include "ui/Translations.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>
#include <utility>

THauptfenster *Hauptfenster = nullptr;

namespace {
bool endRequestedEarly = false;   // a termination signal before the main window existed
}

void EndProgramOnSignal()
{
    if (Hauptfenster)
        Hauptfenster->RequestShutdown();
    else
        endRequestedEarly = true;
}

THauptfenster::THauptfenster(QWidget *parent) : QMainWindow(parent), m_instance(Hauptfenster, this)
{
    // Known at once, so a termination signal during a start-up box reaches this window.
    if (!Hauptfenster) Hauptfenster = this;
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
    if (m_shutdownRequested || (Hauptfenster == this && endRequestedEarly)) {
        endRequestedEarly = false;
        Shutdown();
    }
}

void THauptfenster::createControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(192, 56);
    setCentralWidget(client);

    QFont big(QStringLiteral("Arial"));
    big.setPointSize(12);
    big.setBold(true);

    LKosten = Place(new QLabel(QStringLiteral("0,00 €"), client), "LKosten", 5, 10, 100, 20);
    LKosten->setFont(big);

    LDauer = Place(new QLabel(QStringLiteral("00:00"), client), "LDauer", 110, 10, 82, 20);
    LDauer->setFont(big);

    BudgetBar = Place(new TBudgetBar(client), "BudgetBar", 0, 35, 191, 17);
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
        Monitor.Verbindung = [this] {
            return TVerbindungsInfo{Connection->IsConnected(), Connection->ConnectedNumber(),
                                    Connection->ConnectedEntry()};
        };
        // Every link that is up is timed on its own, keyed by its handle and entry.
        Monitor.Verbindungen = [this] {
            std::vector<TVerbindungsInfo> links;
            for (const TConnectedLink &l : Connection->ConnectedLinks())
                links.push_back({true, l.Number, l.Entry, QString::number(l.Handle) + QLatin1Char('\n') + l.Entry});
            return links;
        };
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
    // The window's own texts, in the language just installed.
    Info1->setText(tr("Info"));
    LKosten->setAccessibleDescription(tr("Kosten der laufenden Verbindung"));
    LDauer->setAccessibleDescription(tr("Dauer der laufenden Verbindung"));
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

    LoadLanguage(LanguageFile(Sprache.value() + QStringLiteral(".qlf")));
    InstallTranslations(LanguageLocale);   // before the other windows are made
    applyMenuCaptions();

    // This month's log, and what a run that never reached its shutdown left in the journal. Ticks
    // before this point (inside a start-up box) do nothing.
    Monitor.Start(year, month);
    m_formCreated = true;
}

bool THauptfenster::FormCloseQuery()
{
    return MessageBox::Show(QStringLiteral("Confirm"), W_ReallyClose, MessageBox::Question,
                            {MessageBox::Yes, MessageBox::No})
           == MessageBox::Yes;
}

void THauptfenster::Shutdown()
{
    if (m_shutDown) return;
    m_shutDown = true;
    Timer1->stop();
    if (Connection) Connection->SetDoTimer(false);
    FormDestroy();
    hide();
    QCoreApplication::quit();   // also leaves the loop of any modal window still open
}

void THauptfenster::EndWithoutSaving()
{
    if (std::exchange(m_shutDown, true)) return;
    Timer1->stop();
    if (Connection) Connection->SetDoTimer(false);
    finishMonitoring();   // the journal's reserved space goes; nothing else is written
    hide();
    QCoreApplication::quit();
}

void THauptfenster::RequestShutdown()
{
    // Logout or kill: no box may hold the program up any more.
    MessageBox::SetProgramEnding(true);
    if (!m_formCreated) {
        m_shutdownRequested = true;   // the constructor ends the program once start-up is through
        return;
    }
    Shutdown();
}

void THauptfenster::closeEvent(QCloseEvent *event)
{
    // A termination signal may end the program while the question is open: then it has ended.
    if (!m_shutDown && !FormCloseQuery() && !m_shutDown) {
        event->ignore();
        return;
    }
    Shutdown();
    event->accept();
}

void THauptfenster::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();   // a double click on the window does nothing
}
