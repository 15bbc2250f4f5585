#pragma once
// The settings window: the federal state whose holidays count, the overall monthly limit and the
// language. OK stores them and writes the settings file at once; the language is read at start,
// so a new one takes effect at the next start, as the window says.
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

    QLabel *LBundesland, *LGesamtLimit, *LGesamtLimit2, *LSprache, *LSpracheHinweis;
    QComboBox *SBundesland, *SSprache;
    QLineEdit *EGesamtLimit;
    QPushButton *BitBtn2, *BitBtn1;

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
