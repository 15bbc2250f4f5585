// The windows as the program makes them: in their fixed order, and each opened modally by its menu
// item, in a real modal loop; the info window's links handed to the desktop's opener.
#include "app/Windows.h"
#include "online/window/OnlineUrls.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WhenModal.h"
#include "ui/Shell.h"

#include "evaluation/window/Auswertung.h"
#include "online/window/Feedback.h"
#include "online/window/Info.h"
#include "online/window/Update.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/TarifForm.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTest>

class TestWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuItems_openTheirWindowsModally()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        THauptfenster &w = f.start();
        CreateWindowsAtStart(&w);   // in the turn after the first paint
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::sendPostedEvents();

        QList<QDialog *> made;
        for (QObject *child : w.children())
            if (auto *dialog = qobject_cast<QDialog *>(child)) made << dialog;
        QCOMPARE(made.size(), 7);
        const QList<QDialog *> order{Infofenster, SettingForm, TarifForm,   Autoupdate,
                                     Auswertung,  made[5],     FeedbackForm};
        QCOMPARE(made, order);
        QVERIFY(qobject_cast<TAssistentForm *>(made[5]));
        QVERIFY(Infofenster->Werbebanner->pixmap().isNull());   // pictures are made when first shown
        Shell::SetTestMode(true);

        const std::pair<QAction *, QDialog *> openers[]{{w.Tarife1, TarifForm},
                                                        {w.Einstellungen1, SettingForm},
                                                        {w.AutoUpdate1, Autoupdate},
                                                        {w.Info1, Infofenster},
                                                        {w.Auswertung1, Auswertung}};
        for (const auto &[item, window] : openers) {
            QWidget *opened = nullptr;
            WhenModal([&opened](QWidget *modal) {
                opened = modal;
                if (modal == Infofenster)
                    for (QWidget *at : std::initializer_list<QWidget *>{Infofenster->Label6, Infofenster->Werbebanner,
                                                                        Infofenster->Bevel2})
                        QTest::mouseClick(at, Qt::LeftButton);   // the line is no link
                static_cast<QDialog *>(modal)->reject();
            });
            item->trigger();   // returns once the window's own loop has ended
            QCOMPARE(opened, window);
        }
        // A window without a place of its own opens centred over the main window; too tall for that
        // at the main window's place near the top, with its top at the main window's, on the screen.
        w.move(200, 116);
        Autoupdate->show();
        QVERIFY(qAbs(Autoupdate->frameGeometry().center().x() - w.frameGeometry().center().x()) <= 1);
        QCOMPARE(Autoupdate->frameGeometry().top(), w.frameGeometry().top());
        QVERIFY(w.screen()->availableGeometry().contains(Autoupdate->frameGeometry()));
        Autoupdate->hide();
        QVERIFY(MessageBox::History().isEmpty());
        QCOMPARE(Shell::Opened(), (QStringList{HomepageURL, PartnerURL}));
        QCOMPARE(Infofenster->Werbebanner->pixmap().size(), QSize(105, 43));
        QCOMPARE(Infofenster->Image1->pixmap().size(), QSize(32, 32));
        Shell::SetTestMode(false);
    }

    // At once when the wizard is due, else a second later unpainted or when a menu item is chosen
    // first; none once the program has ended.
    void atStart_unpainted_data()
    {
        QTest::addColumn<bool>("wizardDue");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("wizard due") << true << false << false;
        QTest::newRow("never painted") << false << false << false;
        QTest::newRow("item chosen") << false << false << true;
        QTest::newRow("ended first") << false << true << false;
    }
    void atStart_unpainted()
    {
        QFETCH(bool, wizardDue);
        QFETCH(bool, ended);
        QFETCH(bool, chosen);
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        if (!wizardDue) f.storeSettings(100);
        THauptfenster &w = f.start();
        MessageBox::SetProgramEnding(wizardDue);   // the wizard does not hold the test up
        CreateWindowsAtStart(&w);
        QCOMPARE(bool(Infofenster), wizardDue);
        QVERIFY(w.Auswertung1->isEnabled());
        if (ended) w.Shutdown();
        QWidget *opened = nullptr;
        if (chosen) WhenModal([&opened](QWidget *modal) { static_cast<QDialog *>(opened = modal)->reject(); });
        chosen ? w.Auswertung1->trigger() : QTest::qWait(1200);
        QCOMPARE(opened, chosen ? Auswertung : nullptr);
        QCOMPARE(w.findChildren<QDialog *>(Qt::FindDirectChildrenOnly).size(), ended ? 0 : 7);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_gui_windows_de.moc"
