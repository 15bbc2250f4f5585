// The windows as the program makes them: in their fixed order, and each opened modally by its menu
// item, in a real modal loop.
#include "MainWindowFixture.h"
#include "WhenModal.h"
#include "Windows.h"

#include "AssistentForm.h"
#include "Auswertung.h"
#include "Feedback.h"
#include "Info.h"
#include "SettingForm.h"
#include "TarifForm.h"
#include "Update.h"

#include <QAction>
#include <QDialog>
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
        CreateWindows(&w);

        QList<QDialog *> made;
        for (QObject *child : w.children())
            if (auto *dialog = qobject_cast<QDialog *>(child)) made << dialog;
        QCOMPARE(made.size(), 7);
        const QList<QDialog *> order{Infofenster, SettingForm, TarifForm,   Autoupdate,
                                     Auswertung,  made[5],     FeedbackForm};
        QCOMPARE(made, order);
        QVERIFY(qobject_cast<TAssistentForm *>(made[5]));

        for (const auto &[item, window] : {std::pair{w.Tarife1, static_cast<QDialog *>(TarifForm)},
                                           std::pair{w.Einstellungen1, static_cast<QDialog *>(SettingForm)},
                                           std::pair{w.AutoUpdate1, static_cast<QDialog *>(Autoupdate)},
                                           std::pair{w.Info1, static_cast<QDialog *>(Infofenster)},
                                           std::pair{w.Auswertung1, static_cast<QDialog *>(Auswertung)}}) {
            QVERIFY(item->isEnabled());
            QWidget *opened = nullptr;
            WhenModal([&opened](QWidget *modal) {
                opened = modal;
                static_cast<QDialog *>(modal)->reject();
            });
            item->trigger();   // returns once the window's own loop has ended
            QCOMPARE(opened, window);
            QVERIFY(!window->isVisible());
        }
        QVERIFY(MessageBox::History().isEmpty());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_gui_windows_de.moc"
