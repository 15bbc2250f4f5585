#pragma once
// What NetworkManager has said about its profiles, active connections and their devices, kept
// current by the watcher of RasNetworkManager.cpp from the bus's signals and read by the RAS
// calls, which never touch the bus themselves. Main thread only.
#include "dialup/NmMapping.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <string>
#include <vector>

// NetworkManager's connections have handles with the top bit set; a pppd connection's handle is
// its pid, which never has it.
constexpr RasHandle NmHandleBit = RasHandle(1) << (sizeof(RasHandle) * 8 - 1);

class NmCache
{
public:
    // A phonebook entry as the RAS structures spell it: UTF-8, cut to the members' capacity.
    struct Entry
    {
        std::string name, number;
    };
    struct Connection
    {
        RasHandle handle;
        std::string entry, deviceType, deviceName;
        RasDword state;
    };

    // Profiles: a profile that is no phonebook entry (or no longer one) is forgotten.
    void setProfile(const QString &path, const std::optional<NmEntry> &entry);
    void removeProfile(const QString &path);

    // Active connections in the manager's order; one newly listed is counted once its
    // properties have arrived (setActive). Answers the paths that were not listed before.
    QStringList setActiveList(const QStringList &paths);
    bool isActiveListed(const QString &path) const { return m_actives.contains(path); }
    void setActive(const QString &path, const QString &profile, quint32 state, const QStringList &devices);
    void setActiveState(const QString &path, quint32 state);
    void setActiveDevices(const QString &path, const QStringList &devices);
    // Devices of listed connections whose properties have not been asked for yet; asking is the
    // caller's, so they are marked as asked.
    QStringList takeUnknownDevices();
    bool isDeviceKnown(const QString &path) const { return m_devices.contains(path); }
    void setDevice(const QString &path, quint32 state, const QString &interface, const QString &ipInterface);
    void setDeviceState(const QString &path, quint32 state);
    void setDeviceInterfaces(const QString &path, const std::optional<QString> &interface,
                             const std::optional<QString> &ipInterface);

    // NetworkManager left: nothing of it is left either.
    void clear();

    // Sorted by name (then by profile path), after the pppd peers in the phonebook.
    const std::vector<Entry> &entries() const { return m_entries; }
    const Entry *findEntry(const std::string &name) const;   // the first of that name
    std::vector<Connection> connections() const;
    std::optional<RasDword> state(RasHandle handle) const;
    // Counts the changes of the entries' names and numbers.
    unsigned generation() const { return m_generation; }

private:
    struct Active
    {
        QString profile;   // empty until the properties arrived
        quint32 state = NmActiveUnknown;
        QStringList devices;
        RasHandle handle = 0;
    };
    struct Device
    {
        quint32 state = NmDeviceUnknown;
        QString interface, ipInterface;
        bool asked = false;
    };
    void entriesChanged();
    void forgetUnusedDevices();
    const Active *activeByHandle(RasHandle handle) const;
    RasDword rasState(const Active &active) const;

    std::map<QString, NmEntry> m_profiles;   // by object path
    QStringList m_activeOrder;
    QHash<QString, Active> m_actives;
    QHash<QString, Device> m_devices;
    RasHandle m_nextHandle = 0;
    std::vector<Entry> m_entries;
    unsigned m_generation = 0;
};
