#pragma once
// The settings window: the federal state whose holidays count and the overall monthly limit.
// OK stores both and writes the settings file at once.
#include "ui/WindowLife.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TSettingForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSettingForm(QWidget *parent = nullptr);

    QLabel *LBundesland, *LGesamtLimit, *LGesamtLimit2;
    QComboBox *SBundesland;
    QLineEdit *EGesamtLimit;
    QPushButton *BitBtn2, *BitBtn1;

    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void reject() override;

private:
    TInstanceSlot<TSettingForm> m_instance;
};

// The 16 federal states in their stored order.
void FillStateList(QComboBox *combo);

extern TSettingForm *SettingForm;
