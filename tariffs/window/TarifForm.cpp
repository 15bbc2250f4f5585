#include "tariffs/window/TarifForm.h"

#include "core/ErrorReport.h"
#include "core/TarifStore.h"
#include "tariffs/window/RadioGroup.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "ui/AccessibleName.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

TTarifForm *TarifForm = nullptr;

TTarifForm::TTarifForm(QWidget *parent, TConnectionSource connections)
    : QDialog(parent), m_connections(std::move(connections)), m_instance(TarifForm, this)
{
    setObjectName(QStringLiteral("TarifForm"));
    setWindowTitle(tr("Tarife"));
    setFont(WindowFont());
    setGeometry(200, 116, 715, 480);

    PageControl1 = new TPageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TTarife = PageControl1->AddPage(QStringLiteral("TTarife"), tr("Tarife"));
    TNewTarif = PageControl1->AddPage(QStringLiteral("TNewTarif"), tr("Neuer Tarif"));
    PageControl1->SetTabVisible(1, false);
    createListPage();
    createNewTarifPage();
    FormCreate();
    OnShow(this, [this] { FormShow(); });
}

TTarifForm::~TTarifForm() { FormDestroy(); }

void TTarifForm::createListPage()
{
    TarifListe = Place(new QListWidget(TTarife), "TarifListe", 0, 5, 286, 411);
    NameField(TarifListe, tr("Tarife"));
    SpeedButton1 = MakeFlatButton(TTarife, "SpeedButton1", 300, 5, 130, 30, tr("Tarif hinzufügen"));
    SpeedButton2 = MakeFlatButton(TTarife, "SpeedButton2", 300, 40, 130, 30, tr("Tarif bearbeiten"));
    SpeedButton3 = MakeFlatButton(TTarife, "SpeedButton3", 300, 75, 130, 30, tr("Tarif löschen"));
    SpeedButton4 = MakeFlatButton(TTarife, "SpeedButton4", 300, 110, 130, 30, tr("Fenster schließen"));
    SpeedButton2->setEnabled(false);   // while no tariff is selected
    connect(TarifListe, &QListWidget::itemSelectionChanged, this,
            [this] { SpeedButton2->setEnabled(!TarifListe->selectedItems().isEmpty()); });
    connect(TarifListe, &QListWidget::itemDoubleClicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { Guarded([this] { SpeedButton3Click(); }); });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { SpeedButton4Click(); });
}

void TTarifForm::createNewTarifPage()
{
    TNewTarif->installEventFilter(this);
    Panel1 = new QFrame(TNewTarif);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new QFrame(TNewTarif);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    for (QFrame *p : {Panel1, Panel2}) p->setFrameStyle(QFrame::Panel | QFrame::Raised);

    LName = MakeBoldLabel(Panel1, "LName", 5, 10, tr("Name:"));
    EName = MakeEdit(Panel1, "EName", 90, 5, 166, 19, QStringLiteral("Tarif X"));
    LNummer = MakeBoldLabel(Panel1, "LNummer", 5, 40, tr("Verbindung:"));
    ENummer = MakeList(Panel1, "ENummer", 90, 35, 166);
    LFreibetrag = MakeBoldLabel(Panel1, "LFreibetrag", 265, 10, tr("Freibetrag:"));
    EFreibetrag = MakeEdit(Panel1, "EFreibetrag", 345, 5, 50, 19, InitialSlotTexts().Kosten);
    Label1 = MakeBoldLabel(Panel1, "Label1", 400, 10, tr("€uro"));
    LLimit = MakeBoldLabel(Panel1, "LLimit", 265, 35, tr("Limit:"));
    ELimit = MakeEdit(Panel1, "ELimit", 345, 30, 50, 19, InitialSlotTexts().Kosten);
    Label2 = MakeBoldLabel(Panel1, "Label2", 400, 35, tr("€uro"));
    Slots = std::make_unique<TSlotPages>(Panel1);
    NameField(LName, EName);
    NameField(LNummer, ENummer);
    NameField(LFreibetrag, EFreibetrag);
    NameField(LLimit, ELimit);

    LStunden = MakeBoldLabel(Panel2, "LStunden", 10, 10, tr("Zeiten pro Tag:"));
    SpinEdit1 = Place(new TSpinEdit(1, 24, Panel2), "SpinEdit1", 140, 5, 56, 19);
    SpinEdit1->setValue(1);
    NameField(LStunden, SpinEdit1);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { Guarded([this] { SpinEdit1Change(); }); });

    RadioGroup1 = new TRadioGroup(tr("Verschiedene Tarife"),
                                  {tr("Immer gleich"), tr("Werktags / Sonntags"), tr("Jeden Tag verschieden")}, Panel2);
    RadioGroup1->setFont(WindowFont(10, true));
    Place(RadioGroup1, "RadioGroup1", 5, 30, 196, 96);
    RadioGroup1->SetItemIndex(0);
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };

    BitBtn1 = MakeButton(Panel2, "BitBtn1", 10, 135, 91, 25, MessageBox::StandardCaption(MessageBox::Ok));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn2 = MakeButton(Panel2, "BitBtn2", 105, 135, 91, 25, MessageBox::StandardCaption(MessageBox::Abort));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Guarded([this] { BitBtn1Click(); });
        done(Accepted);   // the window closes whatever the handler did
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        BitBtn2Click();
        done(AbortResult);
    });
}

