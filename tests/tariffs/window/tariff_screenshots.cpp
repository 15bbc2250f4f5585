// Writes the pictures of the tariff setup windows under docs/ (run by scripts/screenshots.sh under
// Xvfb): each wizard page, the tariff editor with a new tariff under model 2 and three slots per
// day, and the settings window, filled in as a user would fill them.
#include "core/Language.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/HourPanel.h"
#include "tariffs/window/RadioGroup.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "tariffs/window/TarifForm.h"
#include "tests/tariffs/window/TariffWindowFixture.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {
QString outDir;

void save(QWidget &w, const char *name)
{
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) qWarning("window not exposed");
    QTest::qWait(200);
    w.grab().save(outDir + QLatin1String(name) + QStringLiteral(".png"));
}

void slotTexts(THourPanel *p, const char *von, const char *bis, const char *kosten)
{
    p->VonEdit->setText(QLatin1String(von));
    p->BisEdit->setText(QLatin1String(bis));
    p->KostenEdit->setText(QString::fromUtf8(kosten));
    p->TaktungEdit->setText(QStringLiteral("60"));
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) + QLatin1Char('/') : QStringLiteral("docs/");
    TempProgramDir dir;
    FakeClock clock(EncodeDateTime(2026, 12, 9, 10, 0, 0));
    MessageBox::SetTestMode(true);
    StoreSettings(100);
    SetupNullTarif();
    const TConnectionSource connections = [] {
        return TConnectionLists{{QStringLiteral("0191011"), QStringLiteral("01920793")},
                                {QStringLiteral("T-Online"), QStringLiteral("Arcor")}};
    };

    {
        TAssistentForm w(nullptr, connections);   // not the first start: shown here page by page
        w.StaticText1->setText(A_General);
        w.SBundesland->setCurrentIndex(1);
        save(w, "wizard-1-general");
        w.SBNextClick();
        w.ETarifName->setText(QStringLiteral("Abendtarif"));
        w.ELimit->setText(QStringLiteral("40,00"));
        save(w, "wizard-2-tarif");
        w.SBNextClick();
        w.TarifBox->setCurrentIndex(0);
        save(w, "wizard-3-connection");
        w.SBNextClick();
        w.TarifmodellGroup->SetItemIndex(1);
        w.EMaxTimes->setValue(2);
        save(w, "wizard-4-model");
        w.SBNextClick();
        slotTexts(w.Slots->DayPanels[0][0], "8", "17", "2,9");
        slotTexts(w.Slots->DayPanels[0][1], "18", "23", "1,2");
        save(w, "wizard-5-slots");
        w.SBNextClick();
        save(w, "wizard-6-finished");
    }
    {
        TTarifForm form(nullptr, connections);
        Tarife.push_back(
            MakeTarif(QStringLiteral("Abendtarif"), QStringLiteral("0191011"), QStringLiteral("T-Online"), 1));
        form.show();
        form.SpeedButton1Click();
        form.EName->setText(QStringLiteral("Wochenende"));
        form.ENummer->setCurrentIndex(1);
        form.RadioGroup1->SetItemIndex(2);
        form.SpinEdit1->setValue(3);
        slotTexts(form.Slots->DayPanels[0][0], "0", "7", "1,5");
        slotTexts(form.Slots->DayPanels[0][1], "8", "17", "3,9");
        slotTexts(form.Slots->DayPanels[0][2], "18", "23", "2,1");
        save(form, "tariff-editor");
        // The stored tariff opened again: workdays and Sunday, its night hours cheaper.
        form.BitBtn2Click();
        TTarif &t = Tarife[0];
        for (int h = 0; h < 24; ++h) t.Kosten[7][size_t(h)] = 0.9;
        for (int d = 1; d <= 6; ++d)
            for (int h = 0; h < 8; ++h) t.Kosten[d][size_t(h)] = 0.6;
        form.TarifListe->item(0)->setSelected(true);
        form.SpeedButton2Click();
        save(form, "tariff-edit");
    }
    {
        TSettingForm settings;
        settings.AutostartOn = [] { return true; };   // as the program shows it when it starts with the session
        settings.SetAutostart = [](bool) {};
        save(settings, "settings");
    }
    return 0;
}
