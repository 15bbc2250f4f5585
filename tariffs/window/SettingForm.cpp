#include "tariffs/window/SettingForm.h"

#include "core/Convert.h"
#include "core/Language.h"
#include "core/LanguageFiles.h"
#include "core/SettingsStore.h"
#include "tariffs/TariffInput.h"
#include "ui/AccessibleName.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

TSettingForm *SettingForm = nullptr;

void FillStateList(QComboBox *combo)
{
    for (const char *state : Bundeslaender) combo->addItem(QCoreApplication::translate("Bundeslaender", state));
    combo->setCurrentIndex(-1);
}

void ShowWrongField(QWidget *field)
{
    MessageBox::ShowMessage(W_FillAllFields);
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field)) edit->selectAll();
}

namespace {
bool isAmount(const QString &text)
{
    double value = 0;
    return IsAmountText(text) && TryStrToFloat(text, value);
}
}

TSettingForm::TSettingForm(QWidget *parent) : QDialog(parent), m_instance(SettingForm, this)
{
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(tr("Einstellungen"));
    setFont(WindowFont());
    setGeometry(396, 251, 234, 197);

    LBundesland = MakeLabel(this, "LBundesland", 5, 10, tr("Bundesland:"));
    SBundesland = MakeList(this, "SBundesland", 75, 5, 145);
    FillStateList(SBundesland);
    NameField(LBundesland, SBundesland);
    LGesamtLimit = MakeLabel(this, "LGesamtLimit", 5, 35, tr("GesamtLimit:"));
    EGesamtLimit = MakeEdit(this, "EGesamtLimit", 75, 30, 66, 21, LocalAmount(QStringLiteral("100,00")));
    NameField(LGesamtLimit, EGesamtLimit);
    LGesamtLimit2 = MakeLabel(this, "LGesamtLimit2", 145, 35, QStringLiteral("€"));
    m_runningLanguage = Sprache.value();   // the window is made after the language has been read
    LSprache = MakeLabel(this, "LSprache", 5, 60, tr("Sprache:"));
    SSprache = MakeList(this, "SSprache", 75, 55, 145);
    NameField(LSprache, SSprache);
    LSpracheHinweis =
        Place(new QLabel(tr("Die neue Sprache gilt ab dem nächsten Start."), this), "LSpracheHinweis", 5, 78, 224, 30);
    LSpracheHinweis->setWordWrap(true);   // the translations are longer
    LSpracheHinweis->hide();
    connect(SSprache, &QComboBox::currentIndexChanged, this, [this] {
        LSpracheHinweis->setVisible(SSprache->currentIndex() >= 0
                                    && SSprache->currentData().toString() != m_runningLanguage);
    });

    CBAutostart = Place(new QCheckBox(QStringLiteral("Beim Anmelden starten"), this), "CBAutostart", 5, 112, 215, 17);
    CBAutostart->setEnabled(false);

    BitBtn2 = MakeButton(this, "BitBtn2", 55, 137, 80, 25, MessageBox::StandardCaption(MessageBox::Cancel));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn1 = MakeButton(this, "BitBtn1", 140, 137, 80, 25, MessageBox::StandardCaption(MessageBox::Ok));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);   // Enter
    setTabOrder(EGesamtLimit, SSprache);
    setTabOrder(SSprache, CBAutostart);
    setTabOrder(CBAutostart, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        bool stored = true;
        Guarded([this, &stored] { stored = BitBtn1Click(); });
        if (stored) done(Accepted);   // a wrong entry stays open to be mended
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
    // What is stored, so that OK never replaces a value the user did not touch.
    OnShow(this, [this] {
        SBundesland->setCurrentIndex(Bundesland < 16 ? Bundesland : -1);
        EGesamtLimit->setText(AmountText(GesamtLimit));
        CBAutostart->setEnabled(AutostartOn && SetAutostart);
        CBAutostart->setChecked(AutostartOn && AutostartOn());   // the entry may have gone meanwhile
        fillLanguageList();
    });
}

void TSettingForm::fillLanguageList()
{
    SSprache->clear();
    bool current = false, german = false;
    for (const TLanguageFile &file : AvailableLanguages()) {
        SSprache->addItem(file.name, file.baseName);
        current = current || file.baseName == Sprache.value();
        german = german || file.baseName == QLatin1String("german");
    }
    // The built-in texts need no file: German is always there, and so is the language in use.
    if (!german) SSprache->addItem(QStringLiteral("Deutsch"), QStringLiteral("german"));
    if (!current && Sprache.value() != QLatin1String("german") && !Sprache.value().isEmpty())
        SSprache->addItem(Sprache.value(), Sprache.value());
    SSprache->setCurrentIndex(SSprache->findData(Sprache.value()));
}

bool TSettingForm::BitBtn1Click()
{
    QWidget *wrong = nullptr;
    if (SBundesland->currentIndex() < 0)
        wrong = SBundesland;
    else if (!isAmount(EGesamtLimit->text()))
        wrong = EGesamtLimit;
    if (wrong) {
        ShowWrongField(wrong);
        return false;
    }
    GesamtLimit = StrToFloat(EGesamtLimit->text());
    Bundesland = std::uint8_t(SBundesland->currentIndex());
    if (SSprache->currentIndex() >= 0) Sprache = SSprache->currentData().toString();
    SaveSettings();
    if (SetAutostart) SetAutostart(CBAutostart->isChecked());   // also renews the path of a moved program
    return true;
}

void TSettingForm::BitBtn2Click() {}

// Cancel, Escape and the title bar's close: nothing is stored.
void TSettingForm::reject()
{
    BitBtn2Click();
    QDialog::reject();
}
