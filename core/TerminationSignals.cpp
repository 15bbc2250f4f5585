#include "core/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int wakeUp[2] = {-1, -1};   // the handler writes to [0], the event loop reads [1]
volatile std::sig_atomic_t received = 0;
constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction previous[3];

void onSignal(int)
{
    // Only async-signal-safe work here: a flag and one byte.
    received = 1;
    const int saved = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(wakeUp[0], &c, 1);
    errno = saved;
}
}

TerminationSignals::TerminationSignals(std::function<void()> onSignalCall, QObject *parent)
    : QObject(parent), m_onSignal(std::move(onSignalCall))
{
    received = 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, wakeUp) != 0) return;
    for (int fd : wakeUp) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        // Several signals in a row end the program once: drain them all, call once.
        char buffer[64];
        while (::read(wakeUp[1], buffer, sizeof buffer) > 0) {}
        if (m_onSignal) m_onSignal();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(Signals[i], &sa, &previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier) return;
    for (int i = 0; i < 3; ++i) sigaction(Signals[i], &previous[i], nullptr);
    delete m_notifier;
    for (int &fd : wakeUp) {
        ::close(fd);
        fd = -1;
    }
}

bool TerminationSignals::Received() { return received != 0; }
