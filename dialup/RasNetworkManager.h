#pragma once
// The RAS module over NetworkManager (its D-Bus API, no libnm): the profiles that cost money are
// phonebook entries, their active connections are RAS connections (see dialup/NmMapping.h).
//
// Nothing waits on the bus: the first RAS call opens the bus on a worker thread and returns at
// once; the watcher then asks whether NetworkManager is there, takes one snapshot with
// asynchronous calls and keeps it current from the signals. Every RAS call only reads that cache,
// so the entries appear once the snapshot has arrived (PhonebookGeneration() counts it). Without
// a bus or without NetworkManager there are no entries; when NetworkManager leaves the bus its
// connections end at once, when it comes back its profiles reappear.
#include "dialup/NmCache.h"
#include "dialup/Ras.h"

#include <QDBusConnection>
#include <QPointer>

#include <functional>

class NmWatcher;

class NetworkManagerRasModule final : public RasModule
{
public:
    // How the module reaches the system bus; called once, on a worker thread. Tests hand a
    // private bus; by default it is QDBusConnection::systemBus().
    using BusOpener = std::function<QDBusConnection()>;
    explicit NetworkManagerRasModule(BusOpener openBus = {});
    ~NetworkManagerRasModule() override;
    NetworkManagerRasModule(const NetworkManagerRasModule &) = delete;
    NetworkManagerRasModule &operator=(const NetworkManagerRasModule &) = delete;

    RasDword EnumEntries(const char *reserved, const char *phonebook, void *entries, RasDword *bytes,
                         RasDword *count) override;
    RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) override;
    RasDword GetConnectStatus(RasHandle connection, void *status) override;
    RasLibrary OpenLibrary(const char *fileName) override;
    RasProc FindFunction(RasLibrary library, const char *name) override;
    void CloseLibrary(RasLibrary) override {}
    TextEncoding Encoding() const override { return TextEncoding::Utf8; }
    unsigned PhonebookGeneration() const override { return m_cache.generation(); }

    RasDword GetEntryProperties(const char *entry, void *buffer, RasDword *entrySize, RasDword *deviceInfoSize);

    // What the watcher filled in; benchmarks fill it themselves.
    NmCache &Cache() { return m_cache; }

private:
    void start();

    BusOpener m_openBus;
    NmCache m_cache;
    QPointer<NmWatcher> m_watcher;
    bool m_started = false;
    char m_library = 0;
    NetworkManagerRasModule *m_previous = nullptr;   // answered RasGetEntryPropertiesA before this one
};
