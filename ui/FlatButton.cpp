#include "ui/FlatButton.h"

#include <QPainter>

TFlatButton::TFlatButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setFlat(true);
    setAttribute(Qt::WA_Hover);
}

void TFlatButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus() && !underMouse()) return;
    // The style draws no frame for a flat button; this one shows where the focus is.
    QPainter p(this);
    p.setPen(QPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
