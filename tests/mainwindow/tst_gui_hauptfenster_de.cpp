// The main window's start-up, close confirmation and shutdown, driven offscreen.
#include "tests/support/MainWindowFixture.h"

#include "core/Language.h"
#include "core/MonatsLog.h"
#include "core/Win1252.h"
#include "mainwindow/BudgetBar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

class TestHauptfenster : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStart_emptyFolder_createsDataYearAndShowsCaptions()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        QVERIFY(QFileInfo(f.dir.file("Data/2026")).isDir());
        QCOMPARE(w.findChild<QLabel *>("LKosten")->text(), QStringLiteral("0,00 €"));
        QCOMPARE(w.findChild<QLabel *>("LDauer")->text(), QStringLiteral("00:00"));
        QCOMPARE(w.BudgetBar->Max(), 30);         // stays until the first connection sets it
        QCOMPARE(ErsterStart, std::uint8_t(1));   // the wizard is due
        QCOMPARE(GesamtLimit, 100.0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Minutrix"));
        QCOMPARE(w.centralWidget()->size(), QSize(192, 56));
        QCOMPARE(w.Monitor.MonatsLog.Pfad, f.dir.file("Data/2026/Dezember.qod"));
        QVERIFY(w.Monitor.MonatsLog.Daten.empty());
        QVERIFY(f.reports.reports.isEmpty());
        QVERIFY(w.Timer1->interval() == 1000);
    }

    void menu_hasEveryItemWithItsCaption()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        const QList<QPair<const char *, const char *>> items = {
            {"Tarife1", "Tarife"},          {"Einstellungen1", "Einstellungen"},
            {"AutoUpdate1", "Auto-Update"}, {"Info1", "Info"},
            {"Beenden1", "Beenden"},        {"Auswertung1", "Auswertung"}};
        for (const auto &[name, caption] : items) {
            auto *a = w.findChild<QAction *>(QLatin1String(name));
            QVERIFY2(a, name);
            QCOMPARE(a->text(), QString::fromUtf8(caption));
        }
        QCOMPARE(w.Minutrix1->title(), QStringLiteral("Minutrix"));
        QVERIFY(w.N1->isSeparator());
        QVERIFY(w.Beenden1->isEnabled());
    }

    void languageFile_replacesMenuCaptionsAndMonthOfTheLog()
    {
        MainWindowFixture f(EncodeDateTime(2026, 3, 8, 9, 30, 0));
        f.storeSettings(100);
        f.dir.write("german.qlf",
                    ToWin1252(QStringLiteral("[Menu]\r\nTariffs=Preise\r\nExit=Ende\r\n[Month]\r\nMarch=Maerz\r\n")));
        THauptfenster &w = f.start();
        QCOMPARE(w.Tarife1->text(), QStringLiteral("Preise"));
        QCOMPARE(w.Beenden1->text(), QStringLiteral("Ende"));
        QCOMPARE(w.Einstellungen1->text(), QStringLiteral("Einstellungen"));
        QCOMPARE(w.Info1->text(), QStringLiteral("Info"));   // keeps its built-in caption
        QCOMPARE(w.Monitor.MonatsLog.Pfad, f.dir.file("Data/2026/Maerz.qod"));
    }

    void existingDataFolder_isLeftAsItIs()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        f.dir.write("Data/2026/keep.txt", "x");
        f.start();
        QCOMPARE(f.dir.read("Data/2026/keep.txt"), QByteArray("x"));
    }

    void start_loadsStoredValuesAndThisMonthsLog()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        f.storeSettings(45.5, 12);
        f.storeTarife({MakeTarif("A", "1", "E", 1.0), MakeTarif("B", "2", "E", 2.0)});
        TKostenDatenbank log;
        log.Pfad = f.dir.file("Data/2026/Dezember.qod");
        QDir().mkpath(f.dir.file("Data/2026"));
        TVerbindung v;
        v.Kosten = 3.25;
        AppendData(log, v);
        AppendData(log, v);
        THauptfenster &w = f.start();
        QCOMPARE(int(Tarife.size()), 2);
        QCOMPARE(Tarife[1].Name.value(), QStringLiteral("B"));
        QCOMPARE(GesamtLimit, 45.5);
        QCOMPARE(int(Bundesland), 12);
        QCOMPARE(int(w.Monitor.MonatsLog.Daten.size()), 2);
        QCOMPARE(w.Monitor.Summe, 6.5);   // this month's total so far counts against the monthly limit
    }

    void closeConfirmation_declined_keepsRunning()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        w.Timer1->start();
        MessageBox::SetNextAnswer(MessageBox::No);
        QVERIFY(!w.close());
        QCOMPARE(MessageBox::History().size(), 1);
        const auto box = MessageBox::History().first();
        QCOMPARE(box.caption, QStringLiteral("Confirm"));
        QCOMPARE(box.text, W_ReallyClose);
        QCOMPARE(box.icon, MessageBox::Question);
        QCOMPARE(box.buttons, (QList<MessageBox::Button>{MessageBox::Yes, MessageBox::No}));
        QVERIFY(w.Timer1->isActive());
        QVERIFY(!QFileInfo::exists(f.dir.file("Settings.dat")));   // nothing saved yet
    }

    void closeConfirmation_accepted_savesTariffsAndSettings()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        Tarife.push_back(MakeTarif("Neu", "0190", "Eintrag", 1.5));
        MessageBox::SetNextAnswer(MessageBox::Yes);
        QVERIFY(w.close());
        QCOMPARE(QFileInfo(f.dir.file("Settings.dat")).size(), qint64(266));
        QCOMPARE(QFileInfo(f.dir.file("TarifDaten.qtd")).size(), qint64(3472));
        QVERIFY(!w.Timer1->isActive());
        // Destroying the window afterwards does not save or ask a second time.
        const int boxes = MessageBox::History().size();
        f.window.reset();
        QCOMPARE(MessageBox::History().size(), boxes);
    }

    void dialUpServiceFailing_isShownAndTheWindowStillStarts()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        f.ras.addEntry(QStringLiteral("Kaputt"), QStringLiteral("0190"), RAS_SUCCESS);   // the size probe fails
        THauptfenster &w = f.start();
        QVERIFY(!w.Connection);
        QCOMPARE(MessageBox::History().size(), 1);
        QCOMPARE(MessageBox::History().first().icon, MessageBox::Error);
        QVERIFY(MessageBox::History().first().text.contains(QStringLiteral("Kaputt")));
        w.Timer1Timer();   // nothing to time, nothing breaks
        QVERIFY(!w.Monitor.InVerbindung);
        QCOMPARE(w.Monitor.MonatsLog.Pfad, f.dir.file("Data/2026/Dezember.qod"));
    }

    void shutdown_endsWithoutAskingAndSaves()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        w.show();
        w.Shutdown();
        QVERIFY(MessageBox::History().isEmpty());
        QVERIFY(!w.isVisible());
        QCOMPARE(QFileInfo(f.dir.file("Settings.dat")).size(), qint64(266));
        QVERIFY(QFileInfo::exists(f.dir.file("TarifDaten.qtd")));
    }

    void doubleClick_doesNothing()
    {
        MainWindowFixture f(EncodeDateTime(2026, 12, 8, 9, 30, 0));
        THauptfenster &w = f.start();
        w.show();
        QTest::mouseDClick(w.centralWidget(), Qt::LeftButton);
        QVERIFY(w.isVisible());
        QVERIFY(MessageBox::History().isEmpty());
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,00 €"));
    }

    void budgetBar_staysWithinItsBounds_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("below zero") << -5;
        QTest::newRow("far above") << INT_MAX;
    }
    void budgetBar_staysWithinItsBounds()
    {
        QFETCH(int, position);
        TBudgetBar bar;
        bar.SetMax(10);
        bar.SetPosition(position);
        QVERIFY(bar.FilledFraction() >= 0.0 && bar.FilledFraction() <= 1.0);
    }

    void budgetBar_maximumZero_positiveIsFull()
    {
        TBudgetBar bar;
        bar.SetMax(0);
        QCOMPARE(bar.FilledFraction(), 0.0);
        bar.SetPosition(1);
        QCOMPARE(bar.FilledFraction(), 1.0);
        bar.SetMax(4);
        bar.SetPosition(1);
        QCOMPARE(bar.FilledFraction(), 0.25);
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_gui_hauptfenster_de.moc"
