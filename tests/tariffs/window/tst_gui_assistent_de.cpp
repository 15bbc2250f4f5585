// The setup wizard: the first start from an empty folder with the keyboard alone (in the wizard's
// own modal loop), the checks of each step, and the slots it builds.
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/HourPanel.h"
#include "tariffs/window/RadioGroup.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "tests/tariffs/window/TariffWindowFixture.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// Tab from the button round the page back to it: the controls in the order Tab reaches them.
QStringList tabRound(TAssistentForm &w)
{
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *at = QApplication::focusWidget();
        if (at == w.SBNext) return names;
        names << at->objectName();
    }
    return names << QStringLiteral("(never back at SBNext)");
}

void typeKeys(const QString &text)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void key(Qt::Key k, int times = 1)
{
    for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), k);
}
}

class TestAssistent : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStart_withTheKeyboardAlone()
    {
        TempProgramDir dir;   // an empty folder: the first start
        FakeClock clock(EncodeDateTime(2026, 12, 9, 10, 0, 0));
        MessageBox::SetTestMode(true);
        Tarife.clear();
        LoadSettings();   // as the main window's start-up does
        QCOMPARE(int(ErsterStart), 1);
        const TConnectionSource connections = [] {
            return TConnectionLists{{QStringLiteral("0191010")}, {QStringLiteral("Anbieter")}};
        };

        QStringList headers, buttons, rounds;
        QTimer::singleShot(0, [&] {
            auto *w = AssistentForm;
            QVERIFY(w && w->isModal());
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            auto step = [&](auto enter) {
                headers << w->StaticText1->text();
                buttons << w->SBNext->text();
                w->SBNext->setFocus();
                rounds << tabRound(*w).join(QLatin1Char(','));
                enter();
                QTRY_COMPARE(QApplication::focusWidget(), w->SBNext);
                key(Qt::Key_Return);
            };
            step([&] {
                key(Qt::Key_Tab);       // the state list
                key(Qt::Key_Down, 2);   // "Bayern"
                key(Qt::Key_Tab);
                typeKeys(QStringLiteral("150,5"));
                key(Qt::Key_Tab);
            });
            step([&] {
                key(Qt::Key_Tab);
                typeKeys(QStringLiteral("Nacht"));
                key(Qt::Key_Tab, 3);
            });
            step([&] { key(Qt::Key_Tab), key(Qt::Key_Down), key(Qt::Key_Tab); });
            step([&] {
                key(Qt::Key_Tab);
                key(Qt::Key_Down);   // workdays and Sundays
                key(Qt::Key_Tab);
                typeKeys(QStringLiteral("2"));
                key(Qt::Key_Tab);
            });
            step([&] {
                QCOMPARE(w->Slots->DayPanels[0][1]->pos(), QPoint(5, 105));
                w->Slots->DayPanels[0][0]->KostenEdit->setFocus();
                typeKeys(QStringLiteral("2,5"));
                w->SBNext->setFocus();
            });
            headers << w->StaticText1->text();
            buttons << w->SBNext->text();
            key(Qt::Key_Space);
        });
        TAssistentForm wizard(nullptr, connections);   // shows itself and returns when finished
        QVERIFY(!wizard.isVisible());

        QCOMPARE(headers, (QStringList{A_General, A_Tarife, A_Tarife, A_Tarife, A_Tarife, A_Finished}));
        QCOMPARE(buttons, (QStringList{B_Next, B_Next, B_Next, B_Next, B_Next, B_Finish}));
        QCOMPARE(rounds.at(0), QStringLiteral("SBundesland,EGesamtlimit"));
        QCOMPARE(rounds.at(1), QStringLiteral("ETarifName,EFreibetrag,ELimit"));
        QCOMPARE(rounds.at(2), QStringLiteral("TarifBox"));
        QCOMPARE(rounds.at(3), QStringLiteral("Item0,EMaxTimes"));

        QCOMPARE(StoredTarifNames(), QStringList{QStringLiteral("Nacht")});   // on disk at once
        QCOMPARE(Tarife.size(), size_t(1));
        const TTarif &t = Tarife[0];
        QCOMPARE(t.Name.value(), QStringLiteral("Nacht"));
        QCOMPARE(t.Nummer.value(), QStringLiteral("0191010"));
        QCOMPARE(t.Eintrag.value(), QStringLiteral("Anbieter"));
        // The second Montag panel still holds its initial texts and comes last: 0 at increment 1.
        QCOMPARE(t.Kosten[6][10], 0.0);
        QCOMPARE(t.Taktung[6][10], 1.0);
        const TSettingsWerte stored = ParseSettings(dir.read(QStringLiteral("Settings.dat")).constData());
        QCOMPARE(int(stored.ErsterStart), 0);
        QCOMPARE(int(stored.Bundesland), 1);
        QCOMPARE(stored.GesamtLimit, 150.5);

        // The second start shows no wizard.
        LoadSettings();
        QCOMPARE(int(ErsterStart), 0);
        TAssistentForm again;
        QVERIFY(!again.isVisible());
        MessageBox::SetTestMode(false);
        Tarife.clear();
    }

    void checks_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("gesamtLimit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("freibetrag");
        QTest::addColumn<int>("page");   // where two clicks leave the wizard
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("focus");   // the wrong field, where the focus goes
        const int general = TAssistentForm::PageGeneral, tarif1 = TAssistentForm::PageTarif1,
                  tarif2 = TAssistentForm::PageTarif2;
        QTest::newRow("no state") << -1 << "100,00"
                                  << "T"
                                  << "0,00" << general << 2 << "SBundesland";
        QTest::newRow("limit with a point") << 1 << "150.50"
                                            << "T"
                                            << "0,00" << general << 2 << "EGesamtlimit";
        QTest::newRow("limit of commas, no number") << 1 << ",,"
                                                    << "T"
                                                    << "0,00" << general << 2 << "EGesamtlimit";
        QTest::newRow("no name") << 1 << "150,50"
                                 << ""
                                 << "0,00" << tarif1 << 1 << "ETarifName";
        QTest::newRow("free allowance with a point") << 1 << "150,50"
                                                     << "T"
                                                     << "1.5" << tarif1 << 1 << "EFreibetrag";
        QTest::newRow("free allowance of commas") << 1 << "150,50"
                                                  << "T"
                                                  << ",," << tarif1 << 1 << "EFreibetrag";
        QTest::newRow("all filled in") << 1 << "150,50"
                                       << "T"
                                       << "0,00" << tarif2 << 0 << "";
    }
    void checks()
    {
        QFETCH(int, state);
        QFETCH(QString, gesamtLimit);
        QFETCH(QString, name);
        QFETCH(QString, freibetrag);
        QFETCH(int, page);
        QFETCH(int, messages);
        QFETCH(QString, focus);
        TariffWindowFixture<TAssistentForm> f;
        TAssistentForm &w = f.show();
        w.SBundesland->setCurrentIndex(state);
        w.EGesamtlimit->setText(gesamtLimit);
        w.ETarifName->setText(name);
        w.EFreibetrag->setText(freibetrag);
        QTest::mouseClick(w.SBNext, Qt::LeftButton);
        QTest::mouseClick(w.SBNext, Qt::LeftButton);
        QCOMPARE(w.PageControl1->ActivePageIndex(), page);
        QCOMPARE(f.shownTexts(), QStringList(messages, W_FillAllFields));
        QVERIFY(f.reports.reports.isEmpty());   // a wrong entry is never offered as an error report
        if (!focus.isEmpty()) QCOMPARE(w.focusWidget()->objectName(), focus);
        if (page != TAssistentForm::PageGeneral) QCOMPARE(GesamtLimit, 150.5);
    }

    // Escape and the close button leave the wizard once the user confirms: the first start stays due.
    void leaving_asksAndKeepsTheFirstStartDue_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Escape, Yes") << true << true;
        QTest::newRow("Escape, No") << true << false;
        QTest::newRow("close button, Yes") << false << true;
    }
    void leaving_asksAndKeepsTheFirstStartDue()
    {
        QFETCH(bool, byEscape);
        QFETCH(bool, confirmed);
        TariffWindowFixture<TAssistentForm> f;
        TAssistentForm &w = f.show();
        ErsterStart = 0;   // as the wizard's creation on a first start leaves it
        MessageBox::SetNextAnswer(confirmed ? MessageBox::Yes : MessageBox::No);
        byEscape ? QTest::keyClick(&w, Qt::Key_Escape) : void(w.close());
        QCOMPARE(f.shownTexts(), QStringList{W_ReallyClose});
        QCOMPARE(w.Left(), confirmed);
        QCOMPARE(w.isVisible(), !confirmed);
        QCOMPARE(int(ErsterStart), confirmed ? 1 : 0);
    }

    // The slot count is read as typed, whether the field was left by Tab, by the click on the
    // button or not at all: nothing corrects it to a bound first.
    void slotCount_readAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("tabAway");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("30, clicked") << "30" << false << false;
        QTest::newRow("30, left by Tab") << "30" << true << false;
        QTest::newRow("0") << "0" << false << false;
        QTest::newRow("24") << "24" << true << true;
    }
    void slotCount_readAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(bool, tabAway);
        QFETCH(bool, movesOn);
        TariffWindowFixture<TAssistentForm> f;
        TAssistentForm &w = f.show();
        w.SBundesland->setCurrentIndex(0);
        w.ETarifName->setText(QStringLiteral("T"));
        for (int i = 0; i < 3; ++i) QTest::mouseClick(w.SBNext, Qt::LeftButton);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.EMaxTimes->setFocus();
        w.EMaxTimes->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (tabAway) key(Qt::Key_Tab);
        QTest::mouseClick(w.SBNext, Qt::LeftButton);
        QCOMPARE(w.EMaxTimes->text(), typed);
        QCOMPARE(w.PageControl1->ActivePageIndex(),
                 int(movesOn ? TAssistentForm::PageTarif4 : TAssistentForm::PageTarif3));
        QCOMPARE(f.shownTexts(), movesOn ? QStringList() : QStringList{W_FillAllFields});
    }

    void slotPanels_data()
    {
        QTest::addColumn<int>("slots");
        QTest::addColumn<int>("model");
        QTest::addColumn<QList<bool>>("tabs");
        QTest::addColumn<QList<QPoint>>("positions");   // of the first panels of a page
        QTest::newRow("model 1, two slots")
            << 2 << 1 << QList<bool>{true, false, false, false, false, false, true} << QList<QPoint>{{5, 5}, {5, 105}};
        QTest::newRow("24 slots: three rows, eight columns")
            << 24 << 2 << QList<bool>(7, true)
            << QList<QPoint>{{5, 5},     {5, 105},   {5, 205}, {180, 5},   {180, 105}, {180, 205}, {355, 5},
                             {355, 105}, {355, 205}, {530, 5}, {530, 105}, {530, 205}, {705, 5}};
    }
    void slotPanels()
    {
        QFETCH(int, slots);
        QFETCH(int, model);
        QFETCH(QList<bool>, tabs);
        QFETCH(QList<QPoint>, positions);
        TariffWindowFixture<TAssistentForm> f{QStringList()};   // no dial-up entry at all
        TAssistentForm &w = f.show();
        w.SBundesland->setCurrentIndex(0);
        w.ETarifName->setText(QStringLiteral("T"));
        for (int i = 0; i < 3; ++i) QTest::mouseClick(w.SBNext, Qt::LeftButton);   // on to the model
        QCOMPARE(w.TarifBox->count(), 0);
        w.TarifmodellGroup->SetItemIndex(model);
        w.EMaxTimes->setValue(slots);
        QTest::mouseClick(w.SBNext, Qt::LeftButton);
        QCOMPARE(w.PageControl1->ActivePageIndex(), int(TAssistentForm::PageTarif4));
        QCOMPARE(w.Slots->PageControl2->height(), 331);
        QList<bool> shown;
        for (int p = 0; p < 7; ++p) shown << w.Slots->PageControl2->TabVisible(p);
        QCOMPARE(shown, tabs);
        for (int i = 0; i < positions.size(); ++i) QCOMPARE(w.Slots->DayPanels[6][i]->pos(), positions[i]);
        QCOMPARE(w.Slots->DayPanels[6].size(), slots);

        QTest::mouseClick(w.SBNext, Qt::LeftButton);
        QTest::mouseClick(w.SBNext, Qt::LeftButton);   // finished without a connection
        QCOMPARE(Tarife.size(), size_t(1));
        QVERIFY(Tarife[0].Nummer.value().isEmpty() && Tarife[0].Eintrag.value().isEmpty());
    }
};

QTEST_MAIN(TestAssistent)
#include "tst_gui_assistent_de.moc"
