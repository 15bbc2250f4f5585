#include "ui/Controls.h"

#include "ui/FlatButton.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
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
    return Place(new QLineEdit(text, parent), name, left, top, width, height);
}

QComboBox *MakeList(QWidget *parent, const char *name, int left, int top, int width)
{
    auto *c = Place(new QComboBox(parent), name, left, top, width, 21);
    c->setEditable(false);
    c->setCurrentIndex(-1);
    return c;
}

QPushButton *MakeButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                        const QString &caption)
{
    return Place(new QPushButton(caption, parent), name, left, top, width, height);
}

QPushButton *MakeFlatButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                            const QString &caption)
{
    return Place(new TFlatButton(caption, parent), name, left, top, width, height);
}

QFrame *MakeBevel(QWidget *parent, const char *name, int left, int top, int width)
{
    auto *b = Place(new QFrame(parent), name, left, top, width, 2);
    b->setFrameShape(QFrame::HLine);
    b->setFrameShadow(QFrame::Sunken);
    return b;
}

namespace {
class ClickFilter : public QObject
{
public:
    ClickFilter(QWidget *widget, std::function<void()> handler) : QObject(widget), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const auto *widget = static_cast<QWidget *>(watched);
            // Released over the widget, as a button counts a click.
            if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
                Guarded(m_handler);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};
}

void OnClick(QWidget *widget, std::function<void()> handler) { new ClickFilter(widget, std::move(handler)); }
