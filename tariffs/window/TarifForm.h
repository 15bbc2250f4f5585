#pragma once
// The tariff editor: the list of tariffs, adding a tariff from its time slots, changing one on the
// same page and deleting one. Every change is written to the tariff store at once.
#include "tariffs/TariffTexts.h"
#include "ui/WindowLife.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TPageControl;
class TRadioGroup;
class TSlotPages;
class TSpinEdit;

class TTarifForm : public QDialog
{
    Q_OBJECT
public:
    explicit TTarifForm(QWidget *parent = nullptr, TConnectionSource connections = {});
    ~TTarifForm() override;

    static constexpr int AbortResult = 3;

    TPageControl *PageControl1;
    QWidget *TTarife, *TNewTarif;
    QListWidget *TarifListe;
    QPushButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4;
    QFrame *Panel1, *Panel2;
    QLabel *LName, *LNummer, *LFreibetrag, *Label1, *LLimit, *Label2, *LStunden;
    QLineEdit *EName, *EFreibetrag, *ELimit;
    QComboBox *ENummer;
    TSpinEdit *SpinEdit1;
    TRadioGroup *RadioGroup1;
    QPushButton *BitBtn1, *BitBtn2;
    std::unique_ptr<TSlotPages> Slots;   // PageControl2 and its panels

    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpinEdit1Change();
    void RadioGroup1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    // The tariff being changed on the new-tariff page, -1 while a new one is entered there.
    int EditIndex() const { return m_editIndex; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TConnectionSource m_connections;
    int m_editIndex = -1;
    TTariffTexts m_shownTexts;   // what the page showed when the tariff was opened
    TTariffTexts pageTexts() const;
    void showTariff(const TTariffTexts &texts);
    void createListPage();
    void createNewTarifPage();
    void refillList();
    void layoutNewTarifPage();
    TInstanceSlot<TTarifForm> m_instance;
};

extern TTarifForm *TarifForm;
