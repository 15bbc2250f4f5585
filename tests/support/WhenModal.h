#pragma once
// Tests that run real modal loops: the window or box is handled by a timer as soon as it is open,
// as a user would handle it.
#include <QApplication>
#include <QTimer>
#include <functional>

// Runs act on the modal window once one is open (for at most about 20 s).
inline void WhenModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && ++tries < 2000) return;
        timer->stop();
        timer->deleteLater();
        if (modal) act(modal);
    });
    timer->start();
}
