#pragma once
// A private D-Bus daemon (dbus-daemon --session) standing in for the system bus, for tests of what
// talks to system services: never the machine's own bus. Made in main() before the
// QCoreApplication, it points DBUS_SYSTEM_BUS_ADDRESS at itself, so Qt's system bus is this one.
// It ends with the object, and with the test process even when that crashes.
#ifdef __linux__
#include <QByteArray>

#include <sys/types.h>

class PrivateSystemBus
{
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus &) = delete;
    PrivateSystemBus &operator=(const PrivateSystemBus &) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    QByteArray address() const { return m_address; }

private:
    pid_t m_pid = -1;
    QByteArray m_address;
};
#endif