void TTarifForm::FormCreate()
{
    Slots->SlotsPerDay = 0;
    refillList();
}

void TTarifForm::FormShow() { refillList(); }

void TTarifForm::FormDestroy()
{
    try {
        Slots->FreePanels();
    } catch (...) {
        ReportError(QStringLiteral("Fehler bei TTarifForm.FormDestroy"));
    }
}

void TTarifForm::refillList()
{
    TarifListe->clear();
    for (const TTarif &t : Tarife) TarifListe->addItem(t.Name.value());
    TarifListe->setCurrentRow(-1);
    SpeedButton2->setEnabled(false);
}

void TTarifForm::SpeedButton1Click()
{
    try {
        m_editIndex = -1;
        PageControl1->SetCaption(1, QStringLiteral("Neuer Tarif"));
        SpinEdit1->setValue(1);
        NameField(LStunden, SpinEdit1);
        Slots->RebuildSlots(1);
        FillConnectionList(ENummer, m_connections);
        PageControl1->SetTabVisible(1, true);
        PageControl1->SetActivePage(TNewTarif);
    } catch (...) {
        ReportError(QStringLiteral("Fehler bei TTarifForm.SpeedButton1Click"));
    }
}

void TTarifForm::SpeedButton2Click()
{
    try {
        const QList<QListWidgetItem *> selected = TarifListe->selectedItems();
        if (selected.isEmpty()) return;
        const int k = TarifListe->row(selected.first());
        if (size_t(k) >= Tarife.size()) return;
        showTariff(TariffTexts(Tarife[size_t(k)]));
        m_editIndex = k;
        // Read back from the controls: only what the user then changes counts as changed.
        m_shownTexts = pageTexts();
        PageControl1->SetCaption(1, QStringLiteral("Tarif bearbeiten"));
        PageControl1->SetTabVisible(1, true);
        PageControl1->SetActivePage(TNewTarif);
    } catch (...) {
        ReportError(QStringLiteral("Fehler bei TTarifForm.SpeedButton2Click"));
    }
}

void TTarifForm::showTariff(const TTariffTexts &texts)
{
    SpinEdit1->setValue(texts.SlotsPerDay);
    Slots->SetTexts(texts.Pages);
    FillConnectionList(ENummer, m_connections);
    if (!texts.Connection.isEmpty()) {
        // An entry that is gone from the dial-up networking stays the tariff's own.
        if (ENummer->findText(texts.Connection) < 0) ENummer->addItem(texts.Connection);
        ENummer->setCurrentIndex(ENummer->findText(texts.Connection));
    }
    EName->setText(texts.Name);
    EFreibetrag->setText(texts.Freibetrag);
    ELimit->setText(texts.Limit);
    RadioGroup1->SetItemIndex(texts.Model);
    Slots->ShowModelPages(texts.Model);
    Slots->PageControl2->SetActivePage(0);
}

