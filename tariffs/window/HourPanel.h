#pragma once
// One time slot of a tariff: first and last hour, price in cents and billing increment in seconds.
#include "tariffs/TariffInput.h"

#include <QFrame>

class QLabel;
class QLineEdit;

class THourPanel : public QFrame
{
    Q_OBJECT
public:
    explicit THourPanel(QWidget *page);

    QLineEdit *VonEdit, *BisEdit, *KostenEdit, *TaktungEdit;
    QLabel *VonLabel, *BisLabel, *KostenLabel, *TaktungLabel;

    TSlotTexts Texts() const;
    void SetTexts(const TSlotTexts &texts);
};
