#pragma once
// The settings window: the federal state whose holidays count, the overall monthly limit and
// whether Minutrix starts with the desktop session. OK stores them and writes the files at once.
#include "ui/WindowLife.h"

#include <QDialog>
#include <functional>

class QCheckBox;
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
    QCheckBox *CBAutostart;
    QPushButton *BitBtn2, *BitBtn1;

    // Starting with the desktop session, as app/ hands it over: whether it is on, and turning it on
    // or off (throws the file's error). Without them the check box stays disabled.
    std::function<bool()> AutostartOn;
    std::function<void(bool on)> SetAutostart;

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
