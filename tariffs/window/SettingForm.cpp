#include "tariffs/window/SettingForm.h"

#include "core/Convert.h"
#include "core/ErrorReport.h"
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "tariffs/TariffInput.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

TSettingForm *SettingForm = nullptr;

void FillStateList(QComboBox *combo)
{
    for (const char *state : Bundeslaender) combo->addItem(QString::fromUtf8(state));
    combo->setCurrentIndex(-1);
}

TSettingForm::TSettingForm(QWidget *parent) : QDialog(parent), m_instance(SettingForm, this)
{
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFont(WindowFont());
    setGeometry(396, 251, 234, 147);

    LBundesland = MakeLabel(this, "LBundesland", 5, 10, QStringLiteral("Bundesland:"));
    SBundesland = MakeList(this, "SBundesland", 75, 5, 145);
    FillStateList(SBundesland);
    LGesamtLimit = MakeLabel(this, "LGesamtLimit", 5, 35, QStringLiteral("GesamtLimit:"));
    EGesamtLimit = MakeEdit(this, "EGesamtLimit", 75, 30, 66, 21, LocalAmount(QStringLiteral("100,00")));
    LGesamtLimit2 = MakeLabel(this, "LGesamtLimit2", 145, 35, QStringLiteral("€"));

    CBAutostart = Place(new QCheckBox(QStringLiteral("Beim Anmelden starten"), this), "CBAutostart", 5, 60, 215, 17);
    CBAutostart->setEnabled(false);

    BitBtn2 = MakeButton(this, "BitBtn2", 55, 85, 80, 25, MessageBox::StandardCaption(MessageBox::Cancel));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn1 = MakeButton(this, "BitBtn1", 140, 85, 80, 25, MessageBox::StandardCaption(MessageBox::Ok));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);   // Enter
    setTabOrder(EGesamtLimit, CBAutostart);
    setTabOrder(CBAutostart, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Guarded([this] { BitBtn1Click(); });
        done(Accepted);   // closes whatever the handler did
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
    // What is stored, so that OK never replaces a value the user did not touch.
    OnShow(this, [this] {
        SBundesland->setCurrentIndex(Bundesland < 16 ? Bundesland : -1);
        EGesamtLimit->setText(AmountText(GesamtLimit));
        CBAutostart->setEnabled(AutostartOn && SetAutostart);
        CBAutostart->setChecked(AutostartOn && AutostartOn());   // the entry may have gone meanwhile
    });
}

void TSettingForm::BitBtn1Click()
{
    if (SBundesland->currentIndex() < 0 || !IsAmountText(EGesamtLimit->text())) {
        ReportError(W_FillAllFields);
        return;
    }
    GesamtLimit = StrToFloat(EGesamtLimit->text());
    Bundesland = std::uint8_t(SBundesland->currentIndex());
    SaveSettings();
    if (SetAutostart) SetAutostart(CBAutostart->isChecked());   // also renews the path of a moved program
}

void TSettingForm::BitBtn2Click() {}

// Cancel, Escape and the title bar's close: nothing is stored.
void TSettingForm::reject()
{
    BitBtn2Click();
    QDialog::reject();
}
