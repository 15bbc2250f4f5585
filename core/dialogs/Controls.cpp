#include "Controls.h"

#include "WindowFont.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel *MakeLabel(QWidget *parent, const char *name, int left, int top, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    l->adjustSize();   // labels size themselves to their caption
    return l;
}

QLabel *MakeBoldLabel(QWidget *parent, const char *name, int left, int top, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setFont(WindowFont(10, true));
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, int left, int top, int width, int height, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(left, top, width, height);
    return e;
}

QComboBox *MakeList(QWidget *parent, const char *name, int left, int top, int width)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    c->setGeometry(left, top, width, 21);
    c->setCurrentIndex(-1);
    return c;
}

QPushButton *MakeButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                        const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, top, width, height);
    return b;
}
