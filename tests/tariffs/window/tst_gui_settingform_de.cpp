// The settings window: what OK stores and writes, its failure paths, Cancel, Enter and Escape.
#include "core/Language.h"
#include "tariffs/window/SettingForm.h"
#include "tests/tariffs/window/TariffWindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
using Fixture = TariffWindowFixture<TSettingForm>;

TSettingsWerte storedSettings(const Fixture &f)
{
    const QByteArray bytes = f.dir.read(QStringLiteral("Settings.dat"));
    return ParseSettings(bytes.constData());
}

void enter(TSettingForm &form, int state, const QString &limit)
{
    form.SBundesland->setCurrentIndex(state);
    form.EGesamtLimit->setText(limit);
}
}

class TestSettingForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ok_storesAndWritesAtOnce()
    {
        Fixture f;
        TSettingForm &form = f.show();
        QCOMPARE(form.SBundesland->count(), 16);
        enter(form, 6, QStringLiteral("75,5"));
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(int(Bundesland), 6);
        QCOMPARE(GesamtLimit, 75.5);
        QCOMPARE(form.SBundesland->currentText(), QStringLiteral("Hessen"));
        const TSettingsWerte stored = storedSettings(f);
        QCOMPARE(int(stored.Bundesland), 6);
        QCOMPARE(stored.GesamtLimit, 75.5);
        QVERIFY(!form.isVisible());
    }

    void showsWhatIsStored_soOnlyTheTouchedValueChanges()
    {
        Fixture f;
        f.storeSettings(50, 2);
        TSettingForm &form = f.show();
        QCOMPARE(form.SBundesland->currentIndex(), 2);
        QCOMPARE(form.EGesamtLimit->text(), QStringLiteral("50,00"));
        form.SBundesland->setCurrentIndex(9);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(storedSettings(f).GesamtLimit, 50.0);
        QCOMPARE(int(storedSettings(f).Bundesland), 9);
    }

    // A wrong entry is the user's to mend: the plain box, the focus in that field, the window
    // open, nothing stored, nothing offered as an error report.
    void wrongEntry_staysOpenAtTheField_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("field");
        QTest::newRow("no state") << -1 << "75,5"
                                  << "SBundesland";
        QTest::newRow("point") << 6 << "75.50"
                               << "EGesamtLimit";
        QTest::newRow("euro sign") << 6 << "75 €"
                                   << "EGesamtLimit";
        QTest::newRow("empty") << 6 << ""
                               << "EGesamtLimit";
        QTest::newRow("commas only") << 6 << ",,"
                                     << "EGesamtLimit";
    }
    void wrongEntry_staysOpenAtTheField()
    {
        QFETCH(int, state);
        QFETCH(QString, limit);
        QFETCH(QString, field);
        Fixture f;
        const QByteArray before = f.dir.read(QStringLiteral("Settings.dat"));
        TSettingForm &form = f.show();
        enter(form, state, limit);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(f.reports.reports.isEmpty());
        QCOMPARE(f.shownTexts(), QStringList{W_FillAllFields});
        QCOMPARE(form.focusWidget()->objectName(), field);
        QCOMPARE(f.dir.read(QStringLiteral("Settings.dat")), before);
        QCOMPARE(GesamtLimit, 100.0);
        QVERIFY(form.isVisible());
    }

    // The language files found, the data folder's first and shadowing a shipped one of that name,
    // the one in use chosen; another one is stored with OK and the window says that it takes
    // effect at the next start.
    void language_listedChosenAndStored()
    {
        Fixture f;
        f.dir.write("shipped/english.qlf", "[Minutrix]\nName=English\n");
        f.dir.write("shipped/own.qlf", "[Minutrix]\nName=Shadowed\n");
        f.dir.write("own.qlf", "[Minutrix]\nName=  Own  one \n");
        f.dir.write("\u20ac\u0101.qlf", "");   // a name Sprache cannot hold
        SetShippedLanguageDir(f.dir.file("shipped"));
        TSettingForm &form = f.show();
        QStringList items;
        for (int i = 0; i < form.SSprache->count(); ++i) items << form.SSprache->itemText(i);
        QCOMPARE(items, (QStringList{"Own one", "English", "Deutsch"}));   // German is built in
        QCOMPARE(form.SSprache->currentText(), QStringLiteral("Deutsch"));
        QVERIFY(form.LSpracheHinweis->isHidden());
        form.SSprache->setCurrentIndex(1);
        QVERIFY(!form.LSpracheHinweis->isHidden());
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(storedSettings(f).Sprache.value(), QStringLiteral("english"));
        f.show();   // German still runs: the note stays
        QCOMPARE(form.SSprache->currentText(), QStringLiteral("English"));
        QVERIFY(!form.LSpracheHinweis->isHidden());
        SetShippedLanguageDir(QString());
    }

    void cancel_storesNothing()
    {
        MessageBox::InstallQtTranslations();
        Fixture f;
        QCOMPARE(f.form->BitBtn2->text(), QStringLiteral("Abbrechen"));   // Qt's own German
        TSettingForm &form = f.show();
        enter(form, 3, QStringLiteral("20"));
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(int(Bundesland), 8);
        QCOMPARE(storedSettings(f).GesamtLimit, 100.0);
    }

    // Opened in its own modal loop, with the monitoring timer running: Enter in the
    // limit field stores, Escape leaves without storing, Enter on a button presses that button.
    void enterAndEscape_inTheModalLoop_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<double>("stored");
        QTest::newRow("Enter in the field acts as OK") << int(Qt::Key_Return) << "EGesamtLimit" << 42.0;
        QTest::newRow("Escape acts as Cancel") << int(Qt::Key_Escape) << "EGesamtLimit" << 100.0;
        QTest::newRow("Enter on Cancel cancels") << int(Qt::Key_Return) << "BitBtn2" << 100.0;
        QTest::newRow("Space on Cancel cancels") << int(Qt::Key_Space) << "BitBtn2" << 100.0;
        QTest::newRow("Enter on OK") << int(Qt::Key_Enter) << "BitBtn1" << 42.0;
    }
    void enterAndEscape_inTheModalLoop()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(double, stored);
        Fixture f;
        QTimer monitoring;   // as the main window's
        monitoring.start(20);
        int ticks = 0, ticksInside = 0;
        QObject::connect(&monitoring, &QTimer::timeout, [&ticks] { ++ticks; });
        QTimer::singleShot(50, f.form.get(), [&] {
            TSettingForm &form = *f.form;
            QVERIFY(form.isModal() && form.isVisible());
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            const int before = ticks;
            QTRY_VERIFY(ticks >= before + 2);   // the monitoring timer fires while the window is open
            ticksInside = ticks - before;
            form.EGesamtLimit->setFocus();
            form.EGesamtLimit->selectAll();
            QTest::keyClicks(form.EGesamtLimit, QStringLiteral("42"));
            auto *target = form.findChild<QWidget *>(focus);
            target->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), target);
            QTest::keyClick(target, Qt::Key(key));
        });
        f.form->exec();
        QVERIFY(!f.form->isVisible());
        QVERIFY(ticksInside >= 2);
        QCOMPARE(storedSettings(f).GesamtLimit, stored);
    }
};

QTEST_MAIN(TestSettingForm)
#include "tst_gui_settingform_de.moc"
