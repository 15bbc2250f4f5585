#pragma once
// Controls placed by hand at the positions the windows were laid out with, each with its name.
#include <QString>

#include <functional>

class QComboBox;
class QFont;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Names a control and puts it at its rectangle: how every window places what it makes by hand.
template <typename Control>
Control *Place(Control *control, const char *name, int left, int top, int width, int height)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel *MakeLabel(QWidget *parent, const char *name, int left, int top, const QString &text);
QLabel *MakeBoldLabel(QWidget *parent, const char *name, int left, int top, const QString &text);
QLineEdit *MakeEdit(QWidget *parent, const char *name, int left, int top, int width, int height, const QString &text);
// A drop-down list without typing, nothing selected.
QComboBox *MakeList(QWidget *parent, const char *name, int left, int top, int width);
QPushButton *MakeButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                        const QString &caption);
// A flat button that shows a frame while it has the focus or the mouse is over it.
QPushButton *MakeFlatButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                            const QString &caption);
// A sunken horizontal line, two pixels high.
QFrame *MakeBevel(QWidget *parent, const char *name, int left, int top, int width);

// Pictures and labels that act as links: a left click on the widget (released over it, as a button
// counts a click) runs the handler, guarded like every handler.
void OnClick(QWidget *widget, std::function<void()> handler);
