#include "tariffs/window/AssistentForm.h"

#include "core/Convert.h"
#include "core/ErrorReport.h"
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tariffs/window/HourPanel.h"
#include "tariffs/window/RadioGroup.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "ui/AccessibleName.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAssistentForm *AssistentForm = nullptr;

namespace {
bool isAmount(const QString &text)
{
    double v = 0;
    return IsAmountText(text) && TryStrToFloat(text, v);
}
}

TAssistentForm::TAssistentForm(QWidget *parent, TConnectionSource connections)
    : QDialog(parent), m_connections(std::move(connections)), m_instance(AssistentForm, this)
{
    if (!AssistentForm) AssistentForm = this;
    setObjectName(QStringLiteral("AssistentForm"));
    setWindowTitle(tr("Einstellungs-Assistent"));
    // A close button but no minimize or maximize button: closing leaves the wizard (reject).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont());
    move(260, 140);
    setFixedSize(632, 446);

    StaticText1 = Place(new QLabel(tr("Willkommen bei Minutrix 2"), this), "StaticText1", 5, 5, 621, 66);
    StaticText1->setFrameStyle(QFrame::Box | QFrame::Plain);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText1->setWordWrap(true);
    StaticText1->setMargin(2);

    PageControl1 = Place(new TPageControl(this), "PageControl1", 5, 75, 621, 341);
    PageControl1->SetFlat(true);
    const char *const names[6] = {"TGeneral", "TTarif1", "TFinished", "TTarif2", "TTarif3", "TTarif4"};
    const char *const captions[6] = {"Allgemein", "Tarif", "Fertig", "TTarif2", "TTarif3", "TTarif4"};
    QWidget **pages[6] = {&TGeneral, &TTarif1, &TFinished, &TTarif2, &TTarif3, &TTarif4};
    for (int i = 0; i < 6; ++i) {
        *pages[i] = PageControl1->AddPage(QLatin1String(names[i]), QLatin1String(captions[i]));
        PageControl1->SetTabVisible(i, false);
    }
    createGeneralPages();
    createTarifPages();

    // Made last, so that Tab reaches it after the controls of each page.
    SBNext = MakeFlatButton(this, "SBNext", 555, 420, 71, 22, tr("Weiter"));
    SBNext->setDefault(true);
    connect(SBNext, &QPushButton::clicked, this, [this] { Guarded([this] { SBNextClick(); }); });

    OnShow(this, [this] { FormShow(); });
    FormCreate();   // on the first start it shows the wizard
}

TAssistentForm::~TAssistentForm() { FormDestroy(); }

void TAssistentForm::createGeneralPages()
{
    LBundesland = MakeLabel(TGeneral, "LBundesland", 0, 10, tr("Bundesland:"));
    SBundesland = MakeList(TGeneral, "SBundesland", 115, 5, 145);
    FillStateList(SBundesland);
    SBundesland->setToolTip(tr("In welchem Bundesland leben Sie?"));
    LGesamtLimit = MakeLabel(TGeneral, "LGesamtLimit", 0, 35, tr("Gesamtlimit pro Monat:"));
    EGesamtlimit = MakeEdit(TGeneral, "EGesamtlimit", 115, 30, 56, 19, LocalAmount(QStringLiteral("100,00")));
    EGesamtlimit->setToolTip(tr("Bei welchem Betrag soll das Programm warnen?"));
    LGesamtLimit2 = MakeLabel(TGeneral, "LGesamtLimit2", 175, 35, QStringLiteral("€"));

    LTarifName = MakeLabel(TTarif1, "LTarifName", 5, 5, tr("Geben Sie bitte einen Namen für den Tarif ein:"));
    ETarifName = MakeEdit(TTarif1, "ETarifName", 5, 20, 166, 19, QString());
    ETarifName->setMaxLength(50);
    LFreibetrag = MakeLabel(TTarif1, "LFreibetrag", 5, 50, tr("Geben Sie den monatlichen Freibetrag ein:"));
    EFreibetrag = MakeEdit(TTarif1, "EFreibetrag", 5, 65, 41, 19, LocalAmount(QStringLiteral("0,00")));
    Label1 = MakeLabel(TTarif1, "Label1", 47, 65, tr("€uro"));
    LLimit = MakeLabel(TTarif1, "LLimit", 5, 95, tr("Geben Sie auch noch ein monatliches Kostenlimit an:"));
    ELimit = MakeEdit(TTarif1, "ELimit", 5, 110, 41, 19, LocalAmount(QStringLiteral("0,00")));
    Label3 = MakeLabel(TTarif1, "Label3", 47, 110, tr("€uro"));
    NameField(LBundesland, SBundesland);
    NameField(LGesamtLimit, EGesamtlimit);
    NameField(LTarifName, ETarifName);
    NameField(LFreibetrag, EFreibetrag);
    NameField(LLimit, ELimit);
}

