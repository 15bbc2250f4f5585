#include "tariffs/window/HourPanel.h"

#include "ui/AccessibleName.h"
#include "ui/Controls.h"

#include <QLabel>
#include <QLineEdit>

THourPanel::THourPanel(QWidget *page) : QFrame(page)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(175, 100);
    // Created in tab order.
    const TSlotTexts initial = InitialSlotTexts();
    VonEdit = MakeEdit(this, "VonEdit", 5, 25, 50, 21, initial.Von);
    BisEdit = MakeEdit(this, "BisEdit", 100, 25, 50, 21, initial.Bis);
    KostenEdit = MakeEdit(this, "KostenEdit", 100, 50, 50, 21, initial.Kosten);
    TaktungEdit = MakeEdit(this, "TaktungEdit", 100, 75, 50, 21, initial.Taktung);
    VonLabel = MakeLabel(this, "VonLabel", 5, 5, tr("Von"));
    BisLabel = MakeLabel(this, "BisLabel", 100, 5, tr("Bis"));
    KostenLabel = MakeLabel(this, "KostenLabel", 5, 50, tr("Kosten (in Cent):"));
    TaktungLabel = MakeLabel(this, "TaktungLabel", 5, 75, tr("Taktung (in Sek.):"));
    NameField(VonLabel, VonEdit);
    NameField(BisLabel, BisEdit);
    NameField(KostenLabel, KostenEdit);
    NameField(TaktungLabel, TaktungEdit);
}

void THourPanel::SetTexts(const TSlotTexts &texts)
{
    VonEdit->setText(texts.Von);
    BisEdit->setText(texts.Bis);
    KostenEdit->setText(texts.Kosten);
    TaktungEdit->setText(texts.Taktung);
}

TSlotTexts THourPanel::Texts() const
{
    return {VonEdit->text(), BisEdit->text(), KostenEdit->text(), TaktungEdit->text()};
}
