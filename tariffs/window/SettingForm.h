#pragma once
// The settings window: the federal state whose holidays count, the overall monthly limit, the
// language and whether Minutrix starts with the desktop session. OK stores them and writes the files
// at once; the language is read at start, so a new one takes effect at the next start, as the
// window says.
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

    QLabel *LBundesland, *LGesamtLimit, *LGesamtLimit2, *LSprache, *LSpracheHinweis;
    QComboBox *SBundesland, *SSprache;
    QLineEdit *EGesamtLimit;
    QCheckBox *CBAutostart;
    QPushButton *BitBtn2, *BitBtn1;

    // Starting with the desktop session, as app/ hands it over: whether it is on, and turning it on
    // or off (throws the file's error). Without them the check box stays disabled.
    std::function<bool()> AutostartOn;
    std::function<void(bool on)> SetAutostart;

    // False, with the box shown and the focus in the field, when an entry is wrong.
    bool BitBtn1Click();
    void BitBtn2Click();

protected:
    void reject() override;

private:
    void fillLanguageList();
    QString m_runningLanguage;
    TInstanceSlot<TSettingForm> m_instance;
};

// The 16 federal states in their stored order.
void FillStateList(QComboBox *combo);

// A wrong entry: the plain box W_FillAllFields (a mistake to mend, not an error to report), then
// the focus in the field, its text selected, so the user sees which field it was.
void ShowWrongField(QWidget *field);

extern TSettingForm *SettingForm;
