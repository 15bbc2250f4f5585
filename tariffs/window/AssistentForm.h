#pragma once
// The setup wizard of the first start: state and overall limit, then one tariff with its
// connection, model and time slots. It only goes forward; left before its end (Escape, the
// window's close button), it sets nothing up and the program ends without writing a file, so the
// next start shows the wizard again.
#include "tariffs/TariffInput.h"
#include "ui/WindowLife.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TPageControl;
class TRadioGroup;
class TSlotPages;
class TSpinEdit;

class TAssistentForm : public QDialog
{
    Q_OBJECT
public:
    // Shows itself modally from here when the first start is still due.
    explicit TAssistentForm(QWidget *parent = nullptr, TConnectionSource connections = {});
    ~TAssistentForm() override;

    // Page indexes; the steps run 0, 1, 3, 4, 5, 2.
    enum { PageGeneral = 0, PageTarif1 = 1, PageFinished = 2, PageTarif2 = 3, PageTarif3 = 4, PageTarif4 = 5 };

    QLabel *StaticText1;
    QPushButton *SBNext;
    TPageControl *PageControl1;
    QWidget *TGeneral, *TTarif1, *TFinished, *TTarif2, *TTarif3, *TTarif4;
    QLabel *LBundesland, *LGesamtLimit, *LGesamtLimit2, *LTarifName, *LFreibetrag, *Label1, *LLimit, *Label3,
        *LTarifNumber, *LMaxTimes;
    QComboBox *SBundesland, *TarifBox;
    QLineEdit *EGesamtlimit, *ETarifName, *EFreibetrag, *ELimit;
    TRadioGroup *TarifmodellGroup;
    TSpinEdit *EMaxTimes;
    std::unique_ptr<TSlotPages> Slots;   // PageControl2 and its panels

    void FormCreate();
    void FormShow();
    void SBNextClick();
    void FormDestroy();

    // The user left the wizard before its end.
    bool Left() const { return m_left; }

protected:
    void reject() override;

private:
    TConnectionSource m_connections;
    bool m_left = false;
    void createGeneralPages();
    void createTarifPages();
    void go(int page, const QString &header, const QString &button);
    TInstanceSlot<TAssistentForm> m_instance;
};

extern TAssistentForm *AssistentForm;
