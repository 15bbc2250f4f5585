#include "tests/support/PrivateBus.h"

#ifdef __linux__
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateSystemBus::PrivateSystemBus()
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return;
    m_pid = ::fork();
    if (m_pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);   // never outlives the test
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address",
                 static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    if (m_pid < 0) {
        ::close(pipeEnds[0]);
        return;
    }
    // The daemon prints its address and a newline once it listens.
    QByteArray line;
    char c = 0;
    while (::read(pipeEnds[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(pipeEnds[0]);
    if (line.isEmpty()) {
        std::fprintf(stderr, "PrivateSystemBus: dbus-daemon did not start\n");
        return;
    }
    m_address = line;
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.constData(), 1);
}

PrivateSystemBus::~PrivateSystemBus()
{
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
}
#endif
