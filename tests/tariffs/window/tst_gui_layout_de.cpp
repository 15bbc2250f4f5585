// The windows at the positions they were laid out with, in this platform's fonts: no label runs
// into a control beside it, and no caption is cut.
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/HourPanel.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/SpinEdit.h"
#include "tariffs/window/TarifForm.h"
#include "tests/tariffs/window/TariffWindowFixture.h"
#include "ui/PageControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {
QString where(const QWidget *w)
{
    return QStringLiteral("%1 in %2").arg(w->objectName(), w->parentWidget()->objectName());
}

// Every label and button below root, checked against the controls beside it.
QString layoutFaults(QWidget *root)
{
    QStringList faults;
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->objectName().isEmpty() || label->wordWrap() || !label->isVisible()) continue;
        if (label->width() < label->sizeHint().width()) faults << where(label) + QStringLiteral(" cut");
        for (QObject *o : label->parentWidget()->children()) {
            auto *other = qobject_cast<QWidget *>(o);
            if (!other || other == label || qobject_cast<QLabel *>(other)) continue;
            if (!qobject_cast<QLineEdit *>(other) && !qobject_cast<QComboBox *>(other)
                && !qobject_cast<QAbstractSpinBox *>(other) && !qobject_cast<QAbstractButton *>(other))
                continue;
            // The text itself, not the label's whole box, must stay clear of the control.
            const QRect text(label->pos(), label->fontMetrics().boundingRect(label->text()).size());
            if (text.intersects(other->geometry()))
                faults << where(label) + QStringLiteral(" overlaps ") + where(other);
        }
    }
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        const int indicator = qobject_cast<QRadioButton *>(b) ? 20 : 0;
        const int needed = b->fontMetrics().horizontalAdvance(QString(b->text()).remove(QLatin1Char('&')));
        if (b->isVisible() && b->width() < needed + icon + indicator + 6) faults << where(b) + QStringLiteral(" cut");
    }
    return faults.join(QStringLiteral("; "));
}
}

class TestLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fontsResolve()
    {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
        TariffWindowFixture<TSettingForm> f;
        const QFontInfo info(f.form->font());
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.pointSize(), 8);
    }

    void settingsWindow()
    {
        TariffWindowFixture<TSettingForm> f;
        QCOMPARE(layoutFaults(&f.show()), QString());
    }

    void tariffEditor()
    {
        TariffWindowFixture<TTarifForm> f;
        TTarifForm &form = f.show();
        QCOMPARE(layoutFaults(&form), QString());
        form.SpeedButton1Click();
        form.SpinEdit1->setValue(3);
        QCOMPARE(layoutFaults(&form), QString());
    }

    void wizard()
    {
        TariffWindowFixture<TAssistentForm> f;
        TAssistentForm &w = f.show();
        w.Slots->RebuildSlots(2);
        for (int page = 0; page < w.PageControl1->PageCount(); ++page) {   // each page as the user sees it
            w.PageControl1->SetActivePage(page);
            QCoreApplication::processEvents();
            QCOMPARE(layoutFaults(&w), QString());
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_gui_layout_de.moc"
