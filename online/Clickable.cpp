#include "Clickable.h"

#include "ShowException.h"

#include <QMouseEvent>
#include <QWidget>

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
