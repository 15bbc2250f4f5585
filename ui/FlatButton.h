#pragma once
// A flat push button that a keyboard user can find: flat until the mouse is over it, but with a
// frame while it has the focus. Enter and Space press it (it is an auto-default button in a dialog).
#include <QPushButton>

class TFlatButton : public QPushButton
{
public:
    explicit TFlatButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