void TAssistentForm::createTarifPages()
{
    LTarifNumber = MakeLabel(TTarif2, "LTarifNumber", 5, 5,
                             tr("Wählen Sie nun bitte die DFÜ-Verbindung, für die dieser Tarif gelten soll:"));
    TarifBox = MakeList(TTarif2, "TarifBox", 5, 25, 166);
    NameField(LTarifNumber, TarifBox);

    TarifmodellGroup = new TRadioGroup(
        tr("Welches Tarifmodell gilt für diesen Tarif?"),
        {tr("Alle Tage gleich"), tr("Werk- und Sonntags unterschiedlich"), tr("Jeden Tag unterschiedlich")}, TTarif3);
    Place(TarifmodellGroup, "TarifmodellGroup", 0, 0, 371, 81);
    TarifmodellGroup->SetItemIndex(0);
    LMaxTimes =
        MakeLabel(TTarif3, "LMaxTimes", 0, 90, tr("Wie viele unterschiedliche Zeiten gibt es pro Tag maximal?"));
    EMaxTimes = Place(new TSpinEdit(1, 24, TTarif3), "EMaxTimes", 0, 105, 46, 22);
    NameField(LMaxTimes, EMaxTimes);
    EMaxTimes->setValue(1);
    EMaxTimes->SetKeepsTypedText(true);   // step 4 checks the number as typed
    if (QLineEdit *line = EMaxTimes->findChild<QLineEdit *>()) line->setMaxLength(2);

    Slots = std::make_unique<TSlotPages>(TTarif4);
    Slots->PageControl2->setGeometry(0, 0, 613, 331);
}

void TAssistentForm::FormCreate()
{
    if (ErsterStart == 0) return;
    ErsterStart = 0;   // reaches the file with the next save of the settings
    SBNext->setText(B_Next);
    PageControl1->SetActivePage(PageGeneral);
    StaticText1->setText(A_General);
    // While the program ends (logout, kill) no wizard holds it up.
    if (!MessageBox::ProgramEnding()) exec();
}

void TAssistentForm::FormShow() { FillConnectionList(TarifBox, m_connections); }

void TAssistentForm::go(int page, const QString &header, const QString &button)
{
    StaticText1->setText(header);
    PageControl1->SetActivePage(page);
    SBNext->setText(button);
}

void TAssistentForm::SBNextClick()
{
    switch (PageControl1->ActivePageIndex()) {
    case PageGeneral:
        if (SBundesland->currentIndex() < 0) return ShowWrongField(SBundesland);
        if (!isAmount(EGesamtlimit->text())) return ShowWrongField(EGesamtlimit);
        GesamtLimit = StrToFloat(EGesamtlimit->text());
        Bundesland = std::uint8_t(SBundesland->currentIndex());
        return go(PageTarif1, A_Tarife, SBNext->text());
    case PageTarif1:
        // The amounts are checked here too: the last step has no way back to correct them.
        if (ETarifName->text().isEmpty()) return ShowWrongField(ETarifName);
        if (!isAmount(EFreibetrag->text())) return ShowWrongField(EFreibetrag);
        if (!isAmount(ELimit->text())) return ShowWrongField(ELimit);
        // Listed again now: NetworkManager's connections arrive after the wizard has opened.
        FillConnectionList(TarifBox, m_connections);
        return go(PageTarif2, A_Tarife, B_Next);
    case PageTarif2:
        // A connection is not required: without any dial-up entry the wizard must still end.
        return go(PageTarif3, A_Tarife, B_Next);
    case PageTarif3: {
        int slots = 1;
        if (!TryStrToInt(EMaxTimes->text(), slots)) slots = 1;
        if (TarifmodellGroup->ItemIndex() < 0) return ShowWrongField(TarifmodellGroup);
        if (slots < 1 || slots > 24) return ShowWrongField(EMaxTimes);
        Slots->RebuildSlots(slots);
        Slots->ArrangeSlots();
        Slots->ShowModelPages(TarifmodellGroup->ItemIndex());
        if (!Slots->DayPanels[6].isEmpty()) setTabOrder(Slots->DayPanels[6].last()->TaktungEdit, SBNext);
        return go(PageTarif4, A_Tarife, B_Next);
    }
    case PageTarif4: return go(PageFinished, A_Finished, B_Finish);
    case PageFinished:
        AppendTariff(ETarifName->text(), TarifBox->currentText(), EFreibetrag->text(), ELimit->text(),
                     TarifmodellGroup->ItemIndex(), Slots->Texts());
        SaveTarife();   // the first tariff must survive a crash before the program's end
        // The tariff is in; a settings file that cannot be written is shown, and the wizard ends
        // all the same (another click would only add the tariff again).
        Guarded([] { SaveSettings(); });
        accept();
        return;
    }
}

void TAssistentForm::FormDestroy()
{
    try {
        Slots->FreePanels();
    } catch (...) {
        ReportError(QStringLiteral("Fehler bei TAssistentForm.FormDestroy"));
    }
}

// Escape and the close button. Leaving ends the program (W_ReallyClose asks, as the main window's
// close does); the first start is still due, so a save on the way out (logout, kill) keeps it so.
void TAssistentForm::reject()
{
    if (!MessageBox::ProgramEnding()
        && MessageBox::Show(QStringLiteral("Confirm"), W_ReallyClose, MessageBox::Question,
                            {MessageBox::Yes, MessageBox::No})
               != MessageBox::Yes)
        return;
    ErsterStart = 1;
    m_left = true;
    QDialog::reject();
}
