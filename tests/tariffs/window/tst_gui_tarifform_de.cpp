// The tariff editor driven as a user drives it: buttons clicked, texts typed, the window resized.
#include "tariffs/window/HourPanel.h"
#include "tariffs/window/RadioGroup.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "tariffs/window/TarifForm.h"
#include "tests/tariffs/window/TariffWindowFixture.h"
#include "ui/PageControl.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {
using Fixture = TariffWindowFixture<TTarifForm>;

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QStringList names()
{
    QStringList n;
    for (const TTarif &t : Tarife) n << t.Name.value();
    return n;
}

QPoint slotPos(TTarifForm &f, int page, int i) { return f.Slots->DayPanels[size_t(page)][i]->pos(); }

// Resizes the window so that the weekday page control becomes `height` pixels high.
void setWeekdayHeight(TTarifForm &f, int height)
{
    for (int tries = 0; tries < 3 && f.Slots->PageControl2->height() != height; ++tries) {
        f.resize(f.width(), f.height() + height - f.Slots->PageControl2->height());
        QCoreApplication::processEvents();
    }
}
}

class TestTarifForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addThenOk_addsTheDefaultTariff()
    {
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        QCOMPARE(form.PageControl1->ActivePage(), form.TNewTarif);
        QVERIFY(form.PageControl1->TabVisible(1));
        QCOMPARE(form.ENummer->count(), 1);
        QCOMPARE(form.ENummer->itemText(0), QStringLiteral("0191010||Anbieter"));
        QCOMPARE(form.ENummer->currentText(), QString());
        QVERIFY(!form.SpeedButton2->isEnabled());

        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(names(), QStringList{QStringLiteral("Tarif X")});
        QCOMPARE(StoredTarifNames(), names());   // on disk at once, not only at the program's end
        const TTarif &t = Tarife[0];
        QVERIFY(t.Nummer.value().isEmpty() && t.Eintrag.value().isEmpty());
        for (int d = 1; d <= 7; ++d)
            for (int h = 0; h < 24; ++h) QVERIFY(t.Kosten[d][size_t(h)] == 0 && t.Taktung[d][size_t(h)] == 1);
        QCOMPARE(form.TarifListe->count(), 1);
        QCOMPARE(form.PageControl1->ActivePage(), form.TTarife);
        QVERIFY(!form.PageControl1->TabVisible(1));
    }

    void modelAndConnection_reachTheTariff()
    {
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        typeInto(form.EName, QStringLiteral("Abends billig"));
        form.ENummer->setCurrentIndex(0);
        QTest::mouseClick(form.RadioGroup1->Item(2), Qt::LeftButton);   // prices on Sunday's own page ...
        for (int p = 0; p < 7; ++p) QVERIFY(form.Slots->PageControl2->TabVisible(p));
        form.Slots->DayPanels[0][0]->KostenEdit->setFocus();   // Ctrl+PageUp: the days' tabs, not the outer ones
        QTest::keyClick(form.Slots->DayPanels[0][0]->KostenEdit, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(form.Slots->PageControl2->ActivePageIndex(), 6);
        typeInto(form.Slots->DayPanels[6][0]->KostenEdit, QStringLiteral("9"));
        QTest::mouseClick(form.RadioGroup1->Item(1), Qt::LeftButton);   // ... then workdays / Sunday
        QCOMPARE(form.Slots->PageControl2->ActivePageIndex(), 0);
        QList<bool> tabs;
        for (int p = 0; p < 7; ++p) tabs << form.Slots->PageControl2->TabVisible(p);
        QCOMPARE(tabs, (QList<bool>{true, false, false, false, false, false, true}));
        typeInto(form.Slots->DayPanels[0][0]->KostenEdit, QStringLiteral("2,5"));
        typeInto(form.Slots->DayPanels[1][0]->KostenEdit, QStringLiteral("7"));   // Tuesday's page: not used
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);

        const TTarif &t = Tarife.at(0);
        QCOMPARE(t.Name.value(), QStringLiteral("Abends billig"));
        QCOMPARE(t.Nummer.value(), QStringLiteral("0191010"));
        QCOMPARE(t.Eintrag.value(), QStringLiteral("Anbieter"));
        for (int d = 1; d <= 6; ++d) QCOMPARE(t.Kosten[d][12], 2.5);
        QCOMPARE(t.Kosten[7][12], 9.0);
    }

    void deleteTariff_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        const QStringList abcd{"A", "B", "C", "D"};
        QTest::newRow("B: the last fills the gap") << 1 << int(MessageBox::Yes) << QStringList{"A", "D", "C"};
        QTest::newRow("the last") << 3 << int(MessageBox::Yes) << QStringList{"A", "B", "C"};
        QTest::newRow("answer No") << 1 << int(MessageBox::No) << abcd;
        QTest::newRow("nothing selected") << -1 << int(MessageBox::Yes) << abcd;
    }
    void deleteTariff()
    {
        QFETCH(int, row);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        Fixture f;
        for (const char *n : {"A", "B", "C", "D"}) Tarife.push_back(MakeTarif(QLatin1String(n), {}, {}, 1));
        SaveTarife();
        TTarifForm &form = f.show();
        QCOMPARE(form.TarifListe->count(), 4);
        if (row >= 0) form.TarifListe->item(row)->setSelected(true);
        MessageBox::SetNextAnswer(MessageBox::Button(answer));
        QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
        QCOMPARE(names(), left);
        QCOMPARE(StoredTarifNames(), left);
        QCOMPARE(MessageBox::History().size(), row >= 0 ? 1 : 0);
        QStringList listed;
        for (int i = 0; i < form.TarifListe->count(); ++i) listed << form.TarifListe->item(i)->text();
        QCOMPARE(listed, left);
    }

    void edit_okUnchangedKeepsTheBytes_abortKeeps_okReplacesInPlace()
    {
        Fixture f;
        // B: workdays and Sunday, two slots, an entry no longer in the dial-up networking.
        TTarif b = MakeTarif(QStringLiteral("B"), QStringLiteral("0999"), QStringLiteral("Weg"), 1.5, 20);
        for (int h = 18; h < 24; ++h) b.Kosten[7][size_t(h)] = 0.5;
        Tarife = {MakeTarif(QStringLiteral("A"), {}, {}, 1), b, MakeTarif(QStringLiteral("C"), {}, {}, 2)};
        SaveTarife();
        const QByteArray before = f.dir.read(QStringLiteral("TarifDaten.qtd"));
        TTarifForm &form = f.show();
        QVERIFY(!form.SpeedButton2->isEnabled());
        form.TarifListe->item(1)->setSelected(true);
        QVERIFY(form.SpeedButton2->isEnabled());
        QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
        QCOMPARE(form.PageControl1->ActivePage(), form.TNewTarif);
        QCOMPARE(form.PageControl1->Caption(1), QStringLiteral("Tarif bearbeiten"));
        QCOMPARE(form.EName->text(), QStringLiteral("B"));
        QCOMPARE(form.ENummer->currentText(), QStringLiteral("0999||Weg"));
        QCOMPARE(form.ELimit->text(), QStringLiteral("20,00"));
        QCOMPARE(form.RadioGroup1->ItemIndex(), 1);
        QCOMPARE(form.SpinEdit1->value(), 2);
        QCOMPARE(form.Slots->DayPanels[6][1]->Texts(), (TSlotTexts{"18", "23", "0,50", "1"}));
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(f.dir.read(QStringLiteral("TarifDaten.qtd")), before);
        QVERIFY(!form.PageControl1->TabVisible(1) && form.EditIndex() < 0);

        // A double click opens A; a changed price: Abort keeps it, OK replaces it in its place.
        for (QPushButton *button : {form.BitBtn2, form.BitBtn1}) {
            f.show();
            const QPoint first = form.TarifListe->visualItemRect(form.TarifListe->item(0)).center();
            QTest::mouseClick(form.TarifListe->viewport(), Qt::LeftButton, {}, first);   // a double click's first press
            QTest::mouseDClick(form.TarifListe->viewport(), Qt::LeftButton, {}, first);
            QCOMPARE(form.EName->text(), QStringLiteral("A"));
            typeInto(form.Slots->DayPanels[0][0]->KostenEdit, QStringLiteral("3,5"));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(StoredTarifNames(), (QStringList{"A", "B", "C"}));
        QVERIFY(Tarife[0].Kosten[3][12] == 3.5 && Tarife[0].Taktung[3][12] == 1.0);
        QCOMPARE(f.dir.read(QStringLiteral("TarifDaten.qtd")).mid(TarifSize), before.mid(TarifSize));
    }

    void deleteWhileEditing_theOpenTariffFollowsOrCloses_data()
    {
        QTest::addColumn<int>("edited");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("editAfter");   // -1: the page closed
        QTest::newRow("the open one") << 1 << 1 << -1;
        QTest::newRow("another: the last fills the gap") << 2 << 0 << 0;
        QTest::newRow("another, the open one stays") << 1 << 2 << 1;
    }
    void deleteWhileEditing_theOpenTariffFollowsOrCloses()
    {
        QFETCH(int, edited);
        QFETCH(int, deleted);
        QFETCH(int, editAfter);
        Fixture f;
        for (const char *n : {"A", "B", "C"}) Tarife.push_back(MakeTarif(QLatin1String(n), {}, {}, 1));
        const QString name = Tarife[size_t(edited)].Name;
        TTarifForm &form = f.show();
        form.TarifListe->item(edited)->setSelected(true);
        QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
        form.PageControl1->SetActivePage(form.TTarife);   // by the tab, as the user goes back to the list
        form.TarifListe->item(deleted)->setSelected(true);
        MessageBox::SetNextAnswer(MessageBox::Yes);
        QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
        QCOMPARE(form.EditIndex(), editAfter);
        QCOMPARE(form.PageControl1->TabVisible(1), editAfter >= 0);
        if (editAfter >= 0) QCOMPARE(Tarife[size_t(editAfter)].Name.value(), name);
    }

    void slots_followSpinFieldAndWindowHeight()
    {
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        setWeekdayHeight(form, 250);
        QCOMPARE(form.Slots->PageControl2->height(), 250);
        form.SpinEdit1->setValue(3);
        for (int p = 0; p < 7; ++p) {
            QCOMPARE(form.Slots->DayPanels[size_t(p)].size(), 3);
            QCOMPARE(slotPos(form, p, 1), QPoint(5, 105));
            QCOMPARE(slotPos(form, p, 2), QPoint(180, 5));
        }
        setWeekdayHeight(form, 299);
        QCOMPARE(slotPos(form, 3, 2), QPoint(180, 5));
        setWeekdayHeight(form, 300);
        QCOMPARE(form.Slots->PageControl2->height(), 300);
        QCOMPARE(slotPos(form, 3, 2), QPoint(5, 205));
    }

    void spinField_typedOutOfRange_keepsListsConsistent_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("afterLeaving");
        QTest::newRow("0") << "0" << 1;
        QTest::newRow("30") << "30" << 24;
        QTest::newRow("empty") << "" << 1;
    }
    void spinField_typedOutOfRange_keepsListsConsistent()
    {
        QFETCH(QString, typed);
        QFETCH(int, afterLeaving);
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        form.SpinEdit1->setValue(2);
        typeInto(form.Slots->DayPanels[0][0]->VonEdit, QStringLiteral("6"));
        form.SpinEdit1->setFocus();
        QLineEdit *line = form.SpinEdit1->findChild<QLineEdit *>();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        QTest::keyClicks(line, typed);
        // While typed, a value outside 1..24 is ignored ("30" passes through a valid 3 on its way).
        QCOMPARE(form.Slots->SlotsPerDay, typed == QLatin1String("30") ? 3 : 2);
        for (const auto &list : form.Slots->DayPanels) QCOMPARE(list.size(), form.Slots->SlotsPerDay);
        form.EName->setFocus();   // leaving the field brings it to the bound
        QCOMPARE(form.SpinEdit1->value(), afterLeaving);
        QCOMPARE(form.Slots->SlotsPerDay, afterLeaving);
        for (const auto &list : form.Slots->DayPanels) QCOMPARE(list.size(), afterLeaving);
        QCOMPARE(form.Slots->DayPanels[0][0]->VonEdit->text(), QStringLiteral("6"));   // kept what was typed
    }

    void amountThatIsNoNumber_showsTheErrorAndAddsNothing()
    {
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        typeInto(form.ELimit, QStringLiteral("zehn"));
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(Tarife.empty());
        QCOMPARE(f.shownTexts(), QStringList{QStringLiteral("'zehn' is not a valid floating point value.")});
        QVERIFY(!form.isVisible());
        // Shown again, the new-tariff page is still there with what was typed.
        f.show();
        QCOMPARE(form.PageControl1->ActivePage(), form.TNewTarif);
        QCOMPARE(form.ELimit->text(), QStringLiteral("zehn"));
    }

    // Enter presses the button that has the focus, Enter in a field the default button; the flat
    // list buttons show where the focus is.
    void keyboard_focusedButtonTakesTheKey_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("tariffs");
        QTest::newRow("Enter on Abort") << "BitBtn2" << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter in the name") << "EName" << int(Qt::Key_Return) << 1;
        QTest::newRow("Space on OK") << "BitBtn1" << int(Qt::Key_Space) << 1;
    }
    void keyboard_focusedButtonTakesTheKey()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, tariffs);
        Fixture f;
        TTarifForm &form = f.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QImage unfocused = form.SpeedButton1->grab().toImage();
        form.SpeedButton1->setFocus();
        QTRY_VERIFY(form.SpeedButton1->hasFocus());
        QVERIFY(form.SpeedButton1->grab().toImage() != unfocused);   // a frame shows the focus
        QTest::keyClick(form.SpeedButton1, Qt::Key_Return);          // a flat button takes Enter too
        QCOMPARE(form.PageControl1->ActivePage(), form.TNewTarif);
        auto *target = form.findChild<QWidget *>(focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(int(Tarife.size()), tariffs);
        QVERIFY(!form.isVisible());
    }

    void abort_storesNothingAndKeepsTheFields()
    {
        Fixture f;
        TTarifForm &form = f.show();
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        typeInto(form.EName, QStringLiteral("Entwurf"));
        typeInto(form.Slots->DayPanels[0][0]->KostenEdit, QStringLiteral("3"));
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        QCOMPARE(form.result(), TTarifForm::AbortResult);
        QVERIFY(Tarife.empty());
        f.show();
        QCOMPARE(form.PageControl1->ActivePage(), form.TTarife);
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);   // the panels start afresh, the fields stay
        QCOMPARE(form.EName->text(), QStringLiteral("Entwurf"));
        QCOMPARE(form.Slots->DayPanels[0][0]->KostenEdit->text(), QStringLiteral("0,00"));
    }
};

QTEST_MAIN(TestTarifForm)
#include "tst_gui_tarifform_de.moc"
