#pragma once
// Logout, Ctrl+C or kill (SIGTERM, SIGINT, SIGHUP) turned into a call on the main thread's event
// loop, so the program can end through its normal shutdown. Unix only. One instance at a time.
#include <QObject>
#include <functional>

class QSocketNotifier;

class TerminationSignals : public QObject
{
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;

    // A signal has arrived since the bridge was installed (set in the handler itself, so it holds
    // even before the event loop has run).
    static bool Received();

private:
    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
