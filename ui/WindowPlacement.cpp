#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {
class CentreOnShow : public QObject
{
public:
    explicit CentreOnShow(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Before the window is mapped: it appears where it belongs, without a jump.
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->parentWidget()) CentreOver(window, window->parentWidget()->window());
        }
        return QObject::eventFilter(watched, event);
    }
};
}

void CentreOverParentWhenShown(QWidget *window) { new CentreOnShow(window); }

void CentreOver(QWidget *window, const QWidget *over)
{
    const QRect overFrame = over->frameGeometry();
    // A window not yet mapped knows no frame; its title bar is as high as that of `over`, or as
    // the style says when `over` has none either.
    int title = over->geometry().top() - overFrame.top();
    if (title <= 0) title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize client = window->size();
    const QSize frame = window->isVisible() ? window->frameGeometry().size() : client + QSize(0, title);

    const QScreen *screen = over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(overFrame.center(), frame);
    QPoint topLeft = overFrame.center() - QPoint(frame.width() / 2, frame.height() / 2);
    // Centred, a tall window would leave the screen at the top where the main window sits near it
    // (its place is near the top): it opens with its top at the main window's instead.
    if (topLeft.y() < avail.top()) topLeft.setY(overFrame.top());
    window->move(KeepOnScreen(QRect(topLeft, frame), avail));   // a window's position is that of its frame
}

QPoint KeepOnScreen(const QRect &frame, const QRect &screen)
{
    const int x = std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    return QPoint(x, y);
}