TTariffTexts TTarifForm::pageTexts() const
{
    return {EName->text(),      ENummer->currentText(), EFreibetrag->text(), ELimit->text(), RadioGroup1->ItemIndex(),
            Slots->SlotsPerDay, Slots->Texts()};
}

void TTarifForm::SpeedButton3Click()
{
    const QList<QListWidgetItem *> selected = TarifListe->selectedItems();
    if (selected.isEmpty()) return;
    const int k = TarifListe->row(selected.first());
    if (MessageBox::Show(QStringLiteral("Confirm"), tr("Wollen Sie den Tarif wirklich löschen?"), MessageBox::Question,
                         {MessageBox::Yes, MessageBox::No})
        != MessageBox::Yes)
        return;
    // The list may have changed while the question was open; k is taken from before it.
    if (size_t(k) >= Tarife.size()) return;
    const int last = int(Tarife.size()) - 1;
    if (k != last) Tarife[size_t(k)] = Tarife.back();   // the last tariff fills the gap
    Tarife.pop_back();
    // A tariff open on the new-tariff page goes with it, or follows the last one into the gap.
    if (m_editIndex == k) {
        m_editIndex = -1;
        PageControl1->SetTabVisible(1, false);
    } else if (m_editIndex == last) {
        m_editIndex = k;
    }
    SaveTarife();   // on disk at once: a crash must not bring the tariff back, nor lose the others
    refillList();
}

void TTarifForm::SpeedButton4Click() { reject(); }

void TTarifForm::SpinEdit1Change() { Slots->ResizeSlots(SpinEdit1->value()); }

void TTarifForm::RadioGroup1Click() { Slots->ShowModelPages(RadioGroup1->ItemIndex()); }

void TTarifForm::BitBtn1Click()
{
    if (m_editIndex >= 0 && size_t(m_editIndex) < Tarife.size()) {
        // In place, so the tariff keeps its position; an amount that is no number changes nothing.
        Tarife[size_t(m_editIndex)] = EditedTariff(Tarife[size_t(m_editIndex)], m_shownTexts, pageTexts());
        m_editIndex = -1;
    } else {
        AppendTariff(EName->text(), ENummer->currentText(), EFreibetrag->text(), ELimit->text(),
                     RadioGroup1->ItemIndex(), Slots->Texts());
    }
    SaveTarife();   // what was entered survives a crash; the save at the end would come too late
    refillList();
    PageControl1->SetTabVisible(1, false);
    PageControl1->SetActivePage(TTarife);
}

void TTarifForm::BitBtn2Click()
{
    m_editIndex = -1;
    PageControl1->SetTabVisible(1, false);
    PageControl1->SetActivePage(TTarife);
}

void TTarifForm::FormResize()
{
    // The weekday pages always start 61 pixels below the top of the left panel.
    Slots->PageControl2->setGeometry(0, 61, Panel1->width(), Panel1->height() - 61);
    Slots->ArrangeSlots();
}

void TTarifForm::layoutNewTarifPage()
{
    const int w = TNewTarif->width(), h = TNewTarif->height();
    Panel2->setGeometry(w - 204, 0, 204, h);
    Panel1->setGeometry(0, 0, w - 204, h);
    FormResize();
}

void TTarifForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    PageControl1->setGeometry(rect());
}

bool TTarifForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TNewTarif && event->type() == QEvent::Resize) layoutNewTarifPage();
    return QDialog::eventFilter(watched, event);
}

void TTarifForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) return;   // the window has no cancel button
    QDialog::keyPressEvent(event);
}
