// Boxes with real modal loops next to the running monitoring step: while a box of the step or of
// the start-up is open, ticks keep arriving (or, during start-up, do nothing), and a termination
// signal still ends the program. The boxes are closed by timers, as a user would close them.
#include "tests/support/MainWindowFixture.h"

#include "core/ErrorReport.h"
#include "core/Language.h"
#include "core/MonatsLog.h"
#include "core/TerminationSignals.h"
#include "online/window/Errors.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <csignal>

namespace {
QDialog *openBox() { return qobject_cast<QDialog *>(QApplication::activeModalWidget()); }

int records(const MainWindowFixture &f) { return int(ReadLog(f.dir.file("Data/2026/Mai.qod")).Daten.size()); }

// Runs the window's own timers fast; `onTick` sees every driver tick, one second of fake time each.
struct Driver
{
    QTimer timer;
    Driver(MainWindowFixture &f, std::function<void()> onTick)
    {
        f.window->Timer1->setInterval(5);
        f.window->Timer1->start();
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&f, onTick] {
            f.clock.advanceSeconds(1);
            if (f.window->Connection) f.window->Connection->Poll();
            onTick();
        });
        timer.start();
    }
};
}

class TestModalLoop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void limitBoxOpen_hangUpIsLoggedWhileTheBoxIsOpen()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(0);   // the limit box opens at the first tick
        MessageBox::SetTestMode(false);
        f.ras.setConnection("Provider", RASCS_Connected);
        int ticksWithBox = 0;
        bool closed = false;
        Driver d(f, [&] {
            QDialog *box = openBox();
            if (!box) return;
            if (++ticksWithBox == 5) f.ras.hangUp();
            if ((ticksWithBox > 5 && !w.Monitor.InVerbindung) || ticksWithBox > 2000) {
                f.clock.advanceSeconds(2 * 3600);   // the user comes back two hours later
                box->accept();
                closed = true;
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(closed, 20000);
        QVERIFY(ticksWithBox < 100);
        QCOMPARE(records(f), 1);
        QCOMPARE(MessageBox::History().size(), 1);
        QCOMPARE(MessageBox::History().first().text, W_LimitReached);
        QVERIFY(w.LDauer->text() < QStringLiteral("00:01:00"));   // labels moved on while it was open
    }

    void appendFailureBoxOpen_aSecondConnectionIsTimedAndLogged()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        InstallErrorReport();   // the real report box
        MessageBox::SetTestMode(false);
        f.dir.blockFolder("Data/2026");

        f.ras.setConnection("Provider", RASCS_Connected);
        int ticks = 0, ticksWithBox = 0;
        bool closed = false;
        Driver d(f, [&] {
            if (++ticks == 10) f.ras.hangUp();   // the first connection: its append fails
            QDialog *box = openBox();
            if (!box) return;
            ++ticksWithBox;
            if (ticksWithBox == 2) {
                f.dir.unblockFolder("Data/2026");
                f.ras.setConnection("Provider", RASCS_Connected);
            }
            if (ticksWithBox == 70) f.ras.hangUp();
            if ((ticksWithBox > 70 && !w.Monitor.InVerbindung) || ticksWithBox > 2000) {
                box->reject();
                closed = true;
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(closed, 20000);
        QCOMPARE(records(f), 2);   // the waiting record, then the second connection
        QVERIFY(w.Monitor.Pending.empty());
        QCOMPARE(MessageBox::History().size(), 1);
        QVERIFY(MessageBox::History().first().text.startsWith(QStringLiteral("Die Verbindung konnte nicht in ")));
        SetReportHandler(nullptr);
    }

    void startUpBox_ticksWaitForTheEndOfStartUp()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        QDir().mkpath(f.dir.file("Settings.dat"));   // cannot be read: a box during start-up
        f.ras.addEntry("Provider", "0191011");
        f.ras.setConnection("Provider", RASCS_Connected);   // already up at start
        MessageBox::SetTestMode(false);
        QElapsedTimer open;
        QTimer closer;
        closer.setInterval(50);
        connect(&closer, &QTimer::timeout, [&] {
            QDialog *box = openBox();
            if (!box) return;
            if (!open.isValid()) open.start();
            if (open.elapsed() > 1600) {   // the real timers ran a few times meanwhile
                box->accept();
                open.invalidate();
            }
        });
        closer.start();
        THauptfenster &w = f.start();
        QVERIFY(!w.Monitor.InVerbindung);
        QVERIFY(!w.Monitor.KeinTarifGewarnt);
        QCOMPARE(MessageBox::History().size(), 1);
        QVERIFY(MessageBox::History().first().text.startsWith(QStringLiteral("Cannot open file")));

        w.Connection->Poll();
        w.Timer1Timer();
        QTRY_COMPARE(MessageBox::History().size(), 2);
        QCOMPARE(MessageBox::History().last().text, W_NoTarif);
        QCOMPARE(w.Monitor.AktVerbindung.Tarif.value(), QStringLiteral("Null_Standard_Tarif_MX"));
        QCOMPARE(w.Monitor.MonatsLog.Pfad, f.dir.file("Data/2026/Mai.qod"));
        QVERIFY(QDir(f.dir.file("Data/2026")).entryList(QDir::Files).isEmpty());
    }

    void terminationSignalDuringStartUpBox_endsTheProgramLikeBeenden()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        QDir().mkpath(f.dir.file("Settings.dat"));
        MessageBox::SetTestMode(false);
        TerminationSignals signals(EndProgramOnSignal);
        QTimer::singleShot(300, [] {
            if (openBox()) ::raise(SIGTERM);
        });
        QTimer safety;
        connect(&safety, &QTimer::timeout, [] {
            if (QDialog *box = openBox()) box->reject();
        });
        safety.start(5000);
        THauptfenster &w = f.start();
        QVERIFY(TerminationSignals::Received());
        QVERIFY(w.IsShutDown());
        QVERIFY(QFileInfo::exists(f.dir.file("TarifDaten.qtd")));   // saved as "Beenden" saves
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestModalLoop)
#include "tst_gui_modalloop_de.moc"
