#include "ui/WindowLife.h"

#include <QEvent>
#include <QWidget>

namespace {
class ShowWork : public QObject
{
public:
    ShowWork(QWidget *window, std::function<void()> work, bool once)
        : QObject(window), m_work(std::move(work)), m_once(once)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            const std::function<void()> work = m_work;   // a one-time watcher is gone before it runs
            if (m_once) {
                watched->removeEventFilter(this);
                deleteLater();
            }
            work();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const std::function<void()> m_work;
    const bool m_once;
};
}

void OnShow(QWidget *window, std::function<void()> work) { new ShowWork(window, std::move(work), false); }
void OnFirstShow(QWidget *window, std::function<void()> work) { new ShowWork(window, std::move(work), true); }
