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

// Runs act as the first event of the application's own loop (QCoreApplication::exec), as the
// program runs it, and returns the code the loop ended with: the code under test's, or -1 once
// settled holds (looked at every 10 ms, never while a modal window is open) or after 20 s.
inline int RunApplicationLoop(std::function<void()> act, std::function<bool()> settled = {})
{
    QTimer::singleShot(0, std::move(act));
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&settled] {
        if (settled && !QApplication::activeModalWidget() && settled()) QCoreApplication::exit(-1);
    });
    look.start(10);
    QTimer::singleShot(20000, &look, [] { QCoreApplication::exit(-1); });
    const int code = QCoreApplication::exec();
    // A window closed during the loop may have asked for another end, which would end every later
    // loop of the test at once.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::Quit);
    return code;
}
