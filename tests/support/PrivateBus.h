#pragma once
// A private D-Bus daemon standing in for the system bus, for tests of what talks to system
// services (NetworkManager): never the machine's own bus. Make it in main() before the
// QCoreApplication, so that Qt's system bus is this one:
//
//   int main(int argc, char **argv)
//   {
//       PrivateSystemBus bus;          // dbus-daemon --session, DBUS_SYSTEM_BUS_ADDRESS set to it
//       if (!bus.isRunning()) return 1;
//       QApplication app(argc, argv);
//       ...
//   }
//
// The daemon ends with the object, and with the test process even when that crashes.
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
