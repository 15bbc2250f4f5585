// The first start left in the wizard: Escape in the wizard's own modal loop, confirmed, ends the
// program before anything is set up, and no file is written, so the next start asks again.
#include "app/Windows.h"
#include "core/Language.h"
#include "online/window/Feedback.h"
#include "tariffs/window/AssistentForm.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WhenModal.h"

#include <QDirIterator>
#include <QTest>

namespace {
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();)
        files << it.next();
    return files;
}
}

class TestWizardLeft : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void escapeInTheWizard_endsWithoutWritingAFile()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));   // no Settings.dat: the first start
        THauptfenster &w = f.start();
        w.Timer1->start(20);   // ticks go on while the wizard is open, as in the program
        QWidget *wizard = nullptr;
        WhenModal([&wizard](QWidget *modal) {
            wizard = modal;
            MessageBox::SetNextAnswer(MessageBox::Yes);   // "really end the program?"
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        CreateWindowsAtStart(&w);   // the wizard shows itself from here, in its own loop
        QVERIFY(qobject_cast<TAssistentForm *>(wizard));
        QVERIFY(AssistentForm->Left());
        QVERIFY(w.IsShutDown());
        QVERIFY(!FeedbackForm);   // the window after the wizard is never made
        f.window.reset();         // the program's end: nothing is saved on the way out either
        QCOMPARE(filesBelow(f.dir.path()), QStringList());
        QVERIFY(f.shownTexts().contains(W_ReallyClose));

        LoadSettings();   // the next start
        QCOMPARE(int(ErsterStart), 1);
    }
};

QTEST_MAIN(TestWizardLeft)
#include "tst_gui_wizardleft.moc"
