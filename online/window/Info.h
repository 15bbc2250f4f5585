#pragma once
// The info window: the program's name, version and copyright, a link to our home page and the
// partner shop's banner, both opened in the browser.
#include "ui/WindowLife.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TInfofenster : public QDialog
{
    Q_OBJECT
public:
    explicit TInfofenster(QWidget *parent = nullptr);

    QLabel *Label1, *Label2, *Label3, *Label6;
    QLabel *Image1, *Werbebanner;
    QFrame *Bevel1, *Bevel2;
    QPushButton *BitBtn1;

    void Label6Click();
    void WerbebannerClick();

private:
    TInstanceSlot<TInfofenster> m_instance;
};

extern TInfofenster *Infofenster;
